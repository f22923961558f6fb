// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarm_matcher.h"
#include "alarm/alarm_rules_file.h"

#include <QByteArrayView>

// Any bytes as a rules file: read, written back, read again, and matched.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const AlarmRules rules = readAlarmRules(bytes, QStringLiteral("/listen"));
    const AlarmRules again =
        readAlarmRules(writeAlarmRules(rules).toUtf8(), QStringLiteral("/listen"));
    if (again.rules.size() != rules.rules.size())
        __builtin_trap(); // what the program writes, it reads back
    const AlarmMatcher matcher(rules.rules);
    HandledTelegram telegram;
    telegram.kind = TelegramKind::Pocsag;
    telegram.address = QStringLiteral("0001234567");
    telegram.subAddress = QStringLiteral("2");
    matcher.match(telegram);
    return 0;
}
