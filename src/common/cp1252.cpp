// SPDX-License-Identifier: GPL-3.0-or-later
#include "cp1252.h"

#include <algorithm>

namespace {

char encodeChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    const auto& range = cp1252::HighControlRange;
    const auto found = std::find(range.begin(), range.end(), u);
    return found == range.end() ? '?' : char(0x80 + (found - range.begin()));
}

} // namespace

QString decodeCp1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    std::transform(bytes.begin(), bytes.end(), text.begin(),
                   [](char byte) { return decodeCp1252(byte); });
    return text;
}

QByteArray encodeCp1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    std::transform(text.begin(), text.end(), bytes.begin(), encodeChar);
    return bytes;
}
