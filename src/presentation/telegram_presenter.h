#pragma once

#include "connection/telegram_sink.h"
#include "message_bar.h"

#include <optional>

class Clock;
class LiveOptions;
struct ProgramData;

// Turns each decoded telegram into a message line in the bar and a summary
// line for the tray tooltip, after the user's filters in the main window.
class TelegramPresenter final : public TelegramSink
{
public:
    TelegramPresenter(ProgramData& data, const LiveOptions& options, MessageBar& bar,
                      const Clock& clock);

    void HandleFmeTelegram(QString& code) override;
    void HandlePocsagTelegram(QString& ric, QString& text) override;
    void HandleFmsFromVehicle(QString& fmsId, std::int16_t& status, QString& text) override;
    void HandleFmsToVehicle(QString& fmsId, std::int16_t& status, QString& text) override;

private:
    // The receiver line of a five-tone call or POCSAG message, in red.
    void showReceiverLine(const QString& time, const QString& line);
    void writeTrayText(const QString& text);
    // Index of the vehicle, or 0 with its identifier in the unlisted slot;
    // nothing when the telegram is not to be shown at all (a status outside
    // the tables, or an unlisted vehicle while those are not shown).
    std::optional<int> vehicleToShow(const QString& fmsId, std::int16_t status);
    // The request to speak or the speaking vehicle, in its own label.
    void showRadioSignal(BarLabel label, const QString& line);
    void showFmsLine(const QString& time, int vehicle, std::int16_t status,
                     const QString& statusText, const QString& text, int colourIndex);

    ProgramData& m_data;
    const LiveOptions& m_options;
    MessageBar& m_bar;
    const Clock& m_clock;
};

// " [text]" for a text that is not blank, else the text unchanged.
QString BracketForm(const QString& text);
