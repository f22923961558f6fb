// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_file.h"

#include "setting_keys.h"
#include "settings_store.h"

Settings readSettings(const SettingsStore& store)
{
    const Settings defaults;
    Settings settings;
    for (const SettingKey& key : settingKeys())
        key.read(settings, store.read(key.group, key.name, key.write(defaults)));
    limitSettings(settings);
    return settings;
}

void writeSettings(const Settings& settings, SettingsStore& store)
{
    for (const SettingKey& key : settingKeys())
        store.write(key.group, key.name, key.write(settings));
    store.flush();
}
