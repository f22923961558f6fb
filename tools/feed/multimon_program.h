// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QStringList>
#include <QVersionNumber>
#include <optional>
#include <variant>

// How --receive runs multimon-ng.

// The demodulators whose lines the bridge reads.
inline constexpr auto DefaultDemodulators = "ZVEI1,POCSAG512,POCSAG1200,POCSAG2400,FMSFSK";

// "--demod POCSAG1200,fmsfsk": the names in the decoder's spelling, each
// once, or why the list is refused (German).
std::variant<QStringList, QString> parseDemodulators(const QString& list);

// Which audio a decoder reads.
enum class DecoderFeed
{
    Straight,       // the source's, untouched
    FmsGate,        // the FMS gate's
    FmsGateShifted, // the FMS gate's, every other gap half a bit longer
};

// One multimon-ng that --receive runs: raw audio on standard input,
// umlauts as the German pager alphabet has them, POCSAG code words
// corrected by at most the given bits.
struct DecoderRun
{
    DecoderFeed feed = DecoderFeed::Straight;
    QStringList arguments;
};

// FMS goes to two decoders of its own behind the gate (see FmsGate), the
// other demodulators to one on the untouched audio.
QList<DecoderRun> decoderRuns(const QStringList& demodulators, int pocsagCorrectionBits);

// The version in the first line the decoder writes on standard error,
// "multimon-ng 1.2.0".
std::optional<QVersionNumber> multimonVersion(QByteArrayView banner);

// Before 1.3.1 the decoder loses pages and telegrams whose audio arrives
// in small writes.
bool losesSmallWrites(const QVersionNumber& version);
