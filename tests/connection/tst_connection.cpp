// SPDX-License-Identifier: GPL-3.0-or-later
#include "connection/server_connection.h"
#include "support/fake_transport.h"
#include "support/fixed_clock.h"
#include "support/fixed_settings.h"
#include "support/recording_sink.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A connection over a played socket, with timer intervals a test can wait for.
struct Played
{
    FixedSettings settings;
    RecordingSink sink;
    FixedClock clock;
    FakeTransport* transport = new FakeTransport;
    ServerConnection connection{
        settings, sink, clock, std::unique_ptr<RecordTransport>(transport), {40, 600}};
    QList<ConnectionReport> reports;

    Played()
    {
        QObject::connect(&connection, &ServerConnection::reported,
                         [this](const ConnectionReport& report) { reports << report; });
    }
};

} // namespace

class TestConnection : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTcpServer> m_server;
    std::unique_ptr<FixedSettings> m_settings;
    std::unique_ptr<RecordingSink> m_sink;
    FixedClock m_clock;
    std::unique_ptr<ServerConnection> m_connection;
    QList<ConnectionReport> m_reports;

    ConnectionEvent lastEvent() const
    {
        return m_reports.isEmpty() ? ConnectionEvent::None : m_reports.last().event;
    }

    // After a close, failure or refusal the button connects anew.
    bool buttonConnectsAgain()
    {
        m_settings->value.serverAddress = u"127.0.0.1"_s;
        m_settings->value.serverPort = QString::number(m_server->serverPort());
        m_connection->toggleConnection();
        return QTest::qWaitFor([&] { return m_server->hasPendingConnections(); });
    }

    QTcpSocket* connectAndAccept()
    {
        m_connection->toggleConnection();
        if (!QTest::qWaitFor([&] { return m_server->hasPendingConnections(); }))
            return nullptr;
        QTcpSocket* peer = m_server->nextPendingConnection();
        if (!QTest::qWaitFor([&] { return lastEvent() == ConnectionEvent::Connected; }))
            return nullptr;
        return peer;
    }

private slots:
    void init()
    {
        m_server = std::make_unique<QTcpServer>();
        QVERIFY(m_server->listen(QHostAddress::LocalHost));
        m_settings = std::make_unique<FixedSettings>();
        m_settings->value.serverPort = QString::number(m_server->serverPort());
        m_sink = std::make_unique<RecordingSink>();
        m_connection = std::make_unique<ServerConnection>(*m_settings, *m_sink, m_clock);
        m_reports.clear();
        connect(m_connection.get(), &ServerConnection::reported, this,
                [this](const ConnectionReport& report) { m_reports << report; });
    }

    void cleanup()
    {
        m_connection.reset();
        m_server.reset();
    }

    void connectQuitAndServerClose()
    {
        m_settings->value.serverAddress = u"  127.0.0.1  "_s;
        m_settings->value.serverPort += u"abc"_s; // the leading number counts
        QTcpSocket* peer = connectAndAccept();
        QVERIFY(peer);

        m_connection->toggleConnection();
        QTRY_COMPARE(peer->bytesAvailable(), qint64(5));
        QCOMPARE(peer->readAll(), QByteArray("XXX\r\n"));
        QCOMPARE(m_reports.size(), 1); // nothing until the server closes

        peer->disconnectFromHost();
        QTRY_COMPARE(lastEvent(), ConnectionEvent::ClosedByServer);
        QVERIFY(buttonConnectsAgain());
    }

    void recordsAreFramedAndStamped()
    {
        QTcpSocket* peer = connectAndAccept();
        QVERIFY(peer);
        // Greeting lines are noise; every line end ends a record.
        peer->write("# Halvorn decoder\r\nAN7778\r\nZVEI\t12345\r\nZVEI\t11111\nZVEI\t22222\r"
                    "ZVEI\t33333\r\n");
        QTRY_COMPARE(m_sink->calls.size(), 4);
        QCOMPARE(m_sink->calls,
                 (QStringList{u"FME|12345"_s, u"FME|11111"_s, u"FME|22222"_s, u"FME|33333"_s}));
        QCOMPARE(m_sink->times.last(), m_clock.time);

        // A flood without line end is noise, not a record.
        peer->write(QByteArray(1024 * 1024, 'x') + "\r\nZVEI\t21101\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(m_sink->calls.size(), 5, 10000);
        QCOMPARE(m_sink->calls.last(), u"FME|21101"_s);

        // A record without line end, as some servers send, after a quiet spell.
        peer->write("POC\t123\tx\tK\xfc"
                    "che");
        QTRY_COMPARE(m_sink->calls.size(), 6);
        QCOMPARE(m_sink->calls.last(), u"POC|123|Küche"_s);

        // A partial record is complete when the server closes.
        peer->write("ZVEI\t55555");
        peer->disconnectFromHost();
        QTRY_COMPARE(lastEvent(), ConnectionEvent::ClosedByServer);
        QCOMPARE(m_sink->calls.last(), u"FME|55555"_s);
    }

    void refusedConnection()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        m_settings->value.serverPort = QString::number(probe.serverPort());
        probe.close(); // nobody listens there now
        m_connection->toggleConnection();
        QTRY_COMPARE(lastEvent(), ConnectionEvent::Failed);
        QCOMPARE(m_reports.last().error, u"Verbindung abgelehnt"_s);
        QVERIFY(buttonConnectsAgain());
    }

    void portOutOfRange_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("description");
        QTest::newRow("above 16 bits") << u"70000"_s << u"Ungültiger Port 70000"_s;
        QTest::newRow("negative") << u"-1"_s << u"Ungültiger Port -1"_s;
        QTest::newRow("beyond 32 bits") << u"99999999999"_s << u"Überlauf"_s;
    }

    void portOutOfRange()
    {
        QFETCH(QString, port);
        QFETCH(QString, description);
        m_settings->value.serverPort = port;
        m_connection->toggleConnection();
        QCOMPARE(m_reports.value(0), (ConnectionReport{ConnectionEvent::Failed, description}));
        QVERIFY(buttonConnectsAgain()); // nothing was left open
    }

    void buttonWhilePendingClosesSilently()
    {
        m_settings->value.serverAddress = u"localhost"_s;
        m_connection->toggleConnection(); // resolving the name
        m_connection->toggleConnection(); // abandons the attempt
        QTest::qWait(50);
        QVERIFY(m_reports.isEmpty());
        QVERIFY(buttonConnectsAgain());
    }

    void goodbyeSendsQuitLineTwice()
    {
        QTcpSocket* peer = connectAndAccept();
        QVERIFY(peer);
        m_connection->sayGoodbye();
        QTRY_COMPARE(peer->bytesAvailable(), qint64(10));
        QCOMPARE(peer->readAll(), QByteArray("XXX\r\nXXX\r\n"));
        QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState); // and closed
    }

    void retrySpacing()
    {
        // The first attempt one short interval after switching on, later
        // ones a long interval apart; none while connected or switched off.
        Played p;
        p.settings.value.autoConnect = true;
        p.connection.followAutoConnect();
        QTRY_COMPARE_WITH_TIMEOUT(p.transport->attempts.size(), 2, 2000);
        const QList<qint64>& at = p.transport->attemptTimes;
        QVERIFY(at[0] < 600);
        QVERIFY(at[1] - at[0] >= 570);    // timers may fire up to 5 % early
        QCOMPARE(p.transport->closes, 2); // each attempt gives up a hanging one first
        p.transport->reportConnected();
        QTest::qWait(700);
        QCOMPARE(p.transport->attempts.size(), 2);
        p.settings.value.autoConnect = false;
        p.connection.followAutoConnect();
        p.transport->close();
        QTest::qWait(700);
        QCOMPARE(p.transport->attempts.size(), 2);
    }

    void retryRefusalSaysItApart()
    {
        // The timer's refusal is a report of its own ("Err:" on screen).
        Played p;
        p.settings.value.autoConnect = true;
        p.settings.value.serverPort = u"99999999999"_s;
        p.connection.followAutoConnect();
        QTRY_VERIFY(!p.reports.isEmpty());
        QCOMPARE(p.reports.first(),
                 (ConnectionReport{ConnectionEvent::RetryFailed, u"Überlauf"_s}));
        QVERIFY(p.transport->attempts.isEmpty());
    }

    void connectedButNotConfirmed()
    {
        Played p;
        p.connection.toggleConnection();
        p.transport->reportConnected(SocketState::Closing);
        QCOMPARE(p.reports.value(0).event, ConnectionEvent::ConnectedUnconfirmed);
        p.transport->reportConnected();
        QCOMPARE(p.reports.value(1).event, ConnectionEvent::Connected);
        // Connected, the button asks the server to close.
        p.connection.toggleConnection();
        QCOMPARE(p.transport->sent, QList<QByteArray>{ServerConnection::QuitLine});
    }

    void droppedRecordsReachNoSink()
    {
        Played p;
        p.transport->reportRecord(u"#!XX!#hallo"_s);
        p.transport->reportRecord(u"ZVEI\t12345"_s);
        QCOMPARE(p.sink.calls, QStringList{u"FME|12345"_s});
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
