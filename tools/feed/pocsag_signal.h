// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decoded_telegram.h"
#include "pager_text.h"

#include <QByteArray>

// One POCSAG page as a receiver's discriminator gives it, framed by
// silence. The transmitter sends a preamble, then batches of a sync word
// and 16 code words. Alpha text is 7-bit ASCII, umlauts in the German
// pager alphabet; numeric text uses the characters the decoder prints
// ("0123456789.U -][").
QByteArray pocsagAudio(const PocsagPage& page, PageKind kind);
