#pragma once

#include "common/fixed_text.h"

#include <QByteArray>
#include <QByteArrayView>
#include <array>
#include <cstdint>

// One five-tone receiver. Ton5.dat records carry more, which is dropped.
struct FmeRecord
{
    static constexpr qsizetype FileRecordSize = 323;

    FixedText<5> Code;
    FixedText<50> Name;

    // `bytes` holds one whole record of the file.
    static FmeRecord fromFileBytes(const char* bytes);
};

// One FMS vehicle, stored whole in Fahrzeug.Dat. Only the first three fields
// are interpreted; the rest is kept as the file's bytes so that a record
// goes back to the file unchanged.
struct VehicleRecord
{
    static constexpr qsizetype FileRecordSize = 515;
    static constexpr qsizetype UninterpretedSize = FileRecordSize - 8 - 30 - 50;

    FixedText<8> FmsId;
    FixedText<30> Name;
    FixedText<50> Remark;
    std::array<char, UninterpretedSize> Uninterpreted{};

    static VehicleRecord fromFileBytes(const char* bytes);
    QByteArray toFileBytes() const;
};

// One POCSAG receiver, stored whole in POCSAG.DAT (little-endian numbers).
struct PocsagRecord
{
    static constexpr qsizetype FileRecordSize = 581;
    static constexpr qsizetype TailSize = FileRecordSize - 4 - 4 - 50;

    std::int32_t Ric = 0;
    std::array<char, 4> Field2{};
    FixedText<50> Name;
    std::array<char, TailSize> Tail{};

    static PocsagRecord fromFileBytes(const char* bytes);
    QByteArray toFileBytes() const;
};
