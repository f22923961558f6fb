#include "setting_keys.h"

#include "settings.h"
#include "settings_conversions.h"
#include "settings_limits.h"

namespace {

const QString kServer = QStringLiteral("Server");
const QString kOptions = QStringLiteral("Einstellungen");
const QString kDatabase = QStringLiteral("Datenbank");
const QString kJournal = QStringLiteral("Journal");
const QString kHistory = QStringLiteral("Telegramm-Liste");

// How a field's value is stored as text.
template <typename T> struct Conversion
{
    std::optional<T> (*read)(const QString&);
    QString (*write)(const T&);
};

const Conversion<QString> kText{[](const QString& text) { return std::optional(text); },
                                [](const QString& text) { return text; }};
const Conversion<bool> kCheck{[](const QString& text) { return std::optional(readCheck(text)); },
                              [](const bool& on) { return writeCheck(on); }};
const Conversion<bool> kFlag{[](const QString& text) { return std::optional(readFlag(text)); },
                             [](const bool& on) { return writeCheck(on); }};
const Conversion<bool> kTruth{readTruth, [](const bool& on) { return writeTruth(on); }};
const Conversion<double> kSize{readSize, [](const double& size) { return writeSize(size); }};
const Conversion<int> kDays{readDays, [](const int& days) { return QString::number(days); }};
const Conversion<QRect> kRectangle{readRectangle, writeRectangle};
const Conversion<QList<int>> kNumbers{
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
        key(kServer, u"Adresse", OSTREVO_FIELD(serverAddress), kText),
        key(kServer, u"Port", OSTREVO_FIELD(serverPort), kText),
        key(kOptions, u"AutoConnect", OSTREVO_FIELD(autoConnect), kCheck),
        key(kOptions, u"DBLogOnly", OSTREVO_FIELD(databaseLogFilter), kText),
        key(kDatabase, u"Datei", OSTREVO_FIELD(databaseFile), kText),
        key(kDatabase, u"PW", OSTREVO_FIELD(databasePassword), kText),
        key(kOptions, u"MsgLogOnly", OSTREVO_FIELD(messageFilter), kText),
        key(kOptions, u"MsgAktiv", OSTREVO_FIELD(barActive), kCheck),
        key(kOptions, u"MsgVorne", OSTREVO_FIELD(barOnTop), kCheck),
        key(kOptions, u"UnbekFMS", OSTREVO_FIELD(showUnlistedVehicles), kCheck),
        key(kOptions, u"UnbekFME", OSTREVO_FIELD(showUnlistedReceivers), kCheck),
        key(kOptions, u"MsgTime", OSTREVO_FIELD(displayTime), kText, limitDisplayTime),
        key(kOptions, u"Transparent", OSTREVO_FIELD(transparency), kText, limitTransparency),
        key(kOptions, u"MsgFontName", OSTREVO_FIELD(barFont.family), kText),
        key(kOptions, u"MsgFontSize", OSTREVO_FIELD(barFont.pointSize), kSize),
        key(kOptions, u"MsgFontBold", OSTREVO_FIELD(barFont.bold), kTruth),
        key(kOptions, u"MsgFontItalic", OSTREVO_FIELD(barFont.italic), kTruth),
        key(kOptions, u"FormInTray", OSTREVO_FIELD(trayIconWanted), kFlag),
        key(kJournal, u"Aufbewahrung", OSTREVO_FIELD(journalRetentionDays), kDays,
            limitRetentionDays),
        key(kHistory, u"Geometrie", OSTREVO_FIELD(historyWindow.geometry), kRectangle,
            limitGeometry),
        key(kHistory, u"Spalten", OSTREVO_FIELD(historyWindow.columnWidths), kNumbers,
            limitColumnWidths),
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
