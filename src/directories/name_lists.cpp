// SPDX-License-Identifier: GPL-3.0-or-later
#include "name_lists.h"

#include "common/dialogs.h"
#include "directories.h"
#include "list_file_path.h"
#include "lists_log.h"
#include "record_files.h"
#include "text_lists.h"

#include <QDir>
#include <algorithm>

namespace {

const QString StatusTexts = QStringLiteral("Settings\\BOSList.hvn");
const QString VehicleFile = QStringLiteral("Fahrzeug.Dat");
const QString VehicleText = QStringLiteral("Settings\\Fahrzeugmelder.hvn");
const QString FiveToneFile = QStringLiteral("Ton5.dat");
const QString FiveToneText = QStringLiteral("Settings\\FahrzeugMelder.hvn");
const QString PocsagFile = QStringLiteral("POCSAG.DAT");

const QString VehiclesLoaded = QStringLiteral(" Fahrzeuge geladen.");
const QString ReceiversLoaded = QStringLiteral(" Melder geladen.");

class Loader
{
public:
    Loader(const QString& folder, Directories& directories, Dialogs& dialogs,
           const std::function<void(const QString&)>& announce)
        : m_folder(folder), m_directories(directories), m_dialogs(dialogs), m_announce(announce)
    {
    }

    // Each returns how many entries it loaded; 0 lets the text list try.
    int loadVehicleFile()
    {
        return loadRecords(VehicleFile, readVehicleRecords, Directories::VehicleCapacity,
                           {QStringLiteral("Keine gültige Fahrzeug DAT-Datei!"),
                            QStringLiteral("Fahrzeuge Laden"), MessageBoxRequest::Icon::Critical},
                           VehiclesLoaded,
                           [this](auto list) { m_directories.setVehicles(std::move(list)); });
    }

    int loadFiveToneFile()
    {
        return loadRecords(FiveToneFile, readFiveToneRecords, Directories::FiveToneCapacity,
                           {FiveToneFile + QStringLiteral(" ist Keine gültige 5Ton-Datei!"),
                            QStringLiteral("5Ton Empfänger Laden"), MessageBoxRequest::Icon::None},
                           ReceiversLoaded, [this](auto list) {
                               m_directories.setFiveToneReceivers(std::move(list));
                           });
    }

    void loadPocsagFile()
    {
        loadRecords(PocsagFile, readPocsagRecords, RecordFile::PocsagLimit,
                    {QStringLiteral("Keine gültige POCSAG-Datei!"),
                     QStringLiteral("POCSAG Empfänger Laden"), MessageBoxRequest::Icon::None},
                    QString(),
                    [this](auto list) { m_directories.setPocsagReceivers(std::move(list)); });
    }

    void loadVehicleText()
    {
        loadText(VehicleText, readVehicleTextList, Directories::VehicleCapacity, VehiclesLoaded,
                 [this](auto list) { m_directories.setVehicles(std::move(list)); });
    }

    void loadFiveToneText()
    {
        loadText(FiveToneText, readFiveToneTextList, Directories::FiveToneCapacity, ReceiversLoaded,
                 [this](auto list) { m_directories.setFiveToneReceivers(std::move(list)); });
    }

private:
    template <typename Read, typename Store>
    int loadRecords(const QString& name, Read read, int capacity, const MessageBoxRequest& invalid,
                    const QString& loadedSuffix, Store store)
    {
        const auto file = openListFile(name, m_folder);
        if (!file) {
            qCDebug(lcLists) << name << "nicht vorhanden oder nicht lesbar";
            return 0;
        }
        auto entries = read(*file, capacity);
        file->close();
        if (!entries) {
            qCWarning(lcLists).noquote()
                << file->fileName() << "abgelehnt: Die Länge ist kein Vielfaches der Satzlänge.";
            m_dialogs.showMessage(invalid);
            return 0;
        }
        const int count = int(entries->size());
        qCInfo(lcLists).noquote() << file->fileName() << "gelesen:" << count << "Einträge";
        store(std::move(*entries));
        if (!loadedSuffix.isEmpty())
            m_announce(QString::number(count) + loadedSuffix);
        return count;
    }

    template <typename Read, typename Store>
    void loadText(const QString& name, Read read, int capacity, const QString& loadedSuffix,
                  Store store)
    {
        const auto file = openListFile(name, m_folder);
        if (!file) {
            qCDebug(lcLists) << name << "nicht vorhanden oder nicht lesbar";
            return;
        }
        auto list = read(*file, capacity);
        const int count = int(list.entries.size());
        if (list.overflowed)
            qCWarning(lcLists).noquote() << file->fileName() << "hat mehr als" << capacity
                                         << "Einträge; die ersten" << count << "gelten.";
        else
            qCInfo(lcLists).noquote() << file->fileName() << "gelesen:" << count << "Einträge";
        store(std::move(list.entries));
        // A list that does not fit is kept as far as it goes, but unannounced.
        if (!list.overflowed)
            m_announce(QString::number(count) + loadedSuffix);
    }

    const QString& m_folder;
    Directories& m_directories;
    Dialogs& m_dialogs;
    const std::function<void(const QString&)>& m_announce;
};

} // namespace

void loadNameLists(const QString& folder, Directories& directories, StatusTables& statusTables,
                   Dialogs& dialogs, const std::function<void(const QString&)>& announce)
{
    qCInfo(lcLists).noquote() << "Namenslisten aus" << QDir::toNativeSeparators(folder);
    if (const auto file = openListFile(StatusTexts, folder)) {
        const int texts = readStatusTexts(*file, statusTables);
        qCInfo(lcLists).noquote() << file->fileName() << "gelesen:" << texts
                                  << "Statustexte vom Fahrzeug";
    }
    Loader loader(folder, directories, dialogs, announce);
    // Each list starts empty; a record file that gives nothing leaves the
    // field to the text list.
    directories.setVehicles({});
    if (loader.loadVehicleFile() == 0)
        loader.loadVehicleText();
    if (loader.loadFiveToneFile() == 0)
        loader.loadFiveToneText();
    loader.loadPocsagFile();
}

QString chooseListFolder(const std::optional<QString>& given, const QString& currentFolder,
                         const QString& dataFolder)
{
    if (given)
        return *given;
    const QString entries[] = {FiveToneFile, VehicleFile, PocsagFile, QStringLiteral("Settings")};
    const bool holdsLists =
        std::any_of(std::begin(entries), std::end(entries), [&currentFolder](const QString& name) {
            return findListEntry(name, currentFolder).has_value();
        });
    return holdsLists ? currentFolder : dataFolder;
}
