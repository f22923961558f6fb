// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tray/tray_service.h"

// Keeps the icon's presence, image and tip, and lets a test move the mouse.
class RecordingTrayService final : public TrayService
{
public:
    bool shown = false;
    QIcon image;
    QString tip;
    bool seesMovement = true;
    bool available = true;
    int updates = 0;

    void show(const QIcon& icon, const QString& text) override
    {
        if (shown)
            return;
        shown = true;
        image = icon;
        tip = text;
    }
    void update(const QIcon& icon, const QString& text) override
    {
        if (!shown)
            return;
        ++updates;
        image = icon;
        tip = text;
    }
    void hide() override { shown = false; }
    bool reportsMouseMovement() const override { return seesMovement; }
    bool isAvailable() const override { return available; }
    void report(TrayMouseEvent event) { emit mouseEvent(event); }
};
