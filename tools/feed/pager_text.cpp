// SPDX-License-Identifier: GPL-3.0-or-later
#include "pager_text.h"

#include <QHash>

namespace {

// The decoder's names for the ASCII control characters; those that break
// a line become a space, the rest (padding, end marks) vanish.
QString controlReplacement(QStringView name, bool* known)
{
    static const QHash<QString, QString> names = [] {
        QHash<QString, QString> table;
        for (const char* control :
             {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "SO",
              "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB", "CAN",
              "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US",  "DEL"})
            table.insert(QString::fromLatin1(control), QString());
        for (const char* control : {"HT", "LF", "VT", "FF", "CR"})
            table.insert(QString::fromLatin1(control), QStringLiteral(" "));
        return table;
    }();
    const auto found = names.constFind(name.toString());
    *known = found != names.constEnd();
    return *known ? *found : QString();
}

QChar germanLetter(QChar c)
{
    switch (c.unicode()) {
    case '[':
        return u'Ä';
    case '\\':
        return u'Ö';
    case ']':
        return u'Ü';
    case '{':
        return u'ä';
    case '|':
        return u'ö';
    case '}':
        return u'ü';
    case '~':
        return u'ß';
    default:
        return c;
    }
}

// The control character the decoder named at `at` ("<EOT>"): its length
// in the text and what it becomes, or 0.
qsizetype namedControl(const QString& text, qsizetype at, QString* replacement)
{
    if (text[at] != u'<')
        return 0;
    // Control names are two or three letters: look no further.
    const QStringView ahead = QStringView(text).sliced(at + 1).left(4);
    const qsizetype close = ahead.indexOf(u'>');
    bool known = false;
    *replacement = close > 0 ? controlReplacement(ahead.left(close), &known) : QString();
    return known ? close + 2 : 0;
}

} // namespace

bool isGarbled(QByteArrayView printed)
{
    const QString text = QString::fromUtf8(printed);
    bool controlSeen = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString replacement;
        if (const qsizetype length = namedControl(text, i, &replacement)) {
            controlSeen = controlSeen || replacement.isEmpty();
            i += length - 1;
        } else if (text[i].category() == QChar::Other_Control) {
            controlSeen = controlSeen || !text[i].isSpace();
        } else if (controlSeen && !text[i].isSpace()) {
            return true;
        }
    }
    return false;
}

QString pagerText(QByteArrayView printed, PageKind kind)
{
    const QString text = QString::fromUtf8(printed);
    QString readable;
    readable.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString replacement;
        if (const qsizetype length = namedControl(text, i, &replacement)) {
            readable += replacement;
            i += length - 1;
            continue;
        }
        const QChar c = text[i];
        if (c.category() == QChar::Other_Control)
            readable += u' ';
        else
            readable += kind == PageKind::Alpha ? germanLetter(c) : c;
    }
    return readable.trimmed();
}
