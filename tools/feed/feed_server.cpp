// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed_server.h"

#include <QTcpSocket>
#include <QTimer>

namespace {

constexpr int CloseWaitMs = 3000;

} // namespace

FeedServer::FeedServer(AllowList allowed, QObject* parent)
    : QObject(parent), m_allowed(std::move(allowed))
{
    connect(&m_server, &QTcpServer::newConnection, this, &FeedServer::acceptPending);
}

FeedServer::~FeedServer()
{
    // The sockets die with m_server, after the other members: their last
    // signals must not reach this half-destroyed server.
    for (QTcpSocket* client : m_clients.keys())
        client->disconnect(this);
}

bool FeedServer::listen(const QHostAddress& address, quint16 port)
{
    return m_server.listen(address, port);
}

int FeedServer::broadcast(const QByteArray& record)
{
    const QByteArray line = record + "\r\n";
    const QList<QTcpSocket*> clients = m_clients.keys();
    for (QTcpSocket* client : clients) {
        client->write(line);
        // Into the kernel at once: the event loop would move one block per
        // turn, and a burst of records would count against a healthy desk.
        client->flush();
        if (client->bytesToWrite() > MaxBacklog)
            remove(client, ClientEvent::Dropped);
    }
    return int(m_clients.size());
}

void FeedServer::close()
{
    if (m_closing)
        return;
    m_closing = true;
    m_server.close();
    if (m_clients.isEmpty()) {
        QTimer::singleShot(0, this, &FeedServer::closed);
        return;
    }
    const QList<QTcpSocket*> clients = m_clients.keys();
    for (QTcpSocket* client : clients)
        client->disconnectFromHost();
    QTimer::singleShot(CloseWaitMs, this, [this] {
        const QList<QTcpSocket*> stalled = m_clients.keys();
        for (QTcpSocket* client : stalled)
            remove(client, ClientEvent::Dropped);
    });
}

void FeedServer::acceptPending()
{
    while (QTcpSocket* client = m_server.nextPendingConnection()) {
        const QString peer =
            client->peerAddress().toString() + u':' + QString::number(client->peerPort());
        const bool allowed = m_allowed.permits(client->peerAddress());
        if (!allowed || m_closing || m_clients.size() >= MaxClients) {
            client->abort();
            client->deleteLater();
            emit clientEvent(allowed ? ClientEvent::TooMany : ClientEvent::NotAllowed, peer);
            continue;
        }
        m_clients.insert(client, peer);
        connect(client, &QTcpSocket::readyRead, this, [this, client] { readFrom(client); });
        connect(client, &QTcpSocket::disconnected, this,
                [this, client] { remove(client, ClientEvent::Left); });
        client->write("#!XX!# Halvorn Decoder Demo\r\n# bereit\r\nAN7778\r\n");
        emit clientEvent(ClientEvent::Connected, peer);
    }
}

void FeedServer::readFrom(QTcpSocket* client)
{
    // A desk sends only its quit line ("XXX") when it disconnects.
    if (client->readAll().contains("XXX"))
        client->disconnectFromHost();
}

void FeedServer::remove(QTcpSocket* client, ClientEvent event)
{
    const QString peer = m_clients.take(client);
    if (peer.isNull())
        return;
    client->disconnect(this);
    client->abort();
    client->deleteLater();
    emit clientEvent(event, peer);
    if (m_closing && m_clients.isEmpty())
        emit closed();
}
