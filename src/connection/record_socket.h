// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record_framer.h"
#include "record_transport.h"

#include <QString>
#include <QTcpSocket>
#include <QTimer>

// The client socket of the connection to the decoder server. Received bytes
// are cut into records (see RecordFramer) and each record is reported once,
// decoded from code page 1252. Reads are bounded, so a server that floods
// the client cannot make it grow.
class RecordSocket final : public RecordTransport
{
    Q_OBJECT

public:
    // A record without line end is taken after this quiet spell.
    static constexpr int QuietMilliseconds = 50;

    explicit RecordSocket(QObject* parent = nullptr);
    ~RecordSocket() override;

    SocketState state() const override;
    std::optional<QString> connectToServer(const QString& host, qint32 port) override;
    void send(const QByteArray& bytes) override;
    void close() override;

private:
    void readRecords();
    void onDisconnected();
    void onError(QAbstractSocket::SocketError error);
    void takePendingRecord();

    QTcpSocket m_socket;
    RecordFramer m_framer;
    QTimer m_quietTimer;
    bool m_muted = false;        // after close(): Qt's late signals are not news
    bool m_remoteClosed = false; // Closing until close()
    bool m_failed = false;       // Failed until close()
};
