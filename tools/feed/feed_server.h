// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "network_access.h"

#include <QHash>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;

// Serves records to the connected desks like a decoder server: a greeting,
// then one record per line, CR LF ended. Peers outside the allow list are
// closed at once and sent nothing; a desk that stops reading is dropped
// once its backlog passes MaxBacklog, so memory stays bounded.
class FeedServer : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 MaxBacklog = 1024 * 1024;
    static constexpr int MaxClients = 32;

    enum class ClientEvent
    {
        Connected,
        NotAllowed,
        TooMany,
        Left,
        Dropped, // its backlog passed MaxBacklog
    };
    Q_ENUM(ClientEvent)

    explicit FeedServer(AllowList allowed, QObject* parent = nullptr);
    ~FeedServer() override;

    bool listen(const QHostAddress& address, quint16 port);
    QString errorString() const { return m_server.errorString(); }
    quint16 serverPort() const { return m_server.serverPort(); }

    // Sends one record to every desk; returns to how many.
    int broadcast(const QByteArray& record);

    // Stops listening and closes every connection once its data is out
    // (waiting at most a few seconds), then emits closed().
    void close();

signals:
    void clientEvent(FeedServer::ClientEvent event, const QString& peer);
    void closed();

private:
    void acceptPending();
    void readFrom(QTcpSocket* client);
    void remove(QTcpSocket* client, ClientEvent event);

    QTcpServer m_server;
    AllowList m_allowed;
    QHash<QTcpSocket*, QString> m_clients; // and how the log names them
    bool m_closing = false;
};
