// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

enum class PageKind
{
    Numeric,
    Alpha
};

// The text of a POCSAG line as the decoder printed it, made readable:
// control characters the decoder writes as "<NUL>", "<EOT>" … are dropped
// (line breaks and tabs become a space), and in alpha pages the German
// pager alphabet's [ \ ] { | } ~ become Ä Ö Ü ä ö ü ß. UTF-8 (the
// decoder's -C DE) is understood as well.
QString pagerText(QByteArrayView printed, PageKind kind);

// Whether an alpha page's printed text has control characters before its
// last visible character. Transmitters end texts with padding and end
// marks and break lines; anything else inside the text is noise that
// passed the check bits.
bool isGarbled(QByteArrayView printed);
