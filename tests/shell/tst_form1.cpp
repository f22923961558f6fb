#include "common/clock.h"
#include "presentation/program_data.h"
#include "shell/form1.h"
#include "shell/settings_window_layout.h"
#include "support/fake_dialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class TestForm1 : public QObject
{
    Q_OBJECT

    FakeDialogs m_dialogs;
    ProgramData m_data;
    SystemClock m_clock;

    template <typename T> static T* find(Form1& form, const char* name)
    {
        return form.findChild<T*>(QString::fromLatin1(name));
    }

private slots:
    void everyControlIsAddressable()
    {
        Form1 form(m_data, m_dialogs, m_clock);
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
        Form1 form(m_data, m_dialogs, m_clock);
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
        Form1 form(m_data, m_dialogs, m_clock);
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
        Form1 form(m_data, m_dialogs, m_clock);
        auto* edit = form.findChild<QLineEdit*>(field);
        edit->setText(QStringLiteral("1"));
        edit->setText(typed);
        QCOMPARE(edit->text(), kept);
    }

    void changeReactionOnlyOnChange()
    {
        Form1 form(m_data, m_dialogs, m_clock);
        auto* autoConnect = find<QCheckBox>(form, "chkAuto");
        autoConnect->setChecked(true); // unchanged: the timer keeps its state
        QVERIFY(form.connection().Timer1().isActive());
        autoConnect->setChecked(false);
        QVERIFY(!form.connection().Timer1().isActive());
    }

    void databaseFileDialog()
    {
        Form1 form(m_data, m_dialogs, m_clock);
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
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
