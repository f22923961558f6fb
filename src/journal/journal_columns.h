// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "telegram/fms.h"
#include "telegram/handled_telegram.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// The values of the journal's columns, as users' queries see them.

// "FMS", "ZVEI", "POCSAG".
QString kindName(TelegramKind kind);
std::optional<TelegramKind> kindFromName(QStringView name);

// "from_vehicle", "to_vehicle".
QString directionName(FmsDirection direction);
std::optional<FmsDirection> directionFromName(QStringView name);

// Wall-clock time with its offset: "2026-12-06T14:03:07+01:00".
QString receivedAtText(const QDateTime& time);

// Wall-clock time without offset, to compare with received_at as text.
QString wallClockText(const QDateTime& time);

// Address, name and text case-folded, one per line: what the search matches.
QString searchKey(const QString& address, const QString& name, const QString& text);

// The words of a search, case-folded. Control characters separate words:
// SQLite 3.40's trigram index crashes on a pattern with a NUL in it.
QStringList searchWords(const QString& search);
