// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm_rules.h"

#include "telegram/fms.h"

AlarmRules AlarmRules::builtIn()
{
    AlarmRule emergency;
    emergency.kind = TelegramKind::Fms;
    emergency.extra = QString::number(FmsStatus::Emergency);
    emergency.label = QStringLiteral("NOTRUF");
    emergency.soundText = QStringLiteral("sirene");
    emergency.sound = AlarmSound::of(BuiltInSound::Siren);
    return {{emergency}, {}, {}, {}};
}

bool inTestWindow(const QList<TestWindow>& windows, const QDateTime& localTime)
{
    const int day = localTime.date().dayOfWeek();
    const int previousDay = day == 1 ? 7 : day - 1;
    // Minutes count: a window "12:00;12:15" holds 12:15:59 as well.
    const QTime now = localTime.time();
    const QTime minute(now.hour(), now.minute());
    for (const TestWindow& window : windows) {
        const bool pastMidnight = window.to < window.from;
        if (window.dayOfWeek == day && minute >= window.from &&
            (pastMidnight || minute <= window.to))
            return true;
        if (pastMidnight && window.dayOfWeek == previousDay && minute <= window.to)
            return true;
    }
    return false;
}
