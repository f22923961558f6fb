#include "five_tone_code.h"

std::optional<QString> resolveFiveTone(QByteArrayView symbols)
{
    QByteArray resolved;
    for (const char symbol : symbols) {
        if (symbol == 'E') {
            if (resolved.isEmpty())
                return std::nullopt; // nothing to repeat
            resolved.append(resolved.back());
        } else {
            resolved.append(symbol);
        }
    }
    while (!resolved.isEmpty() && resolved.back() >= 'A' && resolved.back() <= 'F')
        resolved.chop(1);
    if (resolved.size() != 5)
        return std::nullopt;
    for (const char digit : std::as_const(resolved)) {
        if (digit < '0' || digit > '9')
            return std::nullopt;
    }
    return QString::fromLatin1(resolved);
}
