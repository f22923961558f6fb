// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notifications/desktop_notifications.h"

#include <QList>
#include <QMap>

// The desktop's notifications in memory: what is shown under which handle.
class FakeNotifications final : public DesktopNotifications
{
public:
    QMap<int, DesktopNotification> shown;
    int shows = 0;
    int updates = 0;

    int show(const DesktopNotification& notification) override
    {
        shown[++shows] = notification;
        return shows;
    }
    void update(int handle, const DesktopNotification& notification) override
    {
        ++updates;
        shown[handle] = notification;
    }
    void close(int handle) override { shown.remove(handle); }
    void chooseAcknowledgement(int handle) { emit acknowledgementChosen(handle); }
};
