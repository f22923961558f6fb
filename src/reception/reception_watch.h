// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "telegram/handled_telegram.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <optional>

class Clock;
class SettingsSource;

// An address the radio network sends at a steady interval, so that its
// absence shows that reception has failed: "1234567 15".
struct KeepAlive
{
    QString address; // a POCSAG address or a five-tone code
    int minutes = 0;
    bool operator==(const KeepAlive&) const = default;
};

// Reads "ADDRESS MINUTES"; nothing for an empty or unreadable text.
std::optional<KeepAlive> readKeepAlive(const QString& text);

// Notices silence: when no telegram has come for longer than the settings
// allow, or the keep-alive address has not come for longer than its
// interval. It says so once when reception fails and once when it is back;
// it never invents telegrams.
class ReceptionWatch final : public QObject
{
    Q_OBJECT

public:
    // A keep-alive may be this late before it counts as missing.
    static constexpr int KeepAliveGraceMinutes = 1;

    ReceptionWatch(const Clock& clock, const SettingsSource& settings, QObject* parent = nullptr);

    // Starts watching from now.
    void start();
    void take(const HandledTelegram& telegram);
    // Looks at the time again: the watch's own timer calls it, and so
    // should a change of the settings.
    void check();

    // "Kein Empfang seit 14:03", "Lebenszeichen 1234567 fehlt seit 14:03";
    // empty while reception is fine.
    const QString& problem() const { return m_problem; }

signals:
    // What problem() says changed, to the empty text as well.
    void problemChanged(const QString& problem);
    // Reception failed, or is back: once each.
    void failed(const QString& problem);
    void recovered();

private:
    void schedule();
    std::optional<QDateTime> silenceDeadline() const;
    std::optional<QDateTime> keepAliveDeadline() const;

    const Clock& m_clock;
    const SettingsSource& m_settings;
    QDateTime m_lastTelegram;
    QDateTime m_lastKeepAlive;
    QString m_problem;
    QTimer m_timer;
};
