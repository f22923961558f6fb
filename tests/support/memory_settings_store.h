// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings_store.h"

#include <QMap>

// Settings in memory, "Group/Key" -> value.
struct MemorySettingsStore final : SettingsStore
{
    QMap<QString, QString> values;
    int flushes = 0;

    QString read(const QString& group, const QString& key,
                 const QString& defaultValue) const override
    {
        return values.value(group + u'/' + key, defaultValue);
    }
    void write(const QString& group, const QString& key, const QString& value) override
    {
        values[group + u'/' + key] = value;
    }
    void flush() override { ++flushes; }
};
