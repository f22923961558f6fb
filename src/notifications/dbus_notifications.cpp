// SPDX-License-Identifier: GPL-3.0-or-later
#include "dbus_notifications.h"

#include "common/log_text.h"
#include "notifications_log.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = Service;
const QString AcknowledgeAction = QStringLiteral("quittieren");

// Services may read the body as markup; received text must stay text.
QString escapedMarkup(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'&')
            escaped += QStringLiteral("&amp;");
        else if (c == u'<')
            escaped += QStringLiteral("&lt;");
        else if (c == u'>')
            escaped += QStringLiteral("&gt;");
        else
            escaped += c;
    }
    return escaped;
}

QDBusMessage call(const QString& method)
{
    return QDBusMessage::createMethodCall(Service, Path, Interface, method);
}

} // namespace

DBusNotifications::DBusNotifications(const QDBusConnection& connection, QObject* parent)
    : DesktopNotifications(parent), m_connection(connection)
{
    // Naming the service lets only its owner's signals through.
    m_connection.connect(Service, Path, Interface, QStringLiteral("ActionInvoked"), this,
                         SLOT(onActionInvoked(uint, QString)));
    m_connection.connect(Service, Path, Interface, QStringLiteral("NotificationClosed"), this,
                         SLOT(onNotificationClosed(uint, uint)));
}

int DBusNotifications::show(const DesktopNotification& notification)
{
    do
        m_lastHandle = m_lastHandle == std::numeric_limits<int>::max() ? 1 : m_lastHandle + 1;
    while (m_entries.contains(m_lastHandle));
    m_entries.insert(m_lastHandle, {});
    notify(m_lastHandle, 0, notification);
    return m_lastHandle;
}

void DBusNotifications::update(int handle, const DesktopNotification& notification)
{
    const auto entry = m_entries.find(handle);
    if (entry == m_entries.end())
        return;
    if (entry->id != 0) {
        notify(handle, entry->id, notification);
    } else if (entry->asked) {
        entry->waiting = notification; // the latest wins
    } else {
        entry->asked = true;
        notify(handle, 0, notification);
    }
}

void DBusNotifications::close(int handle)
{
    const auto entry = m_entries.find(handle);
    if (entry == m_entries.end())
        return;
    if (entry->id != 0)
        closeById(entry->id);
    // Without an id yet, the answer finds no entry and closes what it names.
    m_entries.erase(entry);
}

void DBusNotifications::notify(int handle, uint replacesId, const DesktopNotification& notification)
{
    QDBusMessage message = call(QStringLiteral("Notify"));
    const QStringList actions = notification.offersAcknowledgement
                                    ? QStringList{AcknowledgeAction, QStringLiteral("Quittieren")}
                                    : QStringList{};
    const QVariantMap hints{
        {QStringLiteral("urgency"), QVariant::fromValue(uchar(notification.urgency))},
        {QStringLiteral("desktop-entry"), QStringLiteral("de.ostrevo.Ostrevo")},
    };
    const bool critical = notification.urgency == DesktopNotification::Urgency::Critical;
    message << QStringLiteral("Ostrevo") << replacesId << QStringLiteral("ostrevo")
            << notification.summary << escapedMarkup(notification.body) << actions << hints
            << qint32(critical ? 0 : -1);
    const QDBusPendingCall pending = m_connection.asyncCall(message);
    if (pending.isFinished()) { // without a bus: no watcher would ever report
        answered(handle, pending);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(pending, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, handle](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                answered(handle, *finished);
            });
}

void DBusNotifications::answered(int handle, const QDBusPendingCall& call)
{
    const QDBusPendingReply<uint> reply = call;
    const auto entry = m_entries.find(handle);
    if (reply.isError() || reply.value() == 0) {
        noteFailure(reply.isError() ? reply.error().message() : QStringLiteral("Kennung 0"));
        if (entry != m_entries.end() && entry->id == 0) {
            entry->asked = false; // nothing shows; the next update tries anew
            entry->waiting.reset();
        }
        return;
    }
    m_failing = false;
    const uint id = reply.value();
    if (entry == m_entries.end()) {
        closeById(id);
        return;
    }
    entry->id = id; // a service may give a replacement a new id
    entry->asked = false;
    if (entry->waiting) {
        const DesktopNotification waiting = *entry->waiting;
        entry->waiting.reset();
        notify(handle, id, waiting);
    }
}

void DBusNotifications::closeById(uint id)
{
    QDBusMessage message = call(QStringLiteral("CloseNotification"));
    message << id;
    m_connection.send(message);
}

void DBusNotifications::onActionInvoked(uint id, const QString& action)
{
    if (action != AcknowledgeAction || id == 0)
        return;
    for (auto entry = m_entries.cbegin(); entry != m_entries.cend(); ++entry) {
        if (entry->id == id) {
            emit acknowledgementChosen(entry.key());
            return;
        }
    }
}

void DBusNotifications::onNotificationClosed(uint id, uint)
{
    if (id == 0)
        return;
    for (Entry& entry : m_entries) {
        if (entry.id == id)
            entry.id = 0;
    }
}

// Without a service every call fails the same way: one line until one succeeds.
void DBusNotifications::noteFailure(const QString& error)
{
    if (m_failing)
        return;
    m_failing = true;
    qCWarning(lcNotifications).noquote()
        << QStringLiteral("Desktop-Benachrichtigungen nicht möglich: %1").arg(logText(error));
}
