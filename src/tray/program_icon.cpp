#include "program_icon.h"

#include <QPixmap>

// The images live in this static library; nothing would pull them into the
// program without this reference, and the icon would stay blank.
static void initIconResources()
{
    Q_INIT_RESOURCE(tray);
}

namespace {

QIcon iconFrom(std::initializer_list<const char*> files)
{
    initIconResources();
    QIcon icon;
    for (const char* file : files)
        // Naming the format spares loading every image plugin to guess it.
        icon.addPixmap(QPixmap(QStringLiteral(":/icons/") + QLatin1String(file), "PNG"));
    return icon;
}

} // namespace

QIcon programIcon()
{
    return iconFrom({"ostrevo-16.png", "ostrevo-32.png", "ostrevo-48.png", "ostrevo-64.png"});
}

QIcon highlightedProgramIcon()
{
    return iconFrom({"highlighted-16.png"});
}
