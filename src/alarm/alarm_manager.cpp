// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm_manager.h"

#include "alarm_log.h"
#include "common/clock.h"
#include "settings/settings.h"
#include "sound_player.h"

AlarmManager::AlarmManager(const Clock& clock, const SettingsSource& settings, SoundPlayer& sound,
                           DesktopNotifications& notifications, std::chrono::milliseconds second,
                           QObject* parent)
    : QObject(parent), m_clock(clock), m_settings(settings), m_sound(sound),
      m_notifications(notifications), m_second(second), m_rules(AlarmRules::builtIn()),
      m_matcher(m_rules.rules)
{
    connect(&m_repeatTimer, &QTimer::timeout, this, &AlarmManager::repeatSound);
    m_notificationTimer.setSingleShot(true);
    m_notificationTimer.setInterval(NotificationSpacing);
    connect(&m_notificationTimer, &QTimer::timeout, this, [this] {
        if (m_notificationDue)
            sendNotification();
    });
    connect(&m_notifications, &DesktopNotifications::acknowledgementChosen, this,
            [this](int handle) {
                if (handle == m_notification)
                    acknowledge();
            });
}

void AlarmManager::setRules(const AlarmRules& rules)
{
    m_rules = rules;
    m_matcher = AlarmMatcher(m_rules.rules);
}

QString AlarmManager::take(const HandledTelegram& telegram)
{
    const AlarmRule* rule = m_matcher.match(telegram);
    if (!rule)
        return {};
    return raise(telegram, *rule, inTestWindow(m_rules.testWindows, m_clock.now()));
}

void AlarmManager::raiseTest(const AlarmRule& rule)
{
    HandledTelegram telegram;
    telegram.receivedAt = m_clock.now();
    telegram.kind = rule.kind;
    telegram.address = rule.identifier.text.isEmpty() ? QStringLiteral("*") : rule.identifier.text;
    telegram.text = QStringLiteral("Probe");
    raise(telegram, rule, true);
}

QString AlarmManager::raise(const HandledTelegram& telegram, const AlarmRule& rule, bool test)
{
    switch (m_book.take(telegram, rule, test)) {
    case AlarmBook::Outcome::Raised:
        qCInfo(lcAlarm).noquote() << "Alarm ausgelöst:" << alarmTitle(m_book.alarms().front());
        sound(m_book.alarms().front());
        notify();
        break;
    case AlarmBook::Outcome::Completed:
        notify(); // the text, without sounding again
        break;
    case AlarmBook::Outcome::Repeated:
        break;
    }
    emit changed();
    return test ? QStringLiteral("Probealarm: ") + rule.label : rule.label;
}

void AlarmManager::acknowledge()
{
    if (!m_book.isOpen())
        return;
    const QDateTime at = m_clock.now();
    qCInfo(lcAlarm) << "Quittiert:" << m_book.openCount()
                    << (m_book.openCount() == 1 ? "Alarm" : "Alarme");
    m_repeatTimer.stop();
    m_sound.stop();
    m_notificationTimer.stop();
    m_notificationDue = false;
    if (m_notification != 0)
        m_notifications.close(m_notification);
    m_notification = 0;
    m_book.clear();
    emit acknowledged(at);
    emit changed();
}

std::chrono::milliseconds AlarmManager::repeatInterval() const
{
    return m_settings.settings().alarmRepeatSeconds * m_second; // kept within its limits
}

void AlarmManager::sound(const OpenAlarm& alarm)
{
    // A silent rule stops nothing that sounds for another alarm.
    if (alarm.sound.kind != AlarmSound::Kind::Silent) {
        m_sound.play(alarm.sound);
        // Counted from the start of one sounding to the start of the next.
        if (repeatingAlarm() && repeatInterval().count() > 0)
            m_repeatTimer.start(repeatInterval());
        else
            m_repeatTimer.stop();
    }
}

const OpenAlarm* AlarmManager::repeatingAlarm() const
{
    for (const OpenAlarm& alarm : m_book.alarms()) {
        if (alarm.repeat && alarm.sound.kind != AlarmSound::Kind::Silent)
            return &alarm;
    }
    return nullptr;
}

void AlarmManager::repeatSound()
{
    // The newest alarm that asks for it sounds; two never sound at once.
    const OpenAlarm* alarm = repeatingAlarm();
    if (!alarm || repeatInterval().count() <= 0) {
        m_repeatTimer.stop();
        return;
    }
    m_sound.play(alarm->sound);
    m_repeatTimer.setInterval(repeatInterval());
}

void AlarmManager::notify()
{
    if (!m_settings.settings().alarmNotification)
        return;
    // A flood of alarms would otherwise become a flood of notifications.
    if (m_notificationTimer.isActive()) {
        m_notificationDue = true;
        return;
    }
    sendNotification();
}

void AlarmManager::sendNotification()
{
    m_notificationDue = false;
    if (!m_book.isOpen())
        return;
    const OpenAlarm& newest = m_book.alarms().front();
    DesktopNotification notification;
    notification.summary = alarmTitle(newest);
    notification.body = newest.who + (newest.text.isEmpty() ? QString() : u'\n' + newest.text) +
                        u'\n' + newest.raisedAt.toString(u"HH:mm:ss");
    if (const int more = m_book.openCount() - 1; more > 0)
        notification.body += more == 1 ? QStringLiteral("\nund 1 weiterer Alarm")
                                       : QStringLiteral("\nund %1 weitere Alarme").arg(more);
    notification.urgency = DesktopNotification::Urgency::Critical;
    notification.offersAcknowledgement = true;
    if (m_notification == 0)
        m_notification = m_notifications.show(notification);
    else
        m_notifications.update(m_notification, notification);
    m_notificationTimer.start();
}

QString alarmTitle(const OpenAlarm& alarm)
{
    return alarm.test ? QStringLiteral("Probealarm: ") + alarm.label : alarm.label;
}
