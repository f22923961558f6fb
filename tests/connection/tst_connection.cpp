#include "connection/server_connection.h"
#include "support/fixed_settings.h"
#include "support/recording_sink.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

class TestConnection : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTcpServer> m_server;
    std::unique_ptr<FixedSettings> m_settings;
    std::unique_ptr<RecordingSink> m_sink;
    std::unique_ptr<ServerConnection> m_connection;

    const ConnectionDisplay& display() const { return m_connection->display(); }

    // After a close, failure or refusal the button connects anew.
    bool buttonConnectsAgain()
    {
        m_settings->value.serverAddress = u"127.0.0.1"_qs;
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
        if (!QTest::qWaitFor([&] { return display().status == u"Verbunden"; }))
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
        m_connection = std::make_unique<ServerConnection>(*m_settings, *m_sink);
    }

    void cleanup()
    {
        m_connection.reset();
        m_server.reset();
    }

    void connectQuitAndServerClose()
    {
        m_settings->value.serverAddress = u"  127.0.0.1  "_qs;
        m_settings->value.serverPort += u"abc"_qs; // the leading number counts
        QTcpSocket* peer = connectAndAccept();
        QVERIFY(peer);
        QCOMPARE(display(), (ConnectionDisplay{u"Verbunden"_qs, Rgb{0, 255, 0}, u"Trennen"_qs}));

        m_connection->toggleConnection();
        QTRY_COMPARE(peer->bytesAvailable(), qint64(5));
        QCOMPARE(peer->readAll(), QByteArray("XXX\r\n"));
        QCOMPARE(display().status, u"Verbunden"_qs); // until the server closes

        peer->disconnectFromHost();
        QTRY_COMPARE(display(),
                     (ConnectionDisplay{u"Getrennt"_qs, Rgb{255, 0, 0}, u"Verbinden"_qs}));
        QVERIFY(buttonConnectsAgain());
    }

    void recordsAreFramed()
    {
        QTcpSocket* peer = connectAndAccept();
        QVERIFY(peer);
        // Greeting lines are noise; every line end ends a record.
        peer->write("# Halvorn decoder\r\nAN7778\r\nZVEI\t12345\r\nZVEI\t11111\nZVEI\t22222\r"
                    "ZVEI\t33333\r\n");
        QTRY_COMPARE(m_sink->calls.size(), 4);
        QCOMPARE(m_sink->calls,
                 (QStringList{u"FME|12345"_qs, u"FME|11111"_qs, u"FME|22222"_qs, u"FME|33333"_qs}));

        // A flood without line end is noise, not a record.
        peer->write(QByteArray(1024 * 1024, 'x') + "\r\nZVEI\t21101\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(m_sink->calls.size(), 5, 10000);
        QCOMPARE(m_sink->calls.last(), u"FME|21101"_qs);

        // A record without line end, as some servers send, after a quiet spell.
        peer->write("POC\t123\tx\tK\xfc"
                    "che");
        QTRY_COMPARE(m_sink->calls.size(), 6);
        QCOMPARE(m_sink->calls.last(), u"POC|123|Küche"_qs);

        // A partial record is complete when the server closes.
        peer->write("ZVEI\t55555");
        peer->disconnectFromHost();
        QTRY_COMPARE(display().status, u"Getrennt"_qs);
        QCOMPARE(m_sink->calls.last(), u"FME|55555"_qs);
    }

    void refusedConnection()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        m_settings->value.serverPort = QString::number(probe.serverPort());
        probe.close(); // nobody listens there now
        m_connection->toggleConnection();
        QTRY_COMPARE(display().status, u"ERR:Verbindung abgelehnt"_qs);
        QCOMPARE(display().buttonCaption, u"Verbinden"_qs);
        QVERIFY(buttonConnectsAgain());
    }

    void portOutOfRange_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("description");
        QTest::newRow("above 16 bits") << u"70000"_qs << u"Ungültiger Port 70000"_qs;
        QTest::newRow("negative") << u"-1"_qs << u"Ungültiger Port -1"_qs;
        QTest::newRow("beyond 32 bits") << u"99999999999"_qs << u"Überlauf"_qs;
    }

    void portOutOfRange()
    {
        QFETCH(QString, port);
        QFETCH(QString, description);
        m_settings->value.serverPort = port;
        m_connection->toggleConnection();
        QCOMPARE(display().status, u"ERR:"_qs + description);

        // The timer's attempt says "Err:" (once is enough: it waits 4 s).
        if (port != u"70000")
            return;
        m_settings->value.autoConnect = true;
        m_connection->followAutoConnect();
        QTRY_COMPARE_WITH_TIMEOUT(display().status, u"Err:"_qs + description, 6000);
        QVERIFY(buttonConnectsAgain()); // nothing was left open
    }

    void buttonWhilePendingClosesSilently()
    {
        m_settings->value.serverAddress = u"localhost"_qs;
        m_connection->toggleConnection(); // resolving the name
        m_connection->toggleConnection(); // abandons the attempt
        QTest::qWait(50);
        QCOMPARE(display(), ConnectionDisplay());
        QVERIFY(buttonConnectsAgain());
    }

    void reconnectTimer()
    {
        // The first attempt 4 s after switching on, later ones 30 s apart.
        QSignalSpy attempts(m_server.get(), &QTcpServer::newConnection);
        m_settings->value.autoConnect = true;
        m_connection->followAutoConnect();
        QTest::qWait(3500);
        QCOMPARE(attempts.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(attempts.count(), 1, 1500);
        m_server->nextPendingConnection()->disconnectFromHost();
        QTRY_COMPARE(display().status, u"Getrennt"_qs);
        QTest::qWait(3000);
        QCOMPARE(attempts.count(), 1);
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
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
