// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/reason_counts.h"
#include "connection_report.h"
#include "record_transport.h"
#include "telegram_intake.h"

#include <QObject>
#include <QTimer>
#include <memory>

class Clock;
class SettingsSource;
class TelegramSink;

// The reconnect timer's spacing: the first attempt soon after automatic
// connection is switched on, later ones further apart.
struct RetryIntervals
{
    int firstMilliseconds = 4000;
    int laterMilliseconds = 30000;
};

// The one connection to the decoder server: the connect button, automatic
// reconnection, the reports for the status display and the hand-over of
// every received record, stamped with its time, to the intake. Address,
// port and automatic connection are read from the settings at each use.
class ServerConnection final : public QObject
{
    Q_OBJECT

public:
    static inline const QByteArray QuitLine = QByteArrayLiteral("XXX\r\n");

    ServerConnection(const SettingsSource& settings, TelegramSink& sink, const Clock& clock,
                     QObject* parent = nullptr);
    ServerConnection(const SettingsSource& settings, TelegramSink& sink, const Clock& clock,
                     std::unique_ptr<RecordTransport> transport, RetryIntervals intervals,
                     QObject* parent = nullptr);
    ~ServerConnection() override;

    // The button: connect when closed, ask the server to close when
    // connected, abandon anything in between.
    void toggleConnection();
    // Automatic connection switched: the reconnect timer runs exactly while
    // it is on.
    void followAutoConnect();
    // Shut-down: the quit line twice when connected, 0.2 s of events so that
    // it leaves and late news is handled, then close.
    void sayGoodbye();

signals:
    void reported(const ConnectionReport& report);

private:
    std::optional<QString> startAttempt();
    void retry();
    void onConnected();
    void onServerClosed();
    void onFailed(const QString& description);
    void takeRecord(const QString& text);
    void report(ConnectionEvent event, const QString& error = {});
    void logDroppedRecords();

    const SettingsSource& m_settings;
    TelegramSink& m_sink;
    const Clock& m_clock;
    std::unique_ptr<RecordTransport> m_transport;
    const RetryIntervals m_intervals;
    QTimer m_retryTimer;
    QString m_server; // "host:port" of the last attempt, for the log
    QString m_lastLoggedFailure;
    ReasonCounts<DroppedRecord> m_dropped;
};
