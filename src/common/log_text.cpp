#include "log_text.h"

namespace {
constexpr qsizetype kMaxShown = 200;
}

QString logText(QStringView text)
{
    QString shown;
    const QStringView head = text.left(kMaxShown);
    shown.reserve(head.size() + 8);
    for (const QChar c : head) {
        if (c == u'\t')
            shown += QStringLiteral("<TAB>");
        else if (c.category() == QChar::Other_Control)
            shown += u'?';
        else
            shown += c;
    }
    if (text.size() > kMaxShown)
        shown += QStringLiteral(" …");
    return shown;
}
