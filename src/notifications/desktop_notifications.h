// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// One notification of the desktop's notification service.
struct DesktopNotification
{
    enum class Urgency
    {
        Low = 0,
        Normal = 1,
        Critical = 2,
    };
    QString summary;
    QString body; // plain text: received text must not become markup
    Urgency urgency = Urgency::Normal;
    bool offersAcknowledgement = false; // the action "quittieren", labelled "Quittieren"
    bool operator==(const DesktopNotification&) const = default;
};

// The desktop's notifications (org.freedesktop.Notifications on the session
// bus). Handles are the program's own, so that a notification can be
// updated or closed before the service has answered. Without a service
// nothing shows and nothing fails.
class DesktopNotifications : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Shows a notification and returns its handle (never 0).
    virtual int show(const DesktopNotification& notification) = 0;
    // Replaces what a shown notification says, in place.
    virtual void update(int handle, const DesktopNotification& notification) = 0;
    virtual void close(int handle) = 0;

signals:
    // The user chose "Quittieren" on the notification.
    void acknowledgementChosen(int handle);
};
