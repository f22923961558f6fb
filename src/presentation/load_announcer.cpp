// SPDX-License-Identifier: GPL-3.0-or-later
#include "load_announcer.h"

#include "bar_use.h"
#include "caption_text.h"
#include "common/clock.h"
#include "display_time.h"
#include "settings/settings.h"

LoadAnnouncer::LoadAnnouncer(const SettingsSource& settings, MessageBar& bar, const Clock& clock)
    : m_settings(settings), m_bar(bar), m_clock(clock)
{
}

void LoadAnnouncer::announce(const QString& message)
{
    const Settings& settings = m_settings.settings();
    if (!barInUse(settings))
        return;
    writeCaption(m_bar, BarLabel::Time, m_clock.timeStamp());
    writeCaption(m_bar, BarLabel::Line, message);
    if (const auto interval = displayInterval(settings.displayTime))
        m_bar.armHideTimer(*interval);
}
