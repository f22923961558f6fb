// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed_log.h"

#include <cstdio>

namespace {

bool g_quiet = false;

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
