// Cost of one telegram from received bytes to labels written, with full
// directories; lookups that hit the last entry and that miss.
#include "common/clock.h"
#include "common/cp1252.h"
#include "connection/record_framer.h"
#include "connection/telegram_intake.h"
#include "presentation/live_options.h"
#include "presentation/message_bar.h"
#include "presentation/program_data.h"
#include "presentation/telegram_presenter.h"

#include <benchmark/benchmark.h>

namespace {

class Options final : public LiveOptions
{
public:
    bool messageBarActive() const override { return true; }
    bool messageBarOnTop() const override { return true; }
    QString displayTimeText() const override { return QStringLiteral("30"); }
    QString messageFilterText() const override
    {
        return QStringLiteral("000;001;002;003;004;005;006;007;008;009;015;106;110");
    }
    bool showUnlistedVehicles() const override { return true; }
    bool showUnlistedReceivers() const override { return true; }
};

class LabelsOnly final : public MessageBar
{
public:
    std::array<QString, 4> captions;
    void setCaption(BarLabel label, const QString& caption) override
    {
        captions[std::size_t(label)] = caption;
    }
    void setLineColour(Rgb) override {}
    void setBold(BarLabel, bool) override {}
    void ShowMessageBar() override {}
    void LayoutMessageBar() override {}
    void armHideTimer(int) override {}
};

struct FullDirectories
{
    ProgramData data;
    FullDirectories()
    {
        data.statusTables.FillDefaults();
        data.tray.FormInTray = true;
        auto& d = data.directories;
        for (int i = 1; i <= Directories::FmeUpperBound; ++i) {
            d.FmeList[i].Code.assign(QString::number(10000 + i));
            d.FmeList[i].Name.assign(QStringLiteral("Melder %1").arg(i));
        }
        for (int i = 1; i <= Directories::VehicleUpperBound; ++i) {
            d.VehicleList[i].FmsId.assign(QString::number(60000000 + i));
            d.VehicleList[i].Name.assign(QStringLiteral("Florian Musterstadt %1").arg(i));
        }
        d.PocsagList.resize(5011);
        for (int i = 1; i <= 5000; ++i)
            d.PocsagList[i].Ric = 1000000 + i;
        d.PocsagLoadedCount = 5000;
    }
};

void runRecord(benchmark::State& state, const QByteArray& bytes)
{
    static FullDirectories full;
    Options options;
    LabelsOnly bar;
    SystemClock clock;
    TelegramPresenter presenter(full.data.directories, full.data.statusTables, full.data.tray,
                                options, bar, clock);
    RecordFramer framer;
    for (auto _ : state) {
        for (const QByteArray& record : framer.feed(bytes))
            classifyTelegram(decodeCp1252(record), presenter);
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
