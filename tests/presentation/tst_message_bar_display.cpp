// On a real X display: the bar appears at the top over the full width and
// the window the user works in keeps the keyboard focus.
#include "presentation/message_bar_window.h"
#include "support/fixed_settings.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QWindow>

namespace {
QString focusedXWindow()
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus")});
    xdotool.waitForFinished(5000);
    return QString::fromLatin1(xdotool.readAllStandardOutput()).trimmed();
}
} // namespace

class TestMessageBarDisplay : public QObject
{
    Q_OBJECT

private slots:
    void showingKeepsTheFocus()
    {
        QLineEdit work;
        work.setWindowTitle(QStringLiteral("Arbeit"));
        work.setGeometry(200, 200, 300, 40);
        work.show();
        work.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&work));
        QTRY_COMPARE(focusedXWindow(), QString::number(work.winId()));

        FixedSettings settings;
        MessageBarWindow bar(settings);
        bar.setCaption(BarLabel::Line,
                       QStringLiteral("Florian Musterstadt 1/44-1  3 Einsatz Übernommen"));
        bar.bringUp();
        bar.layoutLabels();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QTest::qWait(300);

        QCOMPARE(QApplication::activeWindow(), &work);
        QCOMPARE(focusedXWindow(), QString::number(work.winId()));
        QCOMPARE(bar.frameGeometry().topLeft(), QPoint(0, 0));
        QCOMPARE(bar.width(), bar.screen()->geometry().width());
        QVERIFY(bar.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"),
                    {QStringLiteral("-id"), QString::number(bar.windowHandle()->winId()),
                     QStringLiteral("_NET_WM_STATE")});
        QVERIFY(xprop.waitForFinished(5000));
        QVERIFY(xprop.readAllStandardOutput().contains(
            "_NET_WM_STATE_SKIP_TASKBAR")); // not in the task bar
        // For a person to look at: OSTREVO_SCREENSHOT=file.png
        if (const QString shot = qEnvironmentVariable("OSTREVO_SCREENSHOT"); !shot.isEmpty())
            bar.screen()->grabWindow(0).save(shot);

        // A click on the bar must not take the focus either.
        QTest::mouseClick(bar.findChild<QLabel*>(QStringLiteral("lblTime")), Qt::LeftButton, {},
                          QPoint(2, 2));
        QTest::qWait(100);
        QCOMPARE(focusedXWindow(), QString::number(work.winId()));
    }
};

QTEST_MAIN(TestMessageBarDisplay)
#include "tst_message_bar_display.moc"
