// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm_book.h"

namespace {

bool sameSender(const OpenAlarm& alarm, const HandledTelegram& telegram)
{
    return alarm.kind == telegram.kind && alarm.address == telegram.address &&
           alarm.subAddress == telegram.subAddress && alarm.status == telegram.status;
}

} // namespace

AlarmBook::Outcome AlarmBook::take(const HandledTelegram& telegram, const AlarmRule& rule,
                                   bool test)
{
    for (OpenAlarm& alarm : m_alarms) {
        if (!sameSender(alarm, telegram))
            continue;
        if (alarm.text == telegram.text) {
            ++alarm.count;
            return Outcome::Repeated;
        }
        // A pager alerted by tone first and sent its text a moment later.
        if (telegram.kind == TelegramKind::Pocsag && alarm.text.isEmpty() &&
            alarm.raisedAt.secsTo(telegram.receivedAt) <= ExpressSeconds) {
            alarm.text = telegram.text;
            return Outcome::Completed;
        }
    }
    OpenAlarm alarm;
    alarm.raisedAt = telegram.receivedAt;
    alarm.label = rule.label;
    alarm.test = test;
    alarm.who = telegram.name.isEmpty() ? telegram.address : telegram.name;
    alarm.text = telegram.text;
    alarm.sound = rule.sound;
    alarm.repeat = rule.repeat && !test;
    alarm.kind = telegram.kind;
    alarm.address = telegram.address;
    alarm.subAddress = telegram.subAddress;
    alarm.status = telegram.status;
    m_alarms.push_front(alarm);
    if (m_alarms.size() > std::size_t(MaxKept)) {
        m_alarms.pop_back();
        ++m_beyondKept;
    }
    return Outcome::Raised;
}

void AlarmBook::clear()
{
    m_alarms.clear();
    m_beyondKept = 0;
}
