#include "settings_file.h"

#include "common/leading_number.h"
#include "common/whole_number.h"
#include "settings_conversions.h"
#include "settings_store.h"

#include <algorithm>
#include <limits>

namespace {

const QString kServer = QStringLiteral("Server");
const QString kOptions = QStringLiteral("Einstellungen");
const QString kDatabase = QStringLiteral("Datenbank");
const QString kJournal = QStringLiteral("Journal");
const QString kHistory = QStringLiteral("Telegramm-Liste");

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
const Key kRetention{kJournal, QStringLiteral("Aufbewahrung")};
const Key kHistoryGeometry{kHistory, QStringLiteral("Geometrie")};
const Key kHistoryColumns{kHistory, QStringLiteral("Spalten")};

// Whole numbers separated by blanks ("10 20 800 600"); the first word that
// is no number ends the list.
QList<int> readNumbers(const QString& text)
{
    QString words = text;
    words.replace(u',', u' ').replace(u';', u' ');
    QList<int> numbers;
    for (const QString& word : words.simplified().split(u' ', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int number = word.toInt(&ok);
        if (!ok)
            break;
        numbers.append(number);
    }
    return numbers;
}

// QRect(x, y, width, height) would overflow on numbers near the int range,
// which a hand-edited file may hold.
QRect rectangle(int x, int y, int width, int height)
{
    const auto corner = [](int start, int length) {
        return int(std::clamp<qint64>(qint64(start) + length - 1, std::numeric_limits<int>::min(),
                                      std::numeric_limits<int>::max()));
    };
    return QRect(QPoint(x, y), QPoint(corner(x, width), corner(y, height)));
}

QString writeNumbers(const QList<int>& numbers)
{
    QStringList words;
    for (int number : numbers)
        words << QString::number(number);
    return words.join(u' ');
}

// Days to keep; the journal takes what is out of range to the nearest bound.
int readRetention(const QString& text, int fallback)
{
    return toInt32(parseLeadingNumber(text)).value_or(fallback);
}

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
    s.journalRetentionDays =
        readRetention(text(kRetention, QString::number(defaults.journalRetentionDays)),
                      defaults.journalRetentionDays);
    if (const QList<int> g = readNumbers(text(kHistoryGeometry, QString())); g.size() == 4)
        s.historyWindow.geometry = rectangle(g[0], g[1], g[2], g[3]);
    s.historyWindow.columnWidths = readNumbers(text(kHistoryColumns, QString()));
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
    write(kRetention, QString::number(s.journalRetentionDays));
    const QRect& geometry = s.historyWindow.geometry;
    write(kHistoryGeometry, geometry.isValid() ? writeNumbers({geometry.x(), geometry.y(),
                                                               geometry.width(), geometry.height()})
                                               : QString());
    write(kHistoryColumns, writeNumbers(s.historyWindow.columnWidths));
    store.flush();
}
