#include "common/clock.h"
#include "presentation/program_data.h"
#include "shell/form1.h"
#include "shell/qt_dialogs.h"
#include "tray/qt_notify_area_service.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QtDialogs dialogs;
    SystemClock clock;
    ProgramData data;
    QtNotifyAreaService notifyArea;
    Form1 form(data, {dialogs, clock, notifyArea,
                      QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()});
    form.Form_Load(QDir::currentPath());
    form.show();
    return app.exec();
}
