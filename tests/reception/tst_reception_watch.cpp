// SPDX-License-Identifier: GPL-3.0-or-later
#include "reception/reception_watch.h"
#include "support/fixed_clock.h"
#include "support/fixed_settings.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

HandledTelegram telegram(TelegramKind kind, const QString& address)
{
    HandledTelegram t;
    t.kind = kind;
    t.address = address;
    return t;
}

} // namespace

class TestReceptionWatch : public QObject
{
    Q_OBJECT

    FixedClock m_clock;
    FixedSettings m_settings;

    void after(int minutes, int seconds = 0)
    {
        m_clock.time = FixedClock().time.addSecs(minutes * 60 + seconds);
    }

private slots:
    void init()
    {
        m_clock = FixedClock();
        m_settings.value = Settings();
    }

    void keepAlives_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read"); // address|minutes, empty: none
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("pager") << u"0001234567 15"_s << u"1234567|15"_s;
        QTest::newRow("five-tone, blanks") << u"  21101   5 "_s << u"21101|5"_s;
        QTest::newRow("letters") << u"abc 15"_s << QString();
        QTest::newRow("no minutes") << u"1234567"_s << QString();
        QTest::newRow("zero minutes") << u"1234567 0"_s << QString();
        QTest::newRow("more than a day") << u"1234567 1441"_s << QString();
        QTest::newRow("too long an address") << u"12345678 15"_s << QString();
    }

    void keepAlives()
    {
        QFETCH(QString, text);
        QFETCH(QString, read);
        const auto keepAlive = readKeepAlive(text);
        QCOMPARE(keepAlive ? keepAlive->address + u'|' + QString::number(keepAlive->minutes)
                           : QString(),
                 read);
    }

    void silence()
    {
        m_settings.value.receptionWarnMinutes = 5;
        ReceptionWatch watch(m_clock, m_settings);
        QSignalSpy failed(&watch, &ReceptionWatch::failed);
        QSignalSpy recovered(&watch, &ReceptionWatch::recovered);
        watch.start();
        after(2);
        watch.take(telegram(TelegramKind::Fms, u"61234567"_s)); // any telegram counts
        after(7);
        watch.check();
        QCOMPARE(watch.problem(), QString()); // five minutes exactly: not yet
        after(7, 1);
        watch.check();
        QCOMPARE(watch.problem(), u"Kein Empfang seit 12:36"_s);
        after(30);
        watch.check();
        QCOMPARE(failed.size(), 1); // said once
        watch.take(telegram(TelegramKind::FiveTone, u"21101"_s));
        QCOMPARE(watch.problem(), QString());
        QCOMPARE(recovered.size(), 1);
    }

    void keepAlive()
    {
        m_settings.value.keepAlive = u"1234567 15"_s;
        ReceptionWatch watch(m_clock, m_settings);
        QSignalSpy changes(&watch, &ReceptionWatch::problemChanged);
        watch.start();
        after(10);
        // Other telegrams, or the address as an FMS identifier, are no keep-alive.
        watch.take(telegram(TelegramKind::Pocsag, u"7654321"_s));
        watch.take(telegram(TelegramKind::Fms, u"1234567"_s));
        after(16);
        watch.check();
        QCOMPARE(watch.problem(), QString()); // a minute's grace
        after(16, 1);
        watch.check();
        QCOMPARE(watch.problem(), u"Lebenszeichen 1234567 fehlt seit 12:34"_s);
        watch.take(telegram(TelegramKind::Pocsag, u"001234567"_s));
        QCOMPARE(watch.problem(), QString());
        QCOMPARE(changes.size(), 2);
    }

    void silenceGoesBeforeAMissingKeepAlive()
    {
        m_settings.value.receptionWarnMinutes = 1;
        m_settings.value.keepAlive = u"21101 1"_s;
        ReceptionWatch watch(m_clock, m_settings);
        watch.start();
        after(3);
        watch.check();
        QCOMPARE(watch.problem(), u"Kein Empfang seit 12:34"_s);
        watch.take(telegram(TelegramKind::Pocsag, u"99"_s));
        QCOMPARE(watch.problem(), u"Lebenszeichen 21101 fehlt seit 12:34"_s);
    }

    void offByDefault()
    {
        ReceptionWatch watch(m_clock, m_settings);
        watch.start();
        after(100000);
        watch.check();
        QCOMPARE(watch.problem(), QString());
    }
};

QTEST_GUILESS_MAIN(TestReceptionWatch)
#include "tst_reception_watch.moc"
