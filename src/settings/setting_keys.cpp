// SPDX-License-Identifier: GPL-3.0-or-later
#include "setting_keys.h"

#include "settings.h"
#include "settings_conversions.h"
#include "settings_limits.h"

namespace {

const QString ServerGroup = QStringLiteral("Server");
const QString OptionsGroup = QStringLiteral("Einstellungen");
const QString DatabaseGroup = QStringLiteral("Datenbank");
const QString JournalGroup = QStringLiteral("Journal");
const QString HistoryGroup = QStringLiteral("Telegramm-Liste");
const QString BoardGroup = QStringLiteral("Statusübersicht");
const QString AlarmGroup = QStringLiteral("Alarm");
const QString ReceptionGroup = QStringLiteral("Empfang");

// How a field's value is stored as text.
template <typename T> struct Conversion
{
    std::optional<T> (*read)(const QString&);
    QString (*write)(const T&);
};

const Conversion<QString> Text{[](const QString& text) { return std::optional(text); },
                               [](const QString& text) { return text; }};
const Conversion<bool> Check{[](const QString& text) { return std::optional(readCheck(text)); },
                             [](const bool& on) { return writeCheck(on); }};
const Conversion<bool> Flag{[](const QString& text) { return std::optional(readFlag(text)); },
                            [](const bool& on) { return writeCheck(on); }};
const Conversion<bool> Truth{readTruth, [](const bool& on) { return writeTruth(on); }};
const Conversion<double> Size{readSize, [](const double& size) { return writeSize(size); }};
const Conversion<int> WholeNumber{readWholeNumber,
                                  [](const int& number) { return QString::number(number); }};
const Conversion<QRect> Rectangle{readRectangle, writeRectangle};
const Conversion<QList<int>> Numbers{
    [](const QString& text) { return std::optional(readNumbers(text)); }, writeNumbers};

// A key of the field that `access` picks from the settings.
template <typename T, typename Access>
SettingKey key(const QString& group, const char16_t* name, Access access,
               const Conversion<T>& conversion, T (*limit)(const T&) = nullptr)
{
    SettingKey made{group, QString::fromUtf16(name), nullptr, nullptr, nullptr};
    made.read = [access, conversion](Settings& settings, const QString& text) {
        if (const std::optional<T> value = conversion.read(text))
            access(settings) = *value;
    };
    made.write = [access, conversion](const Settings& settings) {
        return conversion.write(access(settings));
    };
    if (limit)
        made.limit = [access, limit](Settings& settings) {
            access(settings) = limit(access(settings));
        };
    return made;
}

// The field at `path` of a settings value, changeable or not.
#define OSTREVO_FIELD(path)                                                                        \
    [](auto& s) -> auto&                                                                           \
    {                                                                                              \
        return s.path;                                                                             \
    }

std::vector<SettingKey> makeKeys()
{
    return {
        key(ServerGroup, u"Adresse", OSTREVO_FIELD(serverAddress), Text),
        key(ServerGroup, u"Port", OSTREVO_FIELD(serverPort), Text),
        key(OptionsGroup, u"AutoConnect", OSTREVO_FIELD(autoConnect), Check),
        key(OptionsGroup, u"DBLogOnly", OSTREVO_FIELD(databaseLogFilter), Text),
        key(DatabaseGroup, u"Datei", OSTREVO_FIELD(databaseFile), Text),
        key(DatabaseGroup, u"PW", OSTREVO_FIELD(databasePassword), Text),
        key(OptionsGroup, u"MsgLogOnly", OSTREVO_FIELD(messageFilter), Text),
        key(OptionsGroup, u"MsgAktiv", OSTREVO_FIELD(barActive), Check),
        key(OptionsGroup, u"MsgVorne", OSTREVO_FIELD(barOnTop), Check),
        key(OptionsGroup, u"UnbekFMS", OSTREVO_FIELD(showUnlistedVehicles), Check),
        key(OptionsGroup, u"UnbekFME", OSTREVO_FIELD(showUnlistedReceivers), Check),
        key(OptionsGroup, u"MsgTime", OSTREVO_FIELD(displayTime), Text, limitDisplayTime),
        key(OptionsGroup, u"Transparent", OSTREVO_FIELD(transparency), Text, limitTransparency),
        key(OptionsGroup, u"MsgFontName", OSTREVO_FIELD(barFont.family), Text),
        key(OptionsGroup, u"MsgFontSize", OSTREVO_FIELD(barFont.pointSize), Size),
        key(OptionsGroup, u"MsgFontBold", OSTREVO_FIELD(barFont.bold), Truth),
        key(OptionsGroup, u"MsgFontItalic", OSTREVO_FIELD(barFont.italic), Truth),
        key(OptionsGroup, u"FormInTray", OSTREVO_FIELD(trayIconWanted), Flag),
        key(JournalGroup, u"Aufbewahrung", OSTREVO_FIELD(journalRetentionDays), WholeNumber,
            limitRetentionDays),
        key(HistoryGroup, u"Geometrie", OSTREVO_FIELD(historyWindow.geometry), Rectangle,
            limitGeometry),
        key(HistoryGroup, u"Spalten", OSTREVO_FIELD(historyWindow.columnWidths), Numbers,
            limitColumnWidths),
        key(BoardGroup, u"Geometrie", OSTREVO_FIELD(statusBoardWindow.geometry), Rectangle,
            limitGeometry),
        key(BoardGroup, u"Spalten", OSTREVO_FIELD(statusBoardWindow.columnWidths), Numbers,
            limitColumnWidths),
        key(BoardGroup, u"Erledigt", OSTREVO_FIELD(dismissedRequests), Text),
        key(AlarmGroup, u"Wiederholung", OSTREVO_FIELD(alarmRepeatSeconds), WholeNumber,
            limitRepeatSeconds),
        key(AlarmGroup, u"Benachrichtigung", OSTREVO_FIELD(alarmNotification), Check),
        key(ReceptionGroup, u"Warnen nach", OSTREVO_FIELD(receptionWarnMinutes), WholeNumber,
            limitWarnMinutes),
        key(ReceptionGroup, u"Lebenszeichen", OSTREVO_FIELD(keepAlive), Text),
    };
}

#undef OSTREVO_FIELD

} // namespace

const std::vector<SettingKey>& settingKeys()
{
    static const std::vector<SettingKey> keys = makeKeys();
    return keys;
}

void limitSettings(Settings& settings)
{
    for (const SettingKey& key : settingKeys()) {
        if (key.limit)
            key.limit(settings);
    }
}
