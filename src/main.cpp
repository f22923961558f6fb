#include "common/clock.h"
#include "presentation/program_data.h"
#include "shell/form1.h"
#include "shell/qt_dialogs.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QtDialogs dialogs;
    SystemClock clock;
    ProgramData data;
    Form1 form(data, dialogs, clock);
    form.Form_Load(QDir::currentPath());
    form.show();
    return app.exec();
}
