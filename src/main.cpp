#include "connection/telegram_sink.h"
#include "shell/form1.h"
#include "shell/qt_dialogs.h"

#include <QApplication>

namespace {
// Telegrams are decoded but not yet shown anywhere.
class IgnoredTelegrams final : public TelegramSink
{
public:
    void HandleFmeTelegram(QString&) override {}
    void HandlePocsagTelegram(QString&, QString&) override {}
    void HandleFmsFromVehicle(QString&, std::int16_t&, QString&) override {}
    void HandleFmsToVehicle(QString&, std::int16_t&, QString&) override {}
};
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QtDialogs dialogs;
    IgnoredTelegrams telegrams;
    Form1 form(dialogs, telegrams);
    form.show();
    return app.exec();
}
