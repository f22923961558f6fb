// SPDX-License-Identifier: GPL-3.0-or-later
#include "telegram_presenter.h"

#include "bar_use.h"
#include "caption_text.h"
#include "common/clock.h"
#include "common/fixed_text.h"
#include "common/trim_spaces.h"
#include "directories/directories.h"
#include "directories/status_tables.h"
#include "presentation_log.h"
#include "settings/settings.h"
#include "telegram_summary.h"

namespace {

// The code the "Log only" filter names a telegram by: "003", "110".
QString messageCode(FmsDirection direction, int status)
{
    return (direction == FmsDirection::FromVehicle ? u'0' : u'1') +
           QStringLiteral("%1").arg(status, 2, 10, QLatin1Char('0'));
}

QString rightAligned(int status)
{
    return QString::number(status).rightJustified(2, u' ');
}

// An unlisted vehicle's identifier stands in its 30-character name field.
QString unlistedName(const QString& fmsId)
{
    FixedText<30> name;
    name.assign(fmsId);
    return name.text();
}

// " [text]" for a text that is not blank, else the text unchanged.
QString bracketForm(const QString& text)
{
    const QString trimmed = trimSpaces(text);
    return trimmed.isEmpty() ? text : QStringLiteral(" [") + trimmed + u']';
}

// The telegram's text as a caption: the TRN mark of a text telegram to a
// vehicle is shown as it is, any other "&" follows the caption rule.
QString captionOf(const FmsTelegram& telegram)
{
    if (telegram.direction != FmsDirection::ToVehicle || telegram.status != FmsStatus::TextTelegram)
        return telegram.text;
    return QString(telegram.text).replace(QStringLiteral("&TRN"), QStringLiteral("&&TRN"));
}

// Statuses 11-14 and 16-18 from a vehicle carry no message line.
bool hasMessageLine(int status)
{
    return status <= FmsStatus::TextTelegram || status == FmsStatus::Speaking;
}

QString heldBackText(TelegramPresenter::HeldBack reason)
{
    using HeldBack = TelegramPresenter::HeldBack;
    switch (reason) {
    case HeldBack::BarNotInUse:
        return QStringLiteral("Leiste nicht aktiv");
    case HeldBack::UnlistedReceiver:
        return QStringLiteral("unbekannter Melder, nicht angezeigt");
    case HeldBack::UnlistedVehicle:
        return QStringLiteral("unbekanntes Fahrzeug, nicht angezeigt");
    case HeldBack::NoMessageLine:
        return QStringLiteral("Status ohne Meldezeile");
    case HeldBack::NotInFilter:
        return QStringLiteral("nicht in „Log only“");
    }
    return {};
}

} // namespace

TelegramPresenter::TelegramPresenter(const Directories& directories,
                                     const StatusTables& statusTables,
                                     const SettingsSource& settings, MessageBar& bar,
                                     TelegramSummary& summary, QObject* parent)
    : QObject(parent), m_directories(directories), m_statusTables(statusTables),
      m_settings(settings), m_bar(bar), m_summary(summary)
{
}

TelegramPresenter::~TelegramPresenter()
{
    if (m_heldBack.total() > 0)
        qCInfo(lcPresentation).noquote()
            << "Nicht in der Leiste:" << m_heldBack.summary(heldBackText);
}

void TelegramPresenter::handleFiveTone(const FiveToneCall& call)
{
    HandledTelegram entry = newEntry(TelegramKind::FiveTone, trimSpaces(call.code), call.record);
    if (const FiveToneReceiver* receiver = m_directories.findFiveTone(call.code)) {
        entry.name = receiver->name.trimmed();
        const QString listed = receiver->code.text() + u' ' + entry.name;
        showReceiver(entry, listed, listed);
    } else if (m_settings.settings().showUnlistedReceivers) {
        const QString unlisted = call.code + QStringLiteral(" Unbekannt");
        showReceiver(entry, unlisted, unlisted);
    }
    finish(entry, entry.passedFilters ? HeldBack::BarNotInUse : HeldBack::UnlistedReceiver);
}

void TelegramPresenter::handlePocsag(const PocsagMessage& message)
{
    HandledTelegram entry = newEntry(TelegramKind::Pocsag, message.address, message.record);
    entry.text = message.text;
    entry.subAddress = message.subAddress;
    if (const PocsagReceiver* receiver = m_directories.findPocsag(message.address)) {
        entry.name = receiver->name.trimmed();
        const QString listed = QString::number(receiver->address) + u' ' + entry.name;
        showReceiver(entry, listed + u' ' + message.text, listed);
    } else if (m_settings.settings().showUnlistedReceivers) {
        showReceiver(entry, message.address + QStringLiteral(" Unbekannt ") + message.text,
                     message.address + QStringLiteral(" Unbekannt"));
    }
    finish(entry, entry.passedFilters ? HeldBack::BarNotInUse : HeldBack::UnlistedReceiver);
}

void TelegramPresenter::handleFms(const FmsTelegram& telegram)
{
    HandledTelegram entry =
        newEntry(TelegramKind::Fms, trimSpaces(telegram.fmsId), telegram.record);
    entry.status = telegram.status;
    entry.direction = telegram.direction;
    const QString& statusText = m_statusTables.text(telegram.status, telegram.direction);
    entry.text = trimSpaces(captionDisplayText(telegram.status == FmsStatus::TextTelegram
                                                   ? captionOf(telegram)
                                                   : statusText + bracketForm(telegram.text)));

    const Vehicle* vehicle = m_directories.findVehicle(telegram.fmsId);
    if (vehicle)
        entry.name = vehicle->name.trimmed();
    if (vehicle || m_settings.settings().showUnlistedVehicles) {
        const QString name30 = vehicle ? vehicle->name.text() : unlistedName(telegram.fmsId);
        if (telegram.direction == FmsDirection::FromVehicle)
            showFromVehicle(telegram, name30, entry);
        else
            showToVehicle(telegram, name30, entry);
        if (barInUse(m_settings.settings()))
            m_bar.layoutLabels();
    }
    entry.shown = entry.passedFilters && barInUse(m_settings.settings());
    HeldBack reason = HeldBack::BarNotInUse;
    if (!vehicle && !m_settings.settings().showUnlistedVehicles)
        reason = HeldBack::UnlistedVehicle;
    else if (telegram.direction == FmsDirection::FromVehicle && !hasMessageLine(telegram.status))
        reason = HeldBack::NoMessageLine;
    else if (!entry.passedFilters)
        reason = HeldBack::NotInFilter;
    finish(entry, reason);
}

void TelegramPresenter::finish(const HandledTelegram& entry, HeldBack reasonIfNotShown)
{
    if (!entry.shown) {
        m_heldBack.count(reasonIfNotShown);
        qCDebug(lcPresentation).noquote()
            << QStringLiteral("Nicht in der Leiste (%1):").arg(heldBackText(reasonIfNotShown))
            << entry.address;
    }
    emit telegramHandled(entry);
}

HandledTelegram TelegramPresenter::newEntry(TelegramKind kind, const QString& address,
                                            const ReceivedRecord& record)
{
    HandledTelegram entry;
    entry.receivedAt = record.receivedAt;
    entry.kind = kind;
    entry.address = address;
    entry.record = record.text;
    return entry;
}

void TelegramPresenter::showReceiver(HandledTelegram& entry, const QString& line,
                                     const QString& summary)
{
    entry.passedFilters = true;
    entry.shown = barInUse(m_settings.settings());
    const QString time = formatTimeStamp(entry.receivedAt);
    if (entry.shown) {
        m_bar.bringUp();
        writeCaption(m_bar, BarLabel::Time, time);
        writeCaption(m_bar, BarLabel::Line, line);
        m_bar.setLineColour(m_statusTables.colour(StatusTables::FiveToneAndPocsagColour));
        m_bar.setEmphasis(BarEmphasis::Message);
    }
    writeSummary(time + u' ' + summary);
}

void TelegramPresenter::showFromVehicle(const FmsTelegram& telegram, const QString& name30,
                                        HandledTelegram& entry)
{
    const int status = telegram.status;
    if (!hasMessageLine(status) || !m_settings.settings().messageFilter.contains(
                                       messageCode(FmsDirection::FromVehicle, status)))
        return;
    entry.passedFilters = true;
    const bool inUse = barInUse(m_settings.settings());
    const QString time = formatTimeStamp(entry.receivedAt);
    const QString name = trimSpaces(name30);
    const QString& statusText = m_statusTables.text(status, FmsDirection::FromVehicle);
    if (status == FmsStatus::RequestToSpeak) {
        if (inUse)
            showRadioSignal(BarLabel::RequestToSpeak, BarEmphasis::RequestToSpeak,
                            time + QStringLiteral(" SW: ") + name);
    } else if (status == FmsStatus::Speaking) {
        if (inUse)
            showRadioSignal(BarLabel::Speaking, BarEmphasis::Speaking,
                            time + QStringLiteral(" Spricht: ") + name);
    } else if (status == FmsStatus::TextTelegram) {
        // A free text instead of a status meaning, without brackets.
        if (inUse)
            showFmsLine(time, name30, telegram, QString(), captionOf(telegram));
    } else {
        if (inUse)
            showFmsLine(time, name30, telegram, statusText, bracketForm(telegram.text));
        writeSummary(time + u' ' + name + QStringLiteral(" (") + QString::number(status) +
                     QStringLiteral(") ") + statusText);
    }
}

void TelegramPresenter::showToVehicle(const FmsTelegram& telegram, const QString& name30,
                                      HandledTelegram& entry)
{
    if (!m_settings.settings().messageFilter.contains(
            messageCode(FmsDirection::ToVehicle, telegram.status)))
        return;
    entry.passedFilters = true;
    if (!barInUse(m_settings.settings()))
        return;
    const QString time = formatTimeStamp(entry.receivedAt);
    if (telegram.status == FmsStatus::TextTelegram)
        showFmsLine(time, name30, telegram, QString(), captionOf(telegram));
    else
        showFmsLine(time, name30, telegram,
                    m_statusTables.text(telegram.status, telegram.direction),
                    bracketForm(telegram.text));
}

void TelegramPresenter::showFmsLine(const QString& time, const QString& name30,
                                    const FmsTelegram& telegram, const QString& statusText,
                                    const QString& text)
{
    m_bar.bringUp();
    writeCaption(m_bar, BarLabel::Time, time);
    writeCaption(m_bar, BarLabel::Line,
                 name30 + u' ' + rightAligned(telegram.status) + u' ' + statusText + text);
    m_bar.setLineColour(m_statusTables.lineColour(telegram.status, telegram.direction));
    m_bar.setEmphasis(BarEmphasis::Message);
}

void TelegramPresenter::showRadioSignal(BarLabel label, BarEmphasis emphasis,
                                        const QString& caption)
{
    m_bar.bringUp();
    writeCaption(m_bar, label, caption);
    m_bar.setEmphasis(emphasis);
}

void TelegramPresenter::writeSummary(const QString& text)
{
    if (m_settings.settings().trayIconWanted)
        m_summary.setText(text);
}
