// SPDX-License-Identifier: GPL-3.0-or-later
#include "script_player.h"

ScriptPlayer::ScriptPlayer(QList<FeedRecord> records, bool loop, QObject* parent)
    : QObject(parent), m_records(std::move(records)), m_loop(loop)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        emit recordDue(m_records[m_next++].bytes);
        scheduleNext();
    });
}

void ScriptPlayer::scheduleNext()
{
    if (m_next >= m_records.size()) {
        if (!m_loop || m_records.isEmpty()) {
            emit finished();
            return;
        }
        m_next = 0;
    }
    m_timer.start(m_records[m_next].delayMs);
}
