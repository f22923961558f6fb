// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// The XDG autostart entry that starts Ostrevo in the tray when the user
// logs in: a desktop file the session reads, nothing of the settings.
class AutostartEntry
{
public:
    // $XDG_CONFIG_HOME/autostart/de.ostrevo.Ostrevo.desktop
    static QString defaultPath();

    explicit AutostartEntry(const QString& path) : m_path(path) {}

    QString path() const { return m_path; }
    bool exists() const;
    // Each returns the reason when it fails.
    std::optional<QString> write(const QString& command) const;
    std::optional<QString> remove() const;

private:
    QString m_path;
};

// What the entry runs: "ostrevo --tray" when that name finds this program,
// else its full path, quoted as desktop entries want it.
QString autostartCommand(const QString& programPath, const QString& foundByName);

// The desktop entry that runs `command`.
QString autostartEntryText(const QString& command);
