// SPDX-License-Identifier: GPL-3.0-or-later
#include "five_tone_code.h"

namespace {

constexpr qsizetype CallLength = 5;

// One sequence of five symbols as its five digits.
std::optional<QString> resolveSequence(QByteArrayView symbols)
{
    QByteArray resolved;
    for (const char symbol : symbols) {
        if (symbol == 'E') {
            if (resolved.isEmpty())
                return std::nullopt; // nothing to repeat
            resolved.append(resolved.back());
        } else if (symbol >= '0' && symbol <= '9') {
            resolved.append(symbol);
        } else {
            return std::nullopt;
        }
    }
    return QString::fromLatin1(resolved);
}

std::optional<QStringList> resolveCalls(QByteArrayView symbols)
{
    QStringList calls;
    for (qsizetype at = 0; at < symbols.size(); at += CallLength) {
        const auto call = resolveSequence(symbols.sliced(at, CallLength));
        if (!call)
            return std::nullopt;
        calls << *call;
    }
    return calls;
}

QByteArray withoutDoublings(QByteArrayView symbols)
{
    QByteArray single;
    for (const char symbol : symbols) {
        if (single.isEmpty() || single.back() != symbol)
            single.append(symbol);
    }
    return single;
}

bool wholeCalls(qsizetype length)
{
    return length == CallLength || length == 2 * CallLength;
}

} // namespace

std::optional<FiveToneReading> readFiveTone(QByteArrayView symbols, bool* doubtful)
{
    *doubtful = false;
    // An alarm tone right behind the sequence (the repeat tone E excepted).
    while (!symbols.isEmpty() && symbols.back() >= 'A' && symbols.back() <= 'F' &&
           symbols.back() != 'E')
        symbols.chop(1);
    if (symbols.size() < CallLength)
        return std::nullopt;
    if (wholeCalls(symbols.size())) {
        if (const auto calls = resolveCalls(symbols))
            return FiveToneReading{*calls, false};
    }
    const QByteArray single = withoutDoublings(symbols);
    if (single.size() != symbols.size() && wholeCalls(single.size())) {
        if (const auto calls = resolveCalls(single))
            return FiveToneReading{*calls, true};
    }
    *doubtful = symbols.size() > CallLength;
    return std::nullopt;
}
