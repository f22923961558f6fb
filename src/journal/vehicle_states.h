// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>

// A telegram the journal's state of a vehicle names: its id and the
// received_at text as stored, empty where there is none.
struct JournalMark
{
    qint64 id = 0;
    QString receivedAt;
    bool operator==(const JournalMark&) const = default;
};

// What the journal keeps of one vehicle that sent FMS telegrams. The file
// may have been edited by hand, so the status is only a whole number, not
// necessarily one of the vehicle's whereabouts.
struct VehicleJournalState
{
    QString address;
    QString lastHeardAt;       // its newest telegram
    std::optional<int> status; // its last operational status
    QString statusAt;
    JournalMark request;       // the first request (0 or 5) since it was last answered
    JournalMark emergency;     // the first NOTRUF since it was last answered
    JournalMark latestRequest; // the newest request since it was last answered
    std::optional<int> latestRequestStatus;
    bool operator==(const VehicleJournalState&) const = default;
};

// Hands the state of each vehicle to `take`, the most recently heard first,
// until `take` returns false. Reads through a connection of its own; a file
// the writer has not upgraded yet is read from its telegrams (slower).
// Returns why the file could not be read; empty when it could or does not exist.
QString readVehicleStates(const QString& journalPath,
                          const std::function<bool(const VehicleJournalState&)>& take);
