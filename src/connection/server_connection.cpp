// SPDX-License-Identifier: GPL-3.0-or-later
#include "server_connection.h"

#include "common/clock.h"
#include "common/leading_number.h"
#include "common/log_text.h"
#include "common/trim_spaces.h"
#include "common/whole_number.h"
#include "connection_log.h"
#include "record_socket.h"
#include "settings/settings.h"
#include "telegram/telegram_sink.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {
constexpr int GoodbyeMilliseconds = 200;
}

ServerConnection::ServerConnection(const SettingsSource& settings, TelegramSink& sink,
                                   const Clock& clock, QObject* parent)
    : ServerConnection(settings, sink, clock, std::make_unique<RecordSocket>(), RetryIntervals(),
                       parent)
{
}

ServerConnection::ServerConnection(const SettingsSource& settings, TelegramSink& sink,
                                   const Clock& clock, std::unique_ptr<RecordTransport> transport,
                                   RetryIntervals intervals, QObject* parent)
    : QObject(parent), m_settings(settings), m_sink(sink), m_clock(clock),
      m_transport(std::move(transport)), m_intervals(intervals)
{
    m_retryTimer.setInterval(m_intervals.firstMilliseconds);
    connect(&m_retryTimer, &QTimer::timeout, this, &ServerConnection::retry);
    RecordTransport* socket = m_transport.get();
    connect(socket, &RecordTransport::connected, this, &ServerConnection::onConnected);
    connect(socket, &RecordTransport::closedByServer, this, &ServerConnection::onServerClosed);
    connect(socket, &RecordTransport::failed, this, &ServerConnection::onFailed);
    connect(socket, &RecordTransport::recordReceived, this, &ServerConnection::takeRecord);
}

ServerConnection::~ServerConnection()
{
    logDroppedRecords();
}

void ServerConnection::toggleConnection()
{
    switch (m_transport->state()) {
    case SocketState::Closed:
        if (const auto refusal = startAttempt())
            report(ConnectionEvent::Failed, *refusal);
        return;
    case SocketState::Connected:
        qCInfo(lcConnection) << "Bitte um Trennung an" << m_server;
        m_transport->send(QuitLine); // the server closes in answer
        return;
    default:
        qCInfo(lcConnection) << "Versuch abgebrochen:" << m_server;
        m_transport->close();
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
    if (m_transport->state() != SocketState::Connected)
        return;
    m_transport->send(QuitLine);
    m_transport->send(QuitLine);
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() <= GoodbyeMilliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    m_transport->close();
    qCInfo(lcConnection) << "Abgemeldet bei" << m_server;
}

std::optional<QString> ServerConnection::startAttempt()
{
    const Settings& settings = m_settings.settings();
    const auto port = toInt32(parseLeadingNumber(settings.serverPort));
    if (!port)
        return overflowDescription();
    const QString host = trimSpaces(settings.serverAddress);
    m_server = host + u':' + QString::number(*port);
    qCDebug(lcConnection) << "Verbinde mit" << m_server;
    return m_transport->connectToServer(host, *port);
}

void ServerConnection::retry()
{
    // The first attempt comes soon after switching on; later ones are spaced.
    if (m_retryTimer.interval() != m_intervals.laterMilliseconds)
        m_retryTimer.setInterval(m_intervals.laterMilliseconds);
    if (!m_settings.settings().autoConnect || m_transport->state() == SocketState::Connected)
        return;
    m_transport->close();
    if (const auto refusal = startAttempt())
        report(ConnectionEvent::RetryFailed, *refusal);
}

void ServerConnection::onConnected()
{
    m_lastLoggedFailure.clear();
    if (m_transport->state() == SocketState::Connected) {
        qCInfo(lcConnection) << "Verbunden mit" << m_server;
        report(ConnectionEvent::Connected);
    } else {
        qCWarning(lcConnection) << "Verbindung mit" << m_server << "gemeldet, aber nicht bestätigt";
        report(ConnectionEvent::ConnectedUnconfirmed);
    }
}

void ServerConnection::onServerClosed()
{
    qCInfo(lcConnection) << "Verbindung von" << m_server << "getrennt";
    logDroppedRecords();
    report(ConnectionEvent::ClosedByServer);
    m_transport->close();
}

void ServerConnection::onFailed(const QString& description)
{
    logDroppedRecords();
    report(ConnectionEvent::Failed, description);
    m_transport->close();
}

void ServerConnection::takeRecord(const QString& text)
{
    const std::optional<DroppedRecord> dropped =
        classifyTelegram(ReceivedRecord{text, m_clock.now()}, m_sink);
    if (!dropped)
        return;
    m_dropped.count(*dropped);
    qCDebug(lcIntake).noquote()
        << QStringLiteral("Verworfen (%1):").arg(droppedRecordText(*dropped)) << logText(text);
}

void ServerConnection::report(ConnectionEvent event, const QString& error)
{
    if (!error.isEmpty()) {
        // An unreachable server fails every 30 s; once in the log is enough.
        if (error != m_lastLoggedFailure)
            qCWarning(lcConnection).noquote()
                << "Verbindung mit" << m_server << "gescheitert:" << error;
        else
            qCDebug(lcConnection).noquote() << "Wieder gescheitert:" << m_server << error;
        m_lastLoggedFailure = error;
    }
    emit reported({event, error});
}

void ServerConnection::logDroppedRecords()
{
    if (m_dropped.total() == 0)
        return;
    qCInfo(lcIntake).noquote() << "Von" << m_server
                               << "verworfene Datensätze:" << m_dropped.summary(droppedRecordText);
    m_dropped.clear();
}
