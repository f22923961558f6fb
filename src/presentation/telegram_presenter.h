#pragma once

#include "connection/telegram_sink.h"
#include "handled_telegram.h"
#include "message_bar.h"

#include <QObject>
#include <optional>

class Clock;
class Directories;
class LiveOptions;
struct StatusTables;
class TraySummary;

// Turns each decoded telegram into a message line in the bar and a summary
// line for the tray tooltip, after the user's filters in the main window,
// and reports every telegram it handled for the history.
class TelegramPresenter final : public QObject, public TelegramSink
{
    Q_OBJECT

public:
    TelegramPresenter(const Directories& directories, const StatusTables& statusTables,
                      TraySummary& tray, const LiveOptions& options, MessageBar& bar,
                      const Clock& clock, QObject* parent = nullptr);

    void handleFiveTone(const FiveToneCall& call) override;
    void handlePocsag(const PocsagMessage& message) override;
    void handleFms(const FmsTelegram& telegram) override;

signals:
    void telegramHandled(const HandledTelegram& telegram);

private:
    HandledTelegram newEntry(TelegramKind kind, const QString& address,
                             const QString& record) const;
    void handleFromVehicle(const FmsTelegram& telegram, const QString& name30,
                           HandledTelegram& entry);
    void handleToVehicle(const FmsTelegram& telegram, const QString& name30,
                         HandledTelegram& entry);
    // The receiver line of a five-tone call or POCSAG message, in red.
    void showReceiverLine(const QString& time, const QString& line);
    void writeTrayText(const QString& text);
    // The request to speak or the speaking vehicle, in its own label.
    void showRadioSignal(BarLabel label, const QString& line);
    void showFmsLine(const QString& time, const QString& name30, int status,
                     const QString& statusText, const QString& text, int colourIndex);

    const Directories& m_directories;
    const StatusTables& m_statusTables;
    TraySummary& m_tray;
    const LiveOptions& m_options;
    MessageBar& m_bar;
    const Clock& m_clock;
};

// " [text]" for a text that is not blank, else the text unchanged.
QString bracketForm(const QString& text);
