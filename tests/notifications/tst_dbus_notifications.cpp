// SPDX-License-Identifier: GPL-3.0-or-later
#include "notifications/dbus_notifications.h"
#include "support/fake_notification_server.h"
#include "support/private_session_bus.h"

#include <QDBusPendingCallWatcher>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const DesktopNotification Alarm{u"Alarm Hauptwache"_s, u"B3 <Brand> & \"Rauch\""_s,
                                DesktopNotification::Urgency::Critical, true};
const DesktopNotification Quittiert{u"Alarm quittiert"_s, u"Hauptwache"_s,
                                    DesktopNotification::Urgency::Normal, false};

} // namespace

class TestDBusNotifications : public QObject
{
    Q_OBJECT

    PrivateSessionBus m_bus;
    FakeNotificationServer m_server;
    std::unique_ptr<DBusNotifications> m_notifications;
    int m_connections = 0;

    QList<FakeNotificationServer::Call>& calls() { return m_server.calls; }
    QVariantList notifyArguments(qsizetype call)
    {
        return calls().value(call).method == u"Notify"_s ? calls().value(call).arguments
                                                         : QVariantList();
    }
    // Waits until every call has been answered.
    void settle()
    {
        QTRY_VERIFY(m_notifications->findChildren<QDBusPendingCallWatcher*>().isEmpty());
    }
    // Shows a notification and waits for the service's id.
    int shown(const DesktopNotification& notification)
    {
        const int handle = m_notifications->show(notification);
        settle();
        return handle;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(!m_bus.address().isEmpty());
        QVERIFY(m_server.serve(m_bus.connect(u"server"_s)));
    }
    void init()
    {
        m_server.calls.clear();
        m_server.holdAnswers = false;
        m_notifications =
            std::make_unique<DBusNotifications>(m_bus.connect(u"client%1"_s.arg(++m_connections)));
    }

    void notifyCarriesEverything_data()
    {
        QTest::addColumn<DesktopNotification>("notification");
        QTest::addColumn<QVariantList>("arguments");
        const QVariantMap critical{{u"urgency"_s, QVariant::fromValue(uchar(2))},
                                   {u"desktop-entry"_s, u"de.ostrevo.Ostrevo"_s}};
        QTest::newRow("critical, with Quittieren")
            << Alarm
            << QVariantList{u"Ostrevo"_s,
                            0u,
                            u"ostrevo"_s,
                            u"Alarm Hauptwache"_s,
                            u"B3 &lt;Brand&gt; &amp; \"Rauch\""_s,
                            QStringList{u"quittieren"_s, u"Quittieren"_s},
                            critical,
                            0};
        QVariantMap normal = critical;
        normal[u"urgency"_s] = QVariant::fromValue(uchar(1));
        QTest::newRow("normal") << Quittiert << QVariantList{u"Ostrevo"_s,    0u,
                                                             u"ostrevo"_s,    u"Alarm quittiert"_s,
                                                             u"Hauptwache"_s, QStringList(),
                                                             normal,          -1};
    }
    void notifyCarriesEverything()
    {
        QFETCH(DesktopNotification, notification);
        QFETCH(QVariantList, arguments);
        QVERIFY(m_notifications->show(notification) > 0);
        QTRY_COMPARE(calls().size(), 1);
        QCOMPARE(notifyArguments(0), arguments);
        QCOMPARE(notifyArguments(0).value(6).toMap().value(u"urgency"_s).metaType(),
                 QMetaType::fromType<uchar>());
    }

    void updateReplacesInPlace()
    {
        const int handle = shown(Alarm);
        const uint id = m_server.lastId();
        m_notifications->update(handle, Quittiert);
        QTRY_COMPARE(calls().size(), 2);
        QCOMPARE(notifyArguments(1).value(1), QVariant(id));
        QCOMPARE(notifyArguments(1).value(3), QVariant(Quittiert.summary));
    }

    void updateBeforeTheAnswerWaitsForIt()
    {
        m_server.holdAnswers = true;
        const int handle = m_notifications->show(Alarm);
        m_notifications->update(handle, Alarm);
        m_notifications->update(handle, Quittiert); // the latest wins
        QTRY_COMPARE(calls().size(), 1);
        m_server.holdAnswers = false;
        m_server.answer();
        QTRY_COMPARE(calls().size(), 2);
        QCOMPARE(notifyArguments(1).value(1), QVariant(m_server.lastId()));
        QCOMPARE(notifyArguments(1).value(3), QVariant(Quittiert.summary));
        settle();
        QCOMPARE(calls().size(), 2);
    }

    void closeClosesAlsoBeforeTheAnswer()
    {
        const int first = shown(Alarm);
        const uint id = m_server.lastId();
        m_server.holdAnswers = true;
        const int second = m_notifications->show(Alarm);
        QVERIFY(second != first);
        m_notifications->close(first);
        m_notifications->close(second);
        m_notifications->update(second, Quittiert); // closed: nothing to update
        QTRY_COMPARE(calls().size(), 3);
        m_server.answer();
        QTRY_COMPARE(calls().size(), 4);
        QCOMPARE(calls()[2].method, u"CloseNotification"_s);
        QCOMPARE(calls()[2].arguments, QVariantList{id});
        QCOMPARE(calls()[3].method, u"CloseNotification"_s);
        QCOMPARE(calls()[3].arguments, QVariantList{id + 1});
    }

    void quittierenReportsItsHandle()
    {
        QSignalSpy chosen(m_notifications.get(), &DesktopNotifications::acknowledgementChosen);
        shown(Quittiert);
        const int handle = shown(Alarm);
        const uint id = m_server.lastId();
        m_server.invokeAction(id, u"default"_s);
        m_server.invokeAction(id + 1, u"quittieren"_s);
        m_server.invokeAction(0, u"quittieren"_s);
        m_server.invokeAction(id, u"quittieren"_s);
        QTRY_COMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].toInt(), handle);
    }

    void aDismissedNotificationShowsAnewOnUpdate()
    {
        QSignalSpy chosen(m_notifications.get(), &DesktopNotifications::acknowledgementChosen);
        const int handle = shown(Alarm);
        const uint dismissed = m_server.lastId();
        m_server.closeByUser(dismissed);
        m_server.invokeAction(dismissed, u"quittieren"_s); // its id is forgotten
        shown(Quittiert); // after the signals, which come on the same connection
        m_notifications->update(handle, Alarm);
        settle();
        QCOMPARE(calls().size(), 3);
        QCOMPARE(notifyArguments(2).value(1), QVariant(0u));
        m_server.invokeAction(m_server.lastId(), u"quittieren"_s);
        QTRY_COMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].toInt(), handle);
        m_notifications->close(handle);
        QTRY_COMPARE(calls().size(), 4);
        QCOMPARE(calls()[3].arguments, QVariantList{m_server.lastId()});
    }

    void withoutAServiceNothingFails_data()
    {
        QTest::addColumn<bool>("bus");
        QTest::newRow("no service") << true;
        QTest::newRow("no bus") << false;
    }
    void withoutAServiceNothingFails()
    {
        QFETCH(bool, bus);
        PrivateSessionBus empty;
        m_notifications = std::make_unique<DBusNotifications>(
            bus ? QDBusConnection::connectToBus(empty.address(), u"empty"_s)
                : QDBusConnection(u"none"_s));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(u"^Desktop-Benachrichtigungen nicht möglich: "_s));
        QTest::failOnWarning(QRegularExpression(u"."_s));
        const int first = m_notifications->show(Alarm);
        const int second = m_notifications->show(Alarm);
        m_notifications->update(first, Quittiert);
        m_notifications->close(second);
        settle();
        QVERIFY(first > 0 && second > 0 && first != second);
        QDBusConnection::disconnectFromBus(u"empty"_s);
    }
};

QTEST_GUILESS_MAIN(TestDBusNotifications)
#include "tst_dbus_notifications.moc"
