#include "presentation/program_data.h"
#include "presentation/telegram_presenter.h"
#include "support/fake_options.h"
#include "support/fixed_clock.h"
#include "support/recording_bar.h"

#include <QTest>

namespace {

const QString kName = QStringLiteral("Florian Musterstadt 1/44-1");
const QString kName30 = kName.leftJustified(30, u' ');

} // namespace

class TestTelegramPresenter : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramData> m_owned;
    ProgramData& data() { return *m_owned; }
    FakeOptions m_options;
    RecordingBar m_bar;
    FixedClock m_clock;
    std::unique_ptr<TelegramPresenter> m_presenter;

    void fromVehicle(const QString& id, int status, const QString& text = {})
    {
        m_presenter->handleFms({id, status, FmsDirection::FromVehicle, text, QString()});
    }
    void toVehicle(const QString& id, int status, const QString& text = {})
    {
        m_presenter->handleFms({id, status, FmsDirection::ToVehicle, text, QString()});
    }
    void fiveTone(const QString& code) { m_presenter->handleFiveTone({code, QString()}); }
    void pocsag(const QString& ric, const QString& text)
    {
        m_presenter->handlePocsag({ric, text, QString()});
    }

private slots:
    void init()
    {
        m_owned = std::make_unique<ProgramData>();
        data().statusTables.FillDefaults();
        data().tray.FormInTray = true;
        data().directories.VehicleList[3].FmsId.assign(u"61234567");
        data().directories.VehicleList[3].Name.assign(kName);
        data().directories.FmeList[2].Code.assign(u"12345");
        data().directories.FmeList[2].Name.assign(u"  Wehr Nord  ");
        data().directories.FmeList[4].Code.assign(u"12345");
        data().directories.FmeList[4].Name.assign(u"zweiter Eintrag");
        data().directories.PocsagList.resize(13);
        data().directories.PocsagList[1].Ric = 1234567;
        data().directories.PocsagList[1].Name.assign(u"Zugführer");
        data().directories.PocsagLoadedCount = 2;
        data().directories.PocsagList[2].Ric = 42;
        m_options = FakeOptions();
        m_bar = RecordingBar();
        m_presenter = std::make_unique<TelegramPresenter>(data().directories, data().statusTables,
                                                          data().tray, m_options, m_bar, m_clock);
    }

    void fiveTone()
    {
        fiveTone(QStringLiteral("12345"));
        QCOMPARE(m_bar.caption(BarLabel::Line), QStringLiteral("12345 Wehr Nord"));
        QCOMPARE(m_bar.caption(BarLabel::Time), QStringLiteral("12:34:56"));
        QCOMPARE(m_bar.lineColour, (Rgb{255, 0, 0}));
        QCOMPARE(m_bar.boldPattern(), QStringLiteral("BB--"));
        QCOMPARE(m_bar.shows, 1);
        QCOMPARE(m_bar.layouts, 0);
        QCOMPARE(data().tray.TrayText(), QStringLiteral("12:34:56 12345 Wehr Nord"));
    }

    void fiveToneUnlisted_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("showUnlisted");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("tray");
        QTest::newRow("shown") << u"99999"_qs << true << u"99999 Unbekannt"_qs
                               << u"12:34:56 99999 Unbekannt"_qs;
        QTest::newRow("switch off") << u"99999"_qs << false << QString() << QString();
        QTest::newRow("four digits")
            << u"1234"_qs << true << u"1234 Unbekannt"_qs << u"12:34:56 1234 Unbekannt"_qs;
        QTest::newRow("line break") << u"12345\r\n"_qs << true << u"12345\r\n Unbekannt"_qs
                                    << u"12:34:56 12345\r\n Unbekannt"_qs;
    }

    void fiveToneUnlisted()
    {
        QFETCH(QString, code);
        QFETCH(bool, showUnlisted);
        QFETCH(QString, line);
        QFETCH(QString, tray);
        m_options.unlistedReceivers = showUnlisted;
        fiveTone(code);
        QCOMPARE(m_bar.caption(BarLabel::Line), line);
        QCOMPARE(data().tray.TrayText(), tray);
    }

    void barNotInUseStillWritesTrayText()
    {
        m_options.active = false;
        fiveTone(QStringLiteral("12345"));
        QCOMPARE(m_bar.shows, 0);
        QCOMPARE(m_bar.caption(BarLabel::Line), QString());
        QCOMPARE(data().tray.TrayText(), QStringLiteral("12:34:56 12345 Wehr Nord"));

        data().tray.FormInTray = false;
        data().tray.setTrayText(QString());
        fromVehicle(QStringLiteral("61234567"), 4);
        QCOMPARE(data().tray.TrayText(), QString());
    }

    void pocsag_data()
    {
        QTest::addColumn<QString>("ric");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("tray");
        QTest::newRow("listed") << u"1234567"_qs << u"Brand Halle 3"_qs
                                << u"1234567 Zugführer Brand Halle 3"_qs
                                << u"12:34:56 1234567 Zugführer"_qs;
        QTest::newRow("leading zeros") << u"0001234567"_qs << u"x"_qs << u"1234567 Zugführer x"_qs
                                       << u"12:34:56 1234567 Zugführer"_qs;
        QTest::newRow("empty text") << u"1234567"_qs << QString() << u"1234567 Zugführer "_qs
                                    << u"12:34:56 1234567 Zugführer"_qs;
        QTest::newRow("unlisted") << u"777"_qs << u"Probealarm"_qs << u"777 Unbekannt Probealarm"_qs
                                  << u"12:34:56 777 Unbekannt"_qs;
        QTest::newRow("value 0 is not a spare slot")
            << u"abc"_qs << u"t"_qs << u"abc Unbekannt t"_qs << u"12:34:56 abc Unbekannt"_qs;
    }

    void pocsag()
    {
        QFETCH(QString, ric);
        QFETCH(QString, text);
        QFETCH(QString, line);
        QFETCH(QString, tray);
        pocsag(ric, text);
        QCOMPARE(m_bar.caption(BarLabel::Line), line);
        QCOMPARE(m_bar.lineColour, (Rgb{255, 0, 0}));
        QCOMPARE(data().tray.TrayText(), tray);
    }

    void fromVehicleLines_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("tray");
        QTest::newRow("status 3") << u"61234567"_qs << 3 << QString()
                                  << kName30 + u"  3 Einsatz Übernommen"_qs
                                  << u"12:34:56 "_qs + kName + u" (3) Einsatz Übernommen"_qs;
        QTest::newRow("blank text")
            << u"61234567"_qs << 3 << u"   "_qs << kName30 + u"  3 Einsatz Übernommen   "_qs
            << u"12:34:56 "_qs + kName + u" (3) Einsatz Übernommen"_qs;
        QTest::newRow("with text") << u"61234567"_qs << 4 << u" Lage klar "_qs
                                   << kName30 + u"  4 Am Einsatzort [Lage klar]"_qs
                                   << u"12:34:56 "_qs + kName + u" (4) Am Einsatzort"_qs;
        QTest::newRow("unlisted") << u"99999999"_qs << 2 << QString()
                                  << u"99999999"_qs + QString(22, u' ') + u"  2 Frei auf Wache"_qs
                                  << u"12:34:56 99999999 (2) Frei auf Wache"_qs;
        QTest::newRow("status 10") << u"61234567"_qs << 10 << u"Text & mehr"_qs
                                   << kName30 + u" 10 Text & mehr"_qs << QString();
    }

    void fromVehicleLines()
    {
        QFETCH(QString, id);
        QFETCH(int, status);
        QFETCH(QString, text);
        QFETCH(QString, line);
        QFETCH(QString, tray);
        m_options.filter += QStringLiteral(";010");
        fromVehicle(id, status, text);
        QCOMPARE(m_bar.caption(BarLabel::Line), line);
        QCOMPARE(m_bar.lineColour, data().statusTables.StatusColor[status]);
        QCOMPARE(m_bar.boldPattern(), QStringLiteral("BB--"));
        QCOMPARE(m_bar.layouts, 1);
        QCOMPARE(data().tray.TrayText(), tray);
    }

    void unlistedVehicleWithSwitchOff()
    {
        m_options.unlistedVehicles = false;
        fromVehicle(QStringLiteral("99999999"), 2);
        QCOMPARE(m_bar.shows, 0);
        QCOMPARE(m_bar.layouts, 0);
        QCOMPARE(data().tray.TrayText(), QString());
    }

    void requestToSpeakAndSpeaking()
    {
        fromVehicle(QStringLiteral("61234567"), 3);
        fromVehicle(QStringLiteral("61234567"), 5);
        QCOMPARE(m_bar.caption(BarLabel::Sprechwunsch), u"12:34:56 SW: "_qs + kName);
        QCOMPARE(m_bar.boldPattern(), QStringLiteral("--B-"));
        QCOMPARE(m_bar.caption(BarLabel::Line), kName30 + u"  3 Einsatz Übernommen"_qs); // kept
        fromVehicle(QStringLiteral("61234567"), 15);
        QCOMPARE(m_bar.caption(BarLabel::Spricht), u"12:34:56 Spricht: "_qs + kName);
        QCOMPARE(m_bar.boldPattern(), QStringLiteral("---B"));
        QCOMPARE(m_bar.caption(BarLabel::Sprechwunsch), u"12:34:56 SW: "_qs + kName);
        QCOMPARE(data().tray.TrayText(), u"12:34:56 "_qs + kName + u" (3) Einsatz Übernommen"_qs);
    }

    void filter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("toVehicleDirection");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("shown");
        QTest::newRow("1005 lets 100 through") << u"1005"_qs << true << 0 << true;
        QTest::newRow("1005 lets 005 through") << u"1005"_qs << false << 5 << true;
        QTest::newRow("1005 stops 003") << u"1005"_qs << false << 3 << false;
        QTest::newRow("empty filter") << QString() << false << 3 << false;
        QTest::newRow("status 12 passes, no line") << u"012"_qs << false << 12 << false;
    }

    void filter()
    {
        QFETCH(QString, filter);
        QFETCH(bool, toVehicleDirection);
        QFETCH(int, status);
        QFETCH(bool, shown);
        m_options.filter = filter;
        if (toVehicleDirection)
            toVehicle(QStringLiteral("61234567"), status);
        else
            fromVehicle(QStringLiteral("61234567"), status);
        QCOMPARE(m_bar.shows, shown ? 1 : 0);
        QCOMPARE(m_bar.layouts, 1); // the layout runs whenever the bar is in use
        if (!shown)
            QCOMPARE(data().tray.TrayText(), QString());
    }

    void toVehicleLines()
    {
        m_options.filter = QStringLiteral("103;110;113");
        toVehicle(QStringLiteral("61234567"), 3, QStringLiteral("ignored by the intake"));
        QCOMPARE(m_bar.caption(BarLabel::Line),
                 kName30 + u"  3 C - Für Einsatz Melden [ignored by the intake]"_qs);
        QCOMPARE(m_bar.lineColour, (Rgb{255, 255, 255}));
        toVehicle(QStringLiteral("61234567"), 10, QStringLiteral("A&&TRN 4711"));
        QCOMPARE(m_bar.caption(BarLabel::Line), kName30 + u" 10 A&&TRN 4711"_qs);
        toVehicle(QStringLiteral("61234567"), 13);
        QCOMPARE(m_bar.caption(BarLabel::Line), kName30 + u" 13 "_qs);
        QCOMPARE(data().tray.TrayText(), QString()); // never written for this direction
    }

    void outOfTableStatusIsIgnored()
    {
        fromVehicle(QStringLiteral("61234567"), -1);
        toVehicle(QStringLiteral("61234567"), 19);
        QCOMPARE(m_bar.layouts, 0);
    }
};

QTEST_GUILESS_MAIN(TestTelegramPresenter)
#include "tst_telegram_presenter.moc"
