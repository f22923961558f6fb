#include "server_connection.h"

#include "common/leading_number.h"
#include "common/trim_spaces.h"
#include "common/whole_number.h"
#include "settings/settings.h"
#include "telegram_intake.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr int kGoodbyeMilliseconds = 200;
} // namespace

ServerConnection::ServerConnection(const SettingsSource& settings, TelegramSink& sink,
                                   QObject* parent)
    : QObject(parent), m_settings(settings), m_sink(sink)
{
    m_retryTimer.setInterval(FirstRetryMilliseconds);
    connect(&m_retryTimer, &QTimer::timeout, this, &ServerConnection::retry);
    connect(&m_socket, &RecordSocket::connected, this, &ServerConnection::onConnected);
    connect(&m_socket, &RecordSocket::closedByServer, this, &ServerConnection::onServerClosed);
    connect(&m_socket, &RecordSocket::failed, this, &ServerConnection::onFailed);
    connect(&m_socket, &RecordSocket::recordReceived, this,
            [this](const QString& record) { classifyTelegram(record, m_sink); });
}

void ServerConnection::toggleConnection()
{
    switch (m_socket.state()) {
    case SocketState::Closed:
        if (const auto refusal = startAttempt())
            show(QStringLiteral("ERR:") + *refusal, m_display.statusColour);
        return;
    case SocketState::Connected:
        m_socket.send(QuitLine); // the server closes in answer
        return;
    default:
        m_socket.close();
        return;
    }
}

void ServerConnection::followAutoConnect()
{
    if (m_settings.settings().autoConnect)
        m_retryTimer.start();
    else
        m_retryTimer.stop();
}

void ServerConnection::sayGoodbye()
{
    if (m_socket.state() != SocketState::Connected)
        return;
    m_socket.send(QuitLine);
    m_socket.send(QuitLine);
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() <= kGoodbyeMilliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    m_socket.close();
}

std::optional<QString> ServerConnection::startAttempt()
{
    const Settings& settings = m_settings.settings();
    const auto port = toInt32(parseLeadingNumber(settings.serverPort));
    if (!port)
        return overflowDescription();
    return m_socket.connectToServer(trimSpaces(settings.serverAddress), *port);
}

void ServerConnection::retry()
{
    // The first attempt comes soon after switching on; later ones are spaced.
    if (m_retryTimer.interval() != RetryMilliseconds)
        m_retryTimer.setInterval(RetryMilliseconds);
    if (!m_settings.settings().autoConnect || m_socket.state() == SocketState::Connected)
        return;
    m_socket.close();
    if (const auto refusal = startAttempt())
        show(QStringLiteral("Err:") + *refusal, m_display.statusColour);
}

void ServerConnection::onConnected()
{
    if (m_socket.state() == SocketState::Connected)
        show(QStringLiteral("Verbunden"), kGreen, QStringLiteral("Trennen"));
    else
        show(QStringLiteral("Verb????"), kBlue, QStringLiteral("Trennen"));
}

void ServerConnection::onServerClosed()
{
    show(QStringLiteral("Getrennt"), kRed, QStringLiteral("Verbinden"));
    m_socket.close();
}

void ServerConnection::onFailed(const QString& description)
{
    show(QStringLiteral("ERR:") + description, m_display.statusColour);
    m_socket.close();
}

void ServerConnection::show(const QString& status, std::optional<Rgb> colour,
                            std::optional<QString> buttonCaption)
{
    m_display.status = status;
    m_display.statusColour = colour;
    if (buttonCaption)
        m_display.buttonCaption = *buttonCaption;
    emit displayChanged();
}
