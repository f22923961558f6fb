// SPDX-License-Identifier: GPL-3.0-or-later
// The FMS gate on raw audio (standard input): writes the two decoders'
// audio to STRAIGHT and SHIFTED and prints how much of it was open and
// the gate's CPU time per second of audio.
//   feed_fms_gate STRAIGHT SHIFTED < audio.raw
#include "fms_gate.h"

#include <QFile>
#include <cstdio>
#include <ctime>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "feed_fms_gate STRAIGHT SHIFTED < audio.raw\n");
        return 2;
    }
    QFile input;
    QFile straight(QString::fromLocal8Bit(argv[1]));
    QFile shifted(QString::fromLocal8Bit(argv[2]));
    if (!input.open(stdin, QIODevice::ReadOnly) || !straight.open(QIODevice::WriteOnly) ||
        !shifted.open(QIODevice::WriteOnly))
        return 1;
    FmsGate gate;
    qint64 samples = 0;
    qint64 open = 0;
    double cpu = 0;
    const auto write = [&](const FmsGate::Audio& audio) {
        straight.write(audio.straight);
        shifted.write(audio.shifted);
        for (qsizetype i = 0; i + 1 < audio.straight.size(); i += 2)
            open += audio.straight[i] != 0 || audio.straight[i + 1] != 0;
    };
    for (QByteArray block = input.read(8192); !block.isEmpty(); block = input.read(8192)) {
        samples += block.size() / 2;
        const std::clock_t before = std::clock();
        const FmsGate::Audio audio = gate.take(block);
        cpu += double(std::clock() - before) / CLOCKS_PER_SEC;
        write(audio);
    }
    write(gate.flush());
    const double seconds = double(samples) / 22050;
    std::printf("%.0f s of audio, %.2f %% passed, gate CPU %.3f ms per second of audio\n", seconds,
                100.0 * double(open) / double(std::max<qint64>(samples, 1)), 1000 * cpu / seconds);
    return 0;
}
