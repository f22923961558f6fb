#include "text_list_loaders.h"

#include "common/trim_spaces.h"
#include "directories.h"
#include "list_file_path.h"
#include "list_load_context.h"
#include "presentation/status_tables.h"
#include "text_lines.h"

#include <QFile>
#include <functional>
#include <optional>

namespace {

// Hands each line the predicate accepts to `take` with its number (1-based).
// Returns how many were taken, or nothing when the file holds more than
// `capacity`: those taken so far stay.
std::optional<int> readKeywordLines(QFile& file, bool (*accepts)(const QString&), int capacity,
                                    const std::function<void(int, const QString&)>& take)
{
    int n = 0;
    bool overflow = false;
    ForEachLine(file, [&](const QString& line) {
        if (!accepts(line))
            return true;
        if (++n > capacity) {
            overflow = true;
            return false;
        }
        take(n, line);
        return true;
    });
    if (overflow)
        return std::nullopt;
    return n;
}

// "FME 12345 text": code in characters 5..9, character 10 a space.
bool isFmeLine(const QString& line)
{
    return line.startsWith(u"FME ") && line.size() >= 10 && line[9] == u' ';
}

// "KFZ 12345678 text": identifier in characters 5..12, character 13 a space.
bool isVehicleLine(const QString& line)
{
    return line.startsWith(u"KFZ ") && line.size() >= 13 && line[12] == u' ';
}

} // namespace

QString ApplyWordRule(QString text)
{
    for (int round = 0; round < 3; ++round) {
        const qsizetype space = text.indexOf(u' ');
        if (space < 0)
            break;
        text = text.mid(space + 1);
    }
    return text;
}

int LoadStatusTexts(const QString& path, StatusTables& tables, const ListLoadContext& context)
{
    const auto file = OpenListFile(path, context.baseDir);
    if (!file)
        return 0;
    int fromVehicle = 0;
    int toVehicle = 0;
    ForEachLine(*file, [&](const QString& line) {
        // Character 6 is skipped whatever it is.
        if (line.startsWith(u"LST6:") && fromVehicle <= StatusTables::HighestStatus)
            tables.StatusText[fromVehicle++][0] = trimSpaces(QStringView(line).mid(6));
        else if (line.startsWith(u"KFZ6:") && toVehicle <= StatusTables::HighestStatus)
            tables.StatusText[toVehicle++][1] = trimSpaces(QStringView(line).mid(6));
        return true;
    });
    return fromVehicle;
}

int LoadVehicleText(const QString& path, ListLoadContext& context)
{
    Directories& d = context.directories;
    d.ClearVehicles();
    const auto file = OpenListFile(path, context.baseDir);
    if (!file)
        return 0;
    const auto n = readKeywordLines(
        *file, isVehicleLine, Directories::VehicleUpperBound, [&d](int i, const QString& line) {
            VehicleRecord& vehicle = d.VehicleList[i];
            vehicle.FmsId.assign(QStringView(line).mid(4, 8));
            QString name = ApplyWordRule(line.mid(13));
            const QString full = name;
            const qsizetype hash = name.indexOf(u'#'); // 0-based
            if (hash >= 2)
                name = trimSpaces(QStringView(name).left(hash));
            vehicle.Name.assign(name);
            if (hash >= 3)
                vehicle.Remark.assign(trimSpaces(QStringView(full).mid(hash + 1)));
        });
    if (!n)
        return 0;
    context.announce(QString::number(*n) + QStringLiteral(" Fahrzeuge geladen."));
    return *n;
}

int LoadFmeText(const QString& path, ListLoadContext& context)
{
    const auto file = OpenListFile(path, context.baseDir);
    if (!file)
        return 0;
    Directories& d = context.directories;
    const auto n = readKeywordLines(*file, isFmeLine, Directories::FmeUpperBound,
                                    [&d](int i, const QString& line) {
                                        d.FmeList[i].Code.assign(QStringView(line).mid(4, 5));
                                        QString name = ApplyWordRule(line.mid(10));
                                        const qsizetype hash = name.indexOf(u'#');
                                        if (hash >= 2)
                                            name = trimSpaces(QStringView(name).left(hash)) + u' ' +
                                                   trimSpaces(QStringView(name).mid(hash + 1));
                                        d.FmeList[i].Name.assign(name);
                                    });
    if (!n)
        return 0;
    context.announce(QString::number(*n) + QStringLiteral(" Melder geladen."));
    return *n;
}
