// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QVariantMap>

using namespace Qt::StringLiterals;

// org.freedesktop.Notifications for tests: records every call with all its
// arguments, can hold the answers back, and emits what a user would cause.
class FakeNotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Call
    {
        QString method;
        QVariantList arguments;
    };
    QList<Call> calls;
    bool holdAnswers = false;

    // Registers on the connection; false when the name is taken.
    bool serve(QDBusConnection connection)
    {
        m_connection = connection;
        return connection.registerObject(u"/org/freedesktop/Notifications"_s, this,
                                         QDBusConnection::ExportAllSlots |
                                             QDBusConnection::ExportAllSignals) &&
               connection.registerService(u"org.freedesktop.Notifications"_s);
    }
    // Sends the answers held back so far.
    void answer()
    {
        for (const QDBusMessage& reply : std::exchange(m_held, {}))
            m_connection.send(reply);
    }
    void invokeAction(uint id, const QString& action) { emit ActionInvoked(id, action); }
    void closeByUser(uint id) { emit NotificationClosed(id, 2); }
    uint lastId() const { return m_lastId; }

public slots:
    uint Notify(const QString& appName, uint replacesId, const QString& appIcon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int expireTimeout, const QDBusMessage& message)
    {
        calls.append(
            {u"Notify"_s,
             {appName, replacesId, appIcon, summary, body, actions, hints, expireTimeout}});
        const uint id = replacesId != 0 ? replacesId : ++m_lastId;
        if (holdAnswers) {
            message.setDelayedReply(true);
            m_held.append(message.createReply(id));
        }
        return id;
    }
    void CloseNotification(uint id)
    {
        calls.append({u"CloseNotification"_s, {id}});
        emit NotificationClosed(id, 3);
    }
    QStringList GetCapabilities() { return {u"actions"_s, u"body"_s}; }

signals:
    void ActionInvoked(uint id, const QString& actionKey);
    void NotificationClosed(uint id, uint reason);

private:
    QDBusConnection m_connection{QString()};
    QList<QDBusMessage> m_held;
    uint m_lastId = 0;
};
