// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm_rules.h"

#include <QDateTime>
#include <deque>

// An alarm that nobody has acknowledged yet.
struct OpenAlarm
{
    QDateTime raisedAt;
    QString label; // the rule's "Bezeichnung"
    bool test = false;
    QString who;  // the name from the lists, else the address
    QString text; // the message or status text
    int count = 1;
    QDateTime lastAt;           // its newest telegram
    bool textCameLater = false; // a tone-only page completed by its text
    AlarmSound sound;
    bool repeat = false;
    // What tells a repeat and a late text apart.
    TelegramKind kind = TelegramKind::FiveTone;
    QString address;
    QString subAddress;
    std::optional<int> status;
};

// The open alarms, newest first, until they are acknowledged. The same
// telegram again within RepeatSeconds of the last counts on its alarm (radio
// repeats, a second receiver); later it is a new alarm, and so is a real
// telegram after a test alarm. A page without text followed soon by the text
// to the same pager is one alarm. At most MaxKept are kept; older ones are
// counted.
class AlarmBook
{
public:
    static constexpr int MaxKept = 100;
    static constexpr int ExpressSeconds = 15;
    static constexpr int RepeatSeconds = 60;

    enum class Outcome
    {
        Raised,    // a new alarm
        Repeated,  // the same telegram again: counted
        Completed, // the text of a page that came without
    };

    Outcome take(const HandledTelegram& telegram, const AlarmRule& rule, bool test);

    const std::deque<OpenAlarm>& alarms() const { return m_alarms; }
    // Open alarms beyond those kept.
    int beyondKept() const { return m_beyondKept; }
    bool isOpen() const { return !m_alarms.empty(); }
    int openCount() const { return int(m_alarms.size()) + m_beyondKept; }
    void clear();

private:
    std::deque<OpenAlarm> m_alarms;
    int m_beyondKept = 0;
};
