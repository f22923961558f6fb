// SPDX-License-Identifier: GPL-3.0-or-later
#include "connection/record_framer.h"
#include "connection/telegram_intake.h"
#include "support/recording_sink.h"
#include "telegram/telegram_sink.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// An FMS tab record with the given status, direction and optional text.
QString fmsTab(const QString& status, const QString& direction, const QString& text = {})
{
    const QString record = u"FMSTlg\t12345678\ta\tb\tc\td\t"_s + status + u"\te\t"_s + direction;
    return text.isNull() ? record : record + u"\tf\tg\th\ti\t"_s + text;
}

// A marker record from "id|status|direction[|text]": fields 2, 3, 5 and 11.
QString fmsMarked(const QString& given, int fieldCount = 11)
{
    const QStringList parts = given.split(u'|');
    QStringList fields(parts.size() > 3 ? 12 : fieldCount);
    fields[2] = parts[0];
    fields[3] = parts[1];
    fields[5] = parts[2];
    if (parts.size() > 3)
        fields[11] = parts[3];
    return fields.join(u"#![]!#"_s);
}

void row(const char* name, const QString& record, const QString& call = {})
{
    QTest::newRow(name) << record << call;
}

} // namespace

class TestIntake : public QObject
{
    Q_OBJECT

private slots:
    void classification_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("call"); // "-reason": dropped
        row("greeting noise", u"#!XX!#ZVEI\t12345"_s, u"-kein Telegramm"_s);
        row("empty", QString(), u"-weder TAB noch Trennzeichen"_s);
        row("zvei", u"ZVEI\t12345"_s, u"FME|12345"_s);
        row("zvei untrimmed", u"ZVEI\t 1234"_s, u"FME| 1234"_s);
        row("zvei without tab", u"ZVEI12345"_s, u"-weder TAB noch Trennzeichen"_s);
        row("zvei without address", u"ZVEI\t"_s, u"FME|"_s);
        row("unknown keyword", u"ZVEIX\t12345"_s, u"-unbekannte Art"_s);
        row("poc trimmed", u"POC\t  0123 \t B \t  Brand in Halle  "_s,
            u"POC|0123|Brand in Halle"_s);
        row("poc short", u"POC\t123\tx"_s, u"-zu wenige Felder"_s);
        row("fms from vehicle", fmsTab(u"3"_s, u"0"_s), u"FROM|12345678|3|"_s);
        row("fms from vehicle text", fmsTab(u"3"_s, u"0"_s, u" hallo "_s),
            u"FROM|12345678|3|hallo"_s);
        row("fms to vehicle ignores text", fmsTab(u"3"_s, u"1"_s, u"hallo"_s), u"TO|12345678|3|"_s);
        row("fms to vehicle status 10", fmsTab(u"10"_s, u"1"_s, u" A&TRN "_s),
            u"TO|12345678|10|A&TRN"_s);
        row("status 18", fmsTab(u"18"_s, u"0"_s), u"FROM|12345678|18|"_s);
        row("status 19", fmsTab(u"19"_s, u"0"_s), u"-Status außerhalb 0 bis 18"_s);
        row("status 2.5", fmsTab(u"2.5"_s, u"0"_s), u"FROM|12345678|2|"_s);
        row("status 3.5", fmsTab(u"3.5"_s, u"0"_s), u"FROM|12345678|4|"_s);
        row("status empty", fmsTab(QString(u""_s), u"0"_s), u"FROM|12345678|0|"_s);
        row("status negative", fmsTab(u"-1"_s, u"0"_s), u"-Status außerhalb 0 bis 18"_s);
        row("fms too short", u"FMSTlg\t1\t2\t3\t4\t5\t6\t7"_s, u"-zu wenige Felder"_s);

        row("marked five-tone", fmsMarked(u"12345|16|false"_s), u"FME|12345"_s);
        row("marked 16 with blank", fmsMarked(u"ID| 16|false"_s), u"FROM|ID|16|"_s);
        row("marked ten fields", fmsMarked(u"ID|3|false"_s, 10), u"-zu wenige Felder"_s);
        row("marked to vehicle", fmsMarked(u"ID|4|true|x"_s), u"TO|ID|4|"_s);
        // The position mark goes wherever it stands, but only from a status 10.
        row("marked gps", fmsMarked(u"ID|10|false|Pos DEZUD_GPSINFO : 52.1 13.4"_s),
            u"FROM|ID|10|Pos 52.1 13.4"_s);
        row("marked gps, other status", fmsMarked(u"ID|11|false|Pos DEZUD_GPSINFO : 1"_s),
            u"FROM|ID|11|Pos DEZUD_GPSINFO : 1"_s);
        row("marked device colon", fmsMarked(u"ID|3|false|DEZUD_7 : frei"_s), u"FROM|ID|3|frei"_s);
        row("marked device words", fmsMarked(u"ID|3|false|DEZUD_7 X der Rest"_s),
            u"FROM|ID|3|der Rest"_s);
        row("marked device one word", fmsMarked(u"ID|3|false|DEZUD_7 X"_s),
            u"FROM|ID|3|DEZUD_7 X"_s);
        row("marked to vehicle trn", fmsMarked(u"ID|10|true|Lage;TRN 4711 (12)"_s),
            u"TO|ID|10|Lage&TRN 4711"_s);
        row("marked short bracket", fmsMarked(u"ID|10|true|(1)"_s), u"TO|ID|10|"_s);
        row("two records merged", u"ZVEI\t12345\r\nZVEI\t54321"_s, u"FME|12345\r\nZVEI"_s);
    }

    void classification()
    {
        QFETCH(QString, record);
        QFETCH(QString, call);
        RecordingSink sink;
        const auto dropped = classifyTelegram({record, QDateTime()}, sink);
        QCOMPARE(dropped ? u'-' + droppedRecordText(*dropped) : sink.calls.join(u'\n'), call);
        // The telegram carries the record it came from, for the history.
        QCOMPARE(sink.records.join(u'\n'), dropped ? QString() : record);
        if (QTest::currentDataTag() == QByteArrayView("poc trimmed"))
            QCOMPARE(sink.subAddresses, QStringList{u"B"_s});
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
