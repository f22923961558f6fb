// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decoded_telegram.h"

#include <QByteArray>

// The tab records a decoder server sends, in code page 1252 without line
// end. Control characters in a field become spaces, so a field can never
// split the record or end its line.
//   ZVEI    code
//   POC     address (7 digits), sub-address A..D, text
//   FMSTlg  id, BOS, country, place, vehicle, status, tactical info (0..3),
//           direction ("0" from the vehicle, "1" to it), four empty fields, text
QByteArray buildRecord(const ZveiCall& call);
QByteArray buildRecord(const PocsagPage& page);
QByteArray buildRecord(const FmsReport& report);
