// SPDX-License-Identifier: GPL-3.0-or-later
#include "message_bar/message_bar_window.h"
#include "presentation/bar_layout.h"
#include "presentation/display_time.h"
#include "support/fixed_settings.h"

#include <QLabel>
#include <QScreen>
#include <QTest>

using namespace Qt::StringLiterals;

class TestMessageBarWindow : public QObject
{
    Q_OBJECT

    FixedSettings m_settings;

    static QLabel& label(const MessageBarWindow& bar, const char* name)
    {
        return *bar.findChild<QLabel*>(QString::fromLatin1(name));
    }

private slots:
    void init() { m_settings.value = Settings(); }

    void displayIntervals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("interval"); // -1: not armed
        QTest::newRow("30") << u"30"_s << 30000;
        QTest::newRow("0") << u"0"_s << -1;
        QTest::newRow("negative") << u"-5"_s << -1;
        QTest::newRow("fraction half to even") << u"0.0025"_s << 2;
        QTest::newRow("huge") << u"1e300"_s << -1;
    }

    void displayIntervals()
    {
        QFETCH(QString, text);
        QFETCH(int, interval);
        QCOMPARE(displayInterval(text).value_or(-1), interval);
    }

    void layoutArithmetic()
    {
        const BarGeometry bar{0, 19200, 0, 630, 1050, 705};
        const BarPositions afterTelegram = computeBarLayout(bar, LayoutMargin);
        QCOMPARE(afterTelegram.speakingLeft, 18435);
        QCOMPARE(afterTelegram.requestToSpeakLeft, 17285);
        QCOMPARE(afterTelegram.lineLeft, 730);
        QCOMPARE(computeBarLayout(bar, ResizeMargin).speakingLeft, 18395);
    }

    void createdHiddenWithItsDesign()
    {
        MessageBarWindow bar(m_settings);
        QVERIFY(!bar.isVisible());
        QCOMPARE(bar.geometry(), QRect(0, 0, QGuiApplication::primaryScreen()->geometry().width(),
                                       label(bar, "lblSpricht").height()));
        QCOMPARE(label(bar, "Label1").accessibleDescription(), u"Label1"_s);

        bar.setCaption(BarLabel::Line, u"<b>Lage</b> A&TRN"_s); // received text as it came
        QCOMPARE(label(bar, "Label1").text(), u"<b>Lage</b> A&TRN"_s);
        QCOMPARE(label(bar, "Label1").textFormat(), Qt::PlainText);
        bar.setEmphasis(BarEmphasis::RequestToSpeak);
        QVERIFY(label(bar, "lblSprechwunsch").font().bold());
        QVERIFY(!label(bar, "Label1").font().bold() && !label(bar, "lblTime").font().bold());
    }

    void hidesAfterTheLastOfSeveralTelegrams()
    {
        m_settings.value.displayTime = u"0.3"_s;
        MessageBarWindow bar(m_settings);
        bar.bringUp();
        QVERIFY(bar.isVisible());
        QVERIFY(bar.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        for (int i = 0; i < 2; ++i) {
            QTest::qWait(200);
            bar.bringUp(); // each telegram counts the full time anew
        }
        QTest::qWait(200);
        QVERIFY(bar.isVisible());
        QTRY_VERIFY(!bar.isVisible());
    }

    void clicks_data()
    {
        QTest::addColumn<QString>("target"); // empty: the background
        QTest::addColumn<bool>("hides");
        QTest::newRow("background") << QString() << true;
        QTest::newRow("lblTime") << u"lblTime"_s << false;
        QTest::newRow("Label1") << u"Label1"_s << true;
        QTest::newRow("lblSprechwunsch") << u"lblSprechwunsch"_s << false;
        QTest::newRow("lblSpricht") << u"lblSpricht"_s << false;
    }

    void clicks()
    {
        QFETCH(QString, target);
        QFETCH(bool, hides);
        m_settings.value.displayTime = u"0.5"_s;
        MessageBarWindow bar(m_settings);
        bar.bringUp();
        bar.layoutLabels();
        QWidget* widget =
            target.isEmpty() ? static_cast<QWidget*>(&bar) : bar.findChild<QLabel*>(target);
        QTest::mouseClick(widget, Qt::LeftButton, {},
                          target.isEmpty() ? QPoint(bar.width() / 2, 2) : QPoint(2, 2));
        QCOMPARE(bar.isVisible(), !hides);
        QTRY_VERIFY(!bar.isVisible()); // the timer still runs after a click
    }

    void layoutAfterTelegram()
    {
        MessageBarWindow bar(m_settings);
        bar.setCaption(BarLabel::Line, QString(300, u'W'));
        bar.layoutLabels();
        // The speaking label keeps to the right edge; a long line runs under it.
        const QLabel& speaking = label(bar, "lblSpricht");
        QCOMPARE(speaking.x() + speaking.width(), bar.width() - 4);
        QVERIFY(label(bar, "Label1").x() > label(bar, "lblTime").width());
        QVERIFY(label(bar, "Label1").width() > bar.width());
    }

    void fontSetsAllLabelsAndHeight()
    {
        MessageBarWindow bar(m_settings);
        bar.show();
        const int before = bar.height();
        bar.applyFont({u"Liberation Serif"_s, 24, true, true});
        for (const char* name : {"lblTime", "Label1", "lblSprechwunsch", "lblSpricht"}) {
            const QFont font = label(bar, name).font();
            QVERIFY(font.pointSizeF() == 24 && font.bold() && font.italic());
        }
        QVERIFY(bar.height() > before);
        QCOMPARE(bar.height(), label(bar, "lblSpricht").height());
        bar.hide();
        const int hiddenHeight = bar.height();
        bar.applyFont({u"Liberation Sans"_s, 8, false, false});
        QCOMPARE(bar.height(), hiddenHeight); // a hidden bar keeps its height
        bar.show();                           // and fits its labels again when shown
        QCOMPARE(bar.height(), label(bar, "lblSpricht").height());
        QVERIFY(bar.height() < hiddenHeight);
    }
};

QTEST_MAIN(TestMessageBarWindow)
#include "tst_message_bar_window.moc"
