// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <vector>

struct Settings;

// One key of the settings file: where it is stored, how its text and the
// value convert into each other, and the limits a value is kept within.
// The default is the value's own: the text that Settings{} writes.
struct SettingKey
{
    QString group;
    QString name;
    // Takes the stored text; a text that does not convert leaves the value.
    std::function<void(Settings&, const QString&)> read;
    std::function<QString(const Settings&)> write;
    // Brings the value within its limits; empty for a key without any.
    std::function<void(Settings&)> limit;
};

// Every key, in the order the file has always been written.
const std::vector<SettingKey>& settingKeys();

// Every value within its limits, as the file's reader and the model keep them.
void limitSettings(Settings& settings);
