#include "telegram_presenter.h"

#include "common/clock.h"
#include "common/trim_spaces.h"
#include "live_options.h"
#include "message_bar.h"
#include "program_data.h"

namespace {

bool isTableStatus(std::int16_t status)
{
    return status >= 0 && status <= StatusTables::HighestStatus;
}

QString rightAligned(std::int16_t status)
{
    return QString::number(status).rightJustified(2, u' ');
}

} // namespace

QString BracketForm(const QString& text)
{
    const QString trimmed = TrimSpaces(text);
    return trimmed.isEmpty() ? text : QStringLiteral(" [") + trimmed + u']';
}

TelegramPresenter::TelegramPresenter(ProgramData& data, const LiveOptions& options, MessageBar& bar,
                                     const Clock& clock)
    : m_data(data), m_options(options), m_bar(bar), m_clock(clock)
{
}

void TelegramPresenter::HandleFmeTelegram(QString& code)
{
    const QString time = m_clock.timeStamp();
    const auto found = m_data.directories.FindFme(code);
    if (found) {
        const FmeRecord& receiver = m_data.directories.FmeList[*found];
        const QString listed = receiver.Code.text() + u' ' + receiver.Name.trimmed();
        showReceiverLine(time, listed);
        writeTrayText(time + u' ' + listed);
        return;
    }
    if (!m_options.showUnlistedReceivers())
        return;
    showReceiverLine(time, code + QStringLiteral(" Unbekannt"));
    writeTrayText(time + u' ' + code + QStringLiteral(" Unbekannt"));
}

void TelegramPresenter::HandlePocsagTelegram(QString& ric, QString& text)
{
    const QString time = m_clock.timeStamp();
    const auto found = m_data.directories.FindPocsag(ric);
    if (found) {
        const PocsagRecord& receiver = m_data.directories.PocsagList[*found];
        const QString listed = QString::number(receiver.Ric) + u' ' + receiver.Name.trimmed();
        showReceiverLine(time, listed + u' ' + TrimSpaces(text));
        writeTrayText(time + u' ' + listed);
        return;
    }
    if (!m_options.showUnlistedReceivers())
        return;
    showReceiverLine(time, ric + QStringLiteral(" Unbekannt ") + TrimSpaces(text));
    writeTrayText(time + u' ' + ric + QStringLiteral(" Unbekannt"));
}

void TelegramPresenter::HandleFmsFromVehicle(QString& fmsId, std::int16_t& status, QString& text)
{
    const auto vehicle = vehicleToShow(fmsId, status);
    if (!vehicle)
        return;
    const bool barInUse = m_options.messageBarActive();
    if (m_options.messageFilterText().contains(MessageCode(0, status))) {
        const QString time = m_clock.timeStamp();
        const QString name = m_data.directories.VehicleList[*vehicle].Name.trimmed();
        const QString& statusText = m_data.statusTables.StatusText[status][0];
        if (status == 5 && barInUse) {
            showRadioSignal(BarLabel::Sprechwunsch, time + QStringLiteral(" SW: ") + name);
        } else if (status == 15 && barInUse) {
            showRadioSignal(BarLabel::Spricht, time + QStringLiteral(" Spricht: ") + name);
        } else if (status == 10 && barInUse) {
            // A free text instead of a status meaning, without brackets.
            showFmsLine(time, *vehicle, status, QString(), text, 10);
        } else if (status <= 9 && status != 5) { // 11-14 and 16-18 carry no message line
            if (barInUse) {
                text = BracketForm(text);
                showFmsLine(time, *vehicle, status, statusText, text, status);
            }
            writeTrayText(time + u' ' + name + QStringLiteral(" (") + QString::number(status) +
                          QStringLiteral(") ") + statusText);
        }
    }
    if (barInUse)
        m_bar.LayoutMessageBar();
}

void TelegramPresenter::HandleFmsToVehicle(QString& fmsId, std::int16_t& status, QString& text)
{
    const auto vehicle = vehicleToShow(fmsId, status);
    if (!vehicle)
        return;
    const bool barInUse = m_options.messageBarActive();
    if (barInUse && m_options.messageFilterText().contains(MessageCode(1, status))) {
        const QString time = m_clock.timeStamp();
        if (status == 10) {
            showFmsLine(time, *vehicle, status, QString(), text, 10);
        } else {
            text = BracketForm(text);
            showFmsLine(time, *vehicle, status, m_data.statusTables.StatusText[status][1], text,
                        StatusTables::ToVehicleColour);
        }
    }
    if (barInUse)
        m_bar.LayoutMessageBar();
}

void TelegramPresenter::showReceiverLine(const QString& time, const QString& line)
{
    if (!m_options.messageBarActive())
        return;
    m_bar.ShowMessageBar();
    m_bar.setCaption(BarLabel::Time, time);
    m_bar.setCaption(BarLabel::Line, line);
    m_bar.setLineColour(m_data.statusTables.StatusColor[StatusTables::FiveToneAndPocsagColour]);
    m_bar.setBoldOnly(true, true, false, false);
}

void TelegramPresenter::writeTrayText(const QString& text)
{
    if (m_data.tray.FormInTray)
        m_data.tray.setTrayText(text);
}

std::optional<int> TelegramPresenter::vehicleToShow(const QString& fmsId, std::int16_t status)
{
    if (!isTableStatus(status))
        return std::nullopt;
    const int index = m_data.directories.FindVehicle(fmsId);
    if (index != 0)
        return index;
    m_data.directories.VehicleList[0].Name.assign(fmsId);
    if (!m_options.showUnlistedVehicles())
        return std::nullopt;
    return 0;
}

void TelegramPresenter::showRadioSignal(BarLabel label, const QString& line)
{
    m_bar.ShowMessageBar();
    m_bar.setCaption(label, line);
    m_bar.setBoldOnly(false, false, label == BarLabel::Sprechwunsch, label == BarLabel::Spricht);
}

void TelegramPresenter::showFmsLine(const QString& time, int vehicle, std::int16_t status,
                                    const QString& statusText, const QString& text, int colourIndex)
{
    m_bar.ShowMessageBar();
    m_bar.setCaption(BarLabel::Time, time);
    m_bar.setCaption(BarLabel::Line, m_data.directories.VehicleList[vehicle].Name.text() + u' ' +
                                         rightAligned(status) + u' ' + statusText + text);
    m_bar.setLineColour(m_data.statusTables.StatusColor[colourIndex]);
    m_bar.setBoldOnly(true, true, false, false);
}
