// Appends telegrams to the journal at argv[1] until killed, printing after
// each flush how many are in the file.
#include "journal_test_data.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    FixedClock clock;
    Journal journal(app.arguments().value(1), clock, 0);
    qint64 appended = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        for (int i = 0; i < 20; ++i)
            journal.append(handled(TelegramKind::Pocsag, QString::number(++appended), {}, {}));
        if (appended % 1000 == 0) {
            journal.flush();
            std::printf("%lld\n", static_cast<long long>(appended));
            std::fflush(stdout);
        }
    });
    tick.start(1);
    return app.exec();
}
