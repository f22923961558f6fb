#include "directories.h"

#include "common/leading_number.h"

#include <algorithm>

int Directories::FindVehicle(QStringView fmsId) const
{
    for (int i = 0; i <= VehicleUpperBound; ++i) {
        if (VehicleList[i].FmsId.equals(fmsId))
            return i;
    }
    return 0;
}

std::optional<int> Directories::FindFme(QStringView code) const
{
    for (int i = 1; i <= FmeUpperBound; ++i) {
        if (FmeList[i].Code.equals(code))
            return i;
    }
    return std::nullopt;
}

std::optional<int> Directories::FindPocsag(QStringView ric) const
{
    const double value = parseLeadingNumber(ric);
    const int last = std::min<int>(PocsagLoadedCount, int(PocsagList.size()) - 1);
    for (int i = 1; i <= last; ++i) {
        if (double(PocsagList[i].Ric) == value)
            return i;
    }
    return std::nullopt;
}

void Directories::ClearVehicles()
{
    std::fill(VehicleList.begin() + 1, VehicleList.end(), VehicleRecord{});
}
