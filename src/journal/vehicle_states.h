#pragma once

#include <QString>
#include <functional>
#include <optional>

// What the journal keeps of one vehicle that sent FMS telegrams. Times are
// the received_at texts as stored, empty where there is none; the file may
// have been edited by hand, so the status is only a whole number, not
// necessarily one of the vehicle's whereabouts.
struct VehicleJournalState
{
    QString address;
    QString lastHeardAt;       // its newest telegram
    std::optional<int> status; // its last operational status
    QString statusAt;
    QString requestAt;       // the first request (0 or 5) since it was last answered
    QString emergencyAt;     // the first NOTRUF since it was last answered
    QString latestRequestAt; // the newest request since it was last answered
    std::optional<int> latestRequestStatus;
    bool operator==(const VehicleJournalState&) const = default;
};

// Hands the state of each vehicle to `take`, the most recently heard first,
// until `take` returns false. Reads through a connection of its own; a file
// the writer has not upgraded yet is read from its telegrams (slower).
// Returns why the file could not be read; empty when it could or does not exist.
QString readVehicleStates(const QString& journalPath,
                          const std::function<bool(const VehicleJournalState&)>& take);
