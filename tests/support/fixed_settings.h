// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings.h"

// Settings as a plain value the test changes at will.
struct FixedSettings final : SettingsSource
{
    Settings value;
    const Settings& settings() const override { return value; }
};
