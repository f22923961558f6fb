#include "common/clock.h"
#include "presentation/msg_form.h"
#include "presentation/program_data.h"
#include "shell/form1.h"
#include "shell/settings_window_layout.h"
#include "support/fake_dialogs.h"
#include "support/memory_settings_store.h"
#include "support/recording_notify_area.h"
#include "tray/frm_sys_tray.h"
#include "tray/window_state.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestForm1 : public QObject
{
    Q_OBJECT

    FakeDialogs m_dialogs;
    ProgramData m_data;
    SystemClock m_clock;
    RecordingNotifyArea m_tray;
    MemorySettingsStore m_store;
    int m_ended = 0;
    Form1Services services()
    {
        return {m_dialogs,
                m_clock,
                m_tray,
                m_store,
                QStringLiteral("ostrevo"),
                QString(),
                [this] { ++m_ended; }};
    }

    template <typename T> static T* find(Form1& form, const char* name)
    {
        return form.findChild<T*>(QString::fromLatin1(name));
    }

private slots:
    void everyControlIsAddressable()
    {
        Form1 form(m_data, services());
        QCOMPARE(form.windowTitle(), QStringLiteral("Kaldrin"));
        QCOMPARE(form.size(), QSize(557, 112));
        for (const ControlSpec& spec : SettingsWindowControls()) {
            auto* widget = form.findChild<QWidget*>(Name(spec.name));
            QVERIFY2(widget, qPrintable(Name(spec.name)));
            QCOMPARE(widget->accessibleDescription(), Name(spec.name));
            QCOMPARE(widget->geometry(),
                     QRect(spec.left / 15, spec.top / 15, spec.width / 15, spec.height / 15));
        }
        QCOMPARE(find<QLabel>(form, "Label1")->buddy(), find<QWidget>(form, "txtSrv"));
        QCOMPARE(find<QLabel>(form, "Label3")->buddy(), find<QWidget>(form, "txtPasswort"));
        QCOMPARE(find<QLineEdit>(form, "txtTransparent")->toolTip(),
                 QStringLiteral("Werte: 0 - 255"));
    }

    void initialStates()
    {
        Form1 form(m_data, services());
        for (const char* name :
             {"chkAuto", "chkMsgAktiv", "chkMsgVorne", "chkUnbekFME", "chkUnbekFMS", "chkSysTray"})
            QVERIFY2(find<QCheckBox>(form, name)->isChecked(), name);
        QCOMPARE(find<QLineEdit>(form, "txtMsgTime")->text(), QStringLiteral("30"));
        QCOMPARE(find<QLabel>(form, "lblStatus")->text(), QStringLiteral("Unbekannt"));
        QVERIFY(form.connection().Timer1().isActive());
        QCOMPARE(form.connection().Timer1().interval(), 4000);
    }

    void tabOrderFollowsTheList()
    {
        Form1 form(m_data, services());
        const auto order = SettingsWindowTabOrder();
        for (std::size_t i = 1; i < order.size(); ++i) {
            auto* previous = form.findChild<QWidget*>(Name(order[i - 1]));
            QWidget* next = previous->nextInFocusChain();
            while (!(next->focusPolicy() & Qt::TabFocus))
                next = next->nextInFocusChain();
            QCOMPARE(next, form.findChild<QWidget*>(Name(order[i])));
        }
    }

    void validatedFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("time 66") << u"txtMsgTime"_qs << u"66"_qs << u"65"_qs;
        QTest::newRow("time 65") << u"txtMsgTime"_qs << u"65"_qs << u"65"_qs;
        QTest::newRow("time 0") << u"txtMsgTime"_qs << u"0"_qs << u"0"_qs;
        QTest::newRow("time empty") << u"txtMsgTime"_qs << QString() << QString();
        QTest::newRow("time letters") << u"txtMsgTime"_qs << u"abc"_qs << u"abc"_qs;
        QTest::newRow("time 99x") << u"txtMsgTime"_qs << u"99x"_qs << u"65"_qs;
        QTest::newRow("transp -1") << u"txtTransparent"_qs << u"-1"_qs << u"255"_qs;
        QTest::newRow("transp 256") << u"txtTransparent"_qs << u"256"_qs << u"255"_qs;
        QTest::newRow("transp 0") << u"txtTransparent"_qs << u"0"_qs << u"0"_qs;
        QTest::newRow("transp 255") << u"txtTransparent"_qs << u"255"_qs << u"255"_qs;
    }

    void validatedFields()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Form1 form(m_data, services());
        auto* edit = form.findChild<QLineEdit*>(field);
        edit->setText(QStringLiteral("1"));
        edit->setText(typed);
        QCOMPARE(edit->text(), kept);
    }

    void changeReactionOnlyOnChange()
    {
        Form1 form(m_data, services());
        auto* autoConnect = find<QCheckBox>(form, "chkAuto");
        autoConnect->setChecked(true); // unchanged: the timer keeps its state
        QVERIFY(form.connection().Timer1().isActive());
        autoConnect->setChecked(false);
        QVERIFY(!form.connection().Timer1().isActive());
    }

    void databaseFileDialog()
    {
        Form1 form(m_data, services());
        auto* file = find<QLineEdit>(form, "txtDBfile");
        file->setText(QStringLiteral("old.mdb"));
        m_dialogs.fileAnswer.reset();
        form.cmdLoadDB_Click();
        QCOMPARE(file->text(), QStringLiteral("old.mdb"));
        const FileDialogRequest& request = m_dialogs.fileRequests.last();
        QCOMPARE(request.title, QStringLiteral("Datenbank Auswählen"));
        QCOMPARE(request.filters,
                 (QStringList{u"Alle Dateien (*.*)"_qs, u"Access-Dateien (*.mdb)"_qs}));
        QCOMPARE(request.selectedFilter, QStringLiteral("Access-Dateien (*.mdb)"));
        QCOMPARE(request.proposedName, QStringLiteral("FMS.mdb"));

        m_dialogs.fileAnswer = QStringLiteral("/srv/einsatz/FMS.mdb");
        form.cmdLoadDB_Click();
        QCOMPARE(file->text(), QStringLiteral("/srv/einsatz/FMS.mdb"));
    }

    void barSwitches();
    void fontButton();
    void trayClicks();
    void tipFollowsTelegramsWithoutHover();
    void minimisingHidesToTheTray();
    void exitRunsTheOrderlyShutDown();
};

void TestForm1::barSwitches()
{
    Form1 form(m_data, services());
    auto* active = find<QCheckBox>(form, "chkMsgAktiv");
    auto* onTop = find<QCheckBox>(form, "chkMsgVorne");
    active->setChecked(false);
    QVERIFY(!form.msgForm().isVisible());
    onTop->setChecked(false);
    onTop->setChecked(true); // with "Aktiv" off nothing happens at once
    QVERIFY(!form.msgForm().isVisible());
    active->setChecked(true);
    QVERIFY(form.msgForm().isVisible());
    onTop->setChecked(false);
    QVERIFY(!form.msgForm().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(form.msgForm().isVisible());
    onTop->setChecked(true);
    QVERIFY(form.msgForm().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void TestForm1::fontButton()
{
    Form1 form(m_data, services());
    m_dialogs.fontAnswer.reset();
    const FontChoice before = form.msgForm().labelFont(BarLabel::Line);
    find<QPushButton>(form, "cmdMsgSchrift")->click();
    QCOMPARE(m_dialogs.fontTitle, QStringLiteral("Schriftart Auswählen"));
    QCOMPARE(m_dialogs.fontPresets.last(), form.msgForm().labelFont(BarLabel::Time));
    QCOMPARE(form.msgForm().labelFont(BarLabel::Line), before);
    m_dialogs.fontAnswer = FontChoice{QStringLiteral("Liberation Serif"), 14, true, false};
    find<QPushButton>(form, "cmdMsgSchrift")->click();
    QCOMPARE(form.msgForm().labelFont(BarLabel::Spricht), *m_dialogs.fontAnswer);
}

void TestForm1::trayClicks()
{
    QTemporaryDir lists;
    m_data.tray.FormInTray = true;
    m_tray.calls.clear();
    m_tray.present = false;
    Form1 form(m_data, services());
    form.Form_Load(lists.path());
    QCOMPARE(m_tray.calls, (QStringList{u"add|ostrevo"_qs, u"modify|Halvorn Client"_qs}));
    QVERIFY(find<QCheckBox>(form, "chkSysTray")->isChecked());

    m_data.tray.setTrayText(QStringLiteral("12:00:00 Florian 1 (3) Einsatz Übernommen"));
    QCOMPARE(m_tray.tip, QStringLiteral("Halvorn Client")); // the hover brings it
    m_tray.report(0x200);
    QCOMPARE(m_tray.tip, QStringLiteral("12:00:00 Florian 1 (3) Einsatz Übernommen"));

    form.msgForm().hide();
    m_tray.report(0x201);
    QVERIFY(form.msgForm().isVisible());
    m_tray.report(0x202);
    m_tray.report(0x201);
    QVERIFY(!form.msgForm().isVisible());

    // A double click arrives as press, release, double click, release: the
    // bar toggles once and the window comes back.
    form.hide();
    m_tray.report(0x201);
    m_tray.report(0x202);
    m_tray.report(0x203);
    m_tray.report(0x202);
    QVERIFY(form.msgForm().isVisible());
    QVERIFY(form.isVisible());

    find<QCheckBox>(form, "chkSysTray")->setChecked(false);
    QVERIFY(!m_tray.present);
    QVERIFY(!m_data.tray.FormInTray);
    find<QCheckBox>(form, "chkSysTray")->setChecked(true);
    QVERIFY(m_tray.present);
    QVERIFY(m_data.tray.FormInTray);
}

void TestForm1::tipFollowsTelegramsWithoutHover()
{
    QTemporaryDir lists;
    m_data.tray.FormInTray = true;
    m_tray.seesMovement = false;
    Form1 form(m_data, services());
    form.Form_Load(lists.path());
    m_data.tray.setTrayText(QStringLiteral("12:00:00 21101 FF Musterstadt"));
    QCOMPARE(m_tray.tip, QStringLiteral("12:00:00 21101 FF Musterstadt"));
    m_tray.seesMovement = true;
}

void TestForm1::minimisingHidesToTheTray()
{
    QTemporaryDir lists;
    Form1 form(m_data, services());
    form.Form_Load(lists.path());
    form.show();
    SetWindowStateNumber(form, 1);
    QTRY_VERIFY(!form.isVisible());
    form.FormSys()->mRestore_Click();
    QVERIFY(form.isVisible());
    QCOMPARE(WindowStateNumber(form), 0);

    find<QCheckBox>(form, "chkSysTray")->setChecked(false);
    SetWindowStateNumber(form, 1);
    QTest::qWait(20);
    QVERIFY(form.isVisible()); // stays a minimised task-bar window
}

void TestForm1::exitRunsTheOrderlyShutDown()
{
    QTemporaryDir lists;
    m_ended = 0;
    m_store.writes.clear();
    Form1 form(m_data, services());
    form.Form_Load(lists.path());
    form.show();
    QAction& exit = form.FormSys()->mExit();
    QCOMPARE(exit.text(), QStringLiteral("&Beenden"));
    exit.trigger();
    QCOMPARE(m_ended, 1);
    QCOMPARE(m_store.writes.size(), 18);
    QVERIFY(!m_tray.present);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
