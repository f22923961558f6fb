#include "common/clock.h"
#include "common/unix_signal_bridge.h"
#include "common/version.h"
#include "presentation/program_data.h"
#include "shell/command_line.h"
#include "shell/form1.h"
#include "shell/qsettings_store.h"
#include "shell/qt_dialogs.h"
#include "shell/window_system.h"
#include "tray/qt_notify_area_service.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace {

// Answers --help and --version without touching the settings.
bool answeredInformation(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--version") {
            std::printf("Vorsand Version %s\n", Version::Text);
            return true;
        }
        if (arg == "--help" || arg == "-h") {
            std::puts("Aufruf: ostrevo [SERVERADRESSE]\n"
                      "\n"
                      "Zeigt die Telegramme eines Halvorn-Decoderservers in der Telegrammleiste.\n"
                      "SERVERADRESSE (z. B. 192.168.0.10) ersetzt die gespeicherte Adresse.\n"
                      "Die Namenslisten werden im aktuellen Verzeichnis gesucht.\n"
                      "\n"
                      "  --help     diese Hilfe anzeigen\n"
                      "  --version  die Version anzeigen");
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (answeredInformation(argc, argv))
        return 0;
    preferX11WhereAvailable();
    QApplication app(argc, argv);
    warnIfBarCannotStayOnTop(QGuiApplication::platformName());
    app.setQuitOnLastWindowClosed(false); // the program lives on in the tray
    QtDialogs dialogs;
    SystemClock clock;
    QtNotifyAreaService notifyArea;
    QSettingsStore settings;
    ProgramData data;
    Form1 form(data, {dialogs, clock, notifyArea, settings,
                      QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(),
                      CommandLineText(app.arguments()), [] { QCoreApplication::quit(); }});

    // Every way out runs the same orderly shut-down.
    UnixSignalBridge unixSignals;
    QObject::connect(&unixSignals, &UnixSignalBridge::terminationRequested, &form,
                     &Form1::Form_Unload);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form,
                     [&form] { form.Form_Unload(); });

    form.Form_Load(QDir::currentPath());
    form.show();
    return app.exec();
}
