// SPDX-License-Identifier: GPL-3.0-or-later
// Writes audio made by the project's encoders to standard output, for the
// feed's scripts in bench/ and for exec: sources by hand.
//   feed_audio [--pieces BYTES] [--gap MICROSECONDS] [--noise LEVEL] ITEM...
//     silence:SECONDS
//     noise:SECONDS:SEED                      at LEVEL (0.15) of full scale
//     page:ADDRESS:FUNCTION:alpha|numeric:TEXT  telegrams at 0.5 of full scale
//     fms:ID:STATUS:from|to:INFO                in noise with --noise
//     raw:PATH                                  raw audio made elsewhere (sox)
// --pieces writes in pieces of that size, --gap waits between them.
#include "fms_signal.h"
#include "fsk_audio.h"
#include "noise_audio.h"
#include "pocsag_signal.h"

#include <QFile>
#include <QStringList>
#include <cstdio>
#include <thread>
#include <unistd.h>

namespace {

constexpr double SignalLevel = 0.5;

std::optional<QByteArray> itemAudio(const QString& item, double noiseLevel, quint32 seed)
{
    const QString kind = item.section(u':', 0, 0);
    const auto field = [&](int i) { return item.section(u':', i, i); };
    QByteArray telegram;
    if (kind == u"silence")
        return silence(field(1).toDouble());
    if (kind == u"noise")
        return noiseAudio(field(1).toDouble(), noiseLevel, field(2).toUInt());
    if (kind == u"page") {
        const PocsagPage page{field(1).toUInt(), field(2).toInt(), item.section(u':', 4)};
        telegram = pocsagAudio(page, field(3) == u"numeric" ? PageKind::Numeric : PageKind::Alpha);
    } else if (kind == u"fms") {
        const FmsReport report{field(1),
                               field(2).toInt(),
                               field(3) == u"to" ? FmsDirection::ToVehicle
                                                 : FmsDirection::FromVehicle,
                               field(4).toInt(),
                               {}};
        telegram = fmsAudio(report);
    } else if (kind == u"raw") {
        QFile file(item.section(u':', 1));
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        telegram = file.readAll();
    } else {
        return std::nullopt;
    }
    return noiseLevel > 0 ? inNoise(telegram, SignalLevel, noiseLevel, seed) : telegram;
}

bool writeAll(const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, data, std::size_t(size));
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromUtf8(argv[i]);
    qsizetype pieces = 1 << 16;
    int gapMicroseconds = 0;
    double noiseLevel = 0;
    QByteArray audio;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const QString value = arguments.value(i + 1);
        if (argument == u"--pieces") {
            pieces = std::max(1, value.toInt());
            ++i;
        } else if (argument == u"--gap") {
            gapMicroseconds = value.toInt();
            ++i;
        } else if (argument == u"--noise") {
            noiseLevel = value.toDouble();
            ++i;
        } else if (const auto item = itemAudio(argument, noiseLevel, quint32(i))) {
            audio += *item;
        } else {
            std::fprintf(stderr, "feed_audio: unknown item %s\n", qPrintable(argument));
            return 2;
        }
    }
    for (qsizetype at = 0; at < audio.size(); at += pieces) {
        if (!writeAll(audio.constData() + at, std::min(pieces, audio.size() - at)))
            return 1;
        if (gapMicroseconds > 0)
            std::this_thread::sleep_for(std::chrono::microseconds(gapMicroseconds));
    }
    return 0;
}
