#pragma once

// Which window commands of the tray menu can be chosen, by the host
// window's visibility and state (0 normal, 1 minimised, 2 maximised).
struct MenuAvailability
{
    bool maximize;
    bool restore;
    bool minimize;
    bool operator==(const MenuAvailability&) const = default;
};

constexpr MenuAvailability AvailabilityFor(bool hostVisible, int windowState)
{
    if (!hostVisible)
        return {true, true, false};
    switch (windowState) {
    case 0:
        return {true, false, true};
    case 1:
        return {true, true, false};
    case 2:
        return {false, false, true};
    default:
        return {true, true, true};
    }
}
