#pragma once

#include "decoded_telegram.h"
#include "pager_text.h"

#include <QList>

// The bits a POCSAG transmitter sends for one page: preamble, then batches
// of a sync word and 16 code words. Alpha text is 7-bit ASCII, umlauts in
// the German pager alphabet; numeric text uses the characters the decoder
// prints ("0123456789.U -][").
QList<bool> pocsagBits(const PocsagPage& page, PageKind kind);
