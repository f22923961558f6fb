#pragma once

#include "decoded_telegram.h"

#include <QList>

// The 68 bits of an FMS telegram: 12 preamble bits, the sync word, BOS,
// country, place, vehicle and status as hex digits (lowest bit first),
// stage, direction, tactical info, a 7-bit check sum and the end bit.
QList<bool> fmsBits(const FmsReport& report);
