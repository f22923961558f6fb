#include "feed_log.h"

#include <cstdio>

namespace {

bool g_quiet = false;
constexpr qsizetype Longest = 200;

} // namespace

void setLogQuiet(bool quiet)
{
    g_quiet = quiet;
}

void logEvent(const QString& line)
{
    if (!g_quiet)
        logError(line);
}

void logError(const QString& line)
{
    std::fprintf(stderr, "ostrevo-feed: %s\n", qPrintable(line));
    std::fflush(stderr);
}

QString printable(const QString& text)
{
    QString shown;
    for (const QChar c : QStringView(text).left(Longest)) {
        if (c == u'\t')
            shown += QStringLiteral("<TAB>");
        else
            shown += c.category() == QChar::Other_Control ? u'?' : c;
    }
    if (text.size() > Longest)
        shown += QStringLiteral("…");
    return shown;
}
