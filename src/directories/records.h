// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/fixed_text.h"

#include <cstdint>

// The entries of the name directories. Texts have the fixed widths of the
// list files: shorter values are filled with spaces, and a key matches only
// with all its characters.

struct FiveToneReceiver
{
    FixedText<5> code;
    FixedText<50> name;
};

struct Vehicle
{
    FixedText<8> fmsId;
    FixedText<30> name;
};

struct PocsagReceiver
{
    std::int32_t address = 0;
    FixedText<50> name;
};
