// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Audio on its way from the source to the decoder. multimon-ng before
// 1.3.1 loses pages and telegrams whose audio arrives in small writes, so
// the pump hands audio out in blocks of at least MinBlock bytes, whatever
// sizes the source writes; a shorter rest goes once the source has been
// quiet for the flush time, so that a telegram at the end of a
// transmission is not held back. Blocks are whole pairs of samples: the
// decoder works on pairs, and a block of an odd number of samples puts
// what follows one sample out of step (FMS telegrams are lost by it).
//
// Memory is bounded: when the decoder takes nothing (it stalled) and the
// buffer is full, the oldest audio goes. Its telegrams are late by then,
// and the audio that is coming in is the one that can still alert.
class AudioPump
{
public:
    static constexpr qsizetype Unit = 4; // two samples
    static constexpr qsizetype MinBlock = 8 * 1024;
    static constexpr qsizetype MaxBlock = 64 * 1024;
    static constexpr qsizetype Capacity = 1024 * 1024; // about 24 s of audio

    explicit AudioPump(qint64 flushAfterMs, qsizetype capacity = Capacity);

    // Audio from the source at nowMs; returns how many old bytes it pushed out.
    qsizetype take(QByteArrayView audio, qint64 nowMs);
    // The next block due at nowMs, or nothing.
    QByteArray nextBlock(qint64 nowMs);
    // When the rest held back becomes due; -1 while there is none.
    qint64 flushDueAtMs() const;

    // The source ended: the half of a sample it left is no audio.
    void dropUnfinishedSample();

    qsizetype buffered() const { return m_buffer.size(); }
    bool isFull() const { return m_buffer.size() >= m_capacity; }

private:
    qint64 m_flushAfterMs;
    qsizetype m_capacity;
    QByteArray m_buffer;
    qint64 m_lastAudioMs = 0;
};
