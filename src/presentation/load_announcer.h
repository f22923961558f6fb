#pragma once

#include <QString>

class Clock;
class LiveOptions;
class MessageBar;

// Writes a list loader's "… geladen." message into the bar and arms its hide
// timer, without showing the bar; only while the bar is in use.
class LoadAnnouncer
{
public:
    LoadAnnouncer(const LiveOptions& options, MessageBar& bar, const Clock& clock);
    void announce(const QString& message);

private:
    const LiveOptions& m_options;
    MessageBar& m_bar;
    const Clock& m_clock;
};
