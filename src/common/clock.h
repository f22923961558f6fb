#pragma once

#include <QString>
#include <QTime>

// The source of "now" for every time stamp, so tests can fix the time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QTime currentTime() const = 0;

    // "hh:mm:ss", 24-hour clock, two digits each.
    QString timeStamp() const { return currentTime().toString(QStringLiteral("HH:mm:ss")); }
};

class SystemClock final : public Clock
{
public:
    QTime currentTime() const override { return QTime::currentTime(); }
};
