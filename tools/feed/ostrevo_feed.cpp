// ostrevo-feed: a small decoder-server stand-in for demonstrations and tests.
//   ostrevo-feed [--port N] (--demo | --replay FILE [--loop])
// Listens on 127.0.0.1, greets each client like a decoder server and sends
// every record to all clients, one record per write with CR LF. A client's
// quit line ("XXX") closes its connection.
#include "common/unix_signal_bridge.h"
#include "common/version.h"
#include "feed_script.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <cstdio>

namespace {

void log(const QString& line)
{
    std::fprintf(stderr, "ostrevo-feed: %s\n", qPrintable(line));
}

QString printable(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes).replace(u'\t', QStringLiteral("<TAB>"));
}

class Feed : public QObject
{
public:
    Feed(QList<FeedRecord> records, bool loop, quint16 port)
        : m_records(std::move(records)), m_loop(loop)
    {
        connect(&m_server, &QTcpServer::newConnection, this, &Feed::accept);
        if (!m_server.listen(QHostAddress::LocalHost, port)) {
            log(QStringLiteral("cannot listen on 127.0.0.1:%1: %2")
                    .arg(port)
                    .arg(m_server.errorString()));
            QTimer::singleShot(0, [] { QCoreApplication::exit(1); });
            return;
        }
        log(QStringLiteral("listening on 127.0.0.1:%1, %2 records")
                .arg(port)
                .arg(m_records.size()));
        m_timer.setSingleShot(true);
        connect(&m_timer, &QTimer::timeout, this, &Feed::sendNext);
        scheduleNext();
    }

private:
    void accept()
    {
        while (QTcpSocket* client = m_server.nextPendingConnection()) {
            log(QStringLiteral("client connected from port %1").arg(client->peerPort()));
            m_clients.append(client);
            client->write("#!XX!# Halvorn Decoder Demo\r\n# bereit\r\nAN7778\r\n");
            connect(client, &QTcpSocket::readyRead, this, [this, client] { readFrom(client); });
            connect(client, &QTcpSocket::disconnected, this, [this, client] {
                log(QStringLiteral("client disconnected"));
                m_clients.removeAll(client);
                client->deleteLater();
            });
        }
    }

    void readFrom(QTcpSocket* client)
    {
        const QByteArray received = client->readAll();
        log(QStringLiteral("received: %1").arg(printable(received).trimmed()));
        if (received.contains("XXX"))
            client->disconnectFromHost(); // the quit line: this client is done
    }

    void scheduleNext()
    {
        if (m_next >= m_records.size()) {
            if (!m_loop || m_records.isEmpty()) {
                log(QStringLiteral("all records sent"));
                return;
            }
            m_next = 0;
        }
        m_timer.start(m_records[m_next].delayMs);
    }

    void sendNext()
    {
        const QByteArray& record = m_records[m_next++].bytes;
        log(QStringLiteral("sending to %1 client(s): %2")
                .arg(m_clients.size())
                .arg(printable(record)));
        for (QTcpSocket* client : std::as_const(m_clients))
            client->write(record + "\r\n");
        scheduleNext();
    }

    QTcpServer m_server;
    QTimer m_timer;
    QList<QTcpSocket*> m_clients;
    QList<FeedRecord> m_records;
    qsizetype m_next = 0;
    bool m_loop;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QString::fromLatin1(Version::Text));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Sendet Telegramme wie ein Decoderserver."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("TCP-Port (7778)."),
                                  QStringLiteral("N"), QStringLiteral("7778"));
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Die eingebaute Folge endlos senden."));
    const QCommandLineOption replay(QStringLiteral("replay"),
                                    QStringLiteral("Telegramme aus DATEI senden."),
                                    QStringLiteral("DATEI"));
    const QCommandLineOption loop(QStringLiteral("loop"),
                                  QStringLiteral("Die Datei endlos wiederholen."));
    parser.addOptions({port, demo, replay, loop});
    parser.process(app);

    bool portOk = false;
    const uint portNumber = parser.value(port).toUInt(&portOk);
    if (!portOk || portNumber > 65535) {
        log(QStringLiteral("invalid port"));
        return 2;
    }
    QList<FeedRecord> records;
    bool repeat = true;
    if (parser.isSet(replay)) {
        QFile file(parser.value(replay));
        if (!file.open(QIODevice::ReadOnly)) {
            log(QStringLiteral("cannot read %1").arg(file.fileName()));
            return 1;
        }
        records = ParseReplay(QString::fromUtf8(file.readAll()));
        repeat = parser.isSet(loop);
    } else if (parser.isSet(demo)) {
        records = DemoSequence();
    } else {
        parser.showHelp(2);
    }

    UnixSignalBridge signalBridge;
    QObject::connect(&signalBridge, &UnixSignalBridge::terminationRequested, &app, [] {
        log(QStringLiteral("stopping"));
        QCoreApplication::quit();
    });
    Feed feed(std::move(records), repeat, quint16(portNumber));
    return app.exec();
}
