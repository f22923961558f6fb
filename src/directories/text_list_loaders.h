#pragma once

#include <QString>

struct ListLoadContext;
struct StatusTables;

// "LST6:" and "KFZ6:" lines override the status texts, in file order.
// Returns the number of "LST6:" lines taken; lines beyond the 19 statuses
// are ignored.
int LoadStatusTexts(const QString& path, StatusTables& tables, const ListLoadContext& context);

// "KFZ " lines: the vehicles, from index 1. Returns the number loaded, 0 when
// the file is missing or holds more than the list's capacity.
int LoadVehicleText(const QString& path, ListLoadContext& context);

// "FME " lines: the five-tone receivers, from index 1. As above.
int LoadFmeText(const QString& path, ListLoadContext& context);

// Drops up to three leading space-separated words
// ("a b c Wehr Nord" -> "Wehr Nord", "Florian Musterstadt 1/44-1" -> "1/44-1").
QString ApplyWordRule(QString text);
