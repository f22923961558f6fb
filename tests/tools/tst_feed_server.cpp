// SPDX-License-Identifier: GPL-3.0-or-later
// Who may connect to the feed, what a desk that stops reading costs, the
// command line, and decoder output read from a FIFO.
#include "feed_server.h"
#include "feed_test_support.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

using Event = FeedServer::ClientEvent;

class TestFeedServer : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

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
    // the input. Alarm traffic is not served to a whole network by
    // accident. Each guard option lets through only its own lines: of a
    // corrected FMS telegram and a garbled page, what is sent.
    void commandLine_data()
    {
        QTest::addColumn<QString>("arguments"); // INPUT: a file of decoder output
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("sent");
        const auto row = [](const char* name, const QString& arguments, int exitCode,
                            const QString& sent = {}) {
            QTest::newRow(name) << arguments << exitCode << sent;
        };
        row("IPv6 loopback", u"--multimon --listen [::1]:0"_s, 0);
        row("open network", u"--multimon --listen 0.0.0.0:0"_s, 2);
        row("IPv6 without brackets", u"--multimon --listen ::1:0"_s, 2);
        row("port out of range", u"--multimon --listen 127.0.0.1:65536"_s, 2);
        row("network mistyped", u"--multimon --port 0 --allow 10.0.0.0/33"_s, 2);
        row("following standard input", u"--multimon --port 0 --follow"_s, 2);
        row("empty audio file", u"--port 0 --receive file:/dev/null"_s, 0);
        row("unknown source", u"--port 0 --receive radio:1"_s, 2);
        row("unknown demodulator", u"--port 0 --receive audio --demod ZVEI2"_s, 2);
        row("unreadable file", u"--port 0 --receive file:/nonexistent.raw"_s, 2);
        row("pacing a sound card", u"--port 0 --receive audio --realtime"_s, 2);
        row("correcting 3 bits", u"--port 0 --receive audio --pocsag-correction 3"_s, 2);
        row("demodulators without --receive", u"--multimon --demod ZVEI1"_s, 2);
        row("decoder not installed", u"PATH=/nonexistent --port 0 --receive file:/dev/null"_s, 1);
        row("guards", u"--port 0 --multimon INPUT"_s, 0);
        row("corrected FMS", u"--port 0 --multimon INPUT --accept-corrected-fms"_s, 0, u"FMSTlg"_s);
        row("garbled text", u"--port 0 --multimon INPUT --accept-garbled-text"_s, 0, u"POC"_s);
    }

    void commandLine()
    {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, sent);
        QFile input(m_dir.filePath(u"input"_s));
        QVERIFY(input.open(QIODevice::WriteOnly));
        input.write("FMS: 110344101116 CRC correct AFTER SWAPPING ONE BIT\n"
                    "POCSAG1200: Address: 1234567  Function: 3  Alpha:   a<BEL>b\n");
        input.close();
        QProcess feed;
        QStringList words = arguments.replace(u"INPUT"_s, input.fileName()).split(u' ');
        if (words.first().startsWith(u"PATH=")) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(u"PATH"_s, words.takeFirst().mid(5));
            feed.setProcessEnvironment(environment);
        }
        feed.start(QStringLiteral(OSTREVO_FEED), words);
        feed.closeWriteChannel();
        QVERIFY(feed.waitForFinished(5000));
        QCOMPARE(feed.exitCode(), exitCode);
        QCOMPARE(sentRecords(feed.readAllStandardError()).join(u' ').section(u'<', 0, 0), sent);
    }

    // A decoder writing into a FIFO that it closes when restarted: the line
    // it was cut in is lost, not joined to the next one's first line.
    // SIGTERM ends the feed cleanly.
    void followsARestartedDecoder()
    {
        const QString fifo = m_dir.filePath(u"decoder"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QProcess feed;
        QByteArray log;
        QTcpSocket desk;
        QVERIFY(greeted(desk, startFeed(feed, {u"--multimon"_s, fifo, u"--follow"_s}, log)));
        int left = 0;
        for (const char* output : {"ZVEI1: 21101\n", "ZVEI1: 5", "4321\nZVEI1: 1E2E3\n"}) {
            QVERIFY(writeFile(fifo, output));
            QVERIFY(waitForLog(feed, log,
                               "auf seine R\xc3\xbc"
                               "ckkehr",
                               ++left));
        }
        QByteArray received;
        QTRY_COMPARE(received += desk.readAll(), QByteArray("ZVEI\t21101\r\nZVEI\t11223\r\n"));
        ::kill(pid_t(feed.processId()), SIGTERM);
        QVERIFY(feed.waitForFinished(5000));
        QCOMPARE(feed.exitStatus(), QProcess::NormalExit);
        QCOMPARE(feed.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestFeedServer)
#include "tst_feed_server.moc"
