#include "winsock2.h"

#include "common/cp1252.h"

Winsock2::Winsock2(QObject* parent) : QObject(parent)
{
    m_quietTimer.setSingleShot(true);
    m_quietTimer.setInterval(QuietMilliseconds);
    connect(&m_quietTimer, &QTimer::timeout, this, &Winsock2::takePendingRecord);
    connect(&m_socket, &QTcpSocket::connected, this, [this] {
        if (!m_muted)
            emit connectEvent();
    });
    connect(&m_socket, &QTcpSocket::readyRead, this, &Winsock2::onReadyRead);
    connect(&m_socket, &QTcpSocket::disconnected, this, &Winsock2::onDisconnected);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &Winsock2::onError);
}

Winsock2::~Winsock2()
{
    // The socket outlives the timer and framer during destruction and may
    // still report its close; nobody is listening any more.
    m_socket.disconnect(this);
}

int Winsock2::State() const
{
    if (m_failed)
        return Error;
    if (m_remoteClosed)
        return Closing;
    switch (m_socket.state()) {
    case QAbstractSocket::UnconnectedState:
        return Closed;
    case QAbstractSocket::HostLookupState:
        return ResolvingHost;
    case QAbstractSocket::ConnectingState:
        return Connecting;
    case QAbstractSocket::ConnectedState:
        return Connected;
    case QAbstractSocket::BoundState:
        return Open;
    case QAbstractSocket::ListeningState:
        return Listening;
    case QAbstractSocket::ClosingState:
        return Closing;
    }
    return Error;
}

std::optional<QString> Winsock2::Connect(const QString& host, qint32 port)
{
    if (port < 0 || port > 65535)
        return QStringLiteral("Ungültiger Port %1").arg(port);
    m_muted = false;
    m_remoteClosed = false;
    m_failed = false;
    m_framer.clear();
    m_socket.connectToHost(host, quint16(port));
    return std::nullopt;
}

void Winsock2::SendData(const QByteArray& bytes)
{
    if (m_socket.state() == QAbstractSocket::ConnectedState)
        m_socket.write(bytes);
}

void Winsock2::Close()
{
    m_muted = true;
    m_quietTimer.stop();
    m_socket.abort();
    m_framer.clear();
    m_remoteClosed = false;
    m_failed = false;
}

void Winsock2::onReadyRead()
{
    const QByteArray bytes = m_socket.readAll();
    for (const QByteArray& record : m_framer.feed(bytes))
        deliver(record);
    if (m_framer.hasPending())
        m_quietTimer.start();
    else
        m_quietTimer.stop();
}

void Winsock2::onDisconnected()
{
    if (m_muted || m_failed)
        return;
    // The server's last words may still sit in the buffer, and a record
    // without line end is complete once the server has closed.
    onReadyRead();
    m_quietTimer.stop();
    takePendingRecord();
    m_remoteClosed = true;
    emit closeEvent();
}

void Winsock2::onError(QAbstractSocket::SocketError error)
{
    // Qt reports an orderly close by the server as an error before
    // `disconnected`; that close is the Close event, not a failure.
    if (m_muted || error == QAbstractSocket::RemoteHostClosedError)
        return;
    m_failed = true;
    emit errorEvent(SocketErrorDescription(error));
}

void Winsock2::deliver(const QByteArray& record)
{
    emit dataArrival(decodeCp1252(record));
}

void Winsock2::takePendingRecord()
{
    if (auto record = m_framer.takePending())
        deliver(*record);
}

QString SocketErrorDescription(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return QStringLiteral("Verbindung abgelehnt");
    case QAbstractSocket::RemoteHostClosedError:
        return QStringLiteral("Verbindung vom Server geschlossen");
    case QAbstractSocket::HostNotFoundError:
        return QStringLiteral("Server nicht gefunden");
    case QAbstractSocket::SocketAccessError:
        return QStringLiteral("Zugriff verweigert");
    case QAbstractSocket::SocketResourceError:
        return QStringLiteral("Keine Systemressourcen für die Verbindung");
    case QAbstractSocket::SocketTimeoutError:
        return QStringLiteral("Zeitüberschreitung");
    case QAbstractSocket::NetworkError:
        return QStringLiteral("Netzwerkfehler");
    case QAbstractSocket::UnsupportedSocketOperationError:
        return QStringLiteral("Vorgang wird nicht unterstützt");
    case QAbstractSocket::AddressInUseError:
        return QStringLiteral("Adresse wird bereits verwendet");
    case QAbstractSocket::SocketAddressNotAvailableError:
        return QStringLiteral("Adresse nicht verfügbar");
    case QAbstractSocket::TemporaryError:
        return QStringLiteral("Vorübergehender Fehler");
    default:
        return QStringLiteral("Unbekannter Verbindungsfehler");
    }
}
