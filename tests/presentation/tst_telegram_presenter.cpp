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

using namespace Qt::StringLiterals;

namespace {

const QString Name = u"Florian Musterstadt 1/44-1"_s;
const QString Name30 = Name.leftJustified(30, u' ');
const QString Unlisted30 = u"99999999"_s.leftJustified(30, u' ');

} // namespace

class TestTelegramPresenter : public QObject
{
    Q_OBJECT

    Directories m_directories;
    StatusTables m_tables;
    FixedSettings m_settings;
    RecordingBar m_bar;
    TelegramSummary m_summary;
    FixedClock m_clock;

    HandledTelegram handle(TelegramPresenter& presenter, const QString& record)
    {
        QSignalSpy handled(&presenter, &TelegramPresenter::telegramHandled);
        const QStringList f = record.split(u'|');
        const ReceivedRecord received{record, m_clock.time};
        if (f[0] == u"FME")
            presenter.handleFiveTone({f[1], received});
        else if (f[0] == u"POC")
            presenter.handlePocsag({f[1], f[2], received});
        else
            presenter.handleFms(
                {f[1], f[2].toInt(),
                 f[0] == u"FROM" ? FmsDirection::FromVehicle : FmsDirection::ToVehicle, f.value(3),
                 received});
        return handled.isEmpty() ? HandledTelegram() : handled[0][0].value<HandledTelegram>();
    }

private slots:
    void initTestCase()
    {
        m_directories.setFiveToneReceivers({receiver(u"12345"_s, u"  Wehr Nord  "_s)});
        m_directories.setVehicles({vehicle(u"61234567"_s, Name)});
        m_directories.setPocsagReceivers({pager(1234567, u"Zugführer"_s)});
    }

    void telegrams_data()
    {
        // record (kind|address|status or text|text) ~ options ("bar off", "tray off",
        // "no unlisted FME" / "FMS" (the other switch stays on), or a filter) ~ line ~
        // line colour ~ radio labels ~ tray summary [~ journal entry: kind|address|
        // name|status|direction|text|passed filters]; %L the vehicle's name padded
        // to 30, %N its name, %U an unlisted one padded, %T the time stamp.
        QTest::addColumn<QString>("row");
        const auto row = [](const char* name, const QString& fields) {
            QTest::newRow(name) << QString(fields)
                                       .replace(u"%L"_s, Name30)
                                       .replace(u"%N"_s, Name)
                                       .replace(u"%U"_s, Unlisted30)
                                       .replace(u"%T"_s, u"12:34:56 "_s);
        };
        row("five-tone listed",
            u"FME|12345~~12345 Wehr Nord~255,0,0~~%T12345 Wehr Nord~1|12345|Wehr Nord||||1"_s);
        row("five-tone unlisted", u"FME|1234~~1234 Unbekannt~255,0,0~~%T1234 Unbekannt"_s);
        row("five-tone unlisted hidden", u"FME|99999~no unlisted FME~~~~"_s);
        row("five-tone, bar off", u"FME|12345~bar off~~~~%T12345 Wehr Nord"_s);
        row("five-tone, tray off", u"FME|12345~tray off~12345 Wehr Nord~255,0,0~~"_s);
        row("pocsag listed, leading zeros", u"POC|0001234567|Brand Halle 3~~1234567 Zugführer "
                                            "Brand Halle 3~255,0,0~~%T1234567 Zugführer"_s);
        row("pocsag empty text",
            u"POC|1234567|~~1234567 Zugführer ~255,0,0~~%T1234567 Zugführer"_s);
        row("pocsag unlisted", u"POC|abc|Probe~~abc Unbekannt Probe~255,0,0~~%Tabc Unbekannt~"
                               "2|abc||||Probe|1"_s);
        row("pocsag unlisted hidden", u"POC|777|x~no unlisted FME~~~~"_s);
        row("fms status 3", u"FROM|61234567|3~~%L  3 Einsatz Übernommen~255,255,0~~"
                            "%T%N (3) Einsatz Übernommen"_s);
        row("fms blank text", u"FROM|61234567|3|   ~~%L  3 Einsatz Übernommen   ~255,255,0~~"
                              "%T%N (3) Einsatz Übernommen"_s);
        row("fms with text",
            u"FROM|61234567|4| Lage klar ~~%L  4 Am Einsatzort [Lage klar]~"
            "255,0,0~~%T%N (4) Am Einsatzort~0|61234567|%N|4|0|Am Einsatzort [Lage klar]|1"_s);
        row("fms unlisted",
            u"FROM|99999999|2~~%U  2 Frei auf Wache~0,144,0~~%T99999999 (2) Frei auf Wache"_s);
        row("fms unlisted hidden", u"FROM|99999999|2~no unlisted FMS~~~~"_s);
        row("fms bar off", u"FROM|61234567|4~bar off~~~~%T%N (4) Am Einsatzort~"
                           "0|61234567|%N|4|0|Am Einsatzort|1"_s);
        row("fms text telegram",
            u"FROM|61234567|10|Text & mehr, A&TRN~~%L 10 Text  mehr, ATRN~255,255,255~~"_s);
        row("request to speak", u"FROM|61234567|5~~~~%TSW: %N~"_s);
        row("speaking", u"FROM|61234567|15~~~~%TSpricht: %N~"_s);
        row("status 12 has no line", u"FROM|61234567|12~012~~~~"_s);
        row("filter 1005 lets 005 through", u"FROM|61234567|5~1005~~~%TSW: %N~"_s);
        row("filter 1005 lets 100 through",
            u"TO|61234567|0~1005~%L  0 Statusabfrage~255,255,255~~"_s);
        row("filter 1005 stops 003",
            u"FROM|61234567|3~1005~~~~~0|61234567|%N|3|0|Einsatz Übernommen|0"_s);
        row("to vehicle with text",
            u"TO|61234567|3|Lage~103~%L  3 C - Für Einsatz Melden [Lage]~255,255,255~~"_s);
        row("to vehicle text telegram",
            u"TO|61234567|10|A&TRN 4711 & x~~%L 10 A&TRN 4711  x~255,255,255~~~"
            "0|61234567|%N|10|1|A&TRN 4711  x|1"_s);
        row("to vehicle status 13", u"TO|61234567|13~113~%L 13 ~255,255,255~~"_s);
    }

    void telegrams()
    {
        QFETCH(QString, row);
        const QStringList f = row.split(u'~');
        QVERIFY(f.size() == 6 || f.size() == 7);
        const QString &record = f[0], &options = f[1], &line = f[2], &colour = f[3], &radio = f[4],
                      &summary = f[5];
        m_settings.value = Settings();
        m_settings.value.messageFilter += u";010;110"_s;
        m_settings.value.barActive = options != u"bar off";
        m_settings.value.trayIconWanted = options != u"tray off";
        m_settings.value.showUnlistedReceivers = options != u"no unlisted FME";
        m_settings.value.showUnlistedVehicles = options != u"no unlisted FMS";
        if (!options.isEmpty() && options[0].isDigit())
            m_settings.value.messageFilter = options;
        m_bar = RecordingBar();
        m_summary.setText(QString());
        TelegramPresenter presenter(m_directories, m_tables, m_settings, m_bar, m_summary);

        const HandledTelegram entry = handle(presenter, record);
        QCOMPARE(m_bar.caption(BarLabel::Line), line);
        QCOMPARE(m_bar.lineColour ? u"%1,%2,%3"_s.arg(m_bar.lineColour->red)
                                        .arg(m_bar.lineColour->green)
                                        .arg(m_bar.lineColour->blue)
                                  : QString(),
                 colour);
        QCOMPARE(m_bar.caption(BarLabel::RequestToSpeak) + m_bar.caption(BarLabel::Speaking),
                 radio);
        QCOMPARE(m_summary.text(), summary);
        const bool shown = !line.isEmpty() || !radio.isEmpty();
        QCOMPARE(m_bar.bringUps, shown ? 1 : 0);
        QCOMPARE(entry.shown, shown);
        if (shown) {
            QCOMPARE(m_bar.caption(BarLabel::Time), radio.isEmpty() ? u"12:34:56"_s : QString());
            const BarEmphasis emphasis = radio.isEmpty()          ? BarEmphasis::Message
                                         : radio.contains(u"SW:") ? BarEmphasis::RequestToSpeak
                                                                  : BarEmphasis::Speaking;
            QCOMPARE(m_bar.emphasis, emphasis);
        }
        // FMS lines are laid out whenever the bar is in use, shown or not.
        const bool fms = !record.startsWith(u"FME") && !record.startsWith(u"POC");
        QCOMPARE(m_bar.layouts,
                 fms && m_settings.value.barActive && options != u"no unlisted FMS" ? 1 : 0);
        QCOMPARE(entry.record, record);
        QCOMPARE(entry.receivedAt, m_clock.time);
        if (f.size() == 7) {
            const auto number = [](const auto& value) {
                return value ? QString::number(int(*value)) : QString();
            };
            QCOMPARE(QStringList({QString::number(int(entry.kind)), entry.address, entry.name,
                                  number(entry.status), number(entry.direction), entry.text,
                                  QString::number(entry.passedFilters)})
                         .join(u'|'),
                     f[6]);
        }
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
