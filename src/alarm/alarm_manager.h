// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm_book.h"
#include "alarm_matcher.h"
#include "notifications/desktop_notifications.h"

#include <QObject>
#include <QTimer>
#include <chrono>

class Clock;
class SettingsSource;
class SoundPlayer;

// The desk's alarms: a telegram that a rule names raises an alarm, which
// sounds (again and again if the rule says so) and shows a notification
// until somebody acknowledges it. The window and the tray follow changed().
class AlarmManager final : public QObject
{
    Q_OBJECT

public:
    // Notifications are updated at most this often while alarms pour in.
    static constexpr std::chrono::milliseconds NotificationSpacing{250};

    // `second` is how long the repeat setting's seconds last: tests shorten it.
    AlarmManager(const Clock& clock, const SettingsSource& settings, SoundPlayer& sound,
                 DesktopNotifications& notifications,
                 std::chrono::milliseconds second = std::chrono::seconds(1),
                 QObject* parent = nullptr);

    void setRules(const AlarmRules& rules);
    const AlarmRules& rules() const { return m_rules; }

    // Takes a handled telegram: raises, counts or completes its alarm and
    // returns what the journal keeps of it ("Probealarm: …" in a test
    // window), or nothing when no rule names it.
    QString take(const HandledTelegram& telegram);
    // "Probe": the rule's alarm as a test, as if its telegram had come.
    void raiseTest(const AlarmRule& rule);
    // Every open alarm at once.
    void acknowledge();

    const AlarmBook& book() const { return m_book; }

signals:
    void changed();
    // Everything raised so far was acknowledged at this time.
    void acknowledged(const QDateTime& at);

private:
    QString raise(const HandledTelegram& telegram, const AlarmRule& rule, bool test);
    void sound(const OpenAlarm& alarm);
    void repeatSound();
    // The newest open alarm whose sound repeats; none when none does.
    const OpenAlarm* repeatingAlarm() const;
    void notify();
    void sendNotification();
    std::chrono::milliseconds repeatInterval() const;

    const Clock& m_clock;
    const SettingsSource& m_settings;
    SoundPlayer& m_sound;
    DesktopNotifications& m_notifications;
    const std::chrono::milliseconds m_second;
    AlarmRules m_rules;
    AlarmMatcher m_matcher;
    AlarmBook m_book;
    QTimer m_repeatTimer;
    QTimer m_notificationTimer;
    bool m_notificationDue = false;
    int m_notification = 0; // 0: none shown
};

// "Probealarm: Vollalarm" in a test window, else the label.
QString alarmTitle(const OpenAlarm& alarm);
