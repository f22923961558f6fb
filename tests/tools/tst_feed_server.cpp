// Who may connect to the feed, and what a desk that stops reading costs.
#include "feed_server.h"
#include "feed_test_support.h"

#include <QSignalSpy>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

using Event = FeedServer::ClientEvent;

class TestFeedServer : public QObject
{
    Q_OBJECT

private slots:
    void allowList()
    {
        AllowList allowed;
        for (const QString& network : {u"10.0.0.5"_s, u" 192.168.1.0/24"_s, u"fd00::/8"_s})
            QVERIFY(allowed.add(network));
        QVERIFY(!allowed.add(u"300.1.1.0/24"_s));
        // IPv4 peers of a dual-stack socket come as ::ffff:a.b.c.d.
        for (const QString& peer :
             {u"10.0.0.5"_s, u"192.168.1.77"_s, u"::ffff:192.168.1.5"_s, u"fd12::1"_s})
            QVERIFY2(allowed.permits(QHostAddress(peer)), qPrintable(peer));
        for (const QString& peer : {u"10.0.0.6"_s, u"192.168.2.1"_s, u"fe80::1"_s})
            QVERIFY2(!allowed.permits(QHostAddress(peer)), qPrintable(peer));
    }

    // An outsider is closed unserved; a desk that stops reading is dropped,
    // and one that reads gets every record however fast they come.
    void servesAllowedReadingDesks()
    {
        AllowList allowed;
        QVERIFY(allowed.add(u"127.0.0.1/32"_s));
        FeedServer server(allowed);
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        QSignalSpy events(&server, &FeedServer::clientEvent);
        QTcpSocket outsider;
        QVERIFY(outsider.bind(QHostAddress(u"127.0.0.2"_s)));
        outsider.connectToHost(QHostAddress::LocalHost, server.serverPort());
        QTRY_COMPARE(events.size(), 1);
        QCOMPARE(events.takeFirst()[0].value<Event>(), Event::NotAllowed);

        QTcpSocket reader;
        QTcpSocket stalled;
        stalled.setReadBufferSize(1); // Qt stops taking data from the kernel
        QVERIFY(greeted(reader, server.serverPort()));
        QVERIFY(greeted(stalled, server.serverPort()));
        events.clear();
        QByteArray received;
        connect(&reader, &QTcpSocket::readyRead, this, [&] { received += reader.readAll(); });
        const QByteArray record(998, 'x');
        qint64 sent = 0;
        while (events.isEmpty() && sent < 64 * FeedServer::MaxBacklog) {
            server.broadcast(record);
            sent += 1000;
            if (sent % 64000 == 0)
                QCoreApplication::processEvents();
        }
        QCOMPARE(events.size(), 1);
        QCOMPARE(events[0][0].value<Event>(), Event::Dropped);
        QTRY_COMPARE(received.size(), sent);
        QTRY_COMPARE(outsider.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(outsider.readAll(), QByteArray());
    }

    // Exit code 2 for a command line refused at once, 0 after the end of
    // the (empty) input. Alarm traffic is not served to a whole network by
    // accident.
    void commandLine_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("IPv6 loopback") << u"--multimon --listen [::1]:0"_s << 0;
        QTest::newRow("open network") << u"--multimon --listen 0.0.0.0:0"_s << 2;
        QTest::newRow("IPv6 without brackets") << u"--multimon --listen ::1:0"_s << 2;
        QTest::newRow("port out of range") << u"--multimon --listen 127.0.0.1:65536"_s << 2;
        QTest::newRow("network mistyped") << u"--multimon --port 0 --allow 10.0.0.0/33"_s << 2;
        QTest::newRow("following standard input") << u"--multimon --port 0 --follow"_s << 2;
        QTest::newRow("empty audio file") << u"--port 0 --receive file:/dev/null"_s << 0;
        QTest::newRow("unknown source") << u"--port 0 --receive radio:1"_s << 2;
        QTest::newRow("frequency below the stick") << u"--port 0 --receive rtl:17.3M"_s << 2;
        QTest::newRow("unknown demodulator") << u"--port 0 --receive audio --demod ZVEI2"_s << 2;
        QTest::newRow("unreadable file") << u"--port 0 --receive file:/nonexistent.raw"_s << 2;
        QTest::newRow("pacing a sound card") << u"--port 0 --receive audio --realtime"_s << 2;
        QTest::newRow("correcting 3 bits")
            << u"--port 0 --receive audio --pocsag-correction 3"_s << 2;
        QTest::newRow("demodulators without --receive") << u"--multimon --demod ZVEI1"_s << 2;
    }

    // Each option loosens its own guard: of a corrected FMS telegram and a
    // garbled page only the one let through is sent.
    void guardOptions_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("defaults") << QString() << QByteArray();
        QTest::newRow("corrected FMS") << u"--accept-corrected-fms"_s << QByteArray("FMSTlg");
        QTest::newRow("garbled text") << u"--accept-garbled-text"_s << QByteArray("POC");
    }

    void guardOptions()
    {
        QFETCH(QString, option);
        QFETCH(QByteArray, sent);
        QTemporaryFile output;
        QVERIFY(output.open());
        output.write("FMS: 110344101116 CRC correct AFTER SWAPPING ONE BIT\n"
                     "POCSAG1200: Address: 1234567  Function: 3  Alpha:   a<BEL>b\n");
        output.close();
        QProcess feed;
        QStringList arguments{u"--port"_s, u"0"_s, u"--multimon"_s, output.fileName()};
        if (!option.isEmpty())
            arguments << option;
        feed.start(QStringLiteral(OSTREVO_FEED), arguments);
        QVERIFY(feed.waitForFinished(5000));
        const QList<QByteArray> log = feed.readAllStandardError().split('\n');
        QByteArrayList records;
        for (const QByteArray& line : log) {
            if (line.contains("gesendet: "))
                records << line.sliced(line.indexOf("gesendet: ") + 10).split('<').value(0);
        }
        QCOMPARE(records.join(), sent);
    }

    void commandLine()
    {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QProcess feed;
        feed.start(QStringLiteral(OSTREVO_FEED), arguments.split(u' '));
        feed.closeWriteChannel();
        QVERIFY(feed.waitForFinished(5000));
        QCOMPARE(feed.exitCode(), exitCode);
    }
};

QTEST_GUILESS_MAIN(TestFeedServer)
#include "tst_feed_server.moc"
