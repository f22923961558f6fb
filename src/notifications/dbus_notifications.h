// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "desktop_notifications.h"

#include <QDBusConnection>
#include <QHash>
#include <optional>

class QDBusPendingCall;

// org.freedesktop.Notifications on a D-Bus connection, every call
// asynchronous. Until the service has answered a Notify, an update waits and
// a close is remembered. A handle lives until close(): after the service
// closed its notification (the user dismissed it), an update shows it anew.
class DBusNotifications final : public DesktopNotifications
{
    Q_OBJECT

public:
    explicit DBusNotifications(const QDBusConnection& connection = QDBusConnection::sessionBus(),
                               QObject* parent = nullptr);

    int show(const DesktopNotification& notification) override;
    void update(int handle, const DesktopNotification& notification) override;
    void close(int handle) override;

private slots:
    void onActionInvoked(uint id, const QString& action);
    void onNotificationClosed(uint id, uint reason);

private:
    struct Entry
    {
        uint id = 0;       // the service's; 0 before its answer and after it closed it
        bool asked = true; // a Notify without an id is on its way
        std::optional<DesktopNotification> waiting;
    };

    void notify(int handle, uint replacesId, const DesktopNotification& notification);
    void answered(int handle, const QDBusPendingCall& call);
    void closeById(uint id);
    void noteFailure(const QString& error);

    QDBusConnection m_connection;
    QHash<int, Entry> m_entries;
    int m_lastHandle = 0;
    bool m_failing = false;
};
