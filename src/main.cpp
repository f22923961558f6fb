// SPDX-License-Identifier: GPL-3.0-or-later
#include "autostart/autostart_entry.h"
#include "common/clock.h"
#include "common/data_folder.h"
#include "common/qt_translation.h"
#include "common/unix_signal_bridge.h"
#include "directories/name_lists.h"
#include "gui_common/qt_dialogs.h"
#include "instance/single_instance.h"
#include "journal/journal.h"
#include "notifications/dbus_notifications.h"
#include "settings/qsettings_store.h"
#include "shell/application.h"
#include "shell/command_line.h"
#include "shell/window_system.h"
#include "sound/qt_sound_player.h"
#include "tray/qt_tray_service.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

int main(int argc, char* argv[])
{
#if defined(__GLIBC__)
    // glibc raises its mmap and trim thresholds after a large block is
    // freed (a burst's queue), and then keeps up to twice that size at the
    // top of every thread's arena, where malloc_trim() does not reach. At
    // the fixed default, blocks this large are mapped and unmapped, and a
    // thread's arena gives back what is free at its top.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    // Answered before anything touches the display, the settings or another instance.
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    if (const auto information = informationText(parseCommandLine(rawArguments))) {
        std::printf("%s\n", qPrintable(*information));
        return 0;
    }
    // A second start in the session hands its command line to the first.
    const QString socketPath = SingleInstance::defaultSocketPath();
    if (SingleInstance::handOver(socketPath, rawArguments.mid(1)))
        return 0;

    preferX11WhereAvailable();
    if (!graphicalSessionAvailable()) {
        std::fprintf(stderr, "ostrevo: Keine grafische Sitzung gefunden (weder ein X-Display noch "
                             "Wayland). Ostrevo läuft nur in einer Bildschirmsitzung.\n");
        return 2;
    }
    QApplication qtApplication(argc, argv);
    qtApplication.setQuitOnLastWindowClosed(false); // the program lives on in the tray
    installGermanQtTranslation();
    warnIfBarCannotStayOnTop(QGuiApplication::platformName());
    SingleInstance instance(socketPath);
    if (!instance.listen()) // another start was quicker
        return SingleInstance::handOver(socketPath, rawArguments.mid(1)) ? 0 : 1;
    const CommandLine commandLine = parseCommandLine(QCoreApplication::arguments());

    QtDialogs dialogs;
    SystemClock clock;
    QtTrayService tray;
    QSettingsStore store;
    QtSoundPlayer sound;
    DBusNotifications notifications;
    const QString program = QCoreApplication::applicationFilePath();
    Application application(
        {dialogs, clock, tray, store, sound, notifications, Journal::defaultPath(),
         QFileInfo(program).completeBaseName(), AutostartEntry::defaultPath(),
         autostartCommand(program, QStandardPaths::findExecutable(QStringLiteral("ostrevo"))),
         [] { QCoreApplication::quit(); }});
    QObject::connect(&instance, &SingleInstance::argumentsReceived, &application,
                     &Application::followLaterStart);

    // Every way out runs the same orderly shut-down.
    UnixSignalBridge unixSignals;
    QObject::connect(&unixSignals, &UnixSignalBridge::terminationRequested, &application,
                     &Application::shutDown);
    QObject::connect(&qtApplication, &QGuiApplication::commitDataRequest, &application,
                     &Application::shutDown);

    application.start(
        chooseListFolder(commandLine.listFolder, QDir::currentPath(), userDataFolder()),
        commandLine);
    return qtApplication.exec();
}
