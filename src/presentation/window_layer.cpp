#include "window_layer.h"

#include <QWidget>

namespace {

void setStaysOnTop(QWidget& window, bool onTop)
{
    if (window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    // Qt re-creates the native window when its flags change, which hides it
    // and may drop its position: put both back as they were.
    const bool wasVisible = window.isVisible();
    const QRect geometry = window.geometry();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    window.setGeometry(geometry);
    if (wasVisible)
        window.show();
}

} // namespace

void SetTopmost(QWidget& window)
{
    setStaysOnTop(window, true);
}

void SetNotTopmost(QWidget& window)
{
    setStaysOnTop(window, false);
}
