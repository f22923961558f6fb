// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_icon.h"

#include <QImageReader>
#include <QPainter>
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

QIcon warningProgramIcon()
{
    // The program's image, with an amber mark in its lower right corner.
    QIcon icon;
    const QIcon plain = programIcon();
    for (const QSize& size : plain.availableSizes()) {
        QPixmap pixmap = plain.pixmap(size);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF mark(size.width() * 0.45, size.height() * 0.45, size.width() * 0.55,
                          size.height() * 0.55);
        painter.setPen(QPen(Qt::black, std::max(1.0, size.width() / 32.0)));
        painter.setBrush(QColor(255, 176, 0));
        painter.drawEllipse(mark);
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(std::max(6, int(mark.height() * 0.8)));
        painter.setFont(font);
        painter.drawText(mark, Qt::AlignCenter, QStringLiteral("!"));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
