// SPDX-License-Identifier: GPL-3.0-or-later
// The status board with 2 000 listed vehicles over a journal of a million
// rows from 2 200 vehicles (200 of them in no list):
//   BM_Rebuild          the board from the journal, as at start-up
//   BM_RebuildVersion1  the same from a file the writer has not upgraded yet
//   BM_OpenWindow       the window opened, filled and painted
//   BM_Memory           what the board and its window add (resident and heap)
//   BM_Flood            500 FMS telegrams a second for 20 s through intake,
//                       presenter, bar, journal and board, the window open and
//                       sorted by the given column: the slices of GUI-thread
//                       work (see TimedApplication)
//   bench_status_board [JOURNAL]   (default: a generated journal in the build folder)
#include "common/clock.h"
#include "common/cp1252.h"
#include "connection/telegram_intake.h"
#include "directories/directories.h"
#include "directories/status_tables.h"
#include "journal/journal.h"
#include "journal/sql_connection.h"
#include "journal_mix.h"
#include "message_bar/message_bar_window.h"
#include "presentation/telegram_presenter.h"
#include "presentation/telegram_summary.h"
#include "resident_memory.h"
#include "settings/settings_model.h"
#include "statusboard/board_cells.h"
#include "statusboard_window/status_board_window.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <malloc.h>
#include <random>
#include <time.h>

namespace {

constexpr int ListedVehicles = 2000;
constexpr int JournalVehicles = 2200;
QString g_journal;
QString g_version1;

QString fmsId(int vehicle)
{
    return QString::number(61000000 + vehicle * 37); // as JournalMix numbers them
}

QList<Vehicle> listedVehicles()
{
    QList<Vehicle> vehicles(ListedVehicles);
    for (int i = 0; i < ListedVehicles; ++i) {
        vehicles[i].fmsId.assign(fmsId(i));
        vehicles[i].name.assign(QStringLiteral("Florian Musterstadt %1/%2-1").arg(i / 50).arg(i));
    }
    return vehicles;
}

// Times the GUI thread's work in slices: all that one pass of the event loop
// delivers, from its first event to its last, before the loop waits again
// (QAbstractEventDispatcher::aboutToBlock); no frame can be drawn inside a
// slice. Wall time, and the thread's own CPU time, which other programs on a
// busy machine do not stretch.
class TimedApplication final : public QApplication
{
public:
    TimedApplication(int& argc, char** argv) : QApplication(argc, argv)
    {
        m_clock.start();
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                [this] {
                    if (m_inSlice && recording)
                        slices.append({m_lastEnd - m_sliceStart, m_lastCpuEnd - m_sliceCpuStart});
                    m_inSlice = false;
                });
    }

    struct Slice
    {
        qint64 wallNs = 0;
        qint64 cpuNs = 0;
    };
    QList<Slice> slices;

    void record(bool on)
    {
        recording = on;
        m_inSlice = false; // a slice begins with the first event from now on
        if (on)
            slices.clear();
    }

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (QThread::currentThread() != thread() || m_depth > 0)
            return deliver(receiver, event);
        if (!m_inSlice) {
            m_inSlice = true;
            m_sliceStart = m_clock.nsecsElapsed();
            m_sliceCpuStart = threadCpuNs();
        }
        const bool handled = deliver(receiver, event);
        m_lastEnd = m_clock.nsecsElapsed();
        m_lastCpuEnd = threadCpuNs();
        return handled;
    }

private:
    bool deliver(QObject* receiver, QEvent* event)
    {
        ++m_depth;
        const bool handled = QApplication::notify(receiver, event);
        --m_depth;
        return handled;
    }

    static qint64 threadCpuNs()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
    }

    bool recording = false;
    thread_local static inline int m_depth = 0;
    QElapsedTimer m_clock;
    bool m_inSlice = false;
    qint64 m_sliceStart = 0;
    qint64 m_sliceCpuStart = 0;
    qint64 m_lastEnd = 0;
    qint64 m_lastCpuEnd = 0;
};

TimedApplication* g_app = nullptr;

double heapMiB()
{
    return double(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

// Lets the windows be shown and painted before anything is timed.
void settle()
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

void BM_Rebuild(benchmark::State& state, const QString* path)
{
    const QList<Vehicle> listed = listedVehicles();
    SystemClock clock;
    StatusBoard board;
    for (auto _ : state)
        board.rebuild(listed, *path, clock.now());
    state.counters["vehicles"] = double(board.vehicles().size());
    state.counters["requests"] = double(board.requests().size());
}
BENCHMARK_CAPTURE(BM_Rebuild, upgraded, &g_journal)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Rebuild, version1, &g_version1)->Unit(benchmark::kMillisecond);

void BM_OpenWindow(benchmark::State& state)
{
    SystemClock clock;
    StatusTables tables;
    StatusBoard board;
    board.rebuild(listedVehicles(), g_journal, clock.now());
    for (auto _ : state) {
        StatusBoardWindow window(board, tables, clock);
        window.showAndRaise();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.findChild<QTableView*>()->model()->rowCount());
    }
}
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Memory(benchmark::State& state)
{
    SystemClock clock;
    StatusTables tables;
    for (auto _ : state) {
        {
            // What the program has loaded anyway: the SQL driver, and the
            // style and fonts of its other windows (a table among them).
            SqlConnection warm(g_journal, SqlConnection::Access::ReadOnly);
            QWidget other;
            auto* layout = new QVBoxLayout(&other);
            layout->addWidget(new QLineEdit(QStringLiteral("Suche"), &other));
            layout->addWidget(new QPushButton(QStringLiteral("Erledigt"), &other));
            auto* table = new QTableView(&other);
            QStandardItemModel rows(3, 5);
            rows.setItem(0, 0, new QStandardItem(QStringLiteral("Florian 1")));
            table->setModel(&rows);
            layout->addWidget(table);
            other.resize(760, 600);
            other.show();
            settle();
        }
        const qint64 start = residentKiB();
        const double startHeap = heapMiB();
        StatusBoard board;
        board.rebuild(listedVehicles(), g_journal, clock.now());
        const qint64 core = residentKiB();
        const double coreHeap = heapMiB();
        StatusBoardWindow window(board, tables, clock);
        window.showAndRaise();
        settle();
        auto* table = window.findChild<QTableView*>(QStringLiteral("table"));
        for (int column = 0; column < BoardColumnCount; ++column)
            table->sortByColumn(column, Qt::DescendingOrder);
        table->scrollToBottom();
        settle();
        state.counters["board_MiB"] = double(core - start) / 1024.0;
        state.counters["board_heap_MiB"] = coreHeap - startHeap;
        state.counters["window_MiB"] = double(residentKiB() - core) / 1024.0;
        state.counters["window_heap_MiB"] = heapMiB() - coreHeap;
    }
}
BENCHMARK(BM_Memory)->Iterations(1)->Unit(benchmark::kMillisecond);

// Records as the decoder server sends them: most from listed vehicles,
// requests among them, now and then "J - Sprechaufforderung".
QList<QString> floodRecords(int count)
{
    std::mt19937 random(7);
    const auto pick = [&random](int n) {
        return std::uniform_int_distribution<int>(0, n - 1)(random);
    };
    constexpr int Statuses[] = {1, 1, 2, 2, 2, 3, 3, 4, 4, 5, 6, 7, 8, 0, 9};
    QList<QString> records;
    for (int i = 0; i < count; ++i) {
        const bool toVehicle = pick(10) == 0;
        const int status = toVehicle ? 6 : Statuses[pick(std::size(Statuses))];
        records << QStringLiteral("FMSTlg\t%1\t1\t0\t1\t0\t%2\t0\t%3")
                       .arg(fmsId(pick(JournalVehicles)))
                       .arg(status)
                       .arg(toVehicle ? 1 : 0);
    }
    return records;
}

void BM_Flood(benchmark::State& state)
{
    constexpr int PerSecond = 500;
    constexpr int Seconds = 20;
    const QList<QString> records = floodRecords(PerSecond * Seconds);
    SystemClock clock;
    StatusTables tables;
    Directories directories;
    directories.setVehicles(listedVehicles());
    SettingsModel settings;
    settings.setMessageFilter(Settings::DefaultMessageFilter);
    MessageBarWindow bar(settings);
    bar.show();
    TelegramSummary summary;
    TelegramPresenter presenter(directories, tables, settings, bar, summary);
    QTemporaryDir folder;
    Journal journal(folder.filePath(QStringLiteral("flood.sqlite")), clock, 0);
    StatusBoard board;
    board.rebuild(directories.vehicles(), g_journal, clock.now());
    QObject::connect(&presenter, &TelegramPresenter::telegramHandled, &journal, &Journal::append);
    QObject::connect(&presenter, &TelegramPresenter::telegramHandled, &board, &StatusBoard::apply);
    StatusBoardWindow window(board, tables, clock);
    window.showAndRaise();
    // Sorted by "Seit", every change moves its row to the top.
    window.findChild<QTableView*>(QStringLiteral("table"))
        ->sortByColumn(int(state.range(0)), Qt::DescendingOrder);
    settle();

    int stale = 0;
    for (auto _ : state) {
        QElapsedTimer elapsed;
        elapsed.start();
        qsizetype sent = 0;
        QTimer feed;
        feed.setTimerType(Qt::PreciseTimer);
        feed.setInterval(2);
        QObject::connect(&feed, &QTimer::timeout, [&] {
            const qsizetype due =
                std::min<qsizetype>(records.size(), elapsed.elapsed() * PerSecond / 1000);
            for (; sent < due; ++sent) {
                classifyTelegram({decodeCp1252(records[sent].toLatin1()), clock.now()}, presenter);
                // In the model at once: the board has what the telegram said.
                const QStringList fields = records[sent].split(u'\t');
                const BoardVehicle* vehicle = board.vehicle(fields[1]);
                if (fields[8] == u"0" && isOperationalStatus(fields[6].toInt()) &&
                    (!vehicle || vehicle->status != fields[6].toInt()))
                    ++stale;
            }
        });
        feed.start();
        g_app->record(true);
        while (sent < records.size())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        g_app->record(false);
    }
    QList<qint64> wall;
    QList<qint64> cpu;
    for (const TimedApplication::Slice& slice : std::as_const(g_app->slices)) {
        wall << slice.wallNs / 1000;
        cpu << slice.cpuNs / 1000;
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    const auto ms = [](const QList<qint64>& sorted, qsizetype at) {
        return sorted.isEmpty() ? 0.0 : double(sorted[std::min(at, sorted.size() - 1)]) / 1000.0;
    };
    state.counters["telegrams"] = double(records.size());
    state.counters["slices"] = double(wall.size());
    state.counters["slice_max_ms"] = ms(wall, wall.size() - 1);
    state.counters["slice_p99_ms"] = ms(wall, wall.size() * 99 / 100);
    state.counters["slice_cpu_max_ms"] = ms(cpu, cpu.size() - 1);
    state.counters["slices_over_16ms"] =
        double(wall.end() - std::upper_bound(wall.begin(), wall.end(), 16'000));
    state.counters["stale"] = stale;
}
BENCHMARK(BM_Flood)
    ->Arg(int(BoardColumn::Address))
    ->Arg(int(BoardColumn::Since))
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// The file as the writer left it before it knew the board.
bool makeVersion1(const QString& from, const QString& to)
{
    if (QFileInfo::exists(to))
        return true;
    if (!QFile::copy(from, to))
        return false;
    SqlConnection connection(to, SqlConnection::Access::ReadWrite);
    QSqlQuery query(connection.database());
    for (const char* statement :
         {"DROP TABLE vehicle_status", "DROP TRIGGER vehicle_status_from_vehicle",
          "DROP TRIGGER vehicle_status_prompt", "DROP TRIGGER vehicle_status_delete",
          "PRAGMA user_version = 1"}) {
        if (!query.exec(QString::fromLatin1(statement)))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApplication app(argc, argv);
    g_app = &app;
    benchmark::Initialize(&argc, argv);
    g_journal = argc > 1 ? QString::fromLocal8Bit(argv[1])
                         : QStringLiteral(OSTREVO_BENCH_FOLDER "/journal-1m-2200.sqlite");
    g_version1 = g_journal + QStringLiteral(".version1");
    if (!QFileInfo::exists(g_journal)) {
        std::fprintf(stderr, "Writing a journal of 1 000 000 rows to %s ...\n",
                     qPrintable(g_journal));
        QString error;
        if (!writeMixedJournal(g_journal, 1'000'000, 90, QDateTime::currentDateTime(), &error,
                               JournalVehicles)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    if (!makeVersion1(g_journal, g_version1)) {
        std::fprintf(stderr, "%s cannot be made\n", qPrintable(g_version1));
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
