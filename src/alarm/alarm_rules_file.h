// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm_rules.h"

#include <QByteArrayView>

// The rules file "Alarmregeln.txt": one rule per line, fields separated by
// ";" and trimmed, "#" comments and blank lines ignored:
//   Art;Kennung;Zusatz;Bezeichnung;Ton;Wiederholen
//   Probealarm;Tag;Von;Bis
// UTF-8 (a byte order mark is allowed); other bytes are read as code page
// 1252. Lines that cannot be read are skipped and reported; the others apply.

inline constexpr qsizetype MaxRulesFileBytes = 4 * 1024 * 1024;
inline constexpr qsizetype MaxRuleLineLength = 4096;
inline constexpr int MaxRules = 10000;

// Relative sound files are found in `listFolder`.
AlarmRules readAlarmRules(QByteArrayView bytes, const QString& listFolder);

// The fields of every line that is no comment, in the file's order: what
// an editor of the rules shows, the lines the reader skipped included.
QList<QStringList> ruleFieldsOf(QByteArrayView bytes);

// The file's text: the header comments, the rules, the test windows.
QString writeAlarmRules(const AlarmRules& rules);

// One line of the file; reading it again gives the same rule.
QString ruleLine(const AlarmRule& rule);
QString testWindowLine(const TestWindow& window);
