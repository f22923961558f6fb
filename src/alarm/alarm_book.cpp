// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm_book.h"

namespace {

bool sameSender(const OpenAlarm& alarm, const HandledTelegram& telegram)
{
    return alarm.kind == telegram.kind && alarm.address == telegram.address &&
           alarm.subAddress == telegram.subAddress && alarm.status == telegram.status;
}

// Also false when the clock went back in between.
bool within(const QDateTime& earlier, const QDateTime& later, int seconds)
{
    const qint64 elapsed = earlier.secsTo(later);
    return elapsed >= 0 && elapsed <= seconds;
}

} // namespace

AlarmBook::Outcome AlarmBook::take(const HandledTelegram& telegram, const AlarmRule& rule,
                                   bool test)
{
    for (OpenAlarm& alarm : m_alarms) {
        if (!sameSender(alarm, telegram) || alarm.test != test)
            continue;
        const bool sameText =
            alarm.text == telegram.text || (alarm.textCameLater && telegram.text.isEmpty());
        if (sameText && within(alarm.lastAt, telegram.receivedAt, RepeatSeconds)) {
            ++alarm.count;
            alarm.lastAt = telegram.receivedAt;
            return Outcome::Repeated;
        }
        // A pager alerted by tone first and sent its text a moment later.
        if (telegram.kind == TelegramKind::Pocsag && alarm.text.isEmpty() &&
            !telegram.text.isEmpty() &&
            within(alarm.raisedAt, telegram.receivedAt, ExpressSeconds)) {
            alarm.text = telegram.text;
            alarm.textCameLater = true;
            alarm.lastAt = telegram.receivedAt;
            return Outcome::Completed;
        }
    }
    OpenAlarm alarm;
    alarm.raisedAt = alarm.lastAt = telegram.receivedAt;
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
