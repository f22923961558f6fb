// SPDX-License-Identifier: GPL-3.0-or-later
#include "wav_reader.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace WavReader {
namespace {

constexpr quint16 IntegerFormat = 1;
constexpr quint16 FloatFormat = 3;
constexpr quint16 ExtensibleFormat = 0xfffe;
// The tail that every WAVE_FORMAT_EXTENSIBLE sub-format GUID shares.
constexpr char SubFormatTail[] = "\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71";

struct Format
{
    quint16 encoding = 0;
    int channels = 0;
    int sampleRate = 0;
    int bytesPerFrame = 0;
    int bits = 0;
};

quint16 u16(const char* p)
{
    return qFromLittleEndian<quint16>(p);
}
quint32 u32(const char* p)
{
    return qFromLittleEndian<quint32>(p);
}

Result refused(const QString& problem)
{
    return {{}, problem};
}

// The fmt chunk, or an empty optional with the reason in problem.
std::optional<Format> readFormat(QByteArrayView chunk, QString& problem)
{
    if (chunk.size() < 16) {
        problem = QStringLiteral("Formatangaben unvollständig");
        return std::nullopt;
    }
    const char* p = chunk.data();
    Format format{u16(p), u16(p + 2), int(std::min<quint32>(u32(p + 4), 1'000'000)), u16(p + 12),
                  u16(p + 14)};
    if (format.encoding == ExtensibleFormat && chunk.size() >= 40 &&
        std::memcmp(p + 28, SubFormatTail, 12) == 0 && u16(p + 26) == 0)
        format.encoding = u16(p + 24);
    const bool integer =
        format.encoding == IntegerFormat &&
        (format.bits == 8 || format.bits == 16 || format.bits == 24 || format.bits == 32);
    const bool floating =
        format.encoding == FloatFormat && (format.bits == 32 || format.bits == 64);
    if (!integer && !floating)
        problem = QStringLiteral("Kodierung %1 mit %2 Bit nicht unterstützt")
                      .arg(format.encoding)
                      .arg(format.bits);
    else if (format.channels < 1 || format.channels > 8)
        problem = QStringLiteral("%1 Kanäle nicht unterstützt").arg(format.channels);
    else if (format.sampleRate < 8000 || format.sampleRate > 192000)
        problem = QStringLiteral("Abtastrate %1 Hz nicht unterstützt").arg(format.sampleRate);
    else if (format.bytesPerFrame != format.channels * format.bits / 8)
        problem = QStringLiteral("Blockgröße %1 passt nicht zum Format").arg(format.bytesPerFrame);
    else
        return format;
    return std::nullopt;
}

qint16 fromUnit(double value)
{
    if (!(value == value)) // NaN
        return 0;
    return qint16(std::lround(std::clamp(value, -1.0, 1.0) * 32767.0));
}

// One sample of the file as signed 16-bit; p points at its first byte.
qint16 toInt16(const Format& format, const char* p)
{
    if (format.encoding == FloatFormat) {
        if (format.bits == 32)
            return fromUnit(std::bit_cast<float>(u32(p)));
        return fromUnit(std::bit_cast<double>(qFromLittleEndian<quint64>(p)));
    }
    switch (format.bits) {
    case 8:
        return qint16((static_cast<int>(static_cast<quint8>(p[0])) - 128) * 256);
    case 16:
        return qFromLittleEndian<qint16>(p);
    default: // 24 and 32 bits: the two most significant bytes
        return qFromLittleEndian<qint16>(p + format.bits / 8 - 2);
    }
}

} // namespace

Result decode(QByteArrayView bytes)
{
    if (bytes.size() < 12 || bytes.first(4) != "RIFF" || bytes.sliced(8, 4) != "WAVE")
        return refused(QStringLiteral("keine WAV-Datei"));
    std::optional<Format> format;
    QString problem;
    QByteArrayView data;
    bool hasData = false;
    // Chunks are word-aligned; sizes that run past the end are cut to what is there.
    for (qint64 at = 12; at + 8 <= bytes.size();) {
        const QByteArrayView id = bytes.sliced(at, 4);
        const qint64 declared = u32(bytes.data() + at + 4);
        const QByteArrayView body = bytes.sliced(at + 8, std::min(declared, bytes.size() - at - 8));
        if (id == "fmt " && !format) {
            format = readFormat(body, problem);
            if (!format)
                return refused(problem);
        } else if (id == "data" && !hasData) {
            data = body;
            hasData = true;
        }
        at += 8 + declared + (declared & 1);
    }
    if (!format)
        return refused(QStringLiteral("Formatangaben fehlen"));
    const qsizetype frames = data.size() / format->bytesPerFrame;
    if (frames == 0)
        return refused(QStringLiteral("keine Tondaten"));

    Pcm pcm{format->sampleRate, format->channels, {}};
    const qsizetype count = frames * format->channels;
    pcm.samples.resize(count * 2);
    auto* out = reinterpret_cast<qint16*>(pcm.samples.data());
    const int width = format->bits / 8;
    for (qsizetype i = 0; i < count; ++i)
        out[i] = toInt16(*format, data.data() + i * width);
    return {pcm, {}};
}

Result load(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return refused(QStringLiteral("nicht vorhanden"));
    if (!info.isFile())
        return refused(QStringLiteral("keine gewöhnliche Datei"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("nicht lesbar (%1)").arg(file.errorString()));
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (bytes.size() > MaxFileBytes)
        return refused(QStringLiteral("größer als %1 MiB").arg(MaxFileBytes / (1024 * 1024)));
    return decode(bytes);
}

} // namespace WavReader
