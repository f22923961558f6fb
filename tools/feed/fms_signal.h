// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decoded_telegram.h"

#include <QByteArray>

// One FMS telegram as a receiver's loudspeaker gives it, framed by
// silence: 1200 Hz for a 1, 1800 Hz for a 0. Its 68 bits: 12 preamble
// bits, the sync word, BOS, country, place, vehicle and status as hex
// digits (lowest bit first), stage, direction, tactical info, a 7-bit check
// sum and the end bit.
QByteArray fmsAudio(const FmsReport& report);
