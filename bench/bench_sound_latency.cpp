// SPDX-License-Identifier: GPL-3.0-or-later
// play() → first sound on the sink, and stop() → silence, as the private
// PulseAudio's recorder hears them. Run through bench/sound-latency.sh.
#include "sound/qt_sound_player.h"
#include "support/private_sound_server.h"
#include "support/wav_bytes.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <string>

using namespace Qt::StringLiterals;

namespace {

constexpr double Threshold = 0.02;

double milliseconds(qsizetype samples)
{
    return 1000.0 * double(samples) / SinkRecorder::Rate;
}

// The first sample from a mark on that is sound, or -1.
qsizetype firstSound(const SinkRecorder& recorder, qsizetype from)
{
    for (qsizetype i = from; i < recorder.position(); ++i)
        if (std::abs(recorder.samples()[size_t(i)]) > Threshold)
            return i;
    return -1;
}

// The sample after the last one that is sound.
qsizetype endOfSound(const SinkRecorder& recorder, qsizetype from)
{
    qsizetype end = from;
    for (qsizetype i = from; i < recorder.position(); ++i)
        if (std::abs(recorder.samples()[size_t(i)]) > Threshold)
            end = i + 1;
    return end;
}

void summary(const char* what, std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    std::printf("%-40s n=%2zu  min %6.1f  median %6.1f  max %6.1f ms\n", what, values.size(),
                values.front(), values[values.size() / 2], values.back());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10;
    PrivateSoundServer server;
    if (!server.start())
        return std::puts("pulseaudio did not start"), 1;
    server.useInThisProcess();
    auto recorder = server.record();
    if (!recorder->waitUntilRecording())
        return std::puts("parec did not record"), 1;
    QTemporaryDir dir;
    QFile tone(dir.filePath(u"ton.wav"_s));
    if (!tone.open(QIODevice::WriteOnly) || tone.write(WavBytes::tone(800, 2, 44100)) < 0)
        return std::puts("no temporary file"), 1;
    tone.close();

    QtSoundPlayer player(u"" OSTREVO_SOUND_PROGRAM ""_s, QStringList());
    const std::vector<std::pair<const char*, AlarmSound>> sounds{
        {"gong", AlarmSound::of(BuiltInSound::Gong)},
        {"sirene", AlarmSound::of(BuiltInSound::Siren)},
        {"hinweis", AlarmSound::of(BuiltInSound::Notice)},
        {"WAV file (read each time)", AlarmSound::fromFile(tone.fileName())}};
    std::vector<std::vector<double>> starts(sounds.size());
    std::vector<double> stops;
    for (int round = 0; round < rounds; ++round) {
        for (size_t kind = 0; kind < sounds.size(); ++kind) {
            recorder->record(0.3);
            const qsizetype played = recorder->position();
            player.play(sounds[kind].second);
            recorder->record(0.6);
            const qsizetype heard = firstSound(*recorder, played);
            if (heard < 0)
                return std::printf("%s: no sound\n", sounds[kind].first), 1;
            starts[kind].push_back(milliseconds(heard - played));
            const qsizetype stopped = recorder->position();
            player.stop();
            recorder->record(0.5);
            stops.push_back(milliseconds(endOfSound(*recorder, stopped) - stopped));
        }
    }
    std::printf("recorded at %d Hz, delivered every 10 ms (each figure includes that delay)\n",
                SinkRecorder::Rate);
    std::printf("the first play of the process (Qt connects to the server): %.1f ms\n",
                starts[0].front());
    starts[0].erase(starts[0].begin());
    for (size_t kind = 0; kind < sounds.size(); ++kind)
        summary((std::string("play → sound: ") + sounds[kind].first).c_str(), starts[kind]);
    summary("stop → silence", stops);
    return 0;
}
