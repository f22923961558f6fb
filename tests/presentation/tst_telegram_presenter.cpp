// SPDX-License-Identifier: GPL-3.0-or-later
#include "directories/directories.h"
#include "directories/status_tables.h"
#include "presentation/caption_text.h"
#include "presentation/load_announcer.h"
#include "presentation/telegram_presenter.h"
#include "presentation/telegram_summary.h"
#include "support/directory_entries.h"
#include "support/fixed_clock.h"
#include "support/fixed_settings.h"
#include "support/recording_bar.h"

#include <QSignalSpy>
#include <QTest>
#include <variant>

using namespace Qt::StringLiterals;

namespace {

const QString Name = u"Florian Musterstadt 1/44-1"_s;
const QString Name30 = Name.leftJustified(30, u' ');
const QString Unlisted30 = u"99999999"_s.leftJustified(30, u' ');
const QDateTime Time = FixedClock().time;

using Telegram = std::variant<FiveToneCall, PocsagMessage, FmsTelegram>;

Telegram fme(const QString& code)
{
    return FiveToneCall{code, {u"zvei"_s, Time}};
}

Telegram poc(const QString& address, const QString& text)
{
    return PocsagMessage{address, text, {u"poc"_s, Time}, u"A"_s};
}

Telegram fms(FmsDirection direction, const QString& id, int status, const QString& text = {})
{
    return FmsTelegram{id, status, direction, text, {u"fms"_s, Time}};
}

constexpr auto From = FmsDirection::FromVehicle;
constexpr auto To = FmsDirection::ToVehicle;

// The defaults, with text telegrams in the bar's filter, and one change.
Settings options(void (*change)(Settings&) = nullptr)
{
    Settings settings;
    settings.messageFilter += u";010;110"_s;
    if (change)
        change(settings);
    return settings;
}

Settings withFilter(const QString& filter)
{
    Settings settings = options();
    settings.messageFilter = filter;
    return settings;
}

const Settings BarOff = options([](Settings& s) { s.barActive = false; });
const Settings TrayOff = options([](Settings& s) { s.trayIconWanted = false; });
const Settings HideUnlistedReceivers =
    options([](Settings& s) { s.showUnlistedReceivers = false; });
const Settings HideUnlistedVehicles = options([](Settings& s) { s.showUnlistedVehicles = false; });

constexpr int NoColour = -1;
constexpr int Red = 0xff0000;
constexpr int White = 0xffffff;
constexpr int NoEmphasis = -1;
constexpr int Message = int(BarEmphasis::Message);
constexpr int RequestToSpeak = int(BarEmphasis::RequestToSpeak);
constexpr int Speaking = int(BarEmphasis::Speaking);

} // namespace

Q_DECLARE_METATYPE(Telegram)
Q_DECLARE_METATYPE(Settings)

class TestTelegramPresenter : public QObject
{
    Q_OBJECT

    Directories m_directories;
    StatusTables m_tables;
    FixedSettings m_settings;
    RecordingBar m_bar;
    TelegramSummary m_summary;
    FixedClock m_clock;

private slots:
    void initTestCase()
    {
        m_directories.setFiveToneReceivers({receiver(u"12345"_s, u"  Wehr Nord  "_s)});
        m_directories.setVehicles({vehicle(u"61234567"_s, Name)});
        m_directories.setPocsagReceivers({pager(1234567, u"Zugführer"_s)});
    }

    void telegrams_data()
    {
        // What the bar shows (the main line with its colour, the two radio
        // labels, the emphasis, how often the labels were laid out), the
        // tray's summary, and the history's name, text and whether the
        // filters let it through to the bar.
        QTest::addColumn<Telegram>("telegram");
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("colour");
        QTest::addColumn<QString>("radio");
        QTest::addColumn<int>("emphasis");
        QTest::addColumn<int>("layouts");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("passed");
        const auto row = [](const char* name, const Telegram& telegram, const Settings& settings) {
            return std::ref(QTest::newRow(name) << telegram << settings);
        };
        const QString t = u"12:34:56 "_s;
        row("five-tone listed", fme(u"12345"_s), options())
            << u"12345 Wehr Nord"_s << Red << QString() << Message << 0 << t + u"12345 Wehr Nord"_s
            << u"Wehr Nord"_s << QString() << true;
        row("five-tone unlisted", fme(u"1234"_s), options())
            << u"1234 Unbekannt"_s << Red << QString() << Message << 0 << t + u"1234 Unbekannt"_s
            << QString() << QString() << true;
        row("five-tone unlisted hidden", fme(u"99999"_s), HideUnlistedReceivers)
            << QString() << NoColour << QString() << NoEmphasis << 0 << QString() << QString()
            << QString() << false;
        row("five-tone, bar off", fme(u"12345"_s), BarOff)
            << QString() << NoColour << QString() << NoEmphasis << 0 << t + u"12345 Wehr Nord"_s
            << u"Wehr Nord"_s << QString() << true;
        row("five-tone, tray off", fme(u"12345"_s), TrayOff)
            << u"12345 Wehr Nord"_s << Red << QString() << Message << 0 << QString()
            << u"Wehr Nord"_s << QString() << true;
        row("pocsag listed, leading zeros", poc(u"0001234567"_s, u"Brand Halle 3"_s), options())
            << u"1234567 Zugführer Brand Halle 3"_s << Red << QString() << Message << 0
            << t + u"1234567 Zugführer"_s << u"Zugführer"_s << u"Brand Halle 3"_s << true;
        row("pocsag empty text", poc(u"1234567"_s, QString()), options())
            << u"1234567 Zugführer "_s << Red << QString() << Message << 0
            << t + u"1234567 Zugführer"_s << u"Zugführer"_s << QString() << true;
        row("pocsag unlisted", poc(u"abc"_s, u"Probe"_s), options())
            << u"abc Unbekannt Probe"_s << Red << QString() << Message << 0
            << t + u"abc Unbekannt"_s << QString() << u"Probe"_s << true;
        row("pocsag unlisted hidden", poc(u"777"_s, u"x"_s), HideUnlistedReceivers)
            << QString() << NoColour << QString() << NoEmphasis << 0 << QString() << QString()
            << u"x"_s << false;
        row("fms status 3", fms(From, u"61234567"_s, 3), options())
            << Name30 + u"  3 Einsatz Übernommen"_s << 0xffff00 << QString() << Message << 1
            << t + Name + u" (3) Einsatz Übernommen"_s << Name << u"Einsatz Übernommen"_s << true;
        row("fms blank text", fms(From, u"61234567"_s, 3, u"   "_s), options())
            << Name30 + u"  3 Einsatz Übernommen   "_s << 0xffff00 << QString() << Message << 1
            << t + Name + u" (3) Einsatz Übernommen"_s << Name << u"Einsatz Übernommen"_s << true;
        row("fms with text", fms(From, u"61234567"_s, 4, u" Lage klar "_s), options())
            << Name30 + u"  4 Am Einsatzort [Lage klar]"_s << Red << QString() << Message << 1
            << t + Name + u" (4) Am Einsatzort"_s << Name << u"Am Einsatzort [Lage klar]"_s << true;
        row("fms unlisted", fms(From, u"99999999"_s, 2), options())
            << Unlisted30 + u"  2 Frei auf Wache"_s << 0x009000 << QString() << Message << 1
            << t + u"99999999 (2) Frei auf Wache"_s << QString() << u"Frei auf Wache"_s << true;
        row("fms unlisted hidden", fms(From, u"99999999"_s, 2), HideUnlistedVehicles)
            << QString() << NoColour << QString() << NoEmphasis << 0 << QString() << QString()
            << u"Frei auf Wache"_s << false;
        row("fms bar off", fms(From, u"61234567"_s, 4), BarOff)
            << QString() << NoColour << QString() << NoEmphasis << 0
            << t + Name + u" (4) Am Einsatzort"_s << Name << u"Am Einsatzort"_s << true;
        row("fms text telegram", fms(From, u"61234567"_s, 10, u"Text & mehr, A&TRN"_s), options())
            << Name30 + u" 10 Text  mehr, ATRN"_s << White << QString() << Message << 1 << QString()
            << Name << u"Text  mehr, ATRN"_s << true;
        row("request to speak", fms(From, u"61234567"_s, 5), options())
            << QString() << NoColour << t + u"SW: "_s + Name << RequestToSpeak << 1 << QString()
            << Name << u"Sprechwunsch"_s << true;
        row("speaking", fms(From, u"61234567"_s, 15), options())
            << QString() << NoColour << t + u"Spricht: "_s + Name << Speaking << 1 << QString()
            << Name << u"Quittung"_s << true;
        row("status 12 has no line", fms(From, u"61234567"_s, 12), withFilter(u"012"_s))
            << QString() << NoColour << QString() << NoEmphasis << 1 << QString() << Name
            << QString() << false;
        row("filter 1005 lets 005 through", fms(From, u"61234567"_s, 5), withFilter(u"1005"_s))
            << QString() << NoColour << t + u"SW: "_s + Name << RequestToSpeak << 1 << QString()
            << Name << u"Sprechwunsch"_s << true;
        row("filter 1005 lets 100 through", fms(To, u"61234567"_s, 0), withFilter(u"1005"_s))
            << Name30 + u"  0 Statusabfrage"_s << White << QString() << Message << 1 << QString()
            << Name << u"Statusabfrage"_s << true;
        row("filter 1005 stops 003", fms(From, u"61234567"_s, 3), withFilter(u"1005"_s))
            << QString() << NoColour << QString() << NoEmphasis << 1 << QString() << Name
            << u"Einsatz Übernommen"_s << false;
        row("to vehicle with text", fms(To, u"61234567"_s, 3, u"Lage"_s), withFilter(u"103"_s))
            << Name30 + u"  3 C - Für Einsatz Melden [Lage]"_s << White << QString() << Message << 1
            << QString() << Name << u"C - Für Einsatz Melden [Lage]"_s << true;
        row("to vehicle text telegram", fms(To, u"61234567"_s, 10, u"A&TRN 4711 & x"_s), options())
            << Name30 + u" 10 A&TRN 4711  x"_s << White << QString() << Message << 1 << QString()
            << Name << u"A&TRN 4711  x"_s << true;
        row("to vehicle status 13", fms(To, u"61234567"_s, 13), withFilter(u"113"_s))
            << Name30 + u" 13 "_s << White << QString() << Message << 1 << QString() << Name
            << QString() << true;
    }

    void telegrams()
    {
        QFETCH(Telegram, telegram);
        QFETCH(Settings, settings);
        QFETCH(QString, line);
        QFETCH(int, colour);
        QFETCH(QString, radio);
        QFETCH(int, emphasis);
        QFETCH(int, layouts);
        QFETCH(QString, summary);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(bool, passed);
        m_settings.value = settings;
        m_bar = RecordingBar();
        m_summary.setText(QString());
        TelegramPresenter presenter(m_directories, m_tables, m_settings, m_bar, m_summary);
        QSignalSpy handled(&presenter, &TelegramPresenter::telegramHandled);
        std::visit(
            [&presenter](const auto& value) {
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, FiveToneCall>)
                    presenter.handleFiveTone(value);
                else if constexpr (std::is_same_v<T, PocsagMessage>)
                    presenter.handlePocsag(value);
                else
                    presenter.handleFms(value);
            },
            telegram);

        QCOMPARE(m_bar.caption(BarLabel::Line), line);
        const std::optional<Rgb> rgb = m_bar.lineColour;
        QCOMPARE(rgb ? rgb->red << 16 | rgb->green << 8 | rgb->blue : NoColour, colour);
        QCOMPARE(m_bar.caption(BarLabel::RequestToSpeak) + m_bar.caption(BarLabel::Speaking),
                 radio);
        QCOMPARE(m_bar.emphasis ? int(*m_bar.emphasis) : NoEmphasis, emphasis);
        QCOMPARE(m_bar.layouts, layouts);
        QCOMPARE(m_summary.text(), summary);
        QCOMPARE(handled.size(), 1);
        const auto entry = handled[0][0].value<HandledTelegram>();
        QCOMPARE(m_bar.bringUps, entry.shown ? 1 : 0);
        QCOMPARE(entry.shown, emphasis != NoEmphasis);
        QCOMPARE(m_bar.caption(BarLabel::Time), emphasis == Message ? u"12:34:56"_s : QString());
        QCOMPARE(entry.name, name);
        QCOMPARE(entry.text, text);
        QCOMPARE(entry.passedFilters, passed);
        QCOMPARE(entry.receivedAt, Time);
    }

    void journalEntryOfFms()
    {
        // The journal's columns of an FMS telegram, beside the texts above.
        m_settings.value = options();
        TelegramPresenter presenter(m_directories, m_tables, m_settings, m_bar, m_summary);
        QSignalSpy handled(&presenter, &TelegramPresenter::telegramHandled);
        presenter.handleFms({u"61234567 "_s, 6, To, QString(), {u"record"_s, Time}});
        QCOMPARE(handled.size(), 1);
        const auto entry = handled[0][0].value<HandledTelegram>();
        QCOMPARE(entry.kind, TelegramKind::Fms);
        QCOMPARE(entry.address, u"61234567"_s);
        QCOMPARE(entry.status, 6);
        QCOMPARE(entry.direction, To);
        QCOMPARE(entry.record, u"record"_s);
    }

    void captionRule_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::newRow("double") << u"A&&B"_s << u"A&B"_s;
        QTest::newRow("access key") << u"&Beenden"_s << u"Beenden"_s;
        QTest::newRow("trailing") << u"A&"_s << u"A"_s;
        QTest::newRow("three") << u"&&&x"_s << u"&x"_s;
        QTest::newRow("markup stays text") << u"<b>x</b>"_s << u"<b>x</b>"_s;
    }

    void captionRule()
    {
        QFETCH(QString, caption);
        QFETCH(QString, shown);
        QCOMPARE(captionDisplayText(caption), shown);
    }

    void loadAnnouncements()
    {
        // Written into the bar while it is in use, with the hide timer armed
        // for the display time; the bar itself is not brought up.
        m_settings.value = Settings();
        m_bar = RecordingBar();
        LoadAnnouncer(m_settings, m_bar, m_clock).announce(u"2500 Melder geladen."_s);
        QCOMPARE(m_bar.caption(BarLabel::Time) + u'|' + m_bar.caption(BarLabel::Line),
                 u"12:34:56|2500 Melder geladen."_s);
        QCOMPARE(m_bar.armed, 30000);
        QCOMPARE(m_bar.bringUps, 0);
        m_bar = RecordingBar();
        m_settings.value.displayTime = u"0"_s;
        LoadAnnouncer(m_settings, m_bar, m_clock).announce(u"x"_s);
        QVERIFY(!m_bar.armed);
        m_bar = RecordingBar();
        m_settings.value.barActive = false;
        LoadAnnouncer(m_settings, m_bar, m_clock).announce(u"x"_s);
        QCOMPARE(m_bar.caption(BarLabel::Line), QString());
    }
};

QTEST_GUILESS_MAIN(TestTelegramPresenter)
#include "tst_telegram_presenter.moc"
