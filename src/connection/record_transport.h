// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <optional>

enum class SocketState
{
    Closed,
    ResolvingHost,
    Connecting,
    Connected,
    Closing, // the server closed the connection; close() returns to Closed
    Failed,  // a failure was reported; close() returns to Closed
};

// A connection to the server that delivers whole records: what the
// connection manager needs of a socket, so that tests can play the socket.
class RecordTransport : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual SocketState state() const = 0;
    // Starts an attempt. A request refused at once (a port outside 0..65535)
    // returns its description and starts nothing.
    virtual std::optional<QString> connectToServer(const QString& host, qint32 port) = 0;
    virtual void send(const QByteArray& bytes) = 0;
    // Closes at once, without a signal; the state is Closed afterwards.
    virtual void close() = 0;

signals:
    void connected();
    void closedByServer();
    void failed(const QString& description);
    // One record without its line end, decoded from code page 1252.
    void recordReceived(const QString& record);
};
