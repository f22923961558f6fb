// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records.h"

#include <QList>
#include <QStringView>

// The three name directories. Searches are linear, first match wins, and
// compare the whole fixed-width key, as the lists have always been read.
class Directories
{
public:
    static constexpr int FiveToneCapacity = 2500;
    static constexpr int VehicleCapacity = 2000;

    void setFiveToneReceivers(QList<FiveToneReceiver> receivers);
    void setVehicles(QList<Vehicle> vehicles);
    void setPocsagReceivers(QList<PocsagReceiver> receivers);

    const QList<Vehicle>& vehicles() const { return m_vehicles; }

    // The first receiver whose 5-character code equals the key.
    const FiveToneReceiver* findFiveTone(QStringView code) const;
    // The first vehicle whose 8-character identifier equals the key.
    const Vehicle* findVehicle(QStringView fmsId) const;
    // The first receiver whose address equals the numeric value of the text
    // (read leniently: leading zeros and trailing junk do not matter).
    const PocsagReceiver* findPocsag(QStringView address) const;

private:
    QList<FiveToneReceiver> m_fiveTone;
    QList<Vehicle> m_vehicles;
    QList<PocsagReceiver> m_pocsag;
};
