#pragma once

#include "settings/settings.h"

// Settings as a plain value the test changes at will.
struct FixedSettings final : SettingsSource
{
    Settings value;
    const Settings& settings() const override { return value; }
};
