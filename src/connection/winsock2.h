#pragma once

#include "record_framer.h"

#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <optional>

// The client socket with the state numbers and events the connection
// manager works with. Received bytes are cut into records (see
// RecordFramer); each record arrives as one dataArrival.
class Winsock2 : public QObject
{
    Q_OBJECT

public:
    enum SocketState
    {
        Closed = 0,
        Open = 1,
        Listening = 2,
        ConnectionPending = 3,
        ResolvingHost = 4,
        HostResolved = 5,
        Connecting = 6,
        Connected = 7,
        Closing = 8,
        Error = 9,
    };

    // A record without line end is taken after this quiet spell.
    static constexpr int QuietMilliseconds = 50;

    explicit Winsock2(QObject* parent = nullptr);
    ~Winsock2() override;

    int State() const;

    // Starts an attempt. A request the socket refuses at once (a port outside
    // 0..65535) returns its description and starts nothing.
    std::optional<QString> Connect(const QString& host, qint32 port);
    void SendData(const QByteArray& bytes);
    // Closes at once and returns to state 0 without raising an event.
    void Close();

signals:
    void connectEvent();
    void closeEvent();
    void errorEvent(const QString& description);
    void dataArrival(const QString& record);

private:
    void onReadyRead();
    void onDisconnected();
    void onError(QAbstractSocket::SocketError error);
    void deliver(const QByteArray& record);
    void takePendingRecord();

    QTcpSocket m_socket;
    RecordFramer m_framer;
    QTimer m_quietTimer;
    bool m_muted = false;        // after Close(): Qt's late signals are not events
    bool m_remoteClosed = false; // state 8 until Close()
    bool m_failed = false;       // state 9 until Close()
};

// One clear German phrase per socket failure.
QString SocketErrorDescription(QAbstractSocket::SocketError error);
