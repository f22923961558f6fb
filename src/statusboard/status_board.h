// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "directories/records.h"
#include "telegram/handled_telegram.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <chrono>
#include <optional>

struct VehicleJournalState;

// A vehicle on the board: one of the lists, or one that sent a status
// without being listed.
struct BoardVehicle
{
    QString address;           // the identifier, trimmed
    QString name;              // from the lists; empty when not listed
    std::optional<int> status; // the last operational status it sent
    QDateTime statusAt;
    QDateTime lastHeard; // its newest telegram from the vehicle
    bool operator==(const BoardVehicle&) const = default;
};

// A vehicle's request that waits for an answer.
struct BoardRequest
{
    QString address;
    bool emergency = false; // NOTRUF; otherwise Sprechwunsch
    QDateTime since;        // the first of its kind since the vehicle was last answered
    QDateTime latest;       // its newest request
    bool operator==(const BoardRequest&) const = default;
};

// Where each vehicle stands and who waits for an answer. A vehicle's
// operational status is the last of 1-4 and 6-8 it sent. NOTRUF and
// Sprechwunsch leave it as it is and queue a request instead: NOTRUFs
// first, each kind in order of arrival, one per vehicle (a NOTRUF makes
// it one, a repeat keeps its place). "J - Sprechaufforderung" to the
// vehicle, any other status from it, or the user answers the request.
class StatusBoard final : public QObject
{
    Q_OBJECT

public:
    // FMS noise decodes as random identifiers: the longest silent of the
    // unlisted vehicles makes room for a new one.
    static constexpr int MaxUnlisted = 1000;
    static constexpr qsizetype MaxAddressLength = 16;
    // How old a request may be and still come back after a restart.
    static constexpr std::chrono::minutes RequestsKept{10};

    explicit StatusBoard(QObject* parent = nullptr);

    // Starts anew: one row per identifier of the lists (the first name
    // wins, as in the bar), then the journal's state of each vehicle with
    // the requests of the ten minutes before `now` that nobody answered;
    // `dismissals` are the user's answers of the last run (dismissalsText()).
    // Returns why the journal could not be read; empty when it could.
    QString rebuild(const QList<Vehicle>& listed, const QString& journalPath, const QDateTime& now,
                    const QString& dismissals = {});

    void apply(const HandledTelegram& telegram);
    // The user's "Erledigt".
    void dismissRequest(const QString& address);
    // The user's answers of the ten minutes before `now`, for the next run.
    QString dismissalsText(const QDateTime& now) const;

    const QList<BoardVehicle>& vehicles() const { return m_vehicles; }
    const QList<BoardRequest>& requests() const { return m_requests; }
    const BoardVehicle* vehicle(const QString& address) const;

signals:
    void rebuilt();
    void vehicleAdded(int index);
    // Its status changed.
    void vehicleChanged(int index);
    // A new unlisted vehicle took the place of the longest silent one.
    void vehicleReplaced(int index);
    void requestInserted(int position);
    void requestRemoved(int position);

private:
    int indexFor(const QString& address, const QDateTime& heard);
    // The vehicle's request, if one is open, with the id of its telegram.
    std::optional<std::pair<qint64, BoardRequest>> restoreVehicle(const VehicleJournalState& state,
                                                                  const QDateTime& now);
    void raiseRequest(const QString& address, bool emergency, const QDateTime& at);
    void insertRequest(const BoardRequest& request);
    void removeRequest(const QString& address);
    qsizetype requestPosition(const QString& address) const;
    int unlistedCount() const { return int(m_vehicles.size()) - m_listed; }

    QList<BoardVehicle> m_vehicles;
    QHash<QString, int> m_index;
    int m_listed = 0; // the listed vehicles come first
    QList<BoardRequest> m_requests;
    QHash<QString, QDateTime> m_dismissed; // the newest request the user answered
};
