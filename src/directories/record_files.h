// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records.h"

#include <QByteArray>
#include <QList>
#include <optional>

class QIODevice;

// The record files: a plain sequence of fixed-length records, no header.
// Ton5.dat holds five-tone receivers, Fahrzeug.Dat vehicles, POCSAG.DAT
// pager receivers; fields beyond code or address and name are not used.
namespace RecordFile {
inline constexpr qsizetype FiveToneSize = 323;
inline constexpr qsizetype VehicleSize = 515;
inline constexpr qsizetype PocsagSize = 581;
// POCSAG.DAT has no capacity of its own; this bounds what a damaged or
// hostile file can take.
inline constexpr int PocsagLimit = 1'000'000;
} // namespace RecordFile

// Each reads at most `limit` records from the start of the file. Nothing
// when the file's length is not a whole number of records; a file that
// shrinks while it is read yields the whole records that were there.
std::optional<QList<FiveToneReceiver>> readFiveToneRecords(QIODevice& file, int limit);
std::optional<QList<Vehicle>> readVehicleRecords(QIODevice& file, int limit);
std::optional<QList<PocsagReceiver>> readPocsagRecords(QIODevice& file, int limit);

// One record as the files hold it, the unused fields zero.
QByteArray fiveToneRecordBytes(const FiveToneReceiver& receiver);
QByteArray vehicleRecordBytes(const Vehicle& vehicle);
QByteArray pocsagRecordBytes(const PocsagReceiver& receiver);
