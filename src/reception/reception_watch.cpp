// SPDX-License-Identifier: GPL-3.0-or-later
#include "reception_watch.h"

#include "common/clock.h"
#include "reception_log.h"
#include "settings/settings.h"

#include <algorithm>

namespace {

// Pagers and five-tone receivers are named without leading zeros alike.
QString normalised(const QString& address)
{
    qsizetype zeros = 0;
    while (zeros + 1 < address.size() && address[zeros] == u'0')
        ++zeros;
    return address.mid(zeros);
}

QString clockTime(const QDateTime& time)
{
    return time.toString(u"HH:mm");
}

} // namespace

std::optional<KeepAlive> readKeepAlive(const QString& text)
{
    const QStringList words = text.simplified().split(u' ', Qt::SkipEmptyParts);
    if (words.size() != 2)
        return std::nullopt;
    bool ok = false;
    const int minutes = words[1].toInt(&ok);
    const bool digits = std::all_of(words[0].begin(), words[0].end(),
                                    [](QChar c) { return c >= u'0' && c <= u'9'; });
    const QString address = normalised(words[0]);
    if (!ok || minutes < 1 || minutes > 24 * 60 || !digits || address.size() > 7)
        return std::nullopt;
    return KeepAlive{address, minutes};
}

ReceptionWatch::ReceptionWatch(const Clock& clock, const SettingsSource& settings, QObject* parent)
    : QObject(parent), m_clock(clock), m_settings(settings)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ReceptionWatch::check);
}

void ReceptionWatch::start()
{
    m_lastTelegram = m_lastKeepAlive = m_clock.now();
    schedule();
}

void ReceptionWatch::take(const HandledTelegram& telegram)
{
    m_lastTelegram = m_clock.now();
    const std::optional<KeepAlive> keepAlive = readKeepAlive(m_settings.settings().keepAlive);
    if (keepAlive && telegram.kind != TelegramKind::Fms &&
        normalised(telegram.address) == keepAlive->address)
        m_lastKeepAlive = m_lastTelegram;
    check();
}

std::optional<QDateTime> ReceptionWatch::silenceDeadline() const
{
    const int minutes = m_settings.settings().receptionWarnMinutes;
    if (minutes <= 0)
        return std::nullopt;
    return m_lastTelegram.addSecs(minutes * 60);
}

std::optional<QDateTime> ReceptionWatch::keepAliveDeadline() const
{
    const std::optional<KeepAlive> keepAlive = readKeepAlive(m_settings.settings().keepAlive);
    if (!keepAlive)
        return std::nullopt;
    return m_lastKeepAlive.addSecs((keepAlive->minutes + KeepAliveGraceMinutes) * 60);
}

void ReceptionWatch::check()
{
    if (!m_lastTelegram.isValid())
        return; // not started yet
    const QDateTime now = m_clock.now();
    QString problem;
    if (const auto deadline = silenceDeadline(); deadline && now > *deadline)
        problem = QStringLiteral("Kein Empfang seit ") + clockTime(m_lastTelegram);
    else if (const auto due = keepAliveDeadline(); due && now > *due)
        problem = QStringLiteral("Lebenszeichen %1 fehlt seit %2")
                      .arg(readKeepAlive(m_settings.settings().keepAlive)->address,
                           clockTime(m_lastKeepAlive));
    if (problem != m_problem) {
        const bool wasFailing = !m_problem.isEmpty();
        m_problem = problem;
        if (!problem.isEmpty()) {
            qCWarning(lcReception).noquote() << problem;
            if (!wasFailing)
                emit failed(problem);
        } else {
            qCInfo(lcReception) << "Empfang wieder da";
            emit recovered();
        }
        emit problemChanged(m_problem);
    }
    schedule();
}

void ReceptionWatch::schedule()
{
    // The next deadline still to come: one passed is shown already, and is
    // looked at again when a telegram comes or the settings change.
    const QDateTime now = m_clock.now();
    std::optional<QDateTime> next;
    for (const auto& deadline : {silenceDeadline(), keepAliveDeadline()}) {
        if (deadline && *deadline >= now && (!next || *deadline < *next))
            next = deadline;
    }
    if (!next) {
        m_timer.stop();
        return;
    }
    // No faster than once a second.
    m_timer.start(std::chrono::milliseconds(std::max<qint64>(now.msecsTo(*next) + 1, 1000)));
}
