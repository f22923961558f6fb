// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Clock;
class MessageBar;
class SettingsSource;

// Writes a list loader's "… geladen." message into the bar and arms its hide
// timer, without showing the bar; only while the bar is in use.
class LoadAnnouncer
{
public:
    LoadAnnouncer(const SettingsSource& settings, MessageBar& bar, const Clock& clock);
    void announce(const QString& message);

private:
    const SettingsSource& m_settings;
    MessageBar& m_bar;
    const Clock& m_clock;
};
