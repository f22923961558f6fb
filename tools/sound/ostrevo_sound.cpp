// SPDX-License-Identifier: GPL-3.0-or-later
// ostrevo-sound: plays the sounds Ostrevo names on its standard input through
// the desktop's sound server, and reports whether the server takes them.
// Ostrevo starts it and starts it anew when the server was gone.
#include "audio/pcm_sound_player.h"
#include "qt_pcm_output.h"
#include "sound/sound_commands.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    auto output = std::make_unique<QtPcmOutput>();
    QObject::connect(output.get(), &QtPcmOutput::availabilityChanged, [](bool available) {
        std::printf("%s\n", available ? SoundCommands::Ready : SoundCommands::Failing);
        std::fflush(stdout);
    });
    PcmSoundPlayer player(std::move(output));

    QByteArray pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[4096];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) { // Ostrevo ended or closed the pipe
            input.setEnabled(false);
            player.stop();
            app.quit();
            return;
        }
        pending.append(buffer, got);
        for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            if (const auto sound = SoundCommands::decode(QByteArrayView(pending).first(end)))
                player.play(*sound);
            pending.remove(0, end + 1);
        }
        if (pending.size() > SoundCommands::MaxLine)
            pending.clear();
    });
    return app.exec();
}
