// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarm_matcher.h"
#include "alarm/alarm_rules_file.h"
#include "common/cp1252.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Folder = u"/srv/listen"_s;

// A rule as one line of the file, read alone; empty when it was skipped.
QString reread(const QString& line)
{
    const AlarmRules rules = readAlarmRules(line.toUtf8(), Folder);
    return rules.rules.isEmpty() ? QString() : ruleLine(rules.rules[0]);
}

HandledTelegram telegram(TelegramKind kind, const QString& address, const QString& extra = {})
{
    HandledTelegram t;
    t.kind = kind;
    t.address = address;
    if (kind == TelegramKind::Pocsag)
        t.subAddress = extra;
    if (kind == TelegramKind::Fms) {
        t.status = extra.startsWith(u'>') ? extra.mid(1).toInt() : extra.toInt();
        t.direction = extra.startsWith(u'>') ? FmsDirection::ToVehicle : FmsDirection::FromVehicle;
    }
    return t;
}

} // namespace

class TestAlarmRules : public QObject
{
    Q_OBJECT

private slots:
    void lines_data()
    {
        // A line as written, and as the program writes it back; empty:
        // skipped, with the reason.
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("problem");
        const auto row = [](const char* name, const QString& line, const QString& written,
                            const QString& problem = {}) {
            QTest::newRow(name) << line << written << problem;
        };
        row("zvei", u" zvei ; 12345 ; ; Vollalarm Wehr Nord ; gong ; ja "_s,
            u"ZVEI;12345;;Vollalarm Wehr Nord;gong;ja"_s);
        row("pocsag, leading zeros", u"POCSAG;0001234567;A;Brand klein;gong;ja"_s,
            u"POCSAG;1234567;A;Brand klein;gong;ja"_s);
        row("sub-address as digit", u"POCSAG;1234567;3;x;hinweis;nein"_s,
            u"POCSAG;1234567;C;x;hinweis;nein"_s);
        row("any sub-address", u"POCSAG;1234567;*;x;aus;ja"_s, u"POCSAG;1234567;;x;aus;ja"_s);
        row("fms wildcard", u"fms;*;0;NOTRUF;Sirene;JA"_s, u"FMS;*;0;NOTRUF;Sirene;ja"_s);
        row("fms prefix", u"FMS;6eb1*;5;Sprechwunsch;hinweis;nein"_s,
            u"FMS;6EB1*;5;Sprechwunsch;hinweis;nein"_s);
        row("sound and repeat left out", u"ZVEI;1234*;;Abschnitt"_s,
            u"ZVEI;1234*;;Abschnitt;gong;ja"_s);
        row("wav file", u"ZVEI;12345;;x;töne/wehr.wav;ja"_s, u"ZVEI;12345;;x;töne/wehr.wav;ja"_s);
        row("unknown kind", u"FME;12345;;x;gong;ja"_s, {},
            u"unbekannte Art „FME“ (ZVEI, POCSAG oder FMS)"_s);
        row("short zvei", u"ZVEI;1234;;x;gong;ja"_s, {}, u"Kennung „1234“ passt nicht zur Art"_s);
        row("zvei letters", u"ZVEI;12a45;;x"_s, {}, u"Kennung „12a45“ passt nicht zur Art"_s);
        row("fms short", u"FMS;6EB1;0;x"_s, {}, u"Kennung „6EB1“ passt nicht zur Art"_s);
        row("zvei with extra", u"ZVEI;12345;A;x"_s, {}, u"ein Fünftonruf hat keinen Zusatz"_s);
        row("bad sub-address", u"POCSAG;1;E;x"_s, {},
            u"Unteradresse „E“ ist nicht A bis D (oder 1 bis 4)"_s);
        row("fms without status", u"FMS;*;;x"_s, {},
            u"ein FMS-Status 0 bis 9 muss als Zusatz stehen"_s);
        row("fms status 10", u"FMS;*;10;x"_s, {},
            u"ein FMS-Status 0 bis 9 muss als Zusatz stehen"_s);
        row("no label", u"ZVEI;12345;; ;gong"_s, {}, u"die Bezeichnung fehlt"_s);
        row("repeat word", u"ZVEI;12345;;x;gong;immer"_s, {},
            u"„Wiederholen“ ist „ja“ oder „nein“, nicht „immer“"_s);
        row("too few", u"ZVEI;12345"_s, {},
            u"zu wenige Felder (Art;Kennung;Zusatz;Bezeichnung;Ton;Wiederholen)"_s);
        row("too many", u"ZVEI;12345;;a;b;ja;c"_s, {},
            u"zu viele Felder (ein „;“ in der Bezeichnung?)"_s);
        row("too long", u"ZVEI;12345;;"_s + QString(5000, u'x'), {}, u"die Zeile ist zu lang"_s);
    }

    void lines()
    {
        QFETCH(QString, line);
        QFETCH(QString, written);
        QFETCH(QString, problem);
        const AlarmRules rules = readAlarmRules(line.toUtf8(), Folder);
        QCOMPARE(rules.rules.isEmpty() ? QString() : ruleLine(rules.rules[0]), written);
        QCOMPARE(rules.problems.isEmpty() ? QString() : rules.problems[0].reason, problem);
        if (!written.isEmpty())
            QCOMPARE(reread(written), written);
    }

    void fileAsAWhole()
    {
        // Comments at the top are kept, bad lines reported with their
        // numbers, sounds resolved, code page 1252 understood.
        const QByteArray file = "\xEF\xBB\xBF# Wache Nord\r\n# Art;Kennung\r\n\r\nZVEI;12345;;"
                                "Vollalarm;wehr.wav;ja\r\n# dazwischen\r\nPOCSAG;1;X;y\r\n"
                                "Probealarm;Sa;12:00;12:15\r\nProbealarm;Xy;1:00;2:00\r\n";
        const AlarmRules rules = readAlarmRules(file, Folder);
        QCOMPARE(rules.header, (QStringList{u"# Wache Nord"_s, u"# Art;Kennung"_s}));
        QCOMPARE(rules.rules.size(), 1);
        QCOMPARE(rules.rules[0].line, 4);
        QCOMPARE(rules.rules[0].sound, AlarmSound::fromFile(u"/srv/listen/wehr.wav"_s));
        QCOMPARE(rules.testWindows, (QList<TestWindow>{{6, QTime(12, 0), QTime(12, 15)}}));
        QStringList problems;
        for (const RuleProblem& problem : rules.problems)
            problems << problem.text();
        QCOMPARE(problems,
                 (QStringList{u"Zeile 6: Unteradresse „X“ ist nicht A bis D (oder 1 bis 4)"_s,
                              u"Zeile 8: Tag „Xy“ ist keiner von Mo Di Mi Do Fr Sa So"_s}));
        QCOMPARE(writeAlarmRules(rules), u"# Wache Nord\n# Art;Kennung\nZVEI;12345;;Vollalarm;"
                                         "wehr.wav;ja\nProbealarm;Sa;12:00;12:15\n"_s);

        const AlarmRules latin =
            readAlarmRules(encodeCp1252(u"ZVEI;12345;;Übung Löschzug;gong;ja"_s), Folder);
        QCOMPARE(latin.rules.value(0).label, u"Übung Löschzug"_s);
        QCOMPARE(readAlarmRules(QByteArray(3 * 1024 * 1024, '\0'), Folder).rules.size(), 0);
    }

    void matching_data()
    {
        QTest::addColumn<QString>("rules"); // one per line
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<QString>("label"); // of the rule that applies; empty: none
        const auto row = [](const char* name, const QString& rules, TelegramKind kind,
                            const QString& address, const QString& extra, const QString& label) {
            QTest::newRow(name) << rules << int(kind) << address << extra << label;
        };
        const auto Zvei = TelegramKind::FiveTone;
        const auto Pocsag = TelegramKind::Pocsag;
        const auto Fms = TelegramKind::Fms;
        const QString mixed = u"POCSAG;1234567;A;a\nPOCSAG;1234567;;b\nPOCSAG;12*;C;c\n"
                              "POCSAG;*;;d\nZVEI;21101;;e\nZVEI;2*;;f\nFMS;*;0;g\nFMS;6EB1*;5;h"_s;
        row("first match", mixed, Pocsag, u"1234567"_s, u"A"_s, u"a"_s);
        row("any sub-address", mixed, Pocsag, u"1234567"_s, u"B"_s, u"b"_s);
        row("leading zeros", mixed, Pocsag, u"0001234567"_s, u"A"_s, u"a"_s);
        row("digit sub-address", mixed, Pocsag, u"1234567"_s, u"1"_s, u"a"_s);
        row("prefix before any", mixed, Pocsag, u"1299"_s, u"C"_s, u"c"_s);
        row("any", mixed, Pocsag, u"77"_s, u"C"_s, u"d"_s);
        row("zvei exact before prefix", mixed, Zvei, u"21101"_s, {}, u"e"_s);
        row("zvei prefix", mixed, Zvei, u"21102"_s, {}, u"f"_s);
        row("zvei none", mixed, Zvei, u"31101"_s, {}, {});
        row("fms status", mixed, Fms, u"61234567"_s, u"0"_s, u"g"_s);
        row("fms lower case", mixed, Fms, u"6eb1a144"_s, u"5"_s, u"h"_s);
        row("fms other status", mixed, Fms, u"6EB1A144"_s, u"3"_s, {});
        row("fms to the vehicle", mixed, Fms, u"6EB1A144"_s, u">0"_s, {});
        row("built in", {}, Fms, u"61234567"_s, u"0"_s, u"NOTRUF"_s);
        row("built in, other status", {}, Fms, u"61234567"_s, u"5"_s, {});
    }

    void matching()
    {
        QFETCH(QString, rules);
        QFETCH(int, kind);
        QFETCH(QString, address);
        QFETCH(QString, extra);
        QFETCH(QString, label);
        const AlarmRules read =
            rules.isEmpty() ? AlarmRules::builtIn() : readAlarmRules(rules.toUtf8(), Folder);
        QVERIFY(read.problems.isEmpty());
        const AlarmMatcher matcher(read.rules);
        const AlarmRule* rule = matcher.match(telegram(TelegramKind(kind), address, extra));
        QCOMPARE(rule ? rule->label : QString(), label);
    }

    void testWindows_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<bool>("test");
        // 5 December 2026 is a Saturday.
        const auto at = [](int day, int hour, int minute, int second = 0) {
            return QDateTime(QDate(2026, 12, day), QTime(hour, minute, second));
        };
        QTest::newRow("before") << at(5, 11, 59, 59) << false;
        QTest::newRow("first minute") << at(5, 12, 0) << true;
        QTest::newRow("last minute") << at(5, 12, 15, 59) << true;
        QTest::newRow("after") << at(5, 12, 16) << false;
        QTest::newRow("another day") << at(6, 12, 5) << false;
        QTest::newRow("past midnight, before") << at(6, 23, 29) << false;
        QTest::newRow("past midnight, evening") << at(6, 23, 45) << true;
        QTest::newRow("past midnight, morning") << at(7, 0, 10) << true;
        QTest::newRow("past midnight, after") << at(7, 0, 11) << false;
    }

    void testWindows()
    {
        QFETCH(QDateTime, time);
        QFETCH(bool, test);
        const QList<TestWindow> windows{{6, QTime(12, 0), QTime(12, 15)},
                                        {7, QTime(23, 30), QTime(0, 10)}};
        QCOMPARE(inTestWindow(windows, time), test);
    }
};

QTEST_GUILESS_MAIN(TestAlarmRules)
#include "tst_alarm_rules.moc"
