#include "support/fake_dialogs.h"
#include "support/recording_notify_area.h"
#include "tray/frm_sys_tray.h"
#include "tray/mouse_codes.h"
#include "tray/window_state.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

class TestFrmSysTray : public QObject
{
    Q_OBJECT

    RecordingNotifyArea m_area;
    FakeDialogs m_dialogs;
    std::unique_ptr<FrmSysTray> m_tray;
    std::unique_ptr<QWidget> m_host;

private slots:
    void init()
    {
        m_area.calls.clear();
        m_area.present = false;
        m_dialogs = FakeDialogs();
        m_tray = std::make_unique<FrmSysTray>(m_area, m_dialogs, QStringLiteral("ostrevo"));
        m_host = std::make_unique<QWidget>();
        m_tray->Load();
        m_tray->setFSys(m_host.get());
    }

    void loadAddsTheIcon()
    {
        QCOMPARE(m_area.calls, QStringList{u"add|ostrevo"_qs});
        QCOMPARE(m_area.image.cacheKey(), m_tray->Flash1.cacheKey());
        QCOMPARE(m_tray->mAbout().text(), QStringLiteral("About ostrevo"));
        QVERIFY(!m_tray->TmrFlash.isActive());
        QCOMPARE(m_tray->TmrFlash.interval(), 400);
        QVERIFY(!m_tray->Flash1.isNull() && !m_tray->Flash2.isNull());
    }

    void tooltipField()
    {
        m_tray->setTooltip(QString(70, u'x'));
        QCOMPARE(m_area.tip, QStringLiteral("ostrevo")); // shown after MeModify only
        m_tray->MeModify();
        QCOMPARE(m_area.tip, QString(63, u'x'));
        m_tray->setTooltip(QStringLiteral("Halvorn Client"));
        QCOMPARE(m_tray->Tooltip(),
                 QString(QStringLiteral("Halvorn Client") + QChar(0)).leftJustified(64, u' '));
    }

    void showAndHideAreSilentTwice()
    {
        m_tray->MeHide();
        m_tray->MeHide();
        m_tray->MeModify();
        m_tray->MeShow();
        m_tray->MeShow();
        QCOMPARE(m_area.calls, (QStringList{u"add|ostrevo"_qs, u"delete"_qs, u"add|ostrevo"_qs}));
    }

    void hostCloseRemovesTheIcon()
    {
        m_host->show();
        m_tray->MeHide();
        m_host->close();
        QCOMPARE(m_area.calls.count(u"delete"_qs), 1);
        m_tray->MeShow();
        m_host->show();
        m_host->close();
        QVERIFY(!m_area.present);
    }

    void flashing()
    {
        m_tray->setTrayIcon(QStringLiteral("default"));
        QVERIFY(m_tray->TmrFlash.isActive());
        QCOMPARE(m_area.image.cacheKey(), m_tray->Flash2.cacheKey());
        QSignalSpy icons(m_tray.get(), &FrmSysTray::TIcon);
        QVERIFY(icons.wait(1000));
        QCOMPARE(m_area.image.cacheKey(), m_tray->Flash2.cacheKey()); // first tick: Flash2
        QVERIFY(icons.wait(1000));
        QCOMPARE(m_area.image.cacheKey(), m_tray->Flash1.cacheKey());

        QPixmap red(16, 16);
        red.fill(Qt::red);
        const QIcon picture(red);
        m_tray->setTrayIcon(picture);
        QVERIFY(!m_tray->TmrFlash.isActive());
        QCOMPARE(m_area.image.cacheKey(), picture.cacheKey());

        m_tray->setTrayIcon(QStringLiteral("/nonexistent/picture.png"));
        QVERIFY(m_tray->TmrFlash.isActive()); // a failure falls back to flashing
        m_tray->setTrayIcon(QIcon());
        QVERIFY(m_tray->TmrFlash.isActive());

        m_tray->setInterval(250);
        QCOMPARE(m_tray->Interval(), std::int16_t(250));
    }

    void clickCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        const char* names[] = {"MOUSEMOVE",   "LBUTTONDOWN",  "LBUTTONUP",     "LBUTTONDBLCLK",
                               "RBUTTONDOWN", "RBUTTONUP",    "RBUTTONDBLCLK", "MBUTTONDOWN",
                               "MBUTTONUP",   "MBUTTONDBLCLK"};
        for (int i = 0; i < 10; ++i)
            QTest::newRow(names[i]) << 0x200 + i << QString::fromLatin1(names[i]);
        QTest::newRow("0x20A") << 0x20A << QStringLiteral("OTHER....: 522");
        QTest::newRow("0x1FF") << 0x1FF << QStringLiteral("OTHER....: 511");
    }

    void clickCodes()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(ClickWhatFor(code), text);
        QStringList clicks;
        connect(m_tray.get(), &FrmSysTray::Click, this,
                [&clicks](QString& what) { clicks << what; });
        m_area.report(code);
        QCOMPARE(clicks, QStringList{text});
        m_tray->mPopupMenu().hide();
    }

    void rightClickUpdatesThenOpensTheMenu()
    {
        m_host->show();
        m_area.report(0x205);
        QVERIFY(!m_tray->mRestore().isEnabled());
        QVERIFY(m_tray->mMinimize().isEnabled());
        QVERIFY(m_tray->mPopupMenu().isVisible());
        m_tray->mPopupMenu().hide();
        m_host->hide();
        m_area.report(0x205);
        QVERIFY(m_tray->mRestore().isEnabled());
        QVERIFY(!m_tray->mMinimize().isEnabled());
        m_tray->mPopupMenu().hide();
        QVERIFY(!m_tray->mPopupMenu().defaultAction());
        m_host->showMaximized();
        m_area.report(0x205);
        QVERIFY(!m_tray->mMaximize().isEnabled() && !m_tray->mRestore().isEnabled());
        QVERIFY(m_tray->mMinimize().isEnabled());
        m_tray->mPopupMenu().hide();
    }

    void restoreReturnsToTheLastState()
    {
        m_host->show();
        m_tray->mMaximize_Click();
        QCOMPARE(WindowStateNumber(*m_host), 2);
        QCOMPARE(m_tray->LastWindowState, std::int16_t(2));
        m_tray->mMinimize_Click();
        QCOMPARE(WindowStateNumber(*m_host), 1);
        m_host->hide();
        m_tray->mRestore_Click();
        QVERIFY(m_host->isVisible());
        QCOMPARE(WindowStateNumber(*m_host), 2);

        SetWindowStateNumber(*m_host, 0);
        QCOMPARE(m_tray->LastWindowState, std::int16_t(0));
        m_host->hide();
        m_area.report(0x203); // double click restores as well
        QVERIFY(m_host->isVisible());
        QCOMPARE(WindowStateNumber(*m_host), 0);
    }

    void menuCommands()
    {
        m_host->show();
        m_tray->mTelegramml().trigger();
        QVERIFY(m_host->isVisible());
        QVERIFY(m_dialogs.messages.isEmpty());
        m_tray->mAbout().trigger();
        QCOMPARE(m_dialogs.messages.size(), 1);
        QCOMPARE(m_dialogs.messages[0].title, QStringLiteral("About Vorsand"));
        QCOMPARE(m_dialogs.messages[0].text, QStringLiteral("Vorsand Version 1.0.0"));
        QCOMPARE(m_dialogs.messages[0].icon, MessageBoxRequest::Icon::Information);
        m_tray->mExit().trigger();
        QVERIFY(!m_host->isVisible());
        QVERIFY(!m_area.present);
        QStringList captions;
        for (const QAction* action : m_tray->mPopupMenu().actions())
            captions << (action->isSeparator() ? u"-"_qs : action->text());
        QCOMPARE(captions,
                 (QStringList{u"About ostrevo"_qs, u"-"_qs, u"Ma&ximize"_qs, u"&Einstellungen"_qs,
                              u"&Verstecken"_qs, u"&Telegramm-Liste"_qs, u"-"_qs, u"&Beenden"_qs}));
    }

    void queryUnloadAndResize()
    {
        m_host->show();
        std::int16_t cancel = 0;
        m_tray->MeQueryUnload(*m_host, cancel, 1);
        QCOMPARE(cancel, std::int16_t(0));
        QVERIFY(m_host->isVisible());
        m_tray->MeQueryUnload(*m_host, cancel, 0);
        QCOMPARE(cancel, std::int16_t(1));
        QVERIFY(!m_host->isVisible());
        m_host->show();
        SetWindowStateNumber(*m_host, 1);
        m_tray->MeResize(*m_host);
        QVERIFY(!m_host->isVisible());
    }
};

QTEST_MAIN(TestFrmSysTray)
#include "tst_frm_sys_tray.moc"
