// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio_pump.h"

#include <algorithm>

namespace {

qsizetype wholeUnits(qsizetype bytes)
{
    return bytes - bytes % AudioPump::Unit;
}

} // namespace

AudioPump::AudioPump(qint64 flushAfterMs, qsizetype capacity)
    : m_flushAfterMs(flushAfterMs), m_capacity(wholeUnits(std::max(capacity, MaxBlock)))
{
}

qsizetype AudioPump::take(QByteArrayView audio, qint64 nowMs)
{
    if (audio.isEmpty())
        return 0;
    m_lastAudioMs = nowMs;
    m_buffer.append(audio);
    // Whole units out, so that the decoder keeps reading them in step.
    const qsizetype excess = m_buffer.size() - m_capacity;
    const qsizetype dropped = excess > 0 ? wholeUnits(excess + Unit - 1) : 0;
    m_buffer.remove(0, dropped);
    return dropped;
}

QByteArray AudioPump::nextBlock(qint64 nowMs)
{
    qsizetype size = 0;
    if (m_buffer.size() >= MinBlock)
        size = std::min(wholeUnits(m_buffer.size()), MaxBlock);
    else if (nowMs >= flushDueAtMs() && flushDueAtMs() >= 0)
        size = wholeUnits(m_buffer.size());
    const QByteArray block = m_buffer.first(size);
    m_buffer.remove(0, size);
    return block;
}

qint64 AudioPump::flushDueAtMs() const
{
    return m_buffer.size() >= Unit ? m_lastAudioMs + m_flushAfterMs : -1;
}

void AudioPump::dropUnfinishedSample()
{
    if (m_buffer.size() % 2 != 0)
        m_buffer.chop(1);
}
