#include "presentation/bar_layout.h"
#include "presentation/msg_form.h"
#include "support/fake_options.h"

#include <QLabel>
#include <QScreen>
#include <QTest>

class TestMsgForm : public QObject
{
    Q_OBJECT

private slots:
    void createdHiddenWithItsDesign()
    {
        FakeOptions options;
        MsgForm bar(options);
        QVERIFY(!bar.isVisible());
        QCOMPARE(bar.windowTitle(), QStringLiteral("Telegrammleiste"));
        QCOMPARE(bar.geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(bar.width(), QGuiApplication::primaryScreen()->geometry().width());
        QCOMPARE(bar.height(), bar.label(BarLabel::Spricht).height());
        QCOMPARE(bar.label(BarLabel::Time).text(), QStringLiteral("23:00:33"));
        QCOMPARE(bar.label(BarLabel::Line).text(), QStringLiteral("Label1gq"));
        QCOMPARE(bar.label(BarLabel::Sprechwunsch).text(), QStringLiteral("Sprechwunsch"));
        QCOMPARE(bar.label(BarLabel::Spricht).text(), QStringLiteral("Es Spricht"));
        QCOMPARE(bar.label(BarLabel::Line).accessibleDescription(), QStringLiteral("Label1"));
        QCOMPARE(bar.Timer1().interval(), 5000);
        QVERIFY(!bar.Timer1().isActive());
    }

    void receivedTextIsPlain()
    {
        FakeOptions options;
        MsgForm bar(options);
        bar.setCaption(BarLabel::Line, QStringLiteral("<b>Lage</b> A&&TRN &x"));
        QCOMPARE(bar.label(BarLabel::Line).text(), QStringLiteral("<b>Lage</b> A&TRN x"));
        QCOMPARE(bar.label(BarLabel::Line).textFormat(), Qt::PlainText);
    }

    void hidesAfterTheLastOfSeveralTelegrams()
    {
        FakeOptions options;
        options.displayTime = QStringLiteral("0.3");
        MsgForm bar(options);
        bar.ShowMessageBar();
        QVERIFY(bar.isVisible());
        QVERIFY(bar.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QTest::qWait(200);
        bar.ShowMessageBar();
        QTest::qWait(200);
        bar.ShowMessageBar(); // each call counts the full time anew
        QTest::qWait(200);
        QVERIFY(bar.isVisible());
        QTRY_VERIFY(!bar.isVisible());
        QVERIFY(!bar.Timer1().isActive());
    }

    void displayTimeZeroKeepsTheBarUp()
    {
        FakeOptions options;
        options.displayTime = QStringLiteral("0");
        options.onTop = false;
        MsgForm bar(options);
        bar.ShowMessageBar();
        QVERIFY(bar.isVisible());
        QVERIFY(!bar.Timer1().isActive());
        QVERIFY(!bar.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void clicks_data()
    {
        QTest::addColumn<int>("target"); // -1: the background
        QTest::addColumn<bool>("hides");
        QTest::newRow("background") << -1 << true;
        QTest::newRow("lblTime") << int(BarLabel::Time) << false;
        QTest::newRow("Label1") << int(BarLabel::Line) << true;
        QTest::newRow("lblSprechwunsch") << int(BarLabel::Sprechwunsch) << false;
        QTest::newRow("lblSpricht") << int(BarLabel::Spricht) << false;
    }

    void clicks()
    {
        QFETCH(int, target);
        QFETCH(bool, hides);
        FakeOptions options;
        MsgForm bar(options);
        bar.ShowMessageBar();
        bar.LayoutMessageBar();
        QWidget* widget = target < 0 ? static_cast<QWidget*>(&bar) : &bar.label(BarLabel(target));
        const QPoint at = target < 0 ? QPoint(bar.width() / 2, 2) : QPoint(2, 2);
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QCOMPARE(bar.isVisible(), !hides);
        QVERIFY(bar.Timer1().isActive()); // a click does not stop the timer
    }

    void layoutAfterTelegram()
    {
        FakeOptions options;
        MsgForm bar(options);
        bar.setCaption(BarLabel::Line, QString(300, u'W'));
        bar.LayoutMessageBar();
        const QLabel& spricht = bar.label(BarLabel::Spricht);
        QCOMPARE(spricht.x(), TwipsToPixelsFor(bar.width(), spricht.width(), 60));
        QCOMPARE(bar.label(BarLabel::Line).x(), bar.label(BarLabel::Time).width() + 7);
        QVERIFY(bar.label(BarLabel::Line).width() > bar.width()); // runs under the others
    }

    void chosenFontSetsAllLabelsAndHeight()
    {
        FakeOptions options;
        MsgForm bar(options);
        bar.show();
        const int before = bar.height();
        const FontChoice big{QStringLiteral("Liberation Serif"), 24, true, true};
        bar.applyChosenFont(big);
        for (BarLabel which :
             {BarLabel::Time, BarLabel::Line, BarLabel::Sprechwunsch, BarLabel::Spricht}) {
            QCOMPARE(bar.labelFont(which).pointSize, 24.0);
            QVERIFY(bar.labelFont(which).bold && bar.labelFont(which).italic);
        }
        QVERIFY(bar.height() > before);
        QCOMPARE(bar.height(), bar.label(BarLabel::Spricht).height());

        bar.hide();
        const int hiddenHeight = bar.height();
        bar.applyChosenFont({QStringLiteral("Liberation Sans"), 8, false, false});
        QCOMPARE(bar.height(), hiddenHeight); // a hidden bar keeps its height
    }

private:
    static int TwipsToPixelsFor(int barWidth, int labelWidth, int margin)
    {
        return TwipsToPixels(barWidth * 15 - labelWidth * 15 - margin);
    }
};

QTEST_MAIN(TestMsgForm)
#include "tst_msg_form.moc"
