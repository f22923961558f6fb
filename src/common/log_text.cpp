// SPDX-License-Identifier: GPL-3.0-or-later
#include "log_text.h"

namespace {
constexpr qsizetype MaxShown = 200;
}

QString logText(QStringView text)
{
    QString shown;
    const QStringView head = text.left(MaxShown);
    shown.reserve(head.size() + 8);
    for (const QChar c : head) {
        if (c == u'\t')
            shown += QStringLiteral("<TAB>");
        else if (c.category() == QChar::Other_Control)
            shown += u'?';
        else
            shown += c;
    }
    if (text.size() > MaxShown)
        shown += QStringLiteral("…");
    return shown;
}
