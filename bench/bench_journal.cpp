// SPDX-License-Identifier: GPL-3.0-or-later
// Journal writes through the batching path, and the cost a burst of
// telegrams adds to the thread that drives the message bar.
#include "common/clock.h"
#include "journal/journal.h"
#include "journal_mix.h"
#include "telegram/handled_telegram.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QList<HandledTelegram> mixedTelegrams(int count)
{
    JournalMix mix;
    const QDateTime now = QDateTime::currentDateTime();
    QList<HandledTelegram> telegrams;
    for (int i = 0; i < count; ++i)
        telegrams << mix.next(now);
    return telegrams;
}

// A new journal in a folder of its own, written empty.
struct EmptyJournal
{
    QTemporaryDir dir;
    SystemClock clock;
    std::unique_ptr<Journal> journal =
        std::make_unique<Journal>(dir.filePath(QStringLiteral("journal.sqlite")), clock, 0);
    EmptyJournal() { journal->flush(); }
};

// Telegrams appended as fast as they come, the event loop turning between
// them as it would between network reads; items/s is the sustained rate.
void BM_JournalWriteSustained(benchmark::State& state)
{
    const QList<HandledTelegram> telegrams = mixedTelegrams(int(state.range(0)));
    const EmptyJournal empty;
    Journal& journal = *empty.journal;
    for (auto _ : state) {
        for (qsizetype i = 0; i < telegrams.size(); ++i) {
            journal.append(telegrams[i]);
            if (i % 500 == 0)
                QCoreApplication::processEvents();
        }
        journal.flush();
    }
    state.SetItemsProcessed(state.iterations() * telegrams.size());
}
BENCHMARK(BM_JournalWriteSustained)->Arg(200'000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Only what the bar's thread spends on a burst: the commit happens beside it.
void BM_BurstOnBarThread(benchmark::State& state)
{
    const QList<HandledTelegram> telegrams = mixedTelegrams(int(state.range(0)));
    const EmptyJournal empty;
    Journal& journal = *empty.journal;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        for (const HandledTelegram& telegram : telegrams)
            journal.append(telegram);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        journal.flush();
    }
    state.SetItemsProcessed(state.iterations() * telegrams.size());
}
BENCHMARK(BM_BurstOnBarThread)
    ->Arg(20'000)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
