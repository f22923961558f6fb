// Recorded multimon-ng output against what the desks receive.
#include "feed_records.h"
#include "feed_test_support.h"

namespace {

const QByteArray kFms = "FMS: 110344101116 (6=Feuerwehr     \t1=Bund            \tOrt 0x11=017\t"
                        "FZG 0144\tStatus 3=Einsatz Ab    \t0=FZG->LST\t0=I  (ohneNA,ohneSIGNAL)"
                        "\t) CRC correct\n";

QByteArray page(const char* rest)
{
    return QByteArray("POCSAG1200: Address: 1234567  Function: 3  ") + rest + '\n';
}

void row(const char* name, const QByteArray& output, const QStringList& calls)
{
    QTest::newRow(name) << output << calls;
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
        row("zvei", "ZVEI1: 12345\n", {u"FME|12345"_qs});
        row("repeat tones", "ZVEI1: 1E3E5\n", {u"FME|11335"_qs});
        row("repeat tone last, CR LF", "ZVEI1: 2110E\r\n", {u"FME|21100"_qs});
        row("alarm tone behind", "ZVEI1: 21101F\n", {u"FME|21101"_qs});
        row("not five digits", "ZVEI1: 1234\nZVEI1: 123456\nZVEI1: E2345\nZVEI1: 12A45\n", {});
        row("not ours", "ZVEI2: 12345\nAFSK1200: fm A: b: ZVEI1: 12345\n", {});
        row("label and time stamp", "W: ZVEI1: 22222\nW: 2026-12-06 14:32:03: ZVEI1: 54321\n",
            {u"FME|22222"_qs, u"FME|54321"_qs});
        row("alpha", page("Alpha:   Brand BMA<NUL><NUL>"), {u"POC|1234567|Brand BMA"_qs});
        row("pager umlauts", page("Alpha:   K}chenbrand Hauptstra~e [\\]{|<EOT>"),
            {u"POC|1234567|Küchenbrand Hauptstraße ÄÖÜäö"_qs});
        row("utf-8",
            page("Alpha:   \xc3\x9c"
                 "bung \xe2\x82\xac"),
            {u"POC|1234567|Übung €"_qs});
        row("control characters", page("Alpha:   a<CR><LF>b\tc<BEL>d<X>e"),
            {u"POC|1234567|a  b cd<X>e"_qs});
        row("numeric", "POCSAG512: Address:   77001  Function: 0  Numeric: 0815 ][  \n",
            {u"POC|0077001|0815 ]["_qs});
        row("tone only", "POCSAG2400: Address:       8  Function: 2 \n", {u"POC|0000008|"_qs});
        row("pages not shown",
            "POCSAG1200: Address:       -  Function: -  Alpha:   x\n"
            "POCSAG1200: Address: 2097152  Function: 0 \n" +
                page("Skyper:  abc"),
            {});
        row("fms", kFms, {u"FROM|61110144|3|"_qs});
        row("fms tactical info", "FMS: 684344101116 CRC correct\nFMS: 00c444101116 CRC correct\n",
            {u"FROM|61110144|3|mit Sondersignal"_qs,
             u"FROM|61110144|4|mit Notarzt und Sondersignal"_qs});
        row("fms to vehicle", "FMS: 7c2344101116 CRC correct\n", {u"TO|61110144|3|"_qs});
        row("fms hex digits", "FMS: 000c441a1be6 CRC correct\n", {u"FROM|6EB1A144|12|"_qs});
        row("fms not shown",
            "FMS: 800344101116 CRC INCORRECT (1)\nFMS: 110344101116 (6=Feuer\n"
            "FMS: 1103441011 CRC correct\n",
            {});
        row("double alarms",
            "ZVEI1: 12345\nZVEI1: 12345\n" + page("Alpha:   a") + page("Alpha:   a") + kFms + kFms,
            {u"FME|12345"_qs, u"POC|1234567|a"_qs, u"FROM|61110144|3|"_qs});
        row("same address, other text", page("Alpha:   a") + page("Alpha:   b"),
            {u"POC|1234567|a"_qs, u"POC|1234567|b"_qs});
        row("same status, other direction",
            "FMS: 110344101116 CRC correct\nFMS: 7c2344101116 CRC correct\n",
            {u"FROM|61110144|3|"_qs, u"TO|61110144|3|"_qs});
        row("garbage",
            QByteArrayLiteral(
                "Enabled demodulators: ZVEI1\n\0\xff\x01ZVEI1: 1\n\n\rZVEI1: 33333\n"),
            {u"FME|33333"_qs});
        row("cut at the end", "ZVEI1: 12345\nZVEI1: 543", {u"FME|12345"_qs});
        row("1 MiB line", "ZVEI1: 12345" + QByteArray(1 << 20, ' ') + "\nZVEI1: 54321\n",
            {u"FME|54321"_qs});
    }

    void lines()
    {
        QFETCH(QByteArray, output);
        QFETCH(QStringList, calls);
        MultimonBridge bridge(10000);
        QCOMPARE(desksSee(bridge, output), calls);
        bridge.endOutput();
    }

    // Counted from the telegram sent, not from its last repeat; 0 turns it off.
    void repeatWindow()
    {
        const QList<qint64> times{0, 0, 6000, 9999, 10000, 19999, 20000};
        for (const qint64 window : {10000, 0}) {
            MultimonBridge bridge(window);
            QList<qint64> sentAt;
            for (const qint64 time : times) {
                if (!desksSee(bridge, page("Alpha:   Brand"), time).isEmpty())
                    sentAt << time;
            }
            const QList<qint64> expected = window ? QList<qint64>{0, 10000, 20000} : times;
            QCOMPARE(sentAt, expected);
        }
    }

    void windowOption()
    {
        QCOMPARE(RepeatFilter::windowFromSeconds(u"0.25"_qs).value_or(-1), qint64(250));
        QCOMPARE(RepeatFilter::windowFromSeconds(u"86400"_qs).value_or(-1), qint64(86400000));
        for (const QString& refused : {u"-1"_qs, u"1e300"_qs, u"nan"_qs, u"zehn"_qs})
            QVERIFY2(!RepeatFilter::windowFromSeconds(refused), qPrintable(refused));
    }

    void recordLayout()
    {
        QCOMPARE(buildRecord(PocsagPage{4711, 3, u"Übung\tAlarm"_qs}),
                 QByteArray("POC\t0004711\tD\t\xdc"
                            "bung Alarm"));
        QCOMPARE(buildRecord(FmsReport{u"6A110144"_qs, 15, FmsDirection::ToVehicle, 2, u"x"_qs}),
                 QByteArray("FMSTlg\t6A110144\t6\tA\t11\t0144\t15\t2\t1\t\t\t\t\tx"));
    }
};

QTEST_GUILESS_MAIN(TestMultimonLines)
#include "tst_multimon_lines.moc"
