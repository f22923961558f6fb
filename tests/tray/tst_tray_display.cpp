// On a real X display with a small XEmbed tray (trayer): the icon is
// embedded, a click on it toggles the bar, a right click opens the menu.
#include "shell/application.h"
#include "support/fake_dialogs.h"
#include "support/fixed_clock.h"
#include "support/memory_settings_store.h"
#include "tray/qt_tray_service.h"

#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>

namespace {

QWidget* topLevel(const char* className, const char* objectName = nullptr)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (objectName ? widget->objectName() == QLatin1String(objectName)
                       : qstrcmp(widget->metaObject()->className(), className) == 0)
            return widget;
    }
    return nullptr;
}

void xdotool(const QStringList& args)
{
    QProcess::execute(u"xdotool"_qs, args);
}

} // namespace

class TestTrayDisplay : public QObject
{
    Q_OBJECT

private slots:
    void clicksOnTheEmbeddedIcon()
    {
        QProcess trayer;
        trayer.start(u"trayer"_qs,
                     {u"--edge"_qs, u"bottom"_qs, u"--align"_qs, u"right"_qs, u"--widthtype"_qs,
                      u"pixel"_qs, u"--width"_qs, u"120"_qs, u"--height"_qs, u"32"_qs});
        QVERIFY(trayer.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 10000);

        QTemporaryDir lists;
        FakeDialogs dialogs;
        FixedClock clock;
        QtTrayService tray;
        MemorySettingsStore store;
        Application application(
            {dialogs, clock, tray, store, lists.filePath(u"journal.sqlite"_qs), u"ostrevo"_qs, {}});
        application.start(lists.path(), QString());
        QTRY_VERIFY_WITH_TIMEOUT(tray.reportsMouseMovement(), 10000);
        QWidget* icon = topLevel("QSystemTrayIconSys");
        QTRY_VERIFY(icon->isVisible() && icon->width() > 0);
        // The icon shows the program's image, not an empty square.
        const QImage shown = icon->grab().toImage();
        QVERIFY(shown.pixelColor(shown.width() / 2, shown.height() / 2) != shown.pixelColor(0, 0));
        const QPoint centre = icon->mapToGlobal(icon->rect().center());

        QWidget* bar = topLevel(nullptr, "MsgForm");
        bar->hide();
        xdotool({u"mousemove"_qs, QString::number(centre.x()), QString::number(centre.y())});
        xdotool({u"click"_qs, u"1"_qs});
        QTRY_VERIFY(bar->isVisible());
        QTest::qWait(600); // not a double click
        xdotool({u"click"_qs, u"1"_qs});
        QTRY_VERIFY(!bar->isVisible());

        QTest::qWait(600);
        xdotool({u"click"_qs, u"3"_qs});
        QWidget* menu = topLevel(nullptr, "mPopupMenu");
        QTRY_VERIFY(menu->isVisible());
        if (const QString shot = qEnvironmentVariable("OSTREVO_SCREENSHOT"); !shot.isEmpty()) {
            QTest::qWait(300);
            QApplication::primaryScreen()->grabWindow(0).save(shot);
        }
        menu->hide();
        trayer.terminate();
        trayer.waitForFinished(3000);
    }
};

QTEST_MAIN(TestTrayDisplay)
#include "tst_tray_display.moc"
