#pragma once

#include "record_framer.h"

#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
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

// The client socket of the connection to the decoder server. Received bytes
// are cut into records (see RecordFramer) and each record is reported once,
// decoded from code page 1252. Reads are bounded, so a server that floods
// the client cannot make it grow.
class RecordSocket final : public QObject
{
    Q_OBJECT

public:
    // A record without line end is taken after this quiet spell.
    static constexpr int QuietMilliseconds = 50;

    explicit RecordSocket(QObject* parent = nullptr);
    ~RecordSocket() override;

    SocketState state() const;

    // Starts an attempt. A request refused at once (a port outside 0..65535)
    // returns its description and starts nothing.
    std::optional<QString> connectToServer(const QString& host, qint32 port);
    void send(const QByteArray& bytes);
    // Closes at once, without a signal; the state is Closed afterwards.
    void close();

signals:
    void connected();
    void closedByServer();
    void failed(const QString& description);
    void recordReceived(const QString& record);

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
