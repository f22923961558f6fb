// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "connection/record_transport.h"

#include <QElapsedTimer>
#include <QStringList>

// Plays the socket: remembers what the connection asks of it, and lets the
// test report what a socket would.
class FakeTransport final : public RecordTransport
{
public:
    SocketState socketState = SocketState::Closed;
    QStringList attempts;       // "host:port"
    QList<qint64> attemptTimes; // milliseconds since the transport was made
    QList<QByteArray> sent;
    int closes = 0;

    SocketState state() const override { return socketState; }
    std::optional<QString> connectToServer(const QString& host, qint32 port) override
    {
        attempts << host + u':' + QString::number(port);
        attemptTimes << m_clock.elapsed();
        socketState = SocketState::Connecting;
        return std::nullopt;
    }
    void send(const QByteArray& bytes) override { sent << bytes; }
    void close() override
    {
        ++closes;
        socketState = SocketState::Closed;
    }

    void reportConnected(SocketState state = SocketState::Connected)
    {
        socketState = state;
        emit connected();
    }
    void reportRecord(const QString& record) { emit recordReceived(record); }

private:
    QElapsedTimer m_clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
};
