// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarm_manager.h"
#include "alarm/alarm_rules_file.h"
#include "support/fake_notifications.h"
#include "support/fake_sound_player.h"
#include "support/fixed_clock.h"
#include "support/fixed_settings.h"

#include <QSignalSpy>
#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString Rules = u"POCSAG;1234567;A;Brand klein;gong;ja\n"
                      "POCSAG;7654321;;Kreisbrandmeister;hinweis;nein\n"
                      "ZVEI;2*;;Vollalarm;sirene;ja\n"
                      "ZVEI;3*;;Mitlesen;aus;ja\n"_s;

HandledTelegram call(const QString& address, const QDateTime& at)
{
    HandledTelegram telegram;
    telegram.receivedAt = at;
    telegram.kind = TelegramKind::FiveTone;
    telegram.address = address;
    return telegram;
}

HandledTelegram page(const QString& address, const QString& text, const QDateTime& at)
{
    HandledTelegram telegram = call(address, at);
    telegram.kind = TelegramKind::Pocsag;
    telegram.subAddress = u"A"_s;
    telegram.text = text;
    telegram.name = address == u"1234567" ? u"Zugführer"_s : QString();
    return telegram;
}

} // namespace

class TestAlarmManager : public QObject
{
    Q_OBJECT

    FixedClock m_clock;
    FixedSettings m_settings;
    FakeSoundPlayer m_sound;
    FakeNotifications m_notifications;
    std::unique_ptr<AlarmManager> m_alarms;

    const std::deque<OpenAlarm>& open() const { return m_alarms->book().alarms(); }

private slots:
    void init()
    {
        m_clock = FixedClock();
        m_settings.value = Settings();
        m_sound.played.clear();
        m_sound.stops = 0;
        m_notifications.shown.clear();
        m_notifications.shows = m_notifications.updates = 0;
        // Seconds of 10 ms: the default repetition comes after 100 ms.
        m_alarms = std::make_unique<AlarmManager>(m_clock, m_settings, m_sound, m_notifications,
                                                  std::chrono::milliseconds(10));
        m_alarms->setRules(readAlarmRules(Rules.toUtf8(), u"/"_s));
    }

    void raisesSoundsNotifiesAndIsAcknowledged()
    {
        QSignalSpy acknowledged(m_alarms.get(), &AlarmManager::acknowledged);
        QCOMPARE(m_alarms->take(page(u"1234567"_s, u"Küche"_s, m_clock.now())), u"Brand klein"_s);
        QCOMPARE(m_sound.played, QList<AlarmSound>{AlarmSound::of(BuiltInSound::Gong)});
        QCOMPARE(m_notifications.shown.value(1),
                 (DesktopNotification{u"Brand klein"_s, u"Zugführer\nKüche\n12:34:56"_s,
                                      DesktopNotification::Urgency::Critical, true}));
        // The same page again, from a second receiver: counted, no new sound.
        QCOMPARE(m_alarms->take(page(u"1234567"_s, u"Küche"_s, m_clock.now())), u"Brand klein"_s);
        QCOMPARE(open().size(), std::size_t(1));
        QCOMPARE(open().front().count, 2);
        QCOMPARE(m_sound.played.size(), 1);
        // Unnamed telegrams raise nothing.
        QCOMPARE(m_alarms->take(page(u"999"_s, u"x"_s, m_clock.now())), QString());

        m_notifications.chooseAcknowledgement(1);
        QCOMPARE(acknowledged.size(), 1);
        QCOMPARE(acknowledged[0][0].toDateTime(), m_clock.now());
        QVERIFY(!m_alarms->book().isOpen());
        QCOMPARE(m_sound.stops, 1);
        QVERIFY(m_notifications.shown.isEmpty());
    }

    void soundsAgainUntilAcknowledged()
    {
        m_settings.value.alarmRepeatSeconds = 3;
        const HandledTelegram vollalarm = call(u"21101"_s, m_clock.now());
        m_alarms->take(vollalarm);
        QTRY_VERIFY(m_sound.played.size() >= 3); // a busy machine may see more
        QCOMPARE(m_sound.played.last(), AlarmSound::of(BuiltInSound::Siren));
        m_alarms->acknowledge();
        const qsizetype played = m_sound.played.size();
        QTest::qWait(100);
        QCOMPARE(m_sound.played.size(), played);

        // "nein" sounds once; so does everything in a test window.
        m_alarms->take(page(u"7654321"_s, u"Info"_s, m_clock.now()));
        AlarmRules rules = readAlarmRules(Rules.toUtf8(), u"/"_s);
        rules.testWindows << TestWindow{m_clock.now().date().dayOfWeek(), QTime(0, 0),
                                        QTime(23, 59)};
        m_alarms->setRules(rules);
        QCOMPARE(m_alarms->take(vollalarm), u"Probealarm: Vollalarm"_s);
        QTRY_COMPARE(m_notifications.shown.last().summary, u"Probealarm: Vollalarm"_s);
        QTest::qWait(100);
        QCOMPARE(m_sound.played.size(), played + 2);
    }

    // Pages to one pager as "text@seconds", "-" for no text, "*" in front
    // for a test alarm; what each one did: Raised, rePeated, Completed.
    void whatCountsAsARepeat_data()
    {
        QTest::addColumn<QString>("pages");
        QTest::addColumn<QString>("outcomes");
        QTest::newRow("radio repeat") << u"x@0 x@30"_s << u"RP"_s;
        QTest::newRow("a minute later is new") << u"x@0 x@61"_s << u"RR"_s;
        QTest::newRow("each repeat counts from the last") << u"x@0 x@50 x@100"_s << u"RPP"_s;
        QTest::newRow("other text") << u"x@0 y@5"_s << u"RR"_s;
        QTest::newRow("real after a test") << u"*x@0 x@5"_s << u"RR"_s;
        QTest::newRow("test after a test") << u"*x@0 *x@5"_s << u"RP"_s;
        QTest::newRow("clock went back") << u"x@0 x@-5"_s << u"RR"_s;
        QTest::newRow("text after tone") << u"-@0 Brand@15"_s << u"RC"_s;
        QTest::newRow("tone again after its text") << u"-@0 Brand@10 -@20"_s << u"RCP"_s;
        QTest::newRow("text before the tone, by the clock") << u"-@0 Brand@-5"_s << u"RR"_s;
    }

    void whatCountsAsARepeat()
    {
        QFETCH(QString, pages);
        QFETCH(QString, outcomes);
        const AlarmRule rule = readAlarmRules(Rules.toUtf8(), u"/"_s).rules.first();
        AlarmBook book;
        QString did;
        for (QString step : pages.split(u' ')) {
            const bool test = step.startsWith(u'*');
            step.remove(u'*');
            const QString text = step.section(u'@', 0, 0);
            const int seconds = step.section(u'@', 1).toInt();
            const HandledTelegram telegram =
                page(u"1234567"_s, text == u"-" ? QString() : text, m_clock.now().addSecs(seconds));
            const AlarmBook::Outcome outcome = book.take(telegram, rule, test);
            did += outcome == AlarmBook::Outcome::Raised     ? u'R'
                   : outcome == AlarmBook::Outcome::Repeated ? u'P'
                                                             : u'C';
        }
        QCOMPARE(did, outcomes);
    }

    void aSilentAlarmLeavesTheSirenRepeating()
    {
        m_settings.value.alarmRepeatSeconds = 3;
        m_alarms->take(call(u"21101"_s, m_clock.now()));
        m_alarms->take(call(u"31000"_s, m_clock.now())); // "aus": heard by nobody
        QTRY_VERIFY(m_sound.played.size() >= 3);
        QVERIFY(std::all_of(m_sound.played.cbegin(), m_sound.played.cend(), [](const auto& sound) {
            return sound == AlarmSound::of(BuiltInSound::Siren);
        }));
        QCOMPARE(m_sound.stops, 0);

        // Switched to "once" while it repeats: it stops repeating.
        m_settings.value.alarmRepeatSeconds = 0;
        QTest::qWait(50); // one repetition may be under way
        const qsizetype played = m_sound.played.size();
        QTest::qWait(100);
        QCOMPARE(m_sound.played.size(), played);
    }

    void pageAndItsTextAreOneAlarm()
    {
        m_alarms->take(page(u"1234567"_s, QString(), m_clock.now()));
        m_alarms->take(page(u"1234567"_s, u"Brand Halle 3"_s, m_clock.now().addSecs(15)));
        QCOMPARE(open().size(), std::size_t(1));
        QCOMPARE(open().front().text, u"Brand Halle 3"_s);
        QCOMPARE(m_sound.played.size(), 1);
        QTRY_COMPARE(m_notifications.updates, 1); // no second notification, the first updated
        QVERIFY(m_notifications.shown.value(1).body.contains(u"Brand Halle 3"_s));
        // Too late for the same alarm; another tone-only page stays without text.
        m_alarms->take(page(u"1234567"_s, u"Nachtrag"_s, m_clock.now().addSecs(16)));
        QCOMPARE(open().size(), std::size_t(2));
        QCOMPARE(open().front().text, u"Nachtrag"_s);
    }

    void floodStaysBounded()
    {
        for (int i = 0; i < 1000; ++i)
            m_alarms->take(call(QString::number(20000 + i), m_clock.now()));
        QCOMPARE(open().size(), std::size_t(AlarmBook::MaxKept));
        QCOMPARE(m_alarms->book().openCount(), 1000);
        QCOMPARE(open().front().who, u"20999"_s);
        QCOMPARE(m_notifications.shows, 1);
        QTRY_VERIFY(m_notifications.shown.value(1).body.endsWith(u"und 999 weitere Alarme"_s));
        QVERIFY(m_notifications.updates <= 2);
    }

    void withoutNotifications()
    {
        m_settings.value.alarmNotification = false;
        m_alarms->take(page(u"1234567"_s, u"x"_s, m_clock.now()));
        QCOMPARE(m_notifications.shows, 0);
        QCOMPARE(m_sound.played.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestAlarmManager)
#include "tst_alarm_manager.moc"
