// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

// The time stamp the message bar and the tray show: "hh:mm:ss", 24-hour
// clock, two digits each.
inline QString formatTimeStamp(const QDateTime& time)
{
    return time.time().toString(QStringLiteral("HH:mm:ss"));
}

// The source of "now" for every time stamp, so tests can fix the time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    QString timeStamp() const { return formatTimeStamp(now()); }
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
