// Recorded multimon-ng output against what the desks receive.
#include "desks_see.h"
#include "feed_records.h"

#include <QTest>

namespace {

const QByteArray kFmsLine = "FMS: 110344101116 (6=Feuerwehr     \t1=Bund            \tOrt "
                            "0x11=017\tFZG 0144\tStatus 3=Einsatz Ab    \t0=FZG->LST\t0=I  "
                            "(ohneNA,ohneSIGNAL)\t) CRC correct\n";

template <std::size_t N> QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
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
        const auto poc = [](const char* rest) -> QByteArray {
            return QByteArray("POCSAG1200: Address: 1234567  Function: 3  ") + rest + '\n';
        };

        QTest::newRow("zvei") << QByteArray("ZVEI1: 12345\n") << QStringList{u"FME|12345"_qs};
        QTest::newRow("repeat tones")
            << QByteArray("ZVEI1: 1E3E5\n") << QStringList{u"FME|11335"_qs};
        QTest::newRow("repeat tone last")
            << QByteArray("ZVEI1: 2110E\r\n") << QStringList{u"FME|21100"_qs};
        QTest::newRow("alarm tone behind")
            << QByteArray("ZVEI1: 21101F\n") << QStringList{u"FME|21101"_qs};
        QTest::newRow("label and time stamp")
            << QByteArray("Wache 1: 2026-12-06 14:32:03: ZVEI1: 54321\n2026-12-06 14:32:04: ZVEI1: "
                          "22222\n")
            << QStringList{u"FME|54321"_qs, u"FME|22222"_qs};
        QTest::newRow("alpha") << poc("Alpha:   Brand BMA<NUL><NUL>")
                               << QStringList{u"POC|1234567|Brand BMA"_qs};
        QTest::newRow("pager umlauts")
            << poc("Alpha:   K}chenbrand Hauptstra~e [\\]{|<EOT>")
            << QStringList{u"POC|1234567|Küchenbrand Hauptstraße ÄÖÜäö"_qs};
        QTest::newRow("utf-8 umlauts") << poc("Alpha:   \xc3\x9c"
                                              "bung \xe2\x82\xac")
                                       << QStringList{u"POC|1234567|Übung €"_qs};
        QTest::newRow("control characters") << poc("Alpha:   a<CR><LF>b\tc<BEL>d<X>e<f>")
                                            << QStringList{u"POC|1234567|a  b cd<X>e<f>"_qs};
        QTest::newRow("numeric")
            << QByteArray("POCSAG512: Address:   77001  Function: 0  Numeric: 0815 4711 ][  \n")
            << QStringList{u"POC|0077001|0815 4711 ]["_qs};
        QTest::newRow("tone only") << QByteArray("POCSAG2400: Address:       8  Function: 2 \n")
                                   << QStringList{u"POC|0000008|"_qs};
        QTest::newRow("fms from vehicle") << kFmsLine << QStringList{u"FROM|61110144|3|"_qs};
        QTest::newRow("fms tactical info")
            << QByteArray("FMS: 684344101116 CRC correct\nFMS: 00c444101116 CRC correct\n")
            << QStringList{u"FROM|61110144|3|mit Sondersignal"_qs,
                           u"FROM|61110144|4|mit Notarzt und Sondersignal"_qs};
        QTest::newRow("fms to vehicle")
            << QByteArray("FMS: 7c2344101116 CRC correct\n") << QStringList{u"TO|61110144|3|"_qs};
        QTest::newRow("fms hex digits") << QByteArray("FMS: 000c441a1be6 CRC correct\n")
                                        << QStringList{u"FROM|6EB1A144|12|"_qs};
        QTest::newRow("double alarms")
            << QByteArray("ZVEI1: 12345\nZVEI1: 12345\n") + poc("Alpha:   a") + poc("Alpha:   a") +
                   kFmsLine + kFmsLine
            << QStringList{u"FME|12345"_qs, u"POC|1234567|a"_qs, u"FROM|61110144|3|"_qs};
        QTest::newRow("same address, other text")
            << poc("Alpha:   a") + poc("Alpha:   b")
            << QStringList{u"POC|1234567|a"_qs, u"POC|1234567|b"_qs};
        QTest::newRow("same status, other direction")
            << QByteArray("FMS: 110344101116 CRC correct\nFMS: 7c2344101116 CRC correct\n")
            << QStringList{u"FROM|61110144|3|"_qs, u"TO|61110144|3|"_qs};
        QTest::newRow("garbage")
            << bytes("Enabled demodulators: ZVEI1\n\0\xff\xfe\x01ZVEI1: 1\n\n\rZVEI1: 33333\n")
            << QStringList{u"FME|33333"_qs};
        QTest::newRow("cut at the end")
            << QByteArray("ZVEI1: 12345\nZVEI1: 543") << QStringList{u"FME|12345"_qs};
        QTest::newRow("1 MiB line") << QByteArray(1 << 20, 'x') + "ZVEI1: 12345\nZVEI1: 54321\n"
                                    << QStringList{u"FME|54321"_qs};
    }

    void lines()
    {
        QFETCH(QByteArray, output);
        QFETCH(QStringList, calls);
        MultimonBridge bridge(10000);
        QCOMPARE(desksSee(bridge, output), calls);
        bridge.endOutput();
    }

    void dropped_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<IgnoredLine>("reason");
        using enum IgnoredLine;
        QTest::newRow("four digits") << QByteArray("ZVEI1: 1234") << IncompleteFiveTone;
        QTest::newRow("six digits") << QByteArray("ZVEI1: 123456") << IncompleteFiveTone;
        QTest::newRow("repeat tone first") << QByteArray("ZVEI1: E2345") << IncompleteFiveTone;
        QTest::newRow("letter inside") << QByteArray("ZVEI1: 12A45") << IncompleteFiveTone;
        QTest::newRow("not a tone") << QByteArray("ZVEI1: 12x45") << Unreadable;
        QTest::newRow("other five-tone system") << QByteArray("ZVEI2: 12345") << NotATelegram;
        QTest::newRow("tag inside other text")
            << QByteArray("AFSK1200: fm A: b: ZVEI1: 12345") << NotATelegram;
        QTest::newRow("partial page")
            << QByteArray("POCSAG1200: Address:       -  Function: -  Alpha:   x") << Unreadable;
        QTest::newRow("address too big")
            << QByteArray("POCSAG1200: Address: 2097152  Function: 0 ") << Unreadable;
        QTest::newRow("skyper") << QByteArray(
                                       "POCSAG1200: Address:       1  Function: 0  Skyper:  abc")
                                << NotATelegram;
        QTest::newRow("fms check sum wrong")
            << QByteArray("FMS: 800344101116 CRC INCORRECT (1)") << FmsCheckSum;
        QTest::newRow("fms cut") << QByteArray("FMS: 110344101116 (6=Feuerwehr") << Unreadable;
        QTest::newRow("fms short word") << QByteArray("FMS: 1103441011 CRC correct") << Unreadable;
    }

    // Each left out, and counted by why.
    void dropped()
    {
        QFETCH(QByteArray, line);
        QFETCH(IgnoredLine, reason);
        MultimonBridge bridge(10000);
        QCOMPARE(desksSee(bridge, QByteArray(line + '\n')), QStringList());
        QCOMPARE(bridge.ignoredCount(reason), 1);
    }

    void cutLines()
    {
        MultimonBridge bridge(0);
        // A decoder killed inside a line: its rest must not join the next one's output.
        QCOMPARE(desksSee(bridge, "ZVEI1: 12345\nZVEI1: 5"), QStringList{u"FME|12345"_qs});
        bridge.endOutput();
        QCOMPARE(desksSee(bridge, "4321\nZVEI1: 1E2E3\n"), QStringList{u"FME|11223"_qs});
        QCOMPARE(bridge.ignoredCount(IgnoredLine::CutOff), 1);
        QCOMPARE(bridge.ignoredCount(IgnoredLine::NotATelegram), 1);
        QCOMPARE(desksSee(bridge, QByteArray(QByteArray(LineSplitter::MaxLine + 1, 'x') + '\n')),
                 QStringList());
        QCOMPARE(bridge.ignoredCount(IgnoredLine::TooLong), 1);
    }

    void repeatWindow_data()
    {
        QTest::addColumn<qint64>("windowMs");
        QTest::addColumn<QList<qint64>>("times");
        QTest::addColumn<QList<qint64>>("sent");
        QTest::newRow("inside") << qint64(10000) << QList<qint64>{0, 5000, 9999}
                                << QList<qint64>{0};
        QTest::newRow("edge") << qint64(10000) << QList<qint64>{0, 10000}
                              << QList<qint64>{0, 10000};
        // Counted from the telegram sent, not from its last repeat.
        QTest::newRow("from the sent one")
            << qint64(10000) << QList<qint64>{0, 6000, 12000, 21999, 22000}
            << QList<qint64>{0, 12000, 22000};
        QTest::newRow("off") << qint64(0) << QList<qint64>{0, 0, 1} << QList<qint64>{0, 0, 1};
    }

    void repeatWindow()
    {
        QFETCH(qint64, windowMs);
        QFETCH(QList<qint64>, times);
        QFETCH(QList<qint64>, sent);
        MultimonBridge bridge(windowMs);
        QList<qint64> sentAt;
        for (const qint64 time : times) {
            if (!desksSee(bridge, "POCSAG1200: Address: 1234567  Function: 0 \n", time).isEmpty())
                sentAt << time;
        }
        QCOMPARE(sentAt, sent);
    }

    void windowOption_data()
    {
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<qint64>("windowMs"); // -1: refused
        QTest::newRow("default") << u"10"_qs << qint64(10000);
        QTest::newRow("fraction") << u"0.25"_qs << qint64(250);
        QTest::newRow("off") << u"0"_qs << qint64(0);
        QTest::newRow("a day") << u"86400"_qs << qint64(86400000);
        QTest::newRow("negative") << u"-1"_qs << qint64(-1);
        QTest::newRow("huge") << u"1e300"_qs << qint64(-1);
        QTest::newRow("not a number") << u"nan"_qs << qint64(-1);
        QTest::newRow("text") << u"zehn"_qs << qint64(-1);
    }

    void windowOption()
    {
        QFETCH(QString, seconds);
        QFETCH(qint64, windowMs);
        QCOMPARE(RepeatFilter::windowFromSeconds(seconds).value_or(-1), windowMs);
    }

    void recordLayout_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("zvei") << buildRecord(ZveiCall{u"01234"_qs}) << QByteArray("ZVEI\t01234");
        QTest::newRow("poc") << buildRecord(PocsagPage{4711, 3, u"Übung\tAlarm"_qs})
                             << QByteArray("POC\t0004711\tD\t\xdc"
                                           "bung Alarm");
        QTest::newRow("fms")
            << buildRecord(
                   FmsReport{u"6A110144"_qs, 15, FmsDirection::ToVehicle, 2, u"mit Notarzt"_qs})
            << QByteArray("FMSTlg\t6A110144\t6\tA\t11\t0144\t15\t2\t1\t\t\t\t\tmit Notarzt");
    }

    void recordLayout()
    {
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, expected);
        QCOMPARE(record, expected);
    }
};

QTEST_GUILESS_MAIN(TestMultimonLines)
#include "tst_multimon_lines.moc"
