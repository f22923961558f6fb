#include "connection/record_framer.h"
#include "connection/telegram_intake.h"
#include "support/recording_sink.h"

#include <QTest>

namespace {

QString tab(const QStringList& fields)
{
    return fields.join(u'\t');
}

// An FMS tab record with the given status, direction and optional text.
QString fmsTab(const QString& status, const QString& direction, const QString& text = {})
{
    const QString record = u"FMSTlg\t12345678\ta\tb\tc\td\t"_qs + status + u"\te\t"_qs + direction;
    return text.isNull() ? record : record + u"\tf\tg\th\ti\t"_qs + text;
}

// A marker record: field 2 id, 3 status, 5 direction, optional field 11.
QString fmsMarked(const QString& id, const QString& status, const QString& direction,
                  const QString& text = {}, int fieldCount = 11)
{
    QStringList fields(std::max(fieldCount, text.isNull() ? 0 : 12));
    fields[2] = id;
    fields[3] = status;
    fields[5] = direction;
    if (!text.isNull())
        fields[11] = text;
    return fields.join(u"#![]!#"_qs);
}

} // namespace

class TestIntake : public QObject
{
    Q_OBJECT

private slots:
    void classification_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("call"); // empty: dropped
        const QString none;

        QTest::newRow("greeting noise") << QStringLiteral("#!XX!#ZVEI\t12345") << none;
        QTest::newRow("empty") << QString() << none;
        QTest::newRow("zvei") << tab({u"ZVEI"_qs, u"12345"_qs}) << u"FME|12345"_qs;
        QTest::newRow("zvei untrimmed") << tab({u"ZVEI"_qs, u" 1234"_qs}) << u"FME| 1234"_qs;
        QTest::newRow("zvei without tab") << QStringLiteral("ZVEI12345") << none;
        QTest::newRow("zvei without address") << QStringLiteral("ZVEI\t") << u"FME|"_qs;
        QTest::newRow("unknown keyword") << QStringLiteral("ZVEIX\t12345") << none;
        QTest::newRow("poc trimmed")
            << tab({u"POC"_qs, u"  0123 "_qs, u"x"_qs, u"  Brand in Halle  "_qs})
            << u"POC|0123|Brand in Halle"_qs;
        QTest::newRow("poc short") << tab({u"POC"_qs, u"123"_qs, u"x"_qs}) << none;
        QTest::newRow("fms from vehicle") << fmsTab(u"3"_qs, u"0"_qs) << u"FROM|12345678|3|"_qs;
        QTest::newRow("fms from vehicle text")
            << fmsTab(u"3"_qs, u"0"_qs, u" hallo "_qs) << u"FROM|12345678|3|hallo"_qs;
        QTest::newRow("fms to vehicle ignores text")
            << fmsTab(u"3"_qs, u"1"_qs, u"hallo"_qs) << u"TO|12345678|3|"_qs;
        QTest::newRow("fms to vehicle status 10")
            << fmsTab(u"10"_qs, u"1"_qs, u" A&TRN "_qs) << u"TO|12345678|10|A&&TRN"_qs;
        QTest::newRow("status 18") << fmsTab(u"18"_qs, u"0"_qs) << u"FROM|12345678|18|"_qs;
        QTest::newRow("status 19") << fmsTab(u"19"_qs, u"0"_qs) << none;
        QTest::newRow("status 2.5") << fmsTab(u"2.5"_qs, u"0"_qs) << u"FROM|12345678|2|"_qs;
        QTest::newRow("status 3.5") << fmsTab(u"3.5"_qs, u"0"_qs) << u"FROM|12345678|4|"_qs;
        QTest::newRow("status empty") << fmsTab(QString(u""_qs), u"0"_qs) << u"FROM|12345678|0|"_qs;
        QTest::newRow("status negative") << fmsTab(u"-1"_qs, u"0"_qs) << none;
        QTest::newRow("fms too short")
            << tab({u"FMSTlg"_qs, u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs, u"5"_qs, u"6"_qs, u"7"_qs})
            << none;

        QTest::newRow("marked five-tone")
            << fmsMarked(u"12345"_qs, u"16"_qs, u"false"_qs) << u"FME|12345"_qs;
        QTest::newRow("marked 16 with blank")
            << fmsMarked(u"ID"_qs, u" 16"_qs, u"false"_qs) << u"FROM|ID|16|"_qs;
        QTest::newRow("marked ten fields")
            << fmsMarked(u"ID"_qs, u"3"_qs, u"false"_qs, {}, 10) << none;
        QTest::newRow("marked to vehicle")
            << fmsMarked(u"ID"_qs, u"4"_qs, u"true"_qs, u"x"_qs) << u"TO|ID|4|"_qs;
        QTest::newRow("marked gps")
            << fmsMarked(u"ID"_qs, u"10"_qs, u"false"_qs, u"DEZUD_GPSINFO : 52.1 13.4"_qs)
            << u"FROM|ID|10|52.1 13.4"_qs;
        QTest::newRow("marked device colon")
            << fmsMarked(u"ID"_qs, u"3"_qs, u"false"_qs, u"DEZUD_7 : frei"_qs)
            << u"FROM|ID|3|frei"_qs;
        QTest::newRow("marked device words")
            << fmsMarked(u"ID"_qs, u"3"_qs, u"false"_qs, u"DEZUD_7 X der Rest"_qs)
            << u"FROM|ID|3|der Rest"_qs;
        QTest::newRow("marked device one word")
            << fmsMarked(u"ID"_qs, u"3"_qs, u"false"_qs, u"DEZUD_7 X"_qs)
            << u"FROM|ID|3|DEZUD_7 X"_qs;
        QTest::newRow("marked to vehicle trn")
            << fmsMarked(u"ID"_qs, u"10"_qs, u"true"_qs, u"Lage;TRN 4711 (12)"_qs)
            << u"TO|ID|10|Lage&&TRN 4711"_qs;
        QTest::newRow("marked short bracket")
            << fmsMarked(u"ID"_qs, u"10"_qs, u"true"_qs, u"(1)"_qs) << u"TO|ID|10|"_qs;
        QTest::newRow("two records merged")
            << tab({u"ZVEI"_qs, u"12345\r\nZVEI"_qs, u"54321"_qs}) << u"FME|12345\r\nZVEI"_qs;
    }

    void classification()
    {
        QFETCH(QString, record);
        QFETCH(QString, call);
        RecordingSink sink;
        classifyTelegram(record, sink);
        QCOMPARE(sink.calls.join(u'\n'), call);
        // The telegram carries the record it came from, for the history.
        QCOMPARE(sink.records.join(u'\n'), call.isEmpty() ? QString() : record);
    }

    void framing_data()
    {
        QTest::addColumn<QList<QByteArray>>("writes");
        QTest::addColumn<QList<QByteArray>>("records");
        QTest::addColumn<QByteArray>("pending");
        QTest::newRow("cr, lf and crlf")
            << QList<QByteArray>{"a\rb\nc\r\n"} << QList<QByteArray>{"a", "b", "c"} << QByteArray();
        QTest::newRow("crlf split")
            << QList<QByteArray>{"a\r", "\nb\r\n"} << QList<QByteArray>{"a", "b"} << QByteArray();
        QTest::newRow("empty lines")
            << QList<QByteArray>{"\r\n\r\n\na\n\n"} << QList<QByteArray>{"a"} << QByteArray();
        QTest::newRow("split in three") << QList<QByteArray>{"ZV", "EI\t12", "345\r\n"}
                                        << QList<QByteArray>{"ZVEI\t12345"} << QByteArray();
        QTest::newRow("no terminator")
            << QList<QByteArray>{"a\nrest"} << QList<QByteArray>{"a"} << QByteArray("rest");
    }

    void framing()
    {
        QFETCH(QList<QByteArray>, writes);
        QFETCH(QList<QByteArray>, records);
        QFETCH(QByteArray, pending);
        RecordFramer framer;
        QList<QByteArray> taken;
        for (const QByteArray& write : writes)
            taken += framer.feed(write);
        QCOMPARE(taken, records);
        QCOMPARE(framer.takePending().value_or(QByteArray()), pending);
    }

    void floodStaysBounded()
    {
        RecordFramer framer;
        const QByteArray chunk(4096, 'x');
        qsizetype taken = 0;
        for (int i = 0; i < 256; ++i) {
            for (const QByteArray& record : framer.feed(chunk)) {
                QVERIFY(record.size() <= RecordFramer::MaxPending);
                taken += record.size();
            }
        }
        QCOMPARE(taken, 16 * RecordFramer::MaxPending);
    }
};

QTEST_GUILESS_MAIN(TestIntake)
#include "tst_intake.moc"
