// SPDX-License-Identifier: GPL-3.0-or-later
// Recorded multimon-ng output, the demo and replay files against what the
// desks receive.
#include "feed_records.h"
#include "feed_script.h"
#include "feed_test_support.h"

using namespace Qt::StringLiterals;

namespace {

const QByteArray Fms = "FMS: 110344101116 (6=Feuerwehr     \t1=Bund            \tOrt 0x11=017\t"
                       "FZG 0144\tStatus 3=Einsatz Ab    \t0=FZG->LST\t0=I  (ohneNA,ohneSIGNAL)"
                       "\t) CRC correct\n";

QByteArray page(const char* rest)
{
    return QByteArray("POCSAG1200: Address: 1234567  Function: 3  ") + rest + '\n';
}

void output(const char* name, const QByteArray& lines, const QStringList& calls)
{
    QTest::newRow(name) << lines << calls;
}

} // namespace

class TestMultimonLines : public QObject
{
    Q_OBJECT

private slots:
    void lines_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QStringList>("calls");
        output("five-tone",
               "ZVEI1: 12345\nZVEI1: 1E3E5\nZVEI1: 2110E\r\nZVEI1: 21101F\nW: ZVEI1: 22222\n"
               "W: 2026-12-06 14:32:03: ZVEI1: 54321\n",
               {u"FME|12345"_s, u"FME|11335"_s, u"FME|21100"_s, u"FME|21101"_s, u"FME|22222"_s,
                u"FME|54321"_s});
        output("pages",
               page("Alpha:   K}chenbrand Hauptstra~e [\\]{|<EOT>") +
                   page("Alpha:   Übung €") + // UTF-8, as with the decoder's -C DE
                   page("Alpha:   a<CR><LF>b\tcd<X>e<BEL>") +
                   "POCSAG512: Address:   77001  Function: 0  Numeric: 0815 ][  \n"
                   "POCSAG2400: Address:       8  Function: 2 \n",
               {u"POC|1234567|Küchenbrand Hauptstraße ÄÖÜäö"_s, u"POC|1234567|Übung €"_s,
                u"POC|1234567|a  b cd<X>e"_s, u"POC|0077001|0815 ]["_s, u"POC|0000008|"_s});
        // Ten digits are two sequences less than 70 ms apart; a digit doubled
        // by a short drop is taken out when that leaves one call or two.
        output("five-tone lengths",
               "ZVEI1: 1234567890\nZVEI1: 1E3E521E0E\nZVEI1: 233456\n"
               "ZVEI1: 99887766554433221100\nZVEI1: 1234567\nZVEI1: 123456789\n"
               "ZVEI1: 12345678901\nZVEI1: 1223456\nZVEI1: 12345E1234\n",
               {u"FME|12345"_s, u"FME|67890"_s, u"FME|11335"_s, u"FME|21100"_s, u"FME|23456"_s,
                u"FME|98765"_s, u"FME|43210"_s});
        // The same status in the other direction is another telegram.
        output("fms",
               "FMS: 684344101116 CRC correct\nFMS: 00c444101116 CRC correct\n"
               "FMS: 7c2344101116 CRC correct\nFMS: 000c441a1be6 CRC correct\n",
               {u"FROM|61110144|3|mit Sondersignal"_s,
                u"FROM|61110144|4|mit Notarzt und Sondersignal"_s, u"TO|61110144|3|"_s,
                u"FROM|6EB1A144|12|"_s});
        output("no telegram",
               "ZVEI1: 1234\nZVEI1: 123456\nZVEI1: E23456\nZVEI1: 12A45\nZVEI2: 12345\n"
               "AFSK1200: fm A: b: ZVEI1: 12345\n"
               "POCSAG1200: Address:       -  Function: -  Alpha:   x\n"
               "POCSAG1200: Address: 2097152  Function: 0 \n" +
                   page("Skyper:  abc") +
                   "FMS: 800344101116 CRC INCORRECT (1)\nFMS: 110344101116 (6=Feuer\n"
                   "FMS: 1103441011 CRC correct\n",
               {});
        output("double alarms",
               "ZVEI1: 12345\nZVEI1: 12345\n" + page("Alpha:   a") + page("Alpha:   a") +
                   page("Alpha:   b") + Fms + Fms +
                   "POCSAG1200: Address: 1234567  Function: 2  Alpha:   a\n", // another sub-address
               {u"FME|12345"_s, u"POC|1234567|a"_s, u"POC|1234567|b"_s, u"FROM|61110144|3|"_s,
                u"POC|1234567|a"_s});
        // The long line starts like a call: kept in part, it would send one.
        output("garbage and cut lines",
               QByteArrayLiteral(
                   "Enabled demodulators: ZVEI1\n\0\xff\x01ZVEI1: 1\n\n\rZVEI1: 33333\n") +
                   "ZVEI1: 12345" + QByteArray(1 << 20, ' ') + "\nZVEI1: 54321\nZVEI1: 543",
               {u"FME|33333"_s, u"FME|54321"_s});
    }

    void lines()
    {
        QFETCH(QByteArray, output);
        QFETCH(QStringList, calls);
        MultimonBridge bridge(10000);
        QCOMPARE(desksSee(bridge, output), calls);
    }

    // What noise makes of the decoder: each guard holds its lines back,
    // and lets them through when loosened; clean telegrams always pass.
    void guards_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("byDefault"); // the call sent, or why not
        QTest::addColumn<QString>("loosened");
        const QByteArray fms = Fms.chopped(1);
        row("FMS right after a bit swap", fms + " AFTER SWAPPING ONE BIT", u"corrected"_s,
            u"FROM|61110144|3|"_s);
        row("FMS wrong", QByteArray("FMS: 800344101116 CRC INCORRECT (1)"), u"check sum"_s,
            u"check sum"_s);
        row("control inside a text", page("Alpha:   Brand<BEL>Haus"), u"garbled"_s,
            u"POC|1234567|BrandHaus"_s);
        row("noise as text", page("Alpha:   <DEL>w<DEL><BEL>@"), u"garbled"_s, u"POC|1234567|w@"_s);
        row("raw control inside", page("Alpha:   Brand\x01 Haus"), u"garbled"_s,
            u"POC|1234567|Brand  Haus"_s);
        row("five-tone too long", QByteArray("ZVEI1: 1234567"), u"doubtful"_s, u"doubtful"_s);
        row("five-tone too short", QByteArray("ZVEI1: 1E34"), u"incomplete"_s, u"incomplete"_s);
    }

    void guards()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, byDefault);
        QFETCH(QString, loosened);
        const QStringList reasons{u"other"_s,     u"incomplete"_s, u"doubtful"_s,
                                  u"check sum"_s, u"corrected"_s,  u"garbled"_s};
        // Each guard loosened alone lets only its own lines through.
        for (const LineGuards guards :
             {LineGuards{}, LineGuards{true, false}, LineGuards{false, true}}) {
            MultimonBridge bridge(10000, guards);
            QString outcome;
            connect(&bridge, &MultimonBridge::lineIgnored, this,
                    [&](IgnoredLine reason) { outcome = reasons.value(int(reason), u"other"_s); });
            const QStringList calls = desksSee(bridge, QByteArray(line + '\n'));
            if (!calls.isEmpty())
                outcome = calls.join(u',');
            const bool loose = (byDefault == u"corrected" && guards.acceptCorrectedFms) ||
                               (byDefault == u"garbled" && guards.acceptGarbledText);
            QCOMPARE(outcome, loose ? loosened : byDefault);
        }
    }

    // Counted from the telegram sent, not from its last repeat; 0 turns it
    // off. A flood of different telegrams makes the filter forget, not grow.
    void repeatWindow()
    {
        const QList<qint64> times{0, 0, 1500, 2499, 2500, 4999, 5000};
        const QList<qint64> onceInAWindow{0, 2500, 5000};
        for (const QString& seconds : {u"2.5"_s, u"0"_s}) {
            MultimonBridge bridge(RepeatFilter::windowFromSeconds(seconds).value_or(-1));
            QList<qint64> sentAt;
            for (const qint64 time : times) {
                if (!desksSee(bridge, page("Alpha:   Brand"), time).isEmpty())
                    sentAt << time;
            }
            QCOMPARE(sentAt, seconds == u"0" ? times : onceInAWindow);
        }
        QCOMPARE(RepeatFilter::windowFromSeconds(u"86400"_s).value_or(-1), qint64(86400000));
        for (const QString& refused : {u"-1"_s, u"86400.5"_s, u"1e300"_s, u"nan"_s, u"zehn"_s})
            QVERIFY2(!RepeatFilter::windowFromSeconds(refused), qPrintable(refused));

        MultimonBridge flooded(10000);
        QByteArray flood;
        for (int code = 10000; code <= 10000 + RepeatFilter::MaxRemembered; ++code)
            flood += "ZVEI1: " + QByteArray::number(code) + '\n';
        QCOMPARE(desksSee(flooded, flood).size(), RepeatFilter::MaxRemembered + 1);
        QCOMPARE(desksSee(flooded, "ZVEI1: 10000\n"), QStringList{u"FME|10000"_s});
    }

    // Byte for byte what a peer receives, also the fields the desk does not
    // read; control characters never split a record.
    void records()
    {
        QCOMPARE(buildRecord(PocsagPage{4711, 3, u"Übung\tAlarm"_s}),
                 QByteArray("POC\t0004711\tD\t\xdc"
                            "bung Alarm"));
        MultimonBridge bridge(0);
        QByteArray sent;
        connect(&bridge, &MultimonBridge::recordDecoded, this,
                [&](const QByteArray& record) { sent += record + '\n'; });
        bridge.takeOutput("POCSAG1200: Address:    4711  Function: 2  Alpha:   x\n"
                          "FMS: 00af441011a6 CRC correct\n",
                          0);
        QCOMPARE(sent,
                 QByteArray("POC\t0004711\tC\tx\n"
                            "FMSTlg\t6A110144\t6\tA\t11\t0144\t15\t2\t1\t\t\t\t\tmit Notarzt\n"));
    }

    // Every demo record is one telegram for a desk; a replay file gives its
    // records in code page 1252 with the pause before each.
    void scripts()
    {
        for (const FeedRecord& record : demoSequence()) {
            RecordingSink sink;
            classifyTelegram({decodeCp1252(record.bytes), {}}, sink);
            QCOMPARE(sink.calls.size(), 1);
        }
        QStringList replayed;
        for (const FeedRecord& record :
             parseReplay(u"@1500 ZVEI\\t21101\r\n\nPOC\\t1\\tA\\tÜbung\nFMSTlg\t1\n@x ZVEI"_s))
            replayed << QString::number(record.delayMs) + u' ' + decodeCp1252(record.bytes);
        QCOMPARE(replayed, (QStringList{u"1500 ZVEI\t21101"_s, u"2000 POC\t1\tA\tÜbung"_s,
                                        u"2000 FMSTlg\t1"_s, u"2000 @x ZVEI"_s}));
    }
};

QTEST_GUILESS_MAIN(TestMultimonLines)
#include "tst_multimon_lines.moc"
