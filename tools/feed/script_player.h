// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed_script.h"

#include <QObject>
#include <QTimer>

// Plays records with their pauses, once or over and over (--demo, --replay).
class ScriptPlayer : public QObject
{
    Q_OBJECT

public:
    ScriptPlayer(QList<FeedRecord> records, bool loop, QObject* parent = nullptr);
    void start() { scheduleNext(); }

signals:
    void recordDue(const QByteArray& record);
    void finished();

private:
    void scheduleNext();

    QList<FeedRecord> m_records;
    bool m_loop;
    qsizetype m_next = 0;
    QTimer m_timer;
};
