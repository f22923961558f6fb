// On a real X display with a small XEmbed tray (trayer): the icon is
// embedded, a click on it toggles the bar, a right click opens the menu.
#include "presentation/msg_form.h"
#include "presentation/program_data.h"
#include "shell/form1.h"
#include "support/fake_dialogs.h"
#include "support/fixed_clock.h"
#include "support/memory_settings_store.h"
#include "tray/frm_sys_tray.h"
#include "tray/qt_notify_area_service.h"

#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>

namespace {

QWidget* embeddedIcon()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qstrcmp(widget->metaObject()->className(), "QSystemTrayIconSys") == 0 &&
            widget->isVisible())
            return widget;
    }
    return nullptr;
}

void xdotool(const QStringList& args)
{
    QProcess::execute(QStringLiteral("xdotool"), args);
}

} // namespace

class TestTrayDisplay : public QObject
{
    Q_OBJECT

private slots:
    void clicksOnTheEmbeddedIcon()
    {
        QProcess trayer;
        trayer.start(QStringLiteral("trayer"),
                     {QStringLiteral("--edge"), QStringLiteral("bottom"), QStringLiteral("--align"),
                      QStringLiteral("right"), QStringLiteral("--widthtype"),
                      QStringLiteral("pixel"), QStringLiteral("--width"), QStringLiteral("120"),
                      QStringLiteral("--height"), QStringLiteral("32")});
        QVERIFY(trayer.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 10000);

        QTemporaryDir lists;
        ProgramData data;
        data.tray.FormInTray = true;
        FakeDialogs dialogs;
        FixedClock clock;
        QtNotifyAreaService notifyArea;
        MemorySettingsStore store;
        Form1 form(data,
                   {dialogs, clock, notifyArea, store, QStringLiteral("ostrevo"), QString(), {}});
        form.Form_Load(lists.path());
        form.show();
        QTRY_VERIFY_WITH_TIMEOUT(embeddedIcon() && notifyArea.reportsMouseMovement(), 10000);
        QWidget* icon = embeddedIcon();
        QTRY_VERIFY(icon->width() > 0);
        const QPoint centre = icon->mapToGlobal(icon->rect().center());

        form.msgForm().hide();
        xdotool({QStringLiteral("mousemove"), QString::number(centre.x()),
                 QString::number(centre.y())});
        xdotool({QStringLiteral("click"), QStringLiteral("1")});
        QTRY_VERIFY(form.msgForm().isVisible());
        QTest::qWait(600); // not a double click
        xdotool({QStringLiteral("click"), QStringLiteral("1")});
        QTRY_VERIFY(!form.msgForm().isVisible());

        QTest::qWait(600);
        xdotool({QStringLiteral("click"), QStringLiteral("3")});
        QTRY_VERIFY(form.FormSys()->mPopupMenu().isVisible());
        if (const QString shot = qEnvironmentVariable("OSTREVO_SCREENSHOT"); !shot.isEmpty()) {
            QTest::qWait(300);
            QApplication::primaryScreen()->grabWindow(0).save(shot);
        }
        form.FormSys()->mPopupMenu().hide();
        trayer.terminate();
        trayer.waitForFinished(3000);
    }
};

QTEST_MAIN(TestTrayDisplay)
#include "tst_tray_display.moc"
