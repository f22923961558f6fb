// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_lists.h"

#include "common/trim_spaces.h"
#include "status_tables.h"
#include "telegram/fms.h"
#include "text_lines.h"

namespace {

// Reads the lines `parse` turns into entries, up to `capacity` of them.
template <typename Entry, typename Parse>
TextList<Entry> readEntries(QIODevice& file, int capacity, Parse parse)
{
    TextList<Entry> list;
    forEachLine(file, [&](const QString& line) {
        std::optional<Entry> entry = parse(line);
        if (!entry)
            return true;
        if (list.entries.size() >= capacity) {
            list.overflowed = true;
            return false;
        }
        list.entries.append(*entry);
        return true;
    });
    return list;
}

std::optional<FiveToneReceiver> parseFiveToneLine(const QString& line)
{
    if (!line.startsWith(u"FME ") || line.size() < 10 || line[9] != u' ')
        return std::nullopt;
    FiveToneReceiver receiver;
    receiver.code.assign(QStringView(line).mid(4, 5));
    QString name = applyWordRule(line.mid(10));
    // A "#" from the third character on joins two halves of the name.
    const qsizetype hash = name.indexOf(u'#');
    if (hash >= 2)
        name = trimSpaces(QStringView(name).left(hash)) + u' ' +
               trimSpaces(QStringView(name).mid(hash + 1));
    receiver.name.assign(name);
    return receiver;
}

std::optional<Vehicle> parseVehicleLine(const QString& line)
{
    if (!line.startsWith(u"KFZ ") || line.size() < 13 || line[12] != u' ')
        return std::nullopt;
    Vehicle vehicle;
    vehicle.fmsId.assign(QStringView(line).mid(4, 8));
    QString name = applyWordRule(line.mid(13));
    // A "#" from the third character on ends the name; a remark follows.
    const qsizetype hash = name.indexOf(u'#');
    if (hash >= 2)
        name = trimSpaces(QStringView(name).left(hash));
    vehicle.name.assign(name);
    return vehicle;
}

} // namespace

QString applyWordRule(QString text)
{
    for (int round = 0; round < 3; ++round) {
        const qsizetype space = text.indexOf(u' ');
        if (space < 0)
            break;
        text = text.mid(space + 1);
    }
    return text;
}

TextList<FiveToneReceiver> readFiveToneTextList(QIODevice& file, int capacity)
{
    return readEntries<FiveToneReceiver>(file, capacity, parseFiveToneLine);
}

TextList<Vehicle> readVehicleTextList(QIODevice& file, int capacity)
{
    return readEntries<Vehicle>(file, capacity, parseVehicleLine);
}

int readStatusTexts(QIODevice& file, StatusTables& tables)
{
    int fromVehicle = 0;
    int toVehicle = 0;
    // Character 6 is skipped whatever it is.
    const auto text = [](const QString& line) { return trimSpaces(QStringView(line).mid(6)); };
    forEachLine(file, [&](const QString& line) {
        if (line.startsWith(u"LST6:") && fromVehicle <= FmsStatus::Highest)
            tables.setText(fromVehicle++, FmsDirection::FromVehicle, text(line));
        else if (line.startsWith(u"KFZ6:") && toVehicle <= FmsStatus::Highest)
            tables.setText(toVehicle++, FmsDirection::ToVehicle, text(line));
        return true;
    });
    return fromVehicle;
}
