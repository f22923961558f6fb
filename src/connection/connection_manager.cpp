#include "connection_manager.h"

#include "common/leading_number.h"
#include "common/trim_spaces.h"
#include "common/whole_number.h"
#include "connection_view.h"
#include "telegram_intake.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr int kGoodbyeMilliseconds = 200;
} // namespace

ConnectionManager::ConnectionManager(ConnectionView& view, TelegramSink& sink, QObject* parent)
    : QObject(parent), m_view(view), m_sink(sink)
{
    m_timer.setInterval(FirstRetryMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &ConnectionManager::Timer1_Timer);
    connect(&m_socket, &Winsock2::connectEvent, this, &ConnectionManager::Winsock2_Connect);
    connect(&m_socket, &Winsock2::closeEvent, this, &ConnectionManager::Winsock2_Close);
    connect(&m_socket, &Winsock2::errorEvent, this, &ConnectionManager::Winsock2_Error);
    connect(&m_socket, &Winsock2::dataArrival, this, &ConnectionManager::Winsock2_DataArrival);
}

std::optional<QString> ConnectionManager::ConnectToServer()
{
    const QString host = trimSpaces(m_view.serverAddressText());
    const auto port = toInt32(parseLeadingNumber(m_view.serverPortText()));
    if (!port)
        return overflowDescription();
    return m_socket.Connect(host, *port);
}

void ConnectionManager::cmdStatus_Click()
{
    switch (m_socket.State()) {
    case Winsock2::Closed:
        if (const auto refusal = ConnectToServer())
            m_view.showStatus(QStringLiteral("ERR:") + *refusal, std::nullopt);
        return;
    case Winsock2::Connected:
        m_socket.SendData(QuitLine());
        return;
    default:
        m_socket.Close();
        return;
    }
}

void ConnectionManager::chkAuto_Click()
{
    if (m_view.autoConnectChecked())
        m_timer.start();
    else
        m_timer.stop();
}

void ConnectionManager::Timer1_Timer()
{
    if (m_timer.interval() < 10000)
        m_timer.setInterval(RetryMilliseconds);
    if (!m_view.autoConnectChecked() || m_socket.State() == Winsock2::Connected)
        return;
    m_socket.Close();
    if (const auto refusal = ConnectToServer())
        m_view.showStatus(QStringLiteral("Err:") + *refusal, std::nullopt);
}

void ConnectionManager::SayGoodbye()
{
    if (m_socket.State() != Winsock2::Connected)
        return;
    m_socket.SendData(QuitLine());
    m_socket.SendData(QuitLine());
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() <= kGoodbyeMilliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    m_socket.Close();
}

void ConnectionManager::Winsock2_Connect()
{
    if (m_socket.State() == Winsock2::Connected)
        m_view.showStatus(QStringLiteral("Verbunden"), kGreen);
    else
        m_view.showStatus(QStringLiteral("Verb????"), kBlue);
    m_view.setStatusButtonCaption(QStringLiteral("Trennen"));
}

void ConnectionManager::Winsock2_Close()
{
    m_view.showStatus(QStringLiteral("Getrennt"), kRed);
    m_view.setStatusButtonCaption(QStringLiteral("Verbinden"));
    m_socket.Close();
}

void ConnectionManager::Winsock2_Error(const QString& description)
{
    m_view.showStatus(QStringLiteral("ERR:") + description, std::nullopt);
    m_socket.Close();
}

void ConnectionManager::Winsock2_DataArrival(const QString& record)
{
    classifyTelegram(record, m_sink);
}
