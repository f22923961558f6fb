#pragma once

#include "winsock2.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <optional>

class ConnectionView;
class TelegramSink;

// The one connection to the decoder server: connect button, reconnect timer,
// status display and the hand-over of every received record to the intake.
class ConnectionManager : public QObject
{
    Q_OBJECT

public:
    static constexpr int FirstRetryMilliseconds = 4000;
    static constexpr int RetryMilliseconds = 30000;

    ConnectionManager(ConnectionView& view, TelegramSink& sink, QObject* parent = nullptr);

    static QByteArray QuitLine() { return QByteArrayLiteral("XXX\r\n"); }

    Winsock2& socket() { return m_socket; }
    QTimer& Timer1() { return m_timer; }

    // Starts an attempt with the window's address and port; a request the
    // socket refuses at once returns its description.
    std::optional<QString> ConnectToServer();

    void cmdStatus_Click();
    void chkAuto_Click();
    void Timer1_Timer();

    // Shut-down: the quit line twice when connected, 0.2 s of event
    // processing so it leaves and late events are handled, then close.
    void SayGoodbye();

private:
    void Winsock2_Connect();
    void Winsock2_Close();
    void Winsock2_Error(const QString& description);
    void Winsock2_DataArrival(const QString& record);

    ConnectionView& m_view;
    TelegramSink& m_sink;
    Winsock2 m_socket;
    QTimer m_timer;
};
