#pragma once

#include "common/rgb.h"
#include "record_socket.h"

#include <QObject>
#include <QTimer>
#include <optional>

class SettingsSource;
class TelegramSink;

// What the settings window shows of the connection.
struct ConnectionDisplay
{
    QString status = QStringLiteral("Unbekannt");
    std::optional<Rgb> statusColour; // none: the normal text colour
    QString buttonCaption = QStringLiteral("Verbinden");
    bool operator==(const ConnectionDisplay&) const = default;
};

// The one connection to the decoder server: the connect button, automatic
// reconnection, the status display and the hand-over of every received
// record to the intake. Address, port and automatic connection are read
// from the settings at each use.
class ServerConnection final : public QObject
{
    Q_OBJECT

public:
    static constexpr int FirstRetryMilliseconds = 4000;
    static constexpr int RetryMilliseconds = 30000;
    static inline const QByteArray QuitLine = QByteArrayLiteral("XXX\r\n");

    ServerConnection(const SettingsSource& settings, TelegramSink& sink, QObject* parent = nullptr);

    const ConnectionDisplay& display() const { return m_display; }

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
    void displayChanged();

private:
    std::optional<QString> startAttempt();
    void retry();
    void onConnected();
    void onServerClosed();
    void onFailed(const QString& description);
    void show(const QString& status, std::optional<Rgb> colour,
              std::optional<QString> buttonCaption = std::nullopt);

    const SettingsSource& m_settings;
    TelegramSink& m_sink;
    RecordSocket m_socket;
    QTimer m_retryTimer;
    ConnectionDisplay m_display;
};
