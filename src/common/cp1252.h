// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>
#include <array>

// Windows code page 1252, one byte per character. The five bytes the code
// page leaves undefined map to the C1 control characters of the same value,
// so every byte sequence survives decoding and encoding unchanged.

namespace cp1252 {
// What the bytes 0x80..0x9F stand for; every other byte is its own code point.
inline constexpr std::array<char16_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Every byte's character, so that decoding is one look-up per byte.
inline constexpr std::array<char16_t, 256> DecodeTable = [] {
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = byte >= 0x80 && byte < 0xA0 ? HighControlRange[byte - 0x80] : char16_t(byte);
    return table;
}();
} // namespace cp1252

inline QChar decodeCp1252(char byte)
{
    return QChar(cp1252::DecodeTable[static_cast<unsigned char>(byte)]);
}

QString decodeCp1252(QByteArrayView bytes);

// Characters outside the code page become "?".
QByteArray encodeCp1252(QStringView text);
