#include "settings_file.h"

#include "settings_conversions.h"
#include "settings_store.h"

namespace {

const QString kServer = QStringLiteral("Server");
const QString kOptions = QStringLiteral("Einstellungen");
const QString kDatabase = QStringLiteral("Datenbank");

// Where one value is stored.
struct Key
{
    const QString& group;
    QString name;
};

const Key kAddress{kServer, QStringLiteral("Adresse")};
const Key kPort{kServer, QStringLiteral("Port")};
const Key kAutoConnect{kOptions, QStringLiteral("AutoConnect")};
const Key kDatabaseLogFilter{kOptions, QStringLiteral("DBLogOnly")};
const Key kDatabaseFile{kDatabase, QStringLiteral("Datei")};
const Key kPassword{kDatabase, QStringLiteral("PW")};
const Key kMessageFilter{kOptions, QStringLiteral("MsgLogOnly")};
const Key kBarActive{kOptions, QStringLiteral("MsgAktiv")};
const Key kBarOnTop{kOptions, QStringLiteral("MsgVorne")};
const Key kUnlistedVehicles{kOptions, QStringLiteral("UnbekFMS")};
const Key kUnlistedReceivers{kOptions, QStringLiteral("UnbekFME")};
const Key kDisplayTime{kOptions, QStringLiteral("MsgTime")};
const Key kTransparency{kOptions, QStringLiteral("Transparent")};
const Key kFontName{kOptions, QStringLiteral("MsgFontName")};
const Key kFontSize{kOptions, QStringLiteral("MsgFontSize")};
const Key kFontBold{kOptions, QStringLiteral("MsgFontBold")};
const Key kFontItalic{kOptions, QStringLiteral("MsgFontItalic")};
const Key kTrayIcon{kOptions, QStringLiteral("FormInTray")};

} // namespace

Settings readSettings(const SettingsStore& store)
{
    const Settings defaults;
    const auto text = [&store](const Key& key, const QString& fallback) {
        return store.read(key.group, key.name, fallback);
    };
    const auto check = [&text](const Key& key, bool fallback) {
        return readCheck(text(key, writeCheck(fallback)));
    };
    Settings s;
    s.serverAddress = text(kAddress, defaults.serverAddress);
    s.serverPort = text(kPort, defaults.serverPort);
    s.autoConnect = check(kAutoConnect, defaults.autoConnect);
    s.databaseFile = text(kDatabaseFile, defaults.databaseFile);
    s.databasePassword = text(kPassword, defaults.databasePassword);
    s.databaseLogFilter = text(kDatabaseLogFilter, defaults.databaseLogFilter);
    s.messageFilter = text(kMessageFilter, defaults.messageFilter);
    s.displayTime = text(kDisplayTime, defaults.displayTime);
    s.barActive = check(kBarActive, defaults.barActive);
    s.barOnTop = check(kBarOnTop, defaults.barOnTop);
    s.showUnlistedReceivers = check(kUnlistedReceivers, defaults.showUnlistedReceivers);
    s.showUnlistedVehicles = check(kUnlistedVehicles, defaults.showUnlistedVehicles);
    s.transparency = text(kTransparency, defaults.transparency);
    s.barFont.family = text(kFontName, defaults.barFont.family);
    s.barFont.pointSize = readSize(text(kFontSize, writeSize(defaults.barFont.pointSize)))
                              .value_or(defaults.barFont.pointSize);
    s.barFont.bold = readTruth(text(kFontBold, writeTruth(defaults.barFont.bold))).value_or(false);
    s.barFont.italic =
        readTruth(text(kFontItalic, writeTruth(defaults.barFont.italic))).value_or(false);
    s.trayIconWanted = readFlag(text(kTrayIcon, writeCheck(defaults.trayIconWanted)));
    return s;
}

void writeSettings(const Settings& s, SettingsStore& store)
{
    const auto write = [&store](const Key& key, const QString& value) {
        store.write(key.group, key.name, value);
    };
    write(kAddress, s.serverAddress);
    write(kPort, s.serverPort);
    write(kAutoConnect, writeCheck(s.autoConnect));
    write(kDatabaseLogFilter, s.databaseLogFilter);
    write(kDatabaseFile, s.databaseFile);
    write(kPassword, s.databasePassword);
    write(kMessageFilter, s.messageFilter);
    write(kBarActive, writeCheck(s.barActive));
    write(kBarOnTop, writeCheck(s.barOnTop));
    write(kUnlistedVehicles, writeCheck(s.showUnlistedVehicles));
    write(kUnlistedReceivers, writeCheck(s.showUnlistedReceivers));
    write(kDisplayTime, s.displayTime);
    write(kTransparency, s.transparency);
    write(kFontName, s.barFont.family);
    write(kFontSize, writeSize(s.barFont.pointSize));
    write(kFontBold, writeTruth(s.barFont.bold));
    write(kFontItalic, writeTruth(s.barFont.italic));
    write(kTrayIcon, writeCheck(s.trayIconWanted));
    store.flush();
}
