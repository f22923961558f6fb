#include "presentation/bar_layout.h"
#include "presentation/display_time.h"
#include "presentation/status_tables.h"

#include <QTest>

class TestPresentationLogic : public QObject
{
    Q_OBJECT

private slots:
    void statusDefaults()
    {
        StatusTables t;
        t.FillDefaults();
        QCOMPARE(t.StatusText[3][0], QStringLiteral("Einsatz Übernommen"));
        QCOMPARE(t.StatusText[3][1], QStringLiteral("C - Für Einsatz Melden"));
        QCOMPARE(t.StatusText[12][0], QString());
        QCOMPARE(t.StatusText[12][1], QString());
        QCOMPARE(t.StatusText[15][0], QStringLiteral("Quittung"));
        QCOMPARE(t.StatusText[15][1], QStringLiteral("Quittung"));
        QCOMPARE(t.StatusColor[16], (Rgb{255, 0, 0}));
        QCOMPARE(t.StatusColor[18], (Rgb{0, 0, 0}));
    }

    void messageCodes()
    {
        QCOMPARE(MessageCode(0, 3), QStringLiteral("003"));
        QCOMPARE(MessageCode(1, 10), QStringLiteral("110"));
        QCOMPARE(MessageCode(1, 0), QStringLiteral("100"));
    }

    void layout()
    {
        const BarGeometry bar{0, 19200, 0, 630, 1050, 705};
        QCOMPARE(ComputeBarLayout(bar, kLayoutMargin).sprichtLeft, 18435);
        QCOMPARE(ComputeBarLayout(bar, kResizeMargin).sprichtLeft, 18395);
        const BarPositions p = ComputeBarLayout(bar, kLayoutMargin);
        QCOMPARE(p.lineLeft, 730);
        QCOMPARE(p.sprechwunschLeft, 18435 - 1050 - 100);
        // A long time label pushes the line; nothing is clamped.
        QCOMPARE(ComputeBarLayout({0, 19200, 0, 30000, 1050, 705}, kLayoutMargin).lineLeft, 30100);
        QCOMPARE(TwipsToPixels(18435), 1229);
        QCOMPARE(TwipsToPixels(18395), 1226);
        QCOMPARE(TwipsToPixels(PixelsToTwips(-3)), -3);
    }

    void displayIntervals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("interval"); // -1: not armed
        QTest::newRow("30") << QStringLiteral("30") << 30000;
        QTest::newRow("0") << QStringLiteral("0") << -1;
        QTest::newRow("empty") << QString() << -1;
        QTest::newRow("negative") << QStringLiteral("-5") << -1;
        QTest::newRow("fraction half to even") << QStringLiteral("0.0025") << 2;
        QTest::newRow("huge") << QStringLiteral("1e300") << -1;
    }

    void displayIntervals()
    {
        QFETCH(QString, text);
        QFETCH(int, interval);
        QCOMPARE(DisplayInterval(text).value_or(-1), interval);
    }
};

QTEST_GUILESS_MAIN(TestPresentationLogic)
#include "tst_presentation_logic.moc"
