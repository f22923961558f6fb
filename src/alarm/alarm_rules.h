// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm_sound.h"
#include "telegram/handled_telegram.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

// Which identifiers a rule names: one, any ("*"), or those that begin alike
// ("6110*"). Texts are normalised: POCSAG addresses without leading zeros,
// FMS identifiers in capitals.
struct IdentifierPattern
{
    enum class Kind
    {
        Exact,
        Any,
        Prefix,
    };
    Kind kind = Kind::Any;
    QString text;
    bool operator==(const IdentifierPattern&) const = default;
};

// One line of the rules file: the telegrams it names, and what their alarm
// says and sounds like.
struct AlarmRule
{
    TelegramKind kind = TelegramKind::FiveTone;
    IdentifierPattern identifier;
    // POCSAG: the sub-address "A" to "D", empty for any; FMS: the status
    // "0" to "9" sent by the vehicle; ZVEI: empty.
    QString extra;
    QString label;     // "Bezeichnung": what the window and the notification say
    QString soundText; // as written: "gong", "aus", "wehr.wav"
    AlarmSound sound;  // what that means, file paths made absolute
    bool repeat = true;
    int line = 0; // in the file; 0 for rules that come from nowhere
    bool operator==(const AlarmRule&) const = default;
};

// A weekly span of local time whose alarms are tests ("Probealarm"). Ends
// with the last minute named; a span whose end comes before its start runs
// past midnight into the next day.
struct TestWindow
{
    int dayOfWeek = 1; // 1 Monday … 7 Sunday
    QTime from;
    QTime to;
    bool operator==(const TestWindow&) const = default;
};

// A line the reader skipped, and why.
struct RuleProblem
{
    int line = 0;
    QString reason;
    QString text() const { return QStringLiteral("Zeile %1: %2").arg(line).arg(reason); }
    bool operator==(const RuleProblem&) const = default;
};

struct AlarmRules
{
    QList<AlarmRule> rules;
    QList<TestWindow> testWindows;
    QStringList header; // the comment lines before the first rule, kept when saved
    QList<RuleProblem> problems;

    // Without a rules file: an emergency call from any vehicle.
    static AlarmRules builtIn();
};

// Whether a local time lies in one of the windows.
bool inTestWindow(const QList<TestWindow>& windows, const QDateTime& localTime);
