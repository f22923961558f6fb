// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

// Reads the leading numeric part of a text the lenient way users and old
// settings files expect: blanks, tabs and line feeds are ignored anywhere,
// "&H"/"&O" introduce hex/octal, the decimal separator is always ".", and a
// text without a leading number is 0. Never fails; huge values become +-inf.
double parseLeadingNumber(QStringView text);
