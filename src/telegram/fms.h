// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// FMS statuses as the decoder server numbers them: 0 to 18, the bounds of
// the status tables. The ones the program treats apart are named.
namespace FmsStatus {
inline constexpr int Lowest = 0;
inline constexpr int Highest = 18;

inline constexpr int Emergency = 0;       // from a vehicle: "NOTRUF"
inline constexpr int FreeOnRadio = 1;     // from a vehicle: "Frei auf Funk"
inline constexpr int FreeAtStation = 2;   // from a vehicle: "Frei auf Wache"
inline constexpr int RequestToSpeak = 5;  // from a vehicle: "Sprechwunsch"
inline constexpr int AtHospital = 8;      // from a vehicle: "Im Krankenhaus", the last whereabouts
inline constexpr int SpeakingPrompt = 6;  // to a vehicle: "J - Sprechaufforderung"
inline constexpr int HighestCommand = 9;  // the last status with a meaning of its own
inline constexpr int TextTelegram = 10;   // a free text instead of a meaning
inline constexpr int Speaking = 15;       // "Quittung": the vehicle now speaks
inline constexpr int FiveToneMarker = 16; // the marker format's mark of a five-tone call
} // namespace FmsStatus

constexpr bool isFmsStatus(long long number)
{
    return number >= FmsStatus::Lowest && number <= FmsStatus::Highest;
}

// A vehicle's whereabouts: 1 to 8 from the vehicle, but for the requests
// 0 and 5, which ask the control centre for something and change nothing.
constexpr bool isOperationalStatus(int status)
{
    return status >= FmsStatus::FreeOnRadio && status <= FmsStatus::AtHospital &&
           status != FmsStatus::RequestToSpeak;
}

// Who sent an FMS telegram: the vehicle, or the control centre to it.
enum class FmsDirection
{
    FromVehicle,
    ToVehicle
};
