// SPDX-License-Identifier: GPL-3.0-or-later
// The "Telegramm-Liste" window on a journal of a million rows: opening it,
// changing the search and the filters, and the memory it adds.
//   bench_history [JOURNAL]   (default: a generated journal in the build folder)
#include "common/clock.h"
#include "history/history_window.h"
#include "journal/journal.h"
#include "journal_mix.h"
#include "resident_memory.h"
#include "support/fake_dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

QString g_journalPath;

// The model behind the window's table, as the window drives it.
HistoryModel& modelOf(const HistoryWindow& window)
{
    return *static_cast<HistoryModel*>(window.findChild<QTableView*>()->model());
}

Rgb statusColour(int status, FmsDirection)
{
    return {status * 10, 128, 0};
}

struct Fixture
{
    SystemClock clock;
    FakeDialogs dialogs;
    Journal journal{g_journalPath, clock, 0};
};

// From nothing to a shown window with the newest rows painted.
void BM_OpenWindow(benchmark::State& state)
{
    Fixture fixture;
    for (auto _ : state) {
        HistoryWindow window(fixture.journal, fixture.clock, statusColour, fixture.dialogs);
        window.showAndRaise();
        QApplication::processEvents();
        benchmark::DoNotOptimize(modelOf(window).rowCount());
    }
}
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

// A filter change as the window makes it, newest matching rows loaded.
void BM_FilterChange(benchmark::State& state, JournalFilter filter)
{
    Fixture fixture;
    HistoryWindow window(fixture.journal, fixture.clock, statusColour, fixture.dialogs);
    HistoryModel& model = modelOf(window);
    int rows = 0;
    for (auto _ : state) {
        model.setFilter(filter);
        rows = model.rowCount();
        state.PauseTiming();
        model.setFilter(JournalFilter());
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}

JournalFilter searchFor(const QString& text)
{
    JournalFilter filter;
    filter.search = text;
    return filter;
}

JournalFilter kinds(QList<TelegramKind> kinds, const QString& text = {})
{
    JournalFilter filter = searchFor(text);
    filter.kinds = kinds;
    return filter;
}

JournalFilter period(JournalPeriod period, const QString& text = {})
{
    JournalFilter filter = searchFor(text);
    filter.period = period;
    return filter;
}

BENCHMARK_CAPTURE(BM_FilterChange, name, searchFor(QStringLiteral("Ölbach")))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterChange, text, searchFor(QStringLiteral("hauptstraße")))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterChange, address, searchFor(QStringLiteral("61011803")))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterChange, two_words, searchFor(QStringLiteral("süderau zug")))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterChange, one_letter, searchFor(QStringLiteral("ü")))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterChange, nowhere_short, searchFor(QStringLiteral("qx")))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterChange, nowhere_long, searchFor(QStringLiteral("quarkspeise")))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterChange, pocsag_only, kinds({TelegramKind::Pocsag}))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterChange, zvei_fms_named,
                  kinds({TelegramKind::FiveTone, TelegramKind::Fms}, QStringLiteral("ölbach")))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterChange, pocsag_status_text,
                  kinds({TelegramKind::Pocsag}, QStringLiteral("frei auf funk")))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterChange, today, period(JournalPeriod::Today))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterChange, seven_days_text,
                  period(JournalPeriod::LastSevenDays, QStringLiteral("probealarm")))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilterChange, today_nowhere,
                  period(JournalPeriod::Today, QStringLiteral("quarkspeise")))
    ->Unit(benchmark::kMillisecond);

// What the open window adds to the process, after scrolling a few pages
// and a handful of searches.
void BM_WindowMemory(benchmark::State& state)
{
    Fixture fixture;
    for (auto _ : state) {
        const qint64 before = residentKiB();
        HistoryWindow window(fixture.journal, fixture.clock, statusColour, fixture.dialogs);
        window.showAndRaise();
        QApplication::processEvents();
        HistoryModel& model = modelOf(window);
        for (int page = 0; page < 10; ++page)
            model.fetchMore({});
        for (const char* text : {"ölbach", "hauptstraße", "qx", "61011803", ""})
            model.setFilter(searchFor(QString::fromUtf8(text)));
        QApplication::processEvents();
        state.counters["added_MiB"] = double(residentKiB() - before) / 1024.0;
    }
}
BENCHMARK(BM_WindowMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    g_journalPath = argc > 1 ? QString::fromLocal8Bit(argv[1])
                             : QStringLiteral(OSTREVO_BENCH_FOLDER "/journal-1m.sqlite");
    if (!QFileInfo::exists(g_journalPath)) {
        std::fprintf(stderr, "Writing a journal of 1 000 000 rows to %s ...\n",
                     qPrintable(g_journalPath));
        QString error;
        if (!writeMixedJournal(g_journalPath, 1'000'000, 90, QDateTime::currentDateTime(),
                               &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
