#include "program_icon.h"

#include <QImageReader>
#include <QPixmap>

// The images live in this static library; nothing would pull them into the
// program without this reference, and the icon would stay blank.
static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace {

QIcon iconFrom(std::initializer_list<const char*> files)
{
    initIconResources();
    QIcon icon;
    for (const char* file : files) {
        // Without guessing, Qt takes its own PNG reader instead of loading
        // every image plugin to ask whether it knows the format.
        QImageReader reader(QStringLiteral(":/icons/") + QLatin1String(file), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
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
