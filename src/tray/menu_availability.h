// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui_common/window_state.h"

// Which window commands of the tray menu can be chosen, by the host
// window's visibility and state.
struct MenuAvailability
{
    bool maximize;
    bool restore;
    bool minimize;
    bool operator==(const MenuAvailability&) const = default;
};

constexpr MenuAvailability menuAvailability(bool hostVisible, WindowState state)
{
    if (!hostVisible)
        return {true, true, false};
    switch (state) {
    case WindowState::Normal:
        return {true, false, true};
    case WindowState::Minimized:
        return {true, true, false};
    case WindowState::Maximized:
        return {false, false, true};
    case WindowState::Other:
        break;
    }
    return {true, true, true};
}
