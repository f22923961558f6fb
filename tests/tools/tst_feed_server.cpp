// Who may connect to the feed, and what a desk that stops reading costs.
#include "feed_process.h"
#include "feed_server.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

using Event = FeedServer::ClientEvent;

class TestFeedServer : public QObject
{
    Q_OBJECT

private slots:
    void allowList_data()
    {
        QTest::addColumn<QStringList>("networks");
        QTest::addColumn<QString>("peer");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("no list") << QStringList() << u"192.0.2.1"_qs << u"permitted"_qs;
        QTest::newRow("inside") << QStringList{u"192.168.1.0/24"_qs} << u"192.168.1.77"_qs
                                << u"permitted"_qs;
        QTest::newRow("outside") << QStringList{u"192.168.1.0/24"_qs} << u"192.168.2.1"_qs
                                 << u"refused"_qs;
        QTest::newRow("one address")
            << QStringList{u"10.0.0.5"_qs} << u"10.0.0.6"_qs << u"refused"_qs;
        QTest::newRow("second network") << QStringList{u"10.0.0.0/8"_qs, u" 192.168.1.0/24"_qs}
                                        << u"192.168.1.1"_qs << u"permitted"_qs;
        QTest::newRow("ipv4 on a dual-stack socket")
            << QStringList{u"192.168.1.0/24"_qs} << u"::ffff:192.168.1.5"_qs << u"permitted"_qs;
        QTest::newRow("ipv6") << QStringList{u"fd00::/8"_qs} << u"fd12::1"_qs << u"permitted"_qs;
        QTest::newRow("bad address") << QStringList{u"300.1.1.0/24"_qs} << QString() << QString();
        QTest::newRow("bad prefix") << QStringList{u"10.0.0.0/33"_qs} << QString() << QString();
        QTest::newRow("a name") << QStringList{u"wache"_qs} << QString() << QString();
    }

    void allowList()
    {
        QFETCH(QStringList, networks);
        QFETCH(QString, peer);
        QFETCH(QString, verdict);
        AllowList allowed;
        for (const QString& network : networks) {
            if (!allowed.add(network)) {
                QVERIFY(verdict.isEmpty());
                return;
            }
        }
        QCOMPARE(allowed.permits(QHostAddress(peer)) ? u"permitted"_qs : u"refused"_qs, verdict);
    }

    void listenAddress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed");
        QTest::newRow("ipv4") << u"192.168.1.5:7778"_qs << u"192.168.1.5 7778"_qs;
        QTest::newRow("ipv6") << u"[::1]:7000"_qs << u"::1 7000"_qs;
        QTest::newRow("ipv6 without brackets") << u"::1:7000"_qs << QString();
        QTest::newRow("host name") << u"wache:7778"_qs << QString();
        QTest::newRow("port too big") << u"10.0.0.1:65536"_qs << QString();
        QTest::newRow("no port") << u"10.0.0.1"_qs << QString();
    }

    void listenAddress()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        const auto address = parseListenAddress(text);
        QCOMPARE(address ? address->host.toString() + u' ' + QString::number(address->port)
                         : QString(),
                 parsed);
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
        QVERIFY(events[0][1].toString().startsWith(u"127.0.0.2:"));
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
        stalled.connectToHost(QHostAddress::LocalHost, server.serverPort());
        QTRY_COMPARE(stalled.state(), QAbstractSocket::ConnectedState);
        qint64 received = 0;
        connect(&reader, &QTcpSocket::readyRead, this,
                [&] { received += reader.readAll().size(); });
        QSignalSpy events(&server, &FeedServer::clientEvent);

        const QByteArray record(998, 'x');
        qint64 sent = 0;
        while (events.isEmpty() && sent < 64 * FeedServer::MaxBacklog) {
            server.broadcast(record);
            sent += record.size() + 2;
            if (sent % (64 * 1000) == 0)
                QCoreApplication::processEvents();
        }
        QCOMPARE(events.size(), 1);
        QCOMPARE(events[0][0].value<Event>(), Event::Dropped);
        QCOMPARE(events[0][1].toString(), u"127.0.0.1:"_qs + QString::number(stalled.localPort()));
        QTRY_COMPARE(received, sent);
        QCOMPARE(events.size(), 1);
    }

    void limitsDesks()
    {
        FeedServer server{AllowList()};
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        QSignalSpy events(&server, &FeedServer::clientEvent);
        for (int i = 0; i <= FeedServer::MaxClients; ++i)
            (new QTcpSocket(&server))->connectToHost(QHostAddress::LocalHost, server.serverPort());
        QTRY_COMPARE(events.size(), FeedServer::MaxClients + 1);
        QCOMPARE(events.last()[0].value<Event>(), Event::TooMany);
        QCOMPARE(server.broadcast("ZVEI\t12345"), FeedServer::MaxClients);
    }

    // Alarm traffic is not served to a whole network by accident.
    void refusedStarts_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("lan without --allow") << QStringList{u"--listen"_qs, u"0.0.0.0:0"_qs};
        QTest::newRow("bad --allow") << QStringList{u"--allow"_qs, u"10.0.0.0/33"_qs};
        QTest::newRow("bad window") << QStringList{u"--repeat-window"_qs, u"-5"_qs};
    }

    void refusedStarts()
    {
        QFETCH(QStringList, arguments);
        QProcess feed;
        feed.start(QStringLiteral(OSTREVO_FEED), arguments << u"--multimon"_qs << u"/dev/null"_qs);
        QVERIFY(feed.waitForFinished(5000));
        QCOMPARE(feed.exitCode(), 2);
        QVERIFY(!feed.readAllStandardError().contains("listening"));
    }
};

QTEST_GUILESS_MAIN(TestFeedServer)
#include "tst_feed_server.moc"
