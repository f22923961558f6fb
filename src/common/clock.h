#pragma once

#include <QDateTime>
#include <QString>

// The source of "now" for every time stamp, so tests can fix the time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    // "hh:mm:ss", 24-hour clock, two digits each.
    QString timeStamp() const { return now().time().toString(QStringLiteral("HH:mm:ss")); }
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
