#pragma once

#include "shell/settings_store.h"

#include <QMap>
#include <QStringList>

// Settings in memory; remembers the order of writes.
class MemorySettingsStore final : public SettingsStore
{
public:
    QMap<QString, QString> values; // "Section/Key" -> value
    QStringList writes;            // keys in the order written
    QStringList reads;

    QString read(const QString& section, const QString& key,
                 const QString& defaultValue) const override
    {
        const_cast<MemorySettingsStore*>(this)->reads << key;
        return values.value(section + u'/' + key, defaultValue);
    }
    void write(const QString& section, const QString& key, const QString& value) override
    {
        values[section + u'/' + key] = value;
        writes << key;
    }
    void flush() override {}
};
