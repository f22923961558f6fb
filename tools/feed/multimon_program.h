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

// Raw audio on standard input, umlauts as the German pager alphabet has
// them, POCSAG code words corrected by at most `pocsagCorrectionBits`.
QStringList multimonArguments(const QStringList& demodulators, int pocsagCorrectionBits);

// The version in the first line the decoder writes on standard error,
// "multimon-ng 1.2.0".
std::optional<QVersionNumber> multimonVersion(QByteArrayView banner);

// Before 1.3.1 the decoder loses pages and telegrams whose audio arrives
// in small writes.
bool losesSmallWrites(const QVersionNumber& version);
