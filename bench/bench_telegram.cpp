// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of one telegram from received bytes to labels written, with full
// directories; lookups that hit the last entry and that miss.
#include "common/cp1252.h"
#include "connection/record_framer.h"
#include "connection/telegram_intake.h"
#include "directories/directories.h"
#include "directories/status_tables.h"
#include "presentation/telegram_presenter.h"
#include "presentation/telegram_summary.h"
#include "support/fixed_clock.h"
#include "support/fixed_settings.h"
#include "support/recording_bar.h"
#include "telegram/telegram_sink.h"

#include <benchmark/benchmark.h>

namespace {

Directories fullDirectories()
{
    QList<FiveToneReceiver> receivers(Directories::FiveToneCapacity);
    for (int i = 0; i < receivers.size(); ++i) {
        receivers[i].code.assign(QString::number(10001 + i));
        receivers[i].name.assign(QStringLiteral("Melder %1").arg(i + 1));
    }
    QList<Vehicle> vehicles(Directories::VehicleCapacity);
    for (int i = 0; i < vehicles.size(); ++i) {
        vehicles[i].fmsId.assign(QString::number(60000001 + i));
        vehicles[i].name.assign(QStringLiteral("Florian Musterstadt %1").arg(i + 1));
    }
    QList<PocsagReceiver> pagers(5000);
    for (int i = 0; i < pagers.size(); ++i)
        pagers[i].address = 1000001 + i;
    Directories directories;
    directories.setFiveToneReceivers(receivers);
    directories.setVehicles(vehicles);
    directories.setPocsagReceivers(pagers);
    return directories;
}

void runRecord(benchmark::State& state, const QByteArray& bytes)
{
    static const Directories directories = fullDirectories();
    static const StatusTables tables;
    FixedSettings settings;
    RecordingBar bar;
    TelegramSummary summary;
    FixedClock clock;
    TelegramPresenter presenter(directories, tables, settings, bar, summary);
    RecordFramer framer;
    for (auto _ : state) {
        for (const QByteArray& record : framer.feed(bytes))
            classifyTelegram({decodeCp1252(record), clock.now()}, presenter);
        benchmark::DoNotOptimize(bar.captions[1].constData());
    }
}

} // namespace

BENCHMARK_CAPTURE(runRecord, zvei_last, QByteArray("ZVEI\t12500\r\n"));
BENCHMARK_CAPTURE(runRecord, zvei_miss, QByteArray("ZVEI\t99999\r\n"));
BENCHMARK_CAPTURE(runRecord, pocsag_last, QByteArray("POC\t1005000\tA\tProbealarm Feuerwehr\r\n"));
BENCHMARK_CAPTURE(runRecord, pocsag_miss, QByteArray("POC\t7\tA\tProbealarm Feuerwehr\r\n"));
BENCHMARK_CAPTURE(runRecord, fms_last,
                  QByteArray("FMSTlg\t60002000\t\t\t\t\t3\t\t0\t\t\t\t\tText\r\n"));
BENCHMARK_CAPTURE(runRecord, fms_miss, QByteArray("FMSTlg\t69999999\t\t\t\t\t3\t\t0\r\n"));
BENCHMARK_CAPTURE(
    runRecord, fms_marked_last,
    QByteArray("x#![]!#x#![]!#60002000#![]!#10#![]!#x#![]!#true#![]!##![]!##![]!##![]!#"
               "#![]!##![]!#Lage;TRN 4711 (12)\r\n"));

BENCHMARK_MAIN();
