// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

// What the mouse did over the tray icon.
enum class TrayMouseEvent
{
    Move,
    LeftDown,
    LeftUp,
    LeftDoubleClick,
    RightDown,
    RightUp,
    RightDoubleClick,
    MiddleDown,
    MiddleUp,
    MiddleDoubleClick,
};

// The notification area: one icon with an image and a tooltip. Showing a
// shown icon, or updating or hiding one that is not shown, does nothing.
class TrayService : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    virtual void show(const QIcon& image, const QString& tip) = 0;
    virtual void update(const QIcon& image, const QString& tip) = 0;
    virtual void hide() = 0;
    // False where the service cannot see the mouse resting over the icon.
    virtual bool reportsMouseMovement() const = 0;
    // Whether the desktop has a notification area to show the icon in.
    virtual bool isAvailable() const = 0;

signals:
    void mouseEvent(TrayMouseEvent event);
};
