// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/qsettings_store.h"
#include "settings/settings_conversions.h"
#include "settings/settings_file.h"
#include "settings/settings_limits.h"
#include "settings/settings_model.h"
#include "support/memory_settings_store.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void conversions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("check");
        QTest::addColumn<bool>("flag");
        QTest::addColumn<int>("truth"); // -1: does not convert
        QTest::newRow("1") << u"1"_s << true << true << 1;
        QTest::newRow("0") << u"0"_s << false << false << 0;
        QTest::newRow("1 then letters") << u"1abc"_s << true << true << -1;
        QTest::newRow("letters") << u"abc"_s << false << false << -1;
        QTest::newRow("beyond 16 bits") << u"99999"_s << true << true << 1;
        QTest::newRow("0.4 rounds to off") << u"0.4"_s << false << true << 1;
        QTest::newRow("True") << u"True"_s << false << false << 1;
        QTest::newRow("false any case") << u"fALSE"_s << false << false << 0;
        QTest::newRow("empty") << QString() << false << false << -1;
    }

    void conversions()
    {
        QFETCH(QString, text);
        QFETCH(bool, check);
        QFETCH(bool, flag);
        QFETCH(int, truth);
        QCOMPARE(readCheck(text), check);
        QCOMPARE(readFlag(text), flag);
        const auto read = readTruth(text);
        QCOMPARE(read ? int(*read) : -1, truth);
    }

    void fontSizes()
    {
        // A plain number with "." as separator, above 0.
        QCOMPARE(readSize(writeSize(12.5)).value(), 12.5);
        QCOMPARE(writeSize(9.75), u"9.75"_s);
        for (const QString& junk : {u"9,75"_s, u"-3"_s, u"1e30"_s})
            QVERIFY2(!readSize(junk), qPrintable(junk));
    }

    void readingAndWriting()
    {
        MemorySettingsStore store;
        QCOMPARE(readSettings(store), Settings()); // a first run: all defaults

        store.values = {{u"Einstellungen/AutoConnect"_s, u"1abc"_s},
                        {u"Einstellungen/FormInTray"_s, u"nein"_s},
                        {u"Einstellungen/MsgAktiv"_s, u"0"_s},
                        {u"Einstellungen/MsgFontSize"_s, u"zehn"_s},
                        {u"Einstellungen/MsgFontBold"_s, u"true"_s},
                        {u"Einstellungen/MsgTime"_s, u"99"_s},
                        {u"Datenbank/PW"_s, u"geheim"_s}};
        Settings read = readSettings(store);
        QVERIFY(read.autoConnect && !read.trayIconWanted && !read.barActive);
        QCOMPARE(read.barFont, (FontChoice{u"Arial"_s, 10, true, false}));
        QCOMPARE(read.displayTime, u"65"_s);
        QCOMPARE(read.databasePassword, u"geheim"_s);

        writeSettings(read, store);
        QCOMPARE(store.flushes, 1);
        QStringList written; // in the store's key order
        for (auto [key, value] : store.values.asKeyValueRange())
            written << key + u'=' + value;
        QCOMPARE(written.join(u'|'),
                 u"Alarm/Benachrichtigung=1|Alarm/Wiederholung=10|"
                 "Datenbank/Datei=FMS.mdb|Datenbank/PW=geheim|Einstellungen/AutoConnect=1|"
                 "Einstellungen/DBLogOnly=%1|Einstellungen/FormInTray=0|Einstellungen/MsgAktiv=0|"
                 "Einstellungen/MsgFontBold=True|Einstellungen/MsgFontItalic=False|"
                 "Einstellungen/MsgFontName=Arial|Einstellungen/MsgFontSize=10|"
                 "Einstellungen/MsgLogOnly=%2|Einstellungen/MsgTime=65|Einstellungen/MsgVorne=1|"
                 "Einstellungen/Transparent=255|Einstellungen/UnbekFME=1|Einstellungen/UnbekFMS=1|"
                 "Empfang/Lebenszeichen=|Empfang/Warnen "
                 "nach=0|Journal/Aufbewahrung=90|Server/Adresse=127.0.0.1|"
                 "Server/Port=7778|Statusübersicht/Erledigt=|Statusübersicht/Geometrie=|"
                 "Statusübersicht/Spalten=|"
                 "Telegramm-Liste/Geometrie=|Telegramm-Liste/Spalten="_s.arg(
                     Settings::DefaultDatabaseLogFilter, Settings::DefaultMessageFilter));
    }

    void modelLimitsAndAnnouncesChanges()
    {
        SettingsModel model;
        QSignalSpy changed(&model, &SettingsModel::changed);
        QSignalSpy autoConnect(&model, &SettingsModel::autoConnectChanged);
        QVERIFY(model.settings().autoConnect); // the window's initial check state
        Settings stored;
        stored.displayTime = u"66"_s;
        stored.transparency = u"-1"_s;
        model.apply(stored);
        QCOMPARE(autoConnect.count(), 1);
        QCOMPARE(model.settings().displayTime, u"65"_s);
        QCOMPARE(model.settings().transparency, u"255"_s);
        const int changes = int(changed.count());
        model.apply(stored); // nothing differs now
        QCOMPARE(changed.count(), changes);
        for (const QString& kept : {u"65"_s, u"0"_s, QString(), u"abc"_s}) {
            model.setDisplayTime(kept);
            QCOMPARE(model.settings().displayTime, kept);
        }
        model.setTransparency(u"256"_s);
        QCOMPARE(model.settings().transparency, u"255"_s);
        model.setTransparency(u"0"_s);
        QCOMPARE(model.settings().transparency, u"0"_s);
    }

    void limits()
    {
        // Windows between 320 x 200 and 10000 x 10000 pixels, within 100000
        // of the origin; without area, forgotten. Columns 40 to 4000 wide.
        QCOMPARE(
            limitGeometry(QRect(QPoint(-2147483647, 2147483600), QPoint(2147483647, 2147483605))),
            QRect(-100000, 100000, 10000, 200));
        QCOMPARE(limitGeometry(QRect(10, 20, 800, 600)), QRect(10, 20, 800, 600));
        QCOMPARE(limitGeometry(QRect(10, 20, 0, 50)), QRect());
        QCOMPARE(limitColumnWidths({-5, 1000000, 90}), (QList<int>{40, 4000, 90}));
        QCOMPARE(limitRetentionDays(-3), 0);
        QCOMPARE(limitRetentionDays(99999), 36600);
    }

    void fileRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Ostrevo.conf"_s);
        Settings tricky;
        tricky.serverAddress = u"  decoder.wache, Nord"_s;
        tricky.databasePassword = u"p\"a;ss,wört "_s;
        tricky.messageFilter = u"003;005,110"_s;
        tricky.databaseFile = u"C:\\Programme\\Halvorn\\FMS.mdb"_s;
        tricky.barFont = {u"Liberation Sans Narrow"_s, 12.5, true, false};
        tricky.showUnlistedVehicles = false;
        tricky.journalRetentionDays = 0;
        tricky.historyWindow = {QRect(-20, 30, 800, 500), {140, 60, 90}};
        tricky.statusBoardWindow = {QRect(10, 20, 700, 400), {200, 80}};
        tricky.dismissedRequests = u"61110144 2026-12-06T12:30:00+01:00;9 2026-12-06T12:31:00Z"_s;
        {
            QSettingsStore store(path);
            writeSettings(tricky, store);
        }
        QCOMPARE(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::Permissions(QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(readSettings(QSettingsStore(path)), tricky);
    }

    void handEditedFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Ostrevo.conf"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "[Einstellungen]\nMsgLogOnly=003, 005\nMsgFontSize=\xff\xfe\nAutoConnect=-7\n"
            "[Journal]\nAufbewahrung=viele\n[Telegramm-Liste]\nGeometrie=2147483647 2 100 4\n"
            "Spalten=100 abc 50\n[Server\nPort==\n\x01\x02garbage\n"
            "[Statusübersicht]\nGeometrie=5 6 70000 1\nSpalten=7 5000\n");
        file.close();
        const Settings read = readSettings(QSettingsStore(path));
        QCOMPARE(read.messageFilter, u"003,005"_s);
        QVERIFY(read.autoConnect);
        QCOMPARE(read.barFont.pointSize, 10.0);
        QCOMPARE(read.journalRetentionDays, 0); // no number: nothing is deleted
        // Computed without overflow, then brought within the limits.
        QCOMPARE(read.historyWindow.geometry, QRect(100000, 2, 320, 200));
        QCOMPARE(read.historyWindow.columnWidths, QList<int>{100});
        QCOMPARE(read.statusBoardWindow, (WindowPlacement{QRect(5, 6, 10000, 200), {40, 4000}}));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
