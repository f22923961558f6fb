#pragma once

#include "common/rgb.h"

#include <QString>
#include <array>

// What an FMS status means and in which colour the bar shows it.
// Direction 0: sent by the vehicle; 1: sent to the vehicle.
struct StatusTables
{
    static constexpr int HighestStatus = 18;
    static constexpr int FiveToneAndPocsagColour = 16;
    static constexpr int ToVehicleColour = 17;

    std::array<std::array<QString, 2>, HighestStatus + 1> StatusText;
    std::array<Rgb, HighestStatus + 1> StatusColor{};

    void FillDefaults();
};

// The code the "Log only" filter names a telegram by: "003", "110".
QString MessageCode(int direction, int status);
