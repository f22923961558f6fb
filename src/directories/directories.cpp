// SPDX-License-Identifier: GPL-3.0-or-later
#include "directories.h"

#include "common/leading_number.h"

#include <algorithm>

namespace {

template <typename Entry, typename Matches>
const Entry* findFirst(const QList<Entry>& entries, Matches matches)
{
    const auto found = std::find_if(entries.begin(), entries.end(), matches);
    return found == entries.end() ? nullptr : &*found;
}

} // namespace

void Directories::setFiveToneReceivers(QList<FiveToneReceiver> receivers)
{
    m_fiveTone = std::move(receivers);
}

void Directories::setVehicles(QList<Vehicle> vehicles)
{
    m_vehicles = std::move(vehicles);
}

void Directories::setPocsagReceivers(QList<PocsagReceiver> receivers)
{
    m_pocsag = std::move(receivers);
}

const FiveToneReceiver* Directories::findFiveTone(QStringView code) const
{
    return findFirst(m_fiveTone, [code](const FiveToneReceiver& r) { return r.code.equals(code); });
}

const Vehicle* Directories::findVehicle(QStringView fmsId) const
{
    return findFirst(m_vehicles, [fmsId](const Vehicle& v) { return v.fmsId.equals(fmsId); });
}

const PocsagReceiver* Directories::findPocsag(QStringView address) const
{
    const double value = parseLeadingNumber(address);
    return findFirst(m_pocsag,
                     [value](const PocsagReceiver& r) { return double(r.address) == value; });
}
