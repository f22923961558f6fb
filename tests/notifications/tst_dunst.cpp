// SPDX-License-Identifier: GPL-3.0-or-later
#include "notifications/dbus_notifications.h"
#include "support/private_session_bus.h"

#include <QDBusConnectionInterface>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// NotificationClosed as the service sends it.
class ClosedReports : public QObject
{
    Q_OBJECT

public:
    QList<QPair<uint, uint>> closed;

public slots:
    void notificationClosed(uint id, uint reason) { closed.append({id, reason}); }
};

} // namespace

// Debian's dunst, on the test's display and a private bus, takes the call.
class TestDunst : public QObject
{
    Q_OBJECT

private slots:
    void dunstAcceptsNotifyAndClose()
    {
        PrivateSessionBus bus;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, bus.address());
        QProcess dunst;
        dunst.setProcessEnvironment(environment);
        dunst.start(u"dunst"_s, {u"-config"_s, u"/dev/null"_s});
        QDBusConnection connection = bus.connect(u"client"_s);
        QTRY_VERIFY_WITH_TIMEOUT(
            connection.interface()->isServiceRegistered(u"org.freedesktop.Notifications"_s), 10000);

        ClosedReports service;
        QVERIFY(connection.connect(u"org.freedesktop.Notifications"_s,
                                   u"/org/freedesktop/Notifications"_s,
                                   u"org.freedesktop.Notifications"_s, u"NotificationClosed"_s,
                                   &service, SLOT(notificationClosed(uint, uint))));
        DBusNotifications notifications(connection);
        const DesktopNotification alarm{u"Alarm"_s, u"B3 <Brand> & Rauch"_s,
                                        DesktopNotification::Urgency::Critical, true};
        const int handle = notifications.show(alarm);
        notifications.update(handle, alarm);
        notifications.close(handle); // closes once dunst has given the id
        QTRY_COMPARE(service.closed.size(), 1);
        QVERIFY(service.closed[0].first > 0);
        QCOMPARE(service.closed[0].second, 3u); // closed by CloseNotification
        dunst.terminate();
        dunst.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestDunst)
#include "tst_dunst.moc"
