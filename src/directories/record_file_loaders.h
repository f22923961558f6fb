#pragma once

#include <QString>

struct ListLoadContext;

// Loaders of the record files (Ton5.dat, Fahrzeug.Dat, POCSAG.DAT). Each
// returns the number of entries loaded, 0 when the file is missing,
// unreadable, invalid or empty. Counts are capped at the capacity of the
// list, so they never overflow.
int LoadFmeFile(const QString& path, ListLoadContext& context);
int LoadVehicleFile(const QString& path, ListLoadContext& context);
int LoadPocsagFile(const QString& path, ListLoadContext& context);

// POCSAG.DAT has no capacity of its own; this bounds the memory a damaged
// or hostile file can take (about 600 MB of records).
constexpr int kPocsagRecordLimit = 1'000'000;
