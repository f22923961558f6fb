#include "load_announcer.h"

#include "common/clock.h"
#include "display_time.h"
#include "message_bar.h"
#include "settings/settings.h"

LoadAnnouncer::LoadAnnouncer(const SettingsSource& settings, MessageBar& bar, const Clock& clock)
    : m_settings(settings), m_bar(bar), m_clock(clock)
{
}

void LoadAnnouncer::announce(const QString& message)
{
    const Settings& settings = m_settings.settings();
    if (!settings.barActive)
        return;
    m_bar.setCaption(BarLabel::Time, m_clock.timeStamp());
    m_bar.setCaption(BarLabel::Line, message);
    if (const auto interval = displayInterval(settings.displayTime))
        m_bar.armHideTimer(*interval);
}
