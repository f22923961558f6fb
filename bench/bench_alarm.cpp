// SPDX-License-Identifier: GPL-3.0-or-later
// Alarms: matching a telegram against a thousand rules, and the time from a
// record on the socket to the alarm window on the screen.
//   bench/alarm.sh   (runs this on a private X display)
#include "alarm/alarm_matcher.h"
#include "alarm/alarm_rules_file.h"
#include "common/clock.h"
#include "settings/settings_store.h"
#include "shell/application.h"
#include "shell/command_line.h"
#include "support/fake_dialogs.h"
#include "support/fake_notifications.h"
#include "support/fake_sound_player.h"
#include "support/memory_settings_store.h"
#include "support/recording_tray_service.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// 1 000 rules as a station might write them: single pagers and calls, a
// few prefixes and catch-alls at the end.
QByteArray thousandRules()
{
    QByteArray text = "# Art;Kennung;Zusatz;Bezeichnung;Ton;Wiederholen\n";
    for (int i = 0; i < 600; ++i)
        text += "POCSAG;" + QByteArray::number(1200000 + i) + ";A;Melder " + QByteArray::number(i) +
                ";gong;ja\n";
    for (int i = 0; i < 300; ++i)
        text += "ZVEI;" + QByteArray::number(21000 + i) + ";;Schleife;sirene;ja\n";
    for (int i = 0; i < 98; ++i)
        text += "FMS;6" + QByteArray::number(1000 + i) + "*;0;NOTRUF;sirene;ja\n";
    text += "POCSAG;*;D;Sammelruf;hinweis;nein\nFMS;*;5;Sprechwunsch;hinweis;nein\n";
    return text;
}

HandledTelegram telegram(TelegramKind kind, const QString& address, const QString& extra)
{
    HandledTelegram t;
    t.kind = kind;
    t.address = address;
    if (kind == TelegramKind::Pocsag)
        t.subAddress = extra;
    if (kind == TelegramKind::Fms) {
        t.status = extra.toInt();
        t.direction = FmsDirection::FromVehicle;
    }
    return t;
}

// Hits, misses, prefixes and catch-alls in turn.
void BM_MatchThousandRules(benchmark::State& state)
{
    const AlarmRules rules = readAlarmRules(thousandRules(), u"/tmp"_s);
    const AlarmMatcher matcher(rules.rules);
    const QList<HandledTelegram> telegrams{
        telegram(TelegramKind::Pocsag, u"1200599"_s, u"A"_s),
        telegram(TelegramKind::Pocsag, u"0001200001"_s, u"B"_s),
        telegram(TelegramKind::Pocsag, u"7654321"_s, u"D"_s),
        telegram(TelegramKind::FiveTone, u"21299"_s, {}),
        telegram(TelegramKind::FiveTone, u"99999"_s, {}),
        telegram(TelegramKind::Fms, u"61097144"_s, u"0"_s),
        telegram(TelegramKind::Fms, u"62182101"_s, u"5"_s),
        telegram(TelegramKind::Fms, u"62182101"_s, u"3"_s),
    };
    qsizetype next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(matcher.match(telegrams[next]));
        next = (next + 1) % telegrams.size();
    }
}
BENCHMARK(BM_MatchThousandRules);

// The program over fakes for what is not on the screen, connected to a
// local server; every call of a rule raises the alarm window.
void windowLatency(int rounds)
{
    QTemporaryDir lists;
    QTemporaryDir data;
    QFile rules(lists.filePath(u"Alarmregeln.txt"_s));
    if (!rules.open(QIODevice::WriteOnly))
        return;
    rules.write("ZVEI;*;;Alarm;gong;ja\n");
    rules.close();
    FakeDialogs dialogs;
    SystemClock clock;
    RecordingTrayService tray;
    MemorySettingsStore store;
    FakeSoundPlayer sound;
    FakeNotifications notifications;
    Application application(ApplicationServices{
        dialogs, clock, tray, store, sound, notifications, data.filePath(u"journal.sqlite"_s),
        u"ostrevo"_s, data.filePath(u"autostart.desktop"_s), u"ostrevo --tray"_s, [] {}});
    application.start(lists.path(), parseCommandLine({u"ostrevo"_s}));
    QWidget* settings = nullptr;
    QWidget* alarm = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->windowTitle() == u"Kaldrin"_s)
            settings = window;
        if (window->windowTitle() == u"Alarm"_s)
            alarm = window;
    }
    QTcpServer server;
    if (!settings || !alarm || !server.listen(QHostAddress::LocalHost))
        return;
    settings->findChild<QLineEdit*>(u"txtSrvPort"_s)->setText(QString::number(server.serverPort()));
    settings->findChild<QPushButton*>(u"cmdStatus"_s)->click();
    if (!QTest::qWaitFor([&] { return server.hasPendingConnections(); }))
        return;
    QTcpSocket* peer = server.nextPendingConnection();
    auto* acknowledge = alarm->findChild<QPushButton*>();

    std::vector<double> milliseconds;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        peer->write("ZVEI\t" + QByteArray::number(21100 + round % 100) + "\r\n");
        peer->flush();
        if (!QTest::qWaitFor(
                [&] { return alarm->windowHandle() && alarm->windowHandle()->isExposed(); }, 5000))
            return;
        milliseconds.push_back(double(timer.nsecsElapsed()) / 1e6);
        acknowledge->click();
        if (!QTest::qWaitFor([&] { return !alarm->isVisible(); }))
            return;
        QTest::qWait(20);
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    const auto at = [&](double share) {
        return milliseconds[std::min(milliseconds.size() - 1, size_t(share * milliseconds.size()))];
    };
    std::printf("record -> alarm window exposed, %d rounds: median %.1f ms, 99th percentile %.1f "
                "ms, worst %.1f ms\n",
                rounds, at(0.5), at(0.99), milliseconds.back());
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qtApplication(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    windowLatency(200);
    return 0;
}
