// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <random>

struct HandledTelegram;

// A day at a busy control centre, roughly: seven in ten telegrams FMS
// (most from vehicles, most vehicles listed), two five-tone calls, one
// POCSAG message; names and texts with umlauts. FMS comes from `vehicles`
// vehicles, 61000000, 61000037, 61000074 …
class JournalMix
{
public:
    explicit JournalMix(unsigned seed = 1, int vehicles = 400);
    HandledTelegram next(const QDateTime& receivedAt);

private:
    std::mt19937 m_random;
    int m_vehicles;
};

// Writes `rows` telegrams spread evenly over the `days` days before `now`,
// through the journal's own batching path. False with a message on failure.
bool writeMixedJournal(const QString& path, qint64 rows, int days, const QDateTime& now,
                       QString* error, int vehicles = 400);
