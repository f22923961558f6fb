// SPDX-License-Identifier: GPL-3.0-or-later
#include "status_board.h"

#include "common/log_text.h"
#include "directories/directories.h"
#include "journal/journal_columns.h"
#include "journal/vehicle_states.h"
#include "statusboard_log.h"

#include <QSignalBlocker>
#include <algorithm>

namespace {

// Identifiers are eight characters; anything much longer is no vehicle.
bool acceptsAddress(const QString& address)
{
    return !address.isEmpty() && address.size() <= StatusBoard::MaxAddressLength;
}

constexpr qint64 KeptSeconds = std::chrono::seconds(StatusBoard::RequestsKept).count();

QDateTime journalTime(const QString& text)
{
    return QDateTime::fromString(text, Qt::ISODate);
}

// NOTRUFs first, each kind by arrival.
bool queuedBefore(const BoardRequest& a, const BoardRequest& b)
{
    if (a.emergency != b.emergency)
        return a.emergency;
    return a.since < b.since;
}

// The settings keep "address time;address time …".
constexpr qsizetype MaxDismissals = Directories::VehicleCapacity + StatusBoard::MaxUnlisted;

QHash<QString, QDateTime> readDismissals(const QString& text)
{
    QHash<QString, QDateTime> dismissals;
    for (const QString& entry : text.split(u';', Qt::SkipEmptyParts)) {
        if (dismissals.size() >= MaxDismissals)
            break;
        const qsizetype space = entry.lastIndexOf(u' ');
        const QString address = entry.left(space);
        const QDateTime time = journalTime(entry.mid(space + 1));
        if (space > 0 && acceptsAddress(address) && time.isValid())
            dismissals.insert(address, time);
    }
    return dismissals;
}

} // namespace

StatusBoard::StatusBoard(QObject* parent) : QObject(parent) {}

const BoardVehicle* StatusBoard::vehicle(const QString& address) const
{
    const auto found = m_index.constFind(address);
    return found == m_index.cend() ? nullptr : &m_vehicles.at(*found);
}

QString StatusBoard::rebuild(const QList<Vehicle>& listed, const QString& journalPath,
                             const QDateTime& now, const QString& dismissals)
{
    QString error;
    {
        const QSignalBlocker quiet(this); // one reset for the views
        m_vehicles.clear();
        m_index.clear();
        m_requests.clear();
        m_dismissed = readDismissals(dismissals);
        for (const Vehicle& entry : listed) {
            const QString address = entry.fmsId.trimmed();
            if (!acceptsAddress(address) || m_index.contains(address))
                continue;
            m_index.insert(address, int(m_vehicles.size()));
            m_vehicles.append({address, entry.name.trimmed(), std::nullopt, {}, {}});
        }
        m_listed = int(m_vehicles.size());
        int listedSeen = 0;
        QList<std::pair<qint64, BoardRequest>> requests;
        // Most recently heard first: the unlisted vehicles kept are the newest.
        error = readVehicleStates(journalPath, [&](const VehicleJournalState& state) {
            if (!acceptsAddress(state.address))
                return true;
            if (m_index.value(state.address, m_listed) < m_listed)
                ++listedSeen;
            else if (unlistedCount() >= MaxUnlisted)
                return listedSeen < m_listed;
            if (const auto request = restoreVehicle(state, now))
                requests << *request;
            return listedSeen < m_listed || unlistedCount() < MaxUnlisted;
        });
        // The journal's times are whole seconds: of equal times, the row
        // written first came first.
        std::sort(requests.begin(), requests.end(), [](const auto& a, const auto& b) {
            return queuedBefore(a.second, b.second) ||
                   (!queuedBefore(b.second, a.second) && a.first < b.first);
        });
        for (const auto& [id, request] : std::as_const(requests))
            m_requests << request;
    }
    if (!error.isEmpty())
        qCWarning(lcStatusBoard).noquote()
            << QStringLiteral("Die Statusübersicht kann das Journal nicht lesen (%1).").arg(error);
    qCDebug(lcStatusBoard) << m_vehicles.size() << "Fahrzeuge," << m_requests.size()
                           << "offene Sprechwünsche aus dem Journal";
    emit rebuilt();
    return error;
}

std::optional<std::pair<qint64, BoardRequest>>
StatusBoard::restoreVehicle(const VehicleJournalState& state, const QDateTime& now)
{
    const QDateTime heard = journalTime(state.lastHeardAt);
    BoardVehicle& vehicle = m_vehicles[indexFor(state.address, heard)];
    vehicle.lastHeard = heard;
    const QDateTime statusAt = journalTime(state.statusAt);
    if (state.status && isOperationalStatus(*state.status) && statusAt.isValid()) {
        vehicle.status = state.status;
        vehicle.statusAt = statusAt;
    }
    const QDateTime latest = journalTime(state.latestRequest.receivedAt);
    if (!latest.isValid() || latest < now.addSecs(-KeptSeconds))
        return std::nullopt;
    // The journal does not know the user's answer: what came after it is a
    // new request, as it was while the program ran.
    const QDateTime answered = m_dismissed.value(state.address);
    if (answered.isValid() && answered >= latest)
        return std::nullopt;
    const auto afterAnswer = [&answered](const QDateTime& time) {
        return time.isValid() && (!answered.isValid() || time > answered);
    };
    const QDateTime emergencyAt = journalTime(state.emergency.receivedAt);
    const bool emergency =
        afterAnswer(emergencyAt) || state.latestRequestStatus == FmsStatus::Emergency;
    const JournalMark& first = emergency ? state.emergency : state.request;
    const QDateTime firstAt = journalTime(first.receivedAt);
    if (!afterAnswer(firstAt))
        return std::pair(state.latestRequest.id,
                         BoardRequest{state.address, emergency, latest, latest});
    return std::pair(first.id, BoardRequest{state.address, emergency, firstAt, latest});
}

void StatusBoard::apply(const HandledTelegram& telegram)
{
    if (telegram.kind != TelegramKind::Fms || !telegram.status || !telegram.direction ||
        !acceptsAddress(telegram.address))
        return;
    const int status = *telegram.status;
    if (*telegram.direction == FmsDirection::ToVehicle) {
        if (status == FmsStatus::SpeakingPrompt)
            removeRequest(telegram.address);
        return;
    }
    // Fixed to its offset, a time compares and sorts without looking up the
    // time zone again, which the C library does through the file system.
    const QDateTime at = telegram.receivedAt.toOffsetFromUtc(telegram.receivedAt.offsetFromUtc());
    const int index = indexFor(telegram.address, at);
    m_vehicles[index].lastHeard = at;
    if (status == FmsStatus::Emergency || status == FmsStatus::RequestToSpeak) {
        raiseRequest(telegram.address, status == FmsStatus::Emergency, at);
        return;
    }
    removeRequest(telegram.address);
    if (!isOperationalStatus(status))
        return;
    m_vehicles[index].status = status;
    m_vehicles[index].statusAt = at;
    emit vehicleChanged(index);
}

int StatusBoard::indexFor(const QString& address, const QDateTime& heard)
{
    if (const auto found = m_index.constFind(address); found != m_index.cend())
        return *found;
    const BoardVehicle fresh{address, {}, std::nullopt, {}, heard};
    if (unlistedCount() < MaxUnlisted) {
        const int index = int(m_vehicles.size());
        m_vehicles.append(fresh);
        m_index.insert(address, index);
        emit vehicleAdded(index);
        return index;
    }
    // The longest silent unlisted vehicle; a time the journal could not
    // give counts as longest.
    int silent = m_listed;
    for (int i = m_listed + 1; i < m_vehicles.size(); ++i) {
        const QDateTime& candidate = m_vehicles.at(i).lastHeard;
        const QDateTime& longest = m_vehicles.at(silent).lastHeard;
        if (longest.isValid() && (!candidate.isValid() || candidate < longest))
            silent = i;
    }
    const QString gone = m_vehicles.at(silent).address;
    qCDebug(lcStatusBoard).noquote()
        << "Nicht gelistetes Fahrzeug" << logText(gone) << "macht Platz für" << logText(address);
    removeRequest(gone);
    m_index.remove(gone);
    m_vehicles[silent] = fresh;
    m_index.insert(address, silent);
    emit vehicleReplaced(silent);
    return silent;
}

void StatusBoard::raiseRequest(const QString& address, bool emergency, const QDateTime& at)
{
    if (const qsizetype position = requestPosition(address); position >= 0) {
        BoardRequest& open = m_requests[position];
        open.latest = at;
        if (open.emergency || !emergency)
            return;
        m_requests.removeAt(position);
        emit requestRemoved(int(position));
    }
    insertRequest({address, emergency, at, at});
}

void StatusBoard::insertRequest(const BoardRequest& request)
{
    const auto place =
        std::upper_bound(m_requests.cbegin(), m_requests.cend(), request, queuedBefore);
    const qsizetype position = place - m_requests.cbegin();
    m_requests.insert(position, request);
    emit requestInserted(int(position));
}

void StatusBoard::removeRequest(const QString& address)
{
    const qsizetype position = requestPosition(address);
    if (position < 0)
        return;
    m_requests.removeAt(position);
    emit requestRemoved(int(position));
}

qsizetype StatusBoard::requestPosition(const QString& address) const
{
    const auto found = std::find_if(m_requests.cbegin(), m_requests.cend(),
                                    [&](const BoardRequest& r) { return r.address == address; });
    return found == m_requests.cend() ? -1 : found - m_requests.cbegin();
}

void StatusBoard::dismissRequest(const QString& address)
{
    const qsizetype position = requestPosition(address);
    if (position < 0)
        return;
    m_dismissed.insert(address, m_requests.at(position).latest);
    removeRequest(address);
}

QString StatusBoard::dismissalsText(const QDateTime& now) const
{
    QStringList entries;
    const QDateTime oldest = now.addSecs(-KeptSeconds);
    for (auto it = m_dismissed.cbegin(); it != m_dismissed.cend(); ++it) {
        if (*it >= oldest && !it.key().contains(u';'))
            entries << it.key() + u' ' + receivedAtText(*it);
    }
    entries.sort(); // the same file for the same answers
    return entries.join(u';');
}
