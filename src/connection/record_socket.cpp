// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_socket.h"

#include "common/cp1252.h"

namespace {

// One clear German phrase per socket failure.
QString socketErrorText(QAbstractSocket::SocketError error)
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

} // namespace

RecordSocket::RecordSocket(QObject* parent) : RecordTransport(parent)
{
    // Qt stops reading from the system once this much waits unread.
    m_socket.setReadBufferSize(RecordFramer::MaxPending);
    m_quietTimer.setSingleShot(true);
    m_quietTimer.setInterval(QuietMilliseconds);
    connect(&m_quietTimer, &QTimer::timeout, this, &RecordSocket::takePendingRecord);
    connect(&m_socket, &QTcpSocket::connected, this, [this] {
        if (!m_muted)
            emit connected();
    });
    connect(&m_socket, &QTcpSocket::readyRead, this, &RecordSocket::readRecords);
    connect(&m_socket, &QTcpSocket::disconnected, this, &RecordSocket::onDisconnected);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &RecordSocket::onError);
}

RecordSocket::~RecordSocket()
{
    // The socket outlives the timer and framer during destruction and may
    // still report its close; nobody is listening any more.
    m_socket.disconnect(this);
}

SocketState RecordSocket::state() const
{
    if (m_failed)
        return SocketState::Failed;
    if (m_remoteClosed)
        return SocketState::Closing;
    switch (m_socket.state()) {
    case QAbstractSocket::UnconnectedState:
        return SocketState::Closed;
    case QAbstractSocket::HostLookupState:
        return SocketState::ResolvingHost;
    case QAbstractSocket::ConnectingState:
    case QAbstractSocket::BoundState:
    case QAbstractSocket::ListeningState:
        return SocketState::Connecting;
    case QAbstractSocket::ConnectedState:
        return SocketState::Connected;
    case QAbstractSocket::ClosingState:
        return SocketState::Closing;
    }
    return SocketState::Failed;
}

std::optional<QString> RecordSocket::connectToServer(const QString& host, qint32 port)
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

void RecordSocket::send(const QByteArray& bytes)
{
    if (m_socket.state() == QAbstractSocket::ConnectedState)
        m_socket.write(bytes);
}

void RecordSocket::close()
{
    m_muted = true;
    m_quietTimer.stop();
    m_socket.abort();
    m_framer.clear();
    m_remoteClosed = false;
    m_failed = false;
}

void RecordSocket::readRecords()
{
    constexpr qint64 Piece = 16 * 1024;
    while (m_socket.bytesAvailable() > 0 && !m_muted) {
        const QByteArray piece = m_socket.read(Piece);
        if (piece.isEmpty())
            break;
        for (const QByteArray& record : m_framer.feed(piece))
            emit recordReceived(decodeCp1252(record));
    }
    if (m_framer.hasPending())
        m_quietTimer.start();
    else
        m_quietTimer.stop();
}

void RecordSocket::onDisconnected()
{
    if (m_muted || m_failed)
        return;
    // The server's last words may still wait unread, and a record without
    // line end is complete once the server has closed.
    readRecords();
    m_quietTimer.stop();
    takePendingRecord();
    m_remoteClosed = true;
    emit closedByServer();
}

void RecordSocket::onError(QAbstractSocket::SocketError error)
{
    // Qt reports an orderly close by the server as an error before
    // `disconnected`; that close is no failure.
    if (m_muted || error == QAbstractSocket::RemoteHostClosedError)
        return;
    m_failed = true;
    emit failed(socketErrorText(error));
}

void RecordSocket::takePendingRecord()
{
    if (const auto record = m_framer.takePending())
        emit recordReceived(decodeCp1252(*record));
}
