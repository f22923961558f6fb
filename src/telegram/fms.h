#pragma once

// FMS statuses run from 0 to 18; higher ones are no telegram.
constexpr int HighestFmsStatus = 18;

// Who sent an FMS telegram: the vehicle, or the control centre to it.
enum class FmsDirection
{
    FromVehicle,
    ToVehicle
};
