#include "window_system.h"

#include <QtGlobal>
#include <cstdio>

void preferX11WhereAvailable()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

void warnIfBarCannotStayOnTop(const QString& platformName)
{
    if (platformName == u"xcb" || platformName == u"offscreen" || platformName == u"minimal")
        return;
    std::fprintf(stderr,
                 "ostrevo: Ohne X-Display (Plattform %s) kann die Telegrammleiste nicht am "
                 "oberen Bildschirmrand über allen Fenstern bleiben.\n",
                 qPrintable(platformName));
}
