// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/reason_counts.h"
#include "message_bar.h"
#include "telegram/handled_telegram.h"
#include "telegram/telegram_sink.h"

#include <QObject>

class Directories;
class SettingsSource;
class StatusTables;
class TelegramSummary;

// Turns each decoded telegram into a message line in the bar and a summary
// line for the tray tooltip, after the user's filters, and reports every
// telegram it handled for the history.
class TelegramPresenter final : public QObject, public TelegramSink
{
    Q_OBJECT

public:
    // Why a telegram did not reach the bar.
    enum class HeldBack
    {
        BarNotInUse,
        UnlistedReceiver,
        UnlistedVehicle,
        NoMessageLine,
        NotInFilter,
    };

    TelegramPresenter(const Directories& directories, const StatusTables& statusTables,
                      const SettingsSource& settings, MessageBar& bar, TelegramSummary& summary,
                      QObject* parent = nullptr);
    ~TelegramPresenter() override;

    void handleFiveTone(const FiveToneCall& call) override;
    void handlePocsag(const PocsagMessage& message) override;
    void handleFms(const FmsTelegram& telegram) override;

signals:
    void telegramHandled(const HandledTelegram& telegram);

private:
    static HandledTelegram newEntry(TelegramKind kind, const QString& address,
                                    const ReceivedRecord& record);
    // The line of a five-tone call or POCSAG message, listed or not.
    void showReceiver(HandledTelegram& entry, const QString& line, const QString& summary);
    void showFromVehicle(const FmsTelegram& telegram, const QString& name30,
                         HandledTelegram& entry);
    void showToVehicle(const FmsTelegram& telegram, const QString& name30, HandledTelegram& entry);
    void showFmsLine(const QString& time, const QString& name30, const FmsTelegram& telegram,
                     const QString& statusText, const QString& text);
    void showRadioSignal(BarLabel label, BarEmphasis emphasis, const QString& caption);
    void writeSummary(const QString& text);
    void finish(const HandledTelegram& entry, HeldBack reasonIfNotShown);

    const Directories& m_directories;
    const StatusTables& m_statusTables;
    const SettingsSource& m_settings;
    MessageBar& m_bar;
    TelegramSummary& m_summary;
    ReasonCounts<HeldBack> m_heldBack;
};
