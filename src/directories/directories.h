#pragma once

#include "records.h"

#include <QStringView>
#include <optional>
#include <vector>

// The three name directories, searched by linear scan, first match wins.
// Element 0 of each list is never filled from a file; in VehicleList it is
// the slot that shows an unlisted vehicle under its identifier.
class Directories
{
public:
    static constexpr int FmeUpperBound = 2500;
    static constexpr int VehicleUpperBound = 2000;

    std::vector<FmeRecord> FmeList = std::vector<FmeRecord>(FmeUpperBound + 1);
    std::vector<VehicleRecord> VehicleList = std::vector<VehicleRecord>(VehicleUpperBound + 1);
    std::vector<PocsagRecord> PocsagList; // no elements until POCSAG.DAT is found
    // Entries 1..n of PocsagList came from the file; the spare cleared
    // elements behind them are never searched.
    int PocsagLoadedCount = 0;

    // Index of the first vehicle whose 8-character FmsId equals the key, 0 if none.
    int FindVehicle(QStringView fmsId) const;
    // Index of the first receiver whose 5-character Code equals the key.
    std::optional<int> FindFme(QStringView code) const;
    // Index of the first loaded receiver whose Ric equals the address's
    // numeric value (leading zeros and junk read leniently).
    std::optional<int> FindPocsag(QStringView ric) const;

    // Elements 1..2000 of VehicleList back to cleared records.
    void ClearVehicles();
};
