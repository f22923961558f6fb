// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_mix.h"

#include "common/clock.h"
#include "directories/status_tables.h"
#include "journal/journal.h"
#include "telegram/handled_telegram.h"

#include <QCoreApplication>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

const QStringList Places{u"Musterstadt"_s, u"Ölbach"_s,    u"Süderau"_s,   u"Großenhain"_s,
                         u"Weißdorf"_s,    u"Bärenfels"_s, u"Kühlungen"_s, u"Altdorf"_s};
const QStringList CallSigns{u"Florian"_s, u"Rotkreuz"_s, u"Christoph"_s, u"Heros"_s};
const QStringList Messages{u"Brand Wohnhaus, Hauptstraße 12, Personen in Gefahr"_s,
                           u"Verkehrsunfall B 96, eingeklemmte Person"_s,
                           u"Ölspur auf Fahrbahn, Bahnhofstraße"_s,
                           u"Probealarm – bitte nicht ausrücken"_s,
                           u"Rauchentwicklung Keller; \"Schule am Markt\""_s,
                           u"Tragehilfe Rettungsdienst, Mühlenweg 3"_s,
                           u"Übung Atemschutz 19:00 Uhr"_s,
                           u"Baum auf Straße, K 7, zwischen Ölbach und Süderau"_s};
constexpr int FromVehicleStatuses[] = {1, 1, 2, 2, 2, 3, 3, 4, 4, 5, 6, 7, 8, 0, 9};

class FixedNow final : public Clock
{
public:
    explicit FixedNow(const QDateTime& now) : m_now(now) {}
    QDateTime now() const override { return m_now; }

private:
    QDateTime m_now;
};

} // namespace

JournalMix::JournalMix(unsigned seed, int vehicles) : m_random(seed), m_vehicles(vehicles) {}

HandledTelegram JournalMix::next(const QDateTime& receivedAt)
{
    static const StatusTables tables;
    const auto pick = [this](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(m_random);
    };
    HandledTelegram telegram;
    telegram.receivedAt = receivedAt;
    const int kind = pick(10);
    const bool listed = pick(100) < 85;
    if (kind < 7) {
        const int vehicle = pick(m_vehicles);
        telegram.kind = TelegramKind::Fms;
        telegram.address = QString::number(61000000 + vehicle * 37);
        if (listed)
            telegram.name = CallSigns[vehicle % CallSigns.size()] + u' ' +
                            Places[vehicle / 8 % Places.size()] + u' ' +
                            QString::number(vehicle % 9 + 1) + u'/' +
                            QString::number(vehicle % 90 + 10) + QStringLiteral("-1");
        const bool toVehicle = pick(10) == 0;
        telegram.direction = toVehicle ? FmsDirection::ToVehicle : FmsDirection::FromVehicle;
        telegram.status =
            toVehicle ? pick(10) : FromVehicleStatuses[pick(std::size(FromVehicleStatuses))];
        telegram.text = tables.text(*telegram.status, *telegram.direction);
        telegram.record = QStringLiteral("FMS\t") + telegram.address + u'\t' +
                          QString::number(*telegram.status) + (toVehicle ? u"\t1" : u"\t0");
    } else if (kind < 9) {
        const int receiver = pick(150);
        telegram.kind = TelegramKind::FiveTone;
        telegram.address = QString::number(10000 + receiver * 211).left(5);
        if (listed)
            telegram.name = QStringLiteral("Feuerwehr ") + Places[receiver % Places.size()] +
                            QStringLiteral(" Zug ") + QString::number(receiver % 4 + 1);
        telegram.record = QStringLiteral("ZVEI1: ") + telegram.address;
    } else {
        const int receiver = pick(80);
        telegram.kind = TelegramKind::Pocsag;
        telegram.address = QString::number(1200000 + receiver * 1013);
        if (listed)
            telegram.name = QStringLiteral("Melder ") + Places[receiver % Places.size()] + u' ' +
                            QString::number(receiver);
        telegram.text = Messages[pick(Messages.size())];
        telegram.record = QStringLiteral("POCSAG1200: Address: ") + telegram.address +
                          QStringLiteral(" Alpha: ") + telegram.text;
    }
    telegram.passedFilters = listed || pick(2) == 0;
    telegram.shown = telegram.passedFilters;
    return telegram;
}

bool writeMixedJournal(const QString& path, qint64 rows, int days, const QDateTime& now,
                       QString* error, int vehicles)
{
    constexpr qint64 Chunk = 10'000;
    const FixedNow clock(now);
    Journal journal(path, clock, 0);
    JournalMix mix(1, vehicles);
    const QDateTime first = now.addDays(-days);
    const qint64 span = first.msecsTo(now);
    for (qint64 row = 0; row < rows; ++row) {
        journal.append(mix.next(first.addMSecs(rows > 1 ? span * row / (rows - 1) : span)));
        if ((row + 1) % Chunk == 0)
            journal.flush(); // keeps memory flat; the file sees one transaction per chunk
    }
    journal.flush();
    QCoreApplication::processEvents();
    if (error)
        *error = journal.statusMessage();
    return journal.statusMessage().isEmpty();
}
