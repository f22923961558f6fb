#include "load_announcer.h"

#include "common/clock.h"
#include "display_time.h"
#include "live_options.h"
#include "message_bar.h"

LoadAnnouncer::LoadAnnouncer(const LiveOptions& options, MessageBar& bar, const Clock& clock)
    : m_options(options), m_bar(bar), m_clock(clock)
{
}

void LoadAnnouncer::announce(const QString& message)
{
    if (!m_options.messageBarActive())
        return;
    m_bar.setCaption(BarLabel::Time, m_clock.timeStamp());
    m_bar.setCaption(BarLabel::Line, message);
    if (const auto interval = DisplayInterval(m_options.displayTimeText()))
        m_bar.armHideTimer(*interval);
}
