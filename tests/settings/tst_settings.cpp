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
        QTest::newRow("1") << u"1"_qs << true << true << 1;
        QTest::newRow("0") << u"0"_qs << false << false << 0;
        QTest::newRow("1 then letters") << u"1abc"_qs << true << true << -1;
        QTest::newRow("letters") << u"abc"_qs << false << false << -1;
        QTest::newRow("beyond 16 bits") << u"99999"_qs << true << true << 1;
        QTest::newRow("0.4 rounds to off") << u"0.4"_qs << false << true << 1;
        QTest::newRow("True") << u"True"_qs << false << false << 1;
        QTest::newRow("false any case") << u"fALSE"_qs << false << false << 0;
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
        // Font sizes: a plain number with "." as separator, above 0.
        QCOMPARE(readSize(writeSize(12.5)).value(), 12.5);
        QCOMPARE(writeSize(9.75), u"9.75"_qs);
        for (const QString& junk : {u"9,75"_qs, u"-3"_qs, u"1e30"_qs})
            QVERIFY2(!readSize(junk), qPrintable(junk));
    }

    void readingAndWriting()
    {
        MemorySettingsStore store;
        QCOMPARE(readSettings(store), Settings()); // a first run: all defaults

        store.values = {{u"Einstellungen/AutoConnect"_qs, u"1abc"_qs},
                        {u"Einstellungen/FormInTray"_qs, u"nein"_qs},
                        {u"Einstellungen/MsgAktiv"_qs, u"0"_qs},
                        {u"Einstellungen/MsgFontSize"_qs, u"zehn"_qs},
                        {u"Einstellungen/MsgFontBold"_qs, u"true"_qs},
                        {u"Einstellungen/MsgTime"_qs, u"99"_qs},
                        {u"Datenbank/PW"_qs, u"geheim"_qs}};
        Settings read = readSettings(store);
        QVERIFY(read.autoConnect && !read.trayIconWanted && !read.barActive);
        QCOMPARE(read.barFont, (FontChoice{u"Arial"_qs, 10, true, false}));
        QCOMPARE(read.displayTime, u"65"_qs);
        QCOMPARE(read.databasePassword, u"geheim"_qs);

        writeSettings(read, store);
        QCOMPARE(store.flushes, 1);
        QStringList written; // in the store's key order
        for (auto [key, value] : store.values.asKeyValueRange())
            written << key + u'=' + value;
        QCOMPARE(written.join(u'|'),
                 u"Datenbank/Datei=FMS.mdb|Datenbank/PW=geheim|Einstellungen/AutoConnect=1|"
                 "Einstellungen/DBLogOnly=%1|Einstellungen/FormInTray=0|Einstellungen/MsgAktiv=0|"
                 "Einstellungen/MsgFontBold=True|Einstellungen/MsgFontItalic=False|"
                 "Einstellungen/MsgFontName=Arial|Einstellungen/MsgFontSize=10|"
                 "Einstellungen/MsgLogOnly=%2|Einstellungen/MsgTime=65|Einstellungen/MsgVorne=1|"
                 "Einstellungen/Transparent=255|Einstellungen/UnbekFME=1|Einstellungen/UnbekFMS=1|"
                 "Journal/Aufbewahrung=90|Server/Adresse=127.0.0.1|Server/Port=7778|"
                 "Telegramm-Liste/Geometrie=|Telegramm-Liste/Spalten="_qs.arg(
                     Settings::DefaultDatabaseLogFilter, Settings::DefaultMessageFilter));
    }

    void modelLimitsAndAnnouncesChanges()
    {
        SettingsModel model;
        QSignalSpy changed(&model, &SettingsModel::changed);
        QSignalSpy autoConnect(&model, &SettingsModel::autoConnectChanged);
        QVERIFY(model.settings().autoConnect); // the window's initial check state
        Settings stored;
        stored.displayTime = u"66"_qs;
        stored.transparency = u"-1"_qs;
        model.apply(stored);
        QCOMPARE(autoConnect.count(), 1);
        QCOMPARE(model.settings().displayTime, u"65"_qs);
        QCOMPARE(model.settings().transparency, u"255"_qs);
        const int changes = int(changed.count());
        model.apply(stored); // nothing differs now
        QCOMPARE(changed.count(), changes);
        for (const QString& kept : {u"65"_qs, u"0"_qs, QString(), u"abc"_qs}) {
            model.setDisplayTime(kept);
            QCOMPARE(model.settings().displayTime, kept);
        }
        model.setTransparency(u"256"_qs);
        QCOMPARE(model.settings().transparency, u"255"_qs);
        model.setTransparency(u"0"_qs);
        QCOMPARE(model.settings().transparency, u"0"_qs);
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
        const QString path = dir.filePath(u"Ostrevo.conf"_qs);
        Settings tricky;
        tricky.serverAddress = u"  decoder.wache, Nord"_qs;
        tricky.databasePassword = u"p\"a;ss,wört "_qs;
        tricky.messageFilter = u"003;005,110"_qs;
        tricky.databaseFile = u"C:\\Programme\\Halvorn\\FMS.mdb"_qs;
        tricky.barFont = {u"Liberation Sans Narrow"_qs, 12.5, true, false};
        tricky.showUnlistedVehicles = false;
        tricky.journalRetentionDays = 0;
        tricky.historyWindow = {QRect(-20, 30, 800, 500), {140, 60, 90}};
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
        const QString path = dir.filePath(u"Ostrevo.conf"_qs);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "[Einstellungen]\nMsgLogOnly=003, 005\nMsgFontSize=\xff\xfe\nAutoConnect=-7\n"
            "[Journal]\nAufbewahrung=viele\n[Telegramm-Liste]\nGeometrie=2147483647 2 100 4\n"
            "Spalten=100 abc 50\n[Server\nPort==\n\x01\x02garbage\n");
        file.close();
        const Settings read = readSettings(QSettingsStore(path));
        QCOMPARE(read.messageFilter, u"003,005"_qs);
        QVERIFY(read.autoConnect);
        QCOMPARE(read.barFont.pointSize, 10.0);
        QCOMPARE(read.journalRetentionDays, 0); // no number: nothing is deleted
        // Computed without overflow, then brought within the limits.
        QCOMPARE(read.historyWindow.geometry, QRect(100000, 2, 320, 200));
        QCOMPARE(read.historyWindow.columnWidths, QList<int>{100});
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
