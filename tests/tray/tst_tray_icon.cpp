// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui_common/program_icon.h"
#include "support/fake_dialogs.h"
#include "support/recording_tray_service.h"
#include "tray/tray_icon.h"
#include "tray/tray_mouse.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

using namespace Qt::StringLiterals;

class TestTrayIcon : public QObject
{
    Q_OBJECT

    RecordingTrayService m_service;
    FakeDialogs m_dialogs;
    std::unique_ptr<QWidget> m_host;
    std::unique_ptr<TrayIcon> m_icon;

    static QMenu* menuOf()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == u"mPopupMenu")
                return static_cast<QMenu*>(widget);
        return nullptr;
    }
    static QAction& action(const char* name)
    {
        return *menuOf()->findChild<QAction*>(QString::fromLatin1(name));
    }

private slots:
    void init()
    {
        m_service.shown = false;
        m_dialogs = FakeDialogs();
        m_host = std::make_unique<QWidget>();
        m_icon =
            std::make_unique<TrayIcon>(m_service, m_dialogs, programIcon(), u"ostrevo"_s, *m_host);
    }

    void cleanup()
    {
        m_icon.reset();
        m_host.reset();
    }

    void showsWithImageAndTip()
    {
        QVERIFY(!m_service.shown);
        m_icon->setVisible(true);
        QVERIFY(m_service.shown);
        QCOMPARE(m_service.tip, u"ostrevo"_s);
        QCOMPARE(m_service.image.pixmap(32).size(), QSize(32, 32));
        m_icon->setToolTip(QString(70, u'x'));
        QCOMPARE(m_service.tip, QString(63, u'x'));
        // The mouse resting on the icon asks for the same tip again and again.
        m_icon->setToolTip(u"12:00:00 21101"_s);
        const int updates = m_service.updates;
        m_icon->setToolTip(u"12:00:00 21101"_s);
        QCOMPARE(m_service.updates, updates);
        m_icon->setVisible(false);
        QVERIFY(!m_service.shown);
    }

    void mouseEvents_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("event"); // -1: none
        const auto row = [](const char* name, QEvent::Type type, Qt::MouseButton button,
                            int event) {
            QTest::newRow(name) << int(type) << int(button) << event;
        };
        row("move", QEvent::MouseMove, Qt::NoButton, int(TrayMouseEvent::Move));
        row("left down", QEvent::MouseButtonPress, Qt::LeftButton, int(TrayMouseEvent::LeftDown));
        row("right up", QEvent::MouseButtonRelease, Qt::RightButton, int(TrayMouseEvent::RightUp));
        row("middle double", QEvent::MouseButtonDblClick, Qt::MiddleButton,
            int(TrayMouseEvent::MiddleDoubleClick));
        row("left double", QEvent::MouseButtonDblClick, Qt::LeftButton,
            int(TrayMouseEvent::LeftDoubleClick));
        row("enter", QEvent::Enter, Qt::NoButton, -1);
    }

    void mouseEvents()
    {
        QFETCH(int, type);
        QFETCH(int, button);
        QFETCH(int, event);
        const QEvent::Type eventType = QEvent::Type(type);
        const auto mouse = [&]() -> std::optional<TrayMouseEvent> {
            if (eventType == QEvent::Enter)
                return trayMouseEventOf(QEvent(eventType));
            return trayMouseEventOf(QMouseEvent(eventType, QPointF(1, 1), QPointF(1, 1),
                                                Qt::MouseButton(button), Qt::MouseButtons(button),
                                                Qt::NoModifier));
        }();
        QCOMPARE(mouse ? int(*mouse) : -1, event);
    }

    void activations()
    {
        // Trays over D-Bus report activations only.
        QCOMPARE(trayMouseEventOf(QSystemTrayIcon::Trigger), TrayMouseEvent::LeftDown);
        QCOMPARE(trayMouseEventOf(QSystemTrayIcon::DoubleClick), TrayMouseEvent::LeftDoubleClick);
        QCOMPARE(trayMouseEventOf(QSystemTrayIcon::Context), TrayMouseEvent::RightUp);
        QCOMPARE(trayMouseEventOf(QSystemTrayIcon::MiddleClick), TrayMouseEvent::MiddleDown);
        QVERIFY(!trayMouseEventOf(QSystemTrayIcon::Unknown));
    }

    void tipsShowAsText()
    {
        QCOMPARE(plainTrayTip(u"12:00:00 61110144 (3) Einsatz"_s),
                 u"12:00:00 61110144 (3) Einsatz"_s);
        QCOMPARE(plainTrayTip(u"<b>x</b> & y"_s),
                 u"<p style='white-space:pre'>&lt;b&gt;x&lt;/b&gt; &amp; y</p>"_s);
    }

    void flashing()
    {
        m_icon->setVisible(true);
        const qint64 normal = m_service.image.cacheKey();
        m_icon->startFlashing();
        QTRY_VERIFY(m_service.image.cacheKey() != normal);
        const qint64 flashed = m_service.image.cacheKey();
        QTRY_COMPARE(m_service.image.cacheKey(), normal); // and back again
        QTRY_COMPARE(m_service.image.cacheKey(), flashed);
        m_icon->stopFlashing();
        QCOMPARE(m_service.image.cacheKey(), normal);
        QTest::qWait(2 * TrayIcon::FlashInterval);
        QCOMPARE(m_service.image.cacheKey(), normal);

        // An open alarm flashes through what would stop a telegram's flashing.
        m_icon->setAlarmOpen(true);
        m_icon->stopFlashing(); // the history window was looked at
        QTRY_VERIFY(m_service.image.cacheKey() != normal);
        m_icon->setAlarmOpen(false);
        QCOMPARE(m_service.image.cacheKey(), normal);
        QTest::qWait(2 * TrayIcon::FlashInterval);
        QCOMPARE(m_service.image.cacheKey(), normal);
    }

    void menuAvailability_data()
    {
        QTest::addColumn<int>("host");        // 0 hidden, 1 normal, 2 maximised
        QTest::addColumn<QString>("enabled"); // maximize, restore, minimize
        QTest::newRow("hidden") << 0 << u"110"_s;
        QTest::newRow("normal") << 1 << u"101"_s;
        QTest::newRow("maximised") << 2 << u"001"_s;
    }

    void menuAvailability()
    {
        QFETCH(int, host);
        QFETCH(QString, enabled);
        if (host == 1)
            m_host->showNormal();
        else if (host == 2)
            m_host->showMaximized();
        QSignalSpy events(m_icon.get(), &TrayIcon::mouseEvent);
        m_service.report(TrayMouseEvent::RightUp);
        QCOMPARE(events.count(), 1);
        QVERIFY(menuOf()->isVisible());
        QString state;
        for (const char* name : {"mMaximize", "mRestore", "mMinimize"})
            state += action(name).isEnabled() ? u'1' : u'0';
        QCOMPARE(state, enabled);
        menuOf()->hide();
    }

    void restoreReturnsToTheLastState()
    {
        m_host->show();
        action("mMaximize").trigger();
        QVERIFY(m_host->isMaximized());
        action("mMinimize").trigger();
        QVERIFY(m_host->isMinimized());
        m_host->hide();
        action("mRestore").trigger();
        QVERIFY(m_host->isVisible() && m_host->isMaximized());
    }

    void menuCommands()
    {
        QStringList captions;
        for (const QAction* item : menuOf()->actions())
            captions << (item->isSeparator() ? u"-"_s : item->text());
        QCOMPARE(captions,
                 (QStringList{u"About ostrevo"_s, u"-"_s, u"Ma&ximize"_s, u"&Einstellungen"_s,
                              u"&Verstecken"_s, u"&Telegramm-Liste"_s, u"&Statusübersicht"_s,
                              u"Alarm &quittieren"_s, u"Alarm&regeln …"_s,
                              u"&Weitere Einstellungen …"_s, u"-"_s, u"&Beenden"_s}));
        QVERIFY(!action("mAcknowledge").isEnabled());
        m_icon->setAlarmOpen(true);
        QVERIFY(action("mAcknowledge").isEnabled());
        QSignalSpy history(m_icon.get(), &TrayIcon::historyRequested);
        QSignalSpy board(m_icon.get(), &TrayIcon::statusBoardRequested);
        action("mTelegramml").trigger();
        QCOMPARE(history.count(), 1);
        action("mStatusboard").trigger();
        QCOMPARE(board.count(), 1);
        QCOMPARE(history.count(), 1);
        QSignalSpy more(m_icon.get(), &TrayIcon::moreSettingsRequested);
        action("mMoreSettings").trigger();
        QCOMPARE(more.count(), 1);
        action("mAbout").trigger();
        QCOMPARE(m_dialogs.messages.size(), 1);
        QCOMPARE(m_dialogs.messages[0].text, u"Vorsand Version 1.0.0"_s);
        QCOMPARE(m_dialogs.messages[0].icon, MessageBoxRequest::Icon::Information);
        m_icon->setVisible(true);
        m_host->show();
        action("mExit").trigger(); // closes the host, which removes the icon
        QVERIFY(!m_host->isVisible());
        QVERIFY(!m_service.shown);
    }
};

QTEST_MAIN(TestTrayIcon)
#include "tst_tray_icon.moc"
