#include "telegram_presenter.h"

#include "common/caption_text.h"
#include "common/clock.h"
#include "common/fixed_text.h"
#include "common/tray_summary.h"
#include "common/trim_spaces.h"
#include "directories/directories.h"
#include "live_options.h"
#include "status_tables.h"

namespace {

QString rightAligned(int status)
{
    return QString::number(status).rightJustified(2, u' ');
}

// The identifier of an unlisted vehicle stands in its name field.
QString unlistedName(const QString& fmsId)
{
    FixedText<30> name;
    name.assign(fmsId);
    return name.text();
}

} // namespace

QString bracketForm(const QString& text)
{
    const QString trimmed = trimSpaces(text);
    return trimmed.isEmpty() ? text : QStringLiteral(" [") + trimmed + u']';
}

TelegramPresenter::TelegramPresenter(const Directories& directories,
                                     const StatusTables& statusTables, TraySummary& tray,
                                     const LiveOptions& options, MessageBar& bar,
                                     const Clock& clock, QObject* parent)
    : QObject(parent), m_directories(directories), m_statusTables(statusTables), m_tray(tray),
      m_options(options), m_bar(bar), m_clock(clock)
{
}

void TelegramPresenter::handleFiveTone(const FiveToneCall& call)
{
    HandledTelegram entry = newEntry(TelegramKind::FiveTone, trimSpaces(call.code), call.record);
    const QString time = entry.receivedAt.time().toString(QStringLiteral("HH:mm:ss"));
    if (const auto found = m_directories.FindFme(call.code)) {
        const FmeRecord& receiver = m_directories.FmeList[*found];
        entry.name = receiver.Name.trimmed();
        const QString listed = receiver.Code.text() + u' ' + entry.name;
        entry.passedFilters = true;
        showReceiverLine(time, listed);
        writeTrayText(time + u' ' + listed);
    } else if (m_options.showUnlistedReceivers()) {
        entry.passedFilters = true;
        showReceiverLine(time, call.code + QStringLiteral(" Unbekannt"));
        writeTrayText(time + u' ' + call.code + QStringLiteral(" Unbekannt"));
    }
    entry.shown = entry.passedFilters && m_options.messageBarActive();
    emit telegramHandled(entry);
}

void TelegramPresenter::handlePocsag(const PocsagMessage& message)
{
    HandledTelegram entry = newEntry(TelegramKind::Pocsag, message.address, message.record);
    entry.text = message.text;
    const QString time = entry.receivedAt.time().toString(QStringLiteral("HH:mm:ss"));
    if (const auto found = m_directories.FindPocsag(message.address)) {
        const PocsagRecord& receiver = m_directories.PocsagList[*found];
        entry.name = receiver.Name.trimmed();
        const QString listed = QString::number(receiver.Ric) + u' ' + entry.name;
        entry.passedFilters = true;
        showReceiverLine(time, listed + u' ' + message.text);
        writeTrayText(time + u' ' + listed);
    } else if (m_options.showUnlistedReceivers()) {
        entry.passedFilters = true;
        showReceiverLine(time, message.address + QStringLiteral(" Unbekannt ") + message.text);
        writeTrayText(time + u' ' + message.address + QStringLiteral(" Unbekannt"));
    }
    entry.shown = entry.passedFilters && m_options.messageBarActive();
    emit telegramHandled(entry);
}

void TelegramPresenter::handleFms(const FmsTelegram& telegram)
{
    if (telegram.status < 0 || telegram.status > HighestFmsStatus)
        return; // no row of the status tables
    HandledTelegram entry =
        newEntry(TelegramKind::Fms, trimSpaces(telegram.fmsId), telegram.record);
    entry.status = telegram.status;
    entry.direction = telegram.direction;
    const int index = m_directories.FindVehicle(telegram.fmsId);
    if (index != 0)
        entry.name = m_directories.VehicleList[index].Name.trimmed();
    if (index != 0 || m_options.showUnlistedVehicles()) {
        // The line shows the whole name field; an unlisted vehicle's
        // identifier stands in for its name.
        const QString name30 = index != 0 ? m_directories.VehicleList[index].Name.text()
                                          : unlistedName(telegram.fmsId);
        if (telegram.direction == FmsDirection::FromVehicle)
            handleFromVehicle(telegram, name30, entry);
        else
            handleToVehicle(telegram, name30, entry);
    }
    // The text as the bar shows it, whether or not it was shown.
    const int status = telegram.status;
    const QString statusText = m_statusTables.StatusText[status][int(telegram.direction)];
    entry.text = trimSpaces(
        captionDisplayText(status == 10 ? telegram.text : statusText + bracketForm(telegram.text)));
    entry.shown = entry.passedFilters && m_options.messageBarActive();
    emit telegramHandled(entry);
}

void TelegramPresenter::handleFromVehicle(const FmsTelegram& telegram, const QString& name30,
                                          HandledTelegram& entry)
{
    const int status = telegram.status;
    const bool barInUse = m_options.messageBarActive();
    const bool hasLine = status <= 10 || status == 15; // 11-14 and 16-18 carry no message line
    if (m_options.messageFilterText().contains(MessageCode(0, status)) && hasLine) {
        entry.passedFilters = true;
        const QString time = m_clock.timeStamp();
        const QString name = trimSpaces(name30);
        const QString& statusText = m_statusTables.StatusText[status][0];
        if (status == 5) {
            if (barInUse)
                showRadioSignal(BarLabel::Sprechwunsch, time + QStringLiteral(" SW: ") + name);
        } else if (status == 15) {
            if (barInUse)
                showRadioSignal(BarLabel::Spricht, time + QStringLiteral(" Spricht: ") + name);
        } else if (status == 10) {
            // A free text instead of a status meaning, without brackets.
            if (barInUse)
                showFmsLine(time, name30, status, QString(), telegram.text, 10);
        } else {
            if (barInUse)
                showFmsLine(time, name30, status, statusText, bracketForm(telegram.text), status);
            writeTrayText(time + u' ' + name + QStringLiteral(" (") + QString::number(status) +
                          QStringLiteral(") ") + statusText);
        }
    }
    if (barInUse)
        m_bar.LayoutMessageBar();
}

void TelegramPresenter::handleToVehicle(const FmsTelegram& telegram, const QString& name30,
                                        HandledTelegram& entry)
{
    const int status = telegram.status;
    const bool barInUse = m_options.messageBarActive();
    if (m_options.messageFilterText().contains(MessageCode(1, status))) {
        entry.passedFilters = true;
        if (barInUse) {
            const QString time = m_clock.timeStamp();
            if (status == 10)
                showFmsLine(time, name30, status, QString(), telegram.text, 10);
            else
                showFmsLine(time, name30, status, m_statusTables.StatusText[status][1],
                            bracketForm(telegram.text), StatusTables::ToVehicleColour);
        }
    }
    if (barInUse)
        m_bar.LayoutMessageBar();
}

HandledTelegram TelegramPresenter::newEntry(TelegramKind kind, const QString& address,
                                            const QString& record) const
{
    HandledTelegram entry;
    entry.receivedAt = m_clock.now();
    entry.kind = kind;
    entry.address = address;
    entry.record = record;
    return entry;
}

void TelegramPresenter::showReceiverLine(const QString& time, const QString& line)
{
    if (!m_options.messageBarActive())
        return;
    m_bar.ShowMessageBar();
    m_bar.setCaption(BarLabel::Time, time);
    m_bar.setCaption(BarLabel::Line, line);
    m_bar.setLineColour(m_statusTables.StatusColor[StatusTables::FiveToneAndPocsagColour]);
    m_bar.setBoldOnly(true, true, false, false);
}

void TelegramPresenter::writeTrayText(const QString& text)
{
    if (m_tray.FormInTray)
        m_tray.setTrayText(text);
}

void TelegramPresenter::showRadioSignal(BarLabel label, const QString& line)
{
    m_bar.ShowMessageBar();
    m_bar.setCaption(label, line);
    m_bar.setBoldOnly(false, false, label == BarLabel::Sprechwunsch, label == BarLabel::Spricht);
}

void TelegramPresenter::showFmsLine(const QString& time, const QString& name30, int status,
                                    const QString& statusText, const QString& text, int colourIndex)
{
    m_bar.ShowMessageBar();
    m_bar.setCaption(BarLabel::Time, time);
    m_bar.setCaption(BarLabel::Line,
                     name30 + u' ' + rightAligned(status) + u' ' + statusText + text);
    m_bar.setLineColour(m_statusTables.StatusColor[colourIndex]);
    m_bar.setBoldOnly(true, true, false, false);
}
