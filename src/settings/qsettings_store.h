// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings_store.h"

#include <QSettings>

// The store over QSettings: the user's native settings (on Linux
// ~/.config/Ostrevo/Ostrevo.conf), or an INI file of the caller's choice.
// The file holds the database password, so it is kept readable and
// writable by its owner only.
class QSettingsStore final : public SettingsStore
{
public:
    QSettingsStore();
    explicit QSettingsStore(const QString& iniFile);
    ~QSettingsStore() override;

    QString read(const QString& section, const QString& key,
                 const QString& defaultValue) const override;
    void write(const QString& section, const QString& key, const QString& value) override;
    void flush() override;

    QString fileName() const { return m_settings.fileName(); }

private:
    mutable QSettings m_settings;
};
