// The records --demo and --replay send.
#include "common/cp1252.h"
#include "connection/telegram_intake.h"
#include "feed_script.h"
#include "support/recording_sink.h"
#include "telegram/telegram_sink.h"

#include <QTest>

class TestFeedScript : public QObject
{
    Q_OBJECT

private slots:
    // Every demo record is one telegram for the desk.
    void demoRecordsAreTelegrams()
    {
        for (const FeedRecord& record : demoSequence()) {
            RecordingSink sink;
            classifyTelegram({decodeCp1252(record.bytes), {}}, sink);
            QCOMPARE(sink.calls.size(), 1);
        }
    }

    void replayFile()
    {
        const QList<FeedRecord> records = parseReplay(
            QStringLiteral("@1500 ZVEI\\t21101\r\n\nPOC\\t1\\tA\\tÜbung\nFMSTlg\t1\n@x ZVEI"));
        QCOMPARE(records.size(), 4);
        QCOMPARE(records[0].delayMs, 1500);
        QCOMPARE(records[0].bytes, QByteArray("ZVEI\t21101"));
        QCOMPARE(records[1].delayMs, 2000);
        QCOMPARE(records[1].bytes, QByteArray("POC\t1\tA\t\xdc"
                                              "bung"));
        QCOMPARE(records[2].bytes, QByteArray("FMSTlg\t1"));
        QCOMPARE(records[3].bytes, QByteArray("@x ZVEI"));
    }
};

QTEST_GUILESS_MAIN(TestFeedScript)
#include "tst_feed_script.moc"
