// Who may connect to the feed, and what a desk that stops reading costs.
#include "feed_server.h"
#include "feed_test_support.h"

#include <QSignalSpy>

using Event = FeedServer::ClientEvent;

class TestFeedServer : public QObject
{
    Q_OBJECT

private slots:
    void allowList()
    {
        AllowList allowed;
        QVERIFY(allowed.permits(QHostAddress(u"192.0.2.1"_qs))); // no list: loopback only anyway
        for (const QString& network : {u"10.0.0.5"_qs, u" 192.168.1.0/24"_qs, u"fd00::/8"_qs})
            QVERIFY(allowed.add(network));
        for (const QString& wrong : {u"300.1.1.0/24"_qs, u"10.0.0.0/33"_qs, u"wache"_qs})
            QVERIFY(!allowed.add(wrong));
        // IPv4 peers of a dual-stack socket come as ::ffff:a.b.c.d.
        for (const QString& peer :
             {u"10.0.0.5"_qs, u"192.168.1.77"_qs, u"::ffff:192.168.1.5"_qs, u"fd12::1"_qs})
            QVERIFY2(allowed.permits(QHostAddress(peer)), qPrintable(peer));
        for (const QString& peer : {u"10.0.0.6"_qs, u"192.168.2.1"_qs, u"fe80::1"_qs})
            QVERIFY2(!allowed.permits(QHostAddress(peer)), qPrintable(peer));
    }

    void listenAddress()
    {
        const auto text = [](const QString& address) {
            const auto parsed = parseListenAddress(address);
            return parsed ? parsed->host.toString() + u' ' + QString::number(parsed->port)
                          : QString();
        };
        QCOMPARE(text(u"192.168.1.5:7778"_qs), u"192.168.1.5 7778"_qs);
        QCOMPARE(text(u"[::1]:7000"_qs), u"::1 7000"_qs);
        for (const QString& wrong : {u"::1:7000"_qs, u"wache:7778"_qs, u"10.0.0.1:65536"_qs})
            QVERIFY2(text(wrong).isNull(), qPrintable(wrong));
    }

    // A peer outside the allowed networks is closed at once and sent nothing.
    void refusesOutsiders()
    {
        AllowList allowed;
        QVERIFY(allowed.add(u"127.0.0.1/32"_qs));
        FeedServer server(allowed);
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        QSignalSpy events(&server, &FeedServer::clientEvent);
        QTcpSocket outsider;
        QVERIFY(outsider.bind(QHostAddress(u"127.0.0.2"_qs)));
        outsider.connectToHost(QHostAddress::LocalHost, server.serverPort());
        QTRY_COMPARE(events.size(), 1);
        QCOMPARE(events[0][0].value<Event>(), Event::NotAllowed);
        QTcpSocket desk;
        QVERIFY(greeted(desk, server.serverPort()));
        QCOMPARE(server.broadcast("ZVEI\t12345"), 1);
        QTRY_COMPARE(desk.bytesAvailable(), qint64(12));
        QCOMPARE(desk.readAll(), QByteArray("ZVEI\t12345\r\n"));
        QTRY_COMPARE(outsider.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(outsider.readAll(), QByteArray());
    }

    // Memory per desk stays bounded; a desk that reads keeps everything.
    void dropsStalledDesk()
    {
        FeedServer server{AllowList()};
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        QTcpSocket reader;
        QTcpSocket stalled;
        stalled.setReadBufferSize(1); // Qt stops taking data from the kernel
        QVERIFY(greeted(reader, server.serverPort()));
        QVERIFY(greeted(stalled, server.serverPort()));
        qint64 received = 0;
        connect(&reader, &QTcpSocket::readyRead, this,
                [&] { received += reader.readAll().size(); });
        QSignalSpy events(&server, &FeedServer::clientEvent);
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
        QCOMPARE(events[0][1].toString(), u"127.0.0.1:"_qs + QString::number(stalled.localPort()));
        QTRY_COMPARE(received, sent);
    }

    // Alarm traffic is not served to a whole network by accident.
    void refusesOpenNetwork()
    {
        QProcess feed;
        feed.start(QStringLiteral(OSTREVO_FEED),
                   {u"--multimon"_qs, u"--listen"_qs, u"0.0.0.0:0"_qs});
        QVERIFY(feed.waitForFinished(5000));
        QCOMPARE(feed.exitCode(), 2);
        QVERIFY(feed.readAllStandardError().contains("--allow"));
    }
};

QTEST_GUILESS_MAIN(TestFeedServer)
#include "tst_feed_server.moc"
