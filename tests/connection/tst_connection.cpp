#include "connection/connection_manager.h"
#include "connection/connection_view.h"
#include "support/recording_sink.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

class FakeView final : public ConnectionView
{
public:
    QString address = QStringLiteral("127.0.0.1");
    QString port;
    bool autoConnect = false;
    QString status = QStringLiteral("Unbekannt");
    std::optional<Rgb> colour;
    QString button = QStringLiteral("Verbinden");

    QString serverAddressText() const override { return address; }
    QString serverPortText() const override { return port; }
    bool autoConnectChecked() const override { return autoConnect; }
    void showStatus(const QString& caption, std::optional<Rgb> c) override
    {
        status = caption;
        if (c)
            colour = c;
    }
    void setStatusButtonCaption(const QString& caption) override { button = caption; }
};

// A port nobody listens on: bind, remember, close.
quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

} // namespace

class TestConnection : public QObject
{
    Q_OBJECT

    QTcpServer* m_server = nullptr;
    FakeView* m_view = nullptr;
    RecordingSink* m_sink = nullptr;
    ConnectionManager* m_manager = nullptr;

    QTcpSocket* connectAndAccept()
    {
        m_manager->cmdStatus_Click();
        if (!QTest::qWaitFor([&] { return m_server->hasPendingConnections(); }))
            return nullptr;
        QTcpSocket* peer = m_server->nextPendingConnection();
        if (!QTest::qWaitFor([&] { return m_view->status == u"Verbunden"; }))
            return nullptr;
        return peer;
    }

private slots:
    void init()
    {
        m_server = new QTcpServer;
        QVERIFY(m_server->listen(QHostAddress::LocalHost));
        m_view = new FakeView;
        m_view->port = QString::number(m_server->serverPort());
        m_sink = new RecordingSink;
        m_manager = new ConnectionManager(*m_view, *m_sink);
    }

    void cleanup()
    {
        delete m_manager;
        delete m_sink;
        delete m_view;
        delete m_server;
    }

    void connectSendQuitAndServerClose()
    {
        m_view->address = QStringLiteral("  127.0.0.1  ");
        m_view->port += QStringLiteral("abc");
        QTcpSocket* peer = connectAndAccept();
        QVERIFY(peer);
        QCOMPARE(m_view->colour, (Rgb{0, 255, 0}));
        QCOMPARE(m_view->button, QStringLiteral("Trennen"));
        QCOMPARE(m_manager->socket().State(), int(Winsock2::Connected));

        m_manager->cmdStatus_Click();
        QTRY_COMPARE(peer->bytesAvailable(), qint64(5));
        QCOMPARE(peer->readAll(), QByteArray("XXX\r\n"));
        QCOMPARE(m_view->status, QStringLiteral("Verbunden"));

        peer->disconnectFromHost();
        QTRY_COMPARE(m_view->status, QStringLiteral("Getrennt"));
        QCOMPARE(m_view->colour, (Rgb{255, 0, 0}));
        QCOMPARE(m_view->button, QStringLiteral("Verbinden"));
        QCOMPARE(m_manager->socket().State(), int(Winsock2::Closed));
    }

    void recordsAreFramed()
    {
        QTcpSocket* peer = connectAndAccept();
        QVERIFY(peer);
        // The greeting lines are noise; one record split over three writes;
        // three records in one write.
        peer->write("# Halvorn decoder\r\nAN7778\r\n");
        peer->write("ZV");
        peer->flush();
        QTest::qWait(10);
        peer->write("EI\t12");
        peer->flush();
        QTest::qWait(10);
        peer->write("345\r\nZVEI\t11111\nZVEI\t22222\rZVEI\t33333\r\n");
        QTRY_COMPARE(m_sink->calls.size(), 4);
        QCOMPARE(m_sink->calls,
                 (QStringList{u"FME|12345"_qs, u"FME|11111"_qs, u"FME|22222"_qs, u"FME|33333"_qs}));

        // One record per write without line end, as some servers send.
        peer->write("ZVEI\t44444");
        QTRY_COMPARE(m_sink->calls.size(), 5);
        QCOMPARE(m_sink->calls.last(), QStringLiteral("FME|44444"));

        // Umlauts arrive in code page 1252.
        peer->write("POC\t123\tx\tK\xfc"
                    "che\r\n");
        QTRY_COMPARE(m_sink->calls.size(), 6);
        QCOMPARE(m_sink->calls.last(), QStringLiteral("POC|123|Küche"));

        // A partial record is complete when the server closes.
        peer->write("ZVEI\t55555");
        peer->disconnectFromHost();
        QTRY_COMPARE(m_view->status, QStringLiteral("Getrennt"));
        QCOMPARE(m_sink->calls.last(), QStringLiteral("FME|55555"));
    }

    void floodWithoutLineEnd()
    {
        QTcpSocket* peer = connectAndAccept();
        QVERIFY(peer);
        peer->write(QByteArray(1024 * 1024, 'x'));
        peer->disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(m_view->status, QStringLiteral("Getrennt"), 10000);
        QVERIFY(m_sink->calls.isEmpty()); // noise, and nothing kept beyond 64 KiB
    }

    void refusedConnectionShowsError()
    {
        m_view->port = QString::number(closedPort());
        m_manager->cmdStatus_Click();
        QTRY_VERIFY(m_view->status.startsWith(u"ERR:"));
        QCOMPARE(m_view->status, QStringLiteral("ERR:Verbindung abgelehnt"));
        QCOMPARE(m_view->button, QStringLiteral("Verbinden"));
        QCOMPARE(m_manager->socket().State(), int(Winsock2::Closed));
    }

    void portOutOfRange_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("description");
        QTest::newRow("above 16 bits")
            << QStringLiteral("70000") << QStringLiteral("Ungültiger Port 70000");
        QTest::newRow("negative") << QStringLiteral("-1") << QStringLiteral("Ungültiger Port -1");
        QTest::newRow("beyond 32 bits")
            << QStringLiteral("99999999999") << QStringLiteral("Überlauf");
    }

    void portOutOfRange()
    {
        QFETCH(QString, port);
        QFETCH(QString, description);
        m_view->port = port;
        m_manager->cmdStatus_Click();
        QCOMPARE(m_view->status, QStringLiteral("ERR:") + description);
        QCOMPARE(m_manager->socket().State(), int(Winsock2::Closed));

        m_view->autoConnect = true;
        m_manager->Timer1_Timer();
        QCOMPARE(m_view->status, QStringLiteral("Err:") + description);
    }

    void buttonWhilePendingClosesSilently()
    {
        m_view->address = QStringLiteral("localhost");
        m_manager->cmdStatus_Click();
        QVERIFY(m_manager->socket().State() != int(Winsock2::Closed));
        m_manager->cmdStatus_Click();
        QCOMPARE(m_manager->socket().State(), int(Winsock2::Closed));
        QTest::qWait(50);
        QCOMPARE(m_view->status, QStringLiteral("Unbekannt"));
        QCOMPARE(m_view->button, QStringLiteral("Verbinden"));
    }

    void timerIntervals()
    {
        QTimer& timer = m_manager->Timer1();
        QCOMPARE(timer.interval(), 4000);
        m_view->autoConnect = true;
        m_manager->chkAuto_Click();
        QVERIFY(timer.isActive());
        m_manager->Timer1_Timer();
        QCOMPARE(timer.interval(), 30000);
        QVERIFY(QTest::qWaitFor([&] { return m_server->hasPendingConnections(); }));
        m_view->autoConnect = false;
        m_manager->chkAuto_Click();
        QVERIFY(!timer.isActive());
        m_view->autoConnect = true;
        m_manager->chkAuto_Click();
        QCOMPARE(timer.interval(), 30000);
    }

    void goodbyeSendsQuitLineTwice()
    {
        QTcpSocket* peer = connectAndAccept();
        QVERIFY(peer);
        m_manager->SayGoodbye();
        QCOMPARE(m_manager->socket().State(), int(Winsock2::Closed));
        QTRY_COMPARE(peer->bytesAvailable(), qint64(10));
        QCOMPARE(peer->readAll(), QByteArray("XXX\r\nXXX\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
