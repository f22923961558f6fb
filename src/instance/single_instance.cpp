// SPDX-License-Identifier: GPL-3.0-or-later
#include "single_instance.h"

#include "instance_log.h"

#include <QDataStream>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QScopeGuard>
#include <QStandardPaths>
#include <cstring>
#include <optional>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A hand-over is small; anything larger is not one of ours.
constexpr qint64 MaxMessage = 64 * 1024;
constexpr char Received = 'k';

QByteArray message(const QStringList& arguments)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_6_4);
    stream << arguments;
    return bytes;
}

// The arguments of a hand-over; none when the bytes are not one. Read
// string by string: QDataStream would reserve room for any count it is told.
std::optional<QStringList> readArguments(const QByteArray& bytes)
{
    QDataStream stream(bytes);
    stream.setVersion(QDataStream::Qt_6_4);
    quint32 count = 0;
    stream >> count;
    if (count > quint32(bytes.size() / qsizetype(sizeof(quint32))))
        return std::nullopt; // each string takes four bytes at least
    QStringList arguments;
    for (quint32 i = 0; i < count; ++i) {
        QString argument;
        stream >> argument;
        arguments << argument;
    }
    if (stream.status() != QDataStream::Ok)
        return std::nullopt;
    return arguments;
}

} // namespace

QString SingleInstance::defaultSocketPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/ostrevo.socket");
}

bool SingleInstance::handOver(const QString& socketPath, const QStringList& arguments,
                              int timeoutMilliseconds)
{
    // Plain sockets: this runs before any application object exists, and
    // needs none.
    const QByteArray path = QFile::encodeName(socketPath);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof(address.sun_path)))
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const auto closeSocket = qScopeGuard([fd] { ::close(fd); });
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0)
        return false;
    const QByteArray bytes = message(arguments);
    QByteArray framed;
    QDataStream(&framed, QIODevice::WriteOnly) << quint32(bytes.size());
    framed += bytes;
    const timeval timeout{timeoutMilliseconds / 1000, (timeoutMilliseconds % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof(timeout));
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
    for (qsizetype sent = 0; sent < framed.size();) {
        const ssize_t written =
            ::send(fd, framed.constData() + sent, size_t(framed.size() - sent), MSG_NOSIGNAL);
        if (written <= 0)
            return false;
        sent += written;
    }
    char answer = 0;
    return ::recv(fd, &answer, 1, 0) == 1 && answer == Received;
}

SingleInstance::SingleInstance(const QString& socketPath, QObject* parent)
    : QObject(parent), m_socketPath(socketPath)
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::listen()
{
    // Default socket options: the runtime folder is the user's alone, and
    // other options make Qt rename the socket into place, over a live one.
    m_server = new QLocalServer(this);
    if (!m_server->listen(m_socketPath)) {
        // Nobody answers at a socket a killed run left behind.
        QLocalSocket probe;
        probe.connectToServer(m_socketPath);
        if (probe.waitForConnected(500))
            return false;
        qCInfo(lcInstance).noquote() << "Verwaister Socket" << m_socketPath << "übernommen";
        QLocalServer::removeServer(m_socketPath);
        if (!m_server->listen(m_socketPath)) {
            qCWarning(lcInstance).noquote()
                << m_socketPath << "kann nicht geöffnet werden:" << m_server->errorString()
                << "– ein zweiter Start wird nicht erkannt.";
            return true;
        }
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::takeConnection);
    return true;
}

void SingleInstance::takeConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (socket->bytesAvailable() > MaxMessage + qint64(sizeof(quint32))) {
                socket->abort();
                return;
            }
            QDataStream stream(socket);
            stream.setVersion(QDataStream::Qt_6_4);
            stream.startTransaction();
            quint32 size = 0;
            stream >> size;
            if (size > MaxMessage) {
                socket->abort();
                return;
            }
            QByteArray bytes(qsizetype(size), Qt::Uninitialized);
            if (stream.readRawData(bytes.data(), int(size)) != int(size)) {
                stream.rollbackTransaction();
                return; // the rest is still on its way
            }
            stream.commitTransaction();
            const std::optional<QStringList> handedOver = readArguments(bytes);
            if (!handedOver) {
                socket->abort();
                return;
            }
            const QStringList& arguments = *handedOver;
            socket->write(QByteArray(1, Received));
            socket->flush();
            qCInfo(lcInstance) << "Zweiter Start übergeben:" << arguments.size()
                               << (arguments.size() == 1 ? "Argument" : "Argumente");
            emit argumentsReceived(arguments);
        });
    }
}
