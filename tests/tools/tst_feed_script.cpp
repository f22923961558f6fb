#include "common/cp1252.h"
#include "connection/telegram_intake.h"
#include "feed_script.h"
#include "support/recording_sink.h"

#include <QTest>

class TestFeedScript : public QObject
{
    Q_OBJECT

private slots:
    // Every demo record decodes to a telegram, in code page 1252.
    void demoRecordsAreTelegrams()
    {
        const QList<FeedRecord> records = demoSequence();
        QVERIFY(records.size() >= 10);
        QStringList kinds;
        for (const FeedRecord& record : records) {
            RecordingSink sink;
            classifyTelegram(decodeCp1252(record.bytes), sink);
            QCOMPARE(sink.calls.size(), 1);
            kinds << sink.calls[0].section(u'|', 0, 0) + u'|' + sink.calls[0].section(u'|', 2, 2);
        }
        for (const char* wanted : {"FROM|5", "FROM|10", "FROM|15", "TO|10", "FME|", "POC|"})
            QVERIFY2(std::any_of(kinds.begin(), kinds.end(),
                                 [&](const QString& k) {
                                     return k.startsWith(QString::fromLatin1(wanted));
                                 }),
                     wanted);
        QVERIFY(std::any_of(records.begin(), records.end(),
                            [](const FeedRecord& r) { return r.bytes.contains('\xfc'); })); // "ü"
    }

    void replayFiles()
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
