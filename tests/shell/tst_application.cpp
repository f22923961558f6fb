// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/journal_reader.h"
#include "shell/application.h"
#include "shell/command_line.h"
#include "support/fake_dialogs.h"
#include "support/fake_notifications.h"
#include "support/fake_sound_player.h"
#include "support/fixed_clock.h"
#include "support/memory_settings_store.h"
#include "support/recording_tray_service.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QWidget* window(const char* name)
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String(name))
            return window;
    return nullptr;
}

QWidget* settingsWindow()
{
    return window("Form1");
}

QWidget* bar()
{
    return window("MsgForm");
}

// A control of the settings window, by the name tools address.
template <typename T> T* control(const char* name)
{
    return settingsWindow()->findChild<T*>(QString::fromLatin1(name));
}

QLabel* barLabel(const char* name)
{
    return bar()->findChild<QLabel*>(QString::fromLatin1(name));
}

QAction* menuAction(const char* name)
{
    return window("mPopupMenu")->findChild<QAction*>(QString::fromLatin1(name));
}

// The application over fakes, started in an empty list folder.
struct Started
{
    FakeDialogs dialogs;
    FixedClock clock;
    RecordingTrayService tray;
    MemorySettingsStore store;
    FakeSoundPlayer sound;
    FakeNotifications notifications;
    QTemporaryDir lists;
    QTemporaryDir data;
    int ended = 0;
    std::unique_ptr<Application> application;

    explicit Started(const QMap<QString, QString>& stored = {}, const QStringList& arguments = {},
                     bool trayAvailable = true)
    {
        store.values = stored;
        tray.available = trayAvailable;
        launch(parseCommandLine(QStringList{u"ostrevo"_s} + arguments));
    }

    void launch(const CommandLine& commandLine)
    {
        application = std::make_unique<Application>(ApplicationServices{
            dialogs, clock, tray, store, sound, notifications, data.filePath(u"journal.sqlite"_s),
            u"ostrevo"_s, data.filePath(u"autostart/de.ostrevo.Ostrevo.desktop"_s),
            u"ostrevo --tray"_s, [this] { ++ended; }});
        application->start(lists.path(), commandLine);
    }

    // The next run, with the settings and the journal this one left.
    void restart()
    {
        application->shutDown();
        application.reset();
        launch(parseCommandLine(QStringList{u"ostrevo"_s}));
    }

    QWidget* openFromMenu(const char* action, const char* windowName)
    {
        menuAction(action)->trigger();
        return window(windowName);
    }

    // Connects through the window to a local server and returns the peer.
    QTcpSocket* connectTo(QTcpServer& server)
    {
        if (!server.listen(QHostAddress::LocalHost))
            return nullptr;
        control<QLineEdit>("txtSrvPort")->setText(QString::number(server.serverPort()));
        control<QPushButton>("cmdStatus")->click();
        if (!QTest::qWaitFor([&] { return server.hasPendingConnections(); }))
            return nullptr;
        return server.nextPendingConnection();
    }
};

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("address"); // empty: the stored one stays
        QTest::addColumn<QString>("listFolder");
        QTest::newRow("dotted") << QStringList{u"192.168.7.20"_s} << u"192.168.7.20"_s << QString();
        QTest::newRow("spaces around")
            << QStringList{u"  10.1.2.3  "_s} << u"10.1.2.3"_s << QString();
        QTest::newRow("no dot") << QStringList{u"decoder"_s} << QString() << QString();
        QTest::newRow("leading dot") << QStringList{u".local"_s} << QString() << QString();
        QTest::newRow("two words")
            << QStringList{u"decoder.local"_s, u"port"_s} << u"decoder.local port"_s << QString();
        QTest::newRow("lists") << QStringList{u"--lists"_s, u"/srv/listen"_s, u"10.0.0.1"_s}
                               << u"10.0.0.1"_s << u"/srv/listen"_s;
        QTest::newRow("lists=") << QStringList{u"--lists=/srv/a.b"_s} << QString() << u"/srv/a.b"_s;
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, address);
        QFETCH(QString, listFolder);
        const CommandLine parsed = parseCommandLine(QStringList{u"ostrevo"_s} + arguments);
        QCOMPARE(commandLineAddress(parsed.text).value_or(QString()), address);
        QCOMPARE(parsed.listFolder.value_or(QString()), listFolder);
        QVERIFY(!informationText(parsed));
    }

    void versionText()
    {
        QCOMPARE(*informationText(parseCommandLine({u"ostrevo"_s, u"--version"_s})),
                 u"Vorsand Version 1.0.0"_s);
    }

    void firstRun()
    {
        Started s;
        QVERIFY(settingsWindow()->isVisible());
        QCOMPARE(control<QLineEdit>("txtSrv")->text(), u"127.0.0.1"_s);
        QCOMPARE(control<QLineEdit>("txtSrvPort")->text(), u"7778"_s);
        QVERIFY(!control<QCheckBox>("chkAuto")->isChecked());
        QCOMPARE(control<QLineEdit>("txtMsgOnly")->text(), Settings::DefaultMessageFilter);
        QVERIFY(bar()->isVisible());
        QVERIFY(bar()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(s.tray.shown);
        QCOMPARE(s.tray.tip, u"Halvorn Client"_s);

        s.application->shutDown(); // takes the icon away
        QVERIFY(!s.tray.shown);
    }

    void storedSettingsAndShutDown()
    {
        Started s({{u"Server/Adresse"_s, u"127.0.0.1"_s},
                   {u"Einstellungen/FormInTray"_s, u"nein"_s},
                   {u"Einstellungen/MsgTime"_s, u"99"_s},
                   {u"Einstellungen/MsgAktiv"_s, u"0"_s},
                   {u"Einstellungen/MsgFontName"_s, u"Liberation Serif"_s},
                   {u"Einstellungen/MsgFontSize"_s, u"14"_s}},
                  {u"192.168.7.20"_s});
        QVERIFY(!s.tray.shown);
        QVERIFY(!control<QCheckBox>("chkSysTray")->isChecked());
        QCOMPARE(control<QLineEdit>("txtMsgTime")->text(), u"65"_s);
        QCOMPARE(control<QLineEdit>("txtSrv")->text(), u"192.168.7.20"_s);
        QVERIFY(!bar()->isVisible());
        for (const char* name : {"lblTime", "Label1", "lblSprechwunsch", "lblSpricht"})
            QCOMPARE(barLabel(name)->font().pointSizeF(), 14.0);

        control<QLineEdit>("txtMsgOnly")->setText(u"003;105, 110"_s);
        s.application->shutDown();
        QCOMPARE(s.store.values.value(u"Server/Adresse"_s), u"192.168.7.20"_s);
        QCOMPARE(s.store.values.value(u"Einstellungen/MsgTime"_s), u"65"_s);
        QCOMPARE(s.store.values.value(u"Einstellungen/FormInTray"_s), u"0"_s);
        QCOMPARE(s.store.values.value(u"Einstellungen/MsgLogOnly"_s), u"003;105, 110"_s);
        QCOMPARE(s.store.values.value(u"Einstellungen/MsgFontName"_s), u"Liberation Serif"_s);
        QCOMPARE(s.ended, 1);
        s.application->shutDown(); // every way out ends here; only the first counts
        QCOMPARE(s.ended, 1);
    }

    void trayStartAndLaterStarts_data()
    {
        QTest::addColumn<bool>("iconWanted");
        QTest::addColumn<bool>("trayAvailable");
        QTest::addColumn<bool>("windowShown");
        QTest::newRow("tray") << true << true << false;
        QTest::newRow("no notification area") << true << false << true;
        QTest::newRow("icon not wanted") << false << true << true;
    }

    void trayStartAndLaterStarts()
    {
        // Without a way back from the tray, the window comes up all the same.
        QFETCH(bool, iconWanted);
        QFETCH(bool, trayAvailable);
        QFETCH(bool, windowShown);
        Started s({{u"Einstellungen/FormInTray"_s, iconWanted ? u"1"_s : u"0"_s}}, {u"--tray"_s},
                  trayAvailable);
        QCOMPARE(settingsWindow()->isVisible(), windowShown);
        QVERIFY(bar()->isVisible());
        if (windowShown)
            return;
        // A later start: another autostart stays in the tray, one with an
        // address brings the window up with it.
        s.application->followLaterStart({u"--tray"_s});
        QVERIFY(!settingsWindow()->isVisible());
        s.application->followLaterStart({u"10.1.2.3"_s});
        QVERIFY(settingsWindow()->isVisible());
        QCOMPARE(control<QLineEdit>("txtSrv")->text(), u"10.1.2.3"_s);
        s.application->shutDown();
        QCOMPARE(s.store.values.value(u"Server/Adresse"_s), u"10.1.2.3"_s);
    }

    void moreSettingsWriteTheAutostartEntry()
    {
        Started s;
        QWidget* more = s.openFromMenu("mMoreSettings", "MoreSettingsWindow");
        QVERIFY(more && more->isVisible());
        auto* atLogin = more->findChild<QCheckBox*>(u"atLogin"_s);
        const QString entry = s.data.filePath(u"autostart/de.ostrevo.Ostrevo.desktop"_s);
        QVERIFY(!atLogin->isChecked());
        atLogin->click();
        QVERIFY(QFile::exists(entry));
        atLogin->click();
        QVERIFY(!QFile::exists(entry));
        QCOMPARE(s.openFromMenu("mMoreSettings", "MoreSettingsWindow"), more); // the same window
    }

    void receptionWarningFollowsItsSetting()
    {
        // Set while reception is already gone: the warning comes at once, and
        // goes when it is switched off again.
        Started s;
        s.clock.time = s.clock.time.addSecs(10 * 60);
        auto* warnAfter = s.openFromMenu("mMoreSettings", "MoreSettingsWindow")
                              ->findChild<QSpinBox*>(u"warnAfter"_s);
        warnAfter->setValue(5);
        QVERIFY2(s.tray.tip.startsWith(u"Kein Empfang seit "_s), qPrintable(s.tray.tip));
        QCOMPARE(s.notifications.shows, 1);
        warnAfter->setValue(0);
        QVERIFY(!s.tray.tip.startsWith(u"Kein Empfang"_s));
    }

    void alarmsFromTheListFolder()
    {
        // The rules of the list folder; the bar's filters do not hold an alarm back.
        const QString rules = u"ZVEI;21101;;Vollalarm Wehr Nord;gong;ja\nZVEI;2110*;;x;aus;nein\n"
                              "POCSAG;1;Q;kaputt\n"_s;
        Started s({{u"Einstellungen/UnbekFME"_s, u"0"_s}});
        QFile file(s.lists.filePath(u"Alarmregeln.txt"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(rules.toUtf8());
        file.close();
        // Read again when it changes on disk; what it skips is said.
        auto* rulesState = s.openFromMenu("mMoreSettings", "MoreSettingsWindow")
                               ->findChild<QLabel*>(u"rulesState"_s);
        QTRY_COMPARE(
            rulesState->text(),
            u"Alarmregeln: 1 Zeile übersprungen (Zeile 3: Unteradresse „Q“ ist nicht A bis "
            "D (oder 1 bis 4))"_s);
        QTcpServer server;
        QTcpSocket* peer = s.connectTo(server);
        QVERIFY(peer);
        peer->write("ZVEI\t21101\r\n");
        QWidget* alarm = window("AlarmWindow");
        QTRY_VERIFY(alarm && alarm->isVisible());
        QCOMPARE(s.sound.played, QList<AlarmSound>{AlarmSound::of(BuiltInSound::Gong)});
        QCOMPARE(s.notifications.shown.value(1).summary, u"Vollalarm Wehr Nord"_s);
        QVERIFY(s.tray.tip.startsWith(u"Alarm: Vollalarm Wehr Nord"_s));
        QVERIFY(menuAction("mAcknowledge")->isEnabled());

        alarm->findChild<QPushButton*>(u"acknowledge"_s)->click();
        QVERIFY(!alarm->isVisible());
        QVERIFY(s.notifications.shown.isEmpty());
        QVERIFY(!menuAction("mAcknowledge")->isEnabled());
        s.application->shutDown();
        JournalReader journal(s.data.filePath(u"journal.sqlite"_s));
        const QList<JournalRow> rows = journal.olderRows({}, s.clock.now(), std::nullopt, 10);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].alarm, u"Vollalarm Wehr Nord"_s);
        QCOMPARE(rows[0].acknowledgedAt, u"2026-12-06T12:34:56+01:00"_s);
    }

    void windowEditsTheSettings_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("time 99x") << u"txtMsgTime"_s << u"99x"_s << u"65"_s;
        QTest::newRow("transp 256") << u"txtTransparent"_s << u"256"_s << u"255"_s;
        QTest::newRow("port") << u"txtSrvPort"_s << u"7779"_s << u"7779"_s;
    }

    void windowEditsTheSettings()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Started s;
        auto* edit = control<QLineEdit>(qPrintable(field));
        edit->setText(typed);
        QCOMPARE(edit->text(), kept);
        s.application->shutDown();
        const QString key = field == u"txtMsgTime"   ? u"Einstellungen/MsgTime"_s
                            : field == u"txtSrvPort" ? u"Server/Port"_s
                                                     : u"Einstellungen/Transparent"_s;
        QCOMPARE(s.store.values.value(key), kept);
    }

    void barSwitchesAndFont()
    {
        Started s;
        auto* active = control<QCheckBox>("chkMsgAktiv");
        auto* onTop = control<QCheckBox>("chkMsgVorne");
        active->setChecked(false);
        QVERIFY(!bar()->isVisible());
        onTop->setChecked(false);
        onTop->setChecked(true); // with "Aktiv" off nothing happens at once
        QVERIFY(!bar()->isVisible());
        active->setChecked(true);
        QVERIFY(bar()->isVisible());
        onTop->setChecked(false);
        QVERIFY(!bar()->windowFlags().testFlag(Qt::WindowStaysOnTopHint) && bar()->isVisible());
        onTop->setChecked(true);
        QVERIFY(bar()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        control<QPushButton>("cmdMsgSchrift")->click(); // cancelled: nothing changes
        QCOMPARE(s.dialogs.fontPresets.last(), (FontChoice{u"Arial"_s, 10, false, false}));
        s.dialogs.fontAnswer = FontChoice{u"Liberation Serif"_s, 14, true, false};
        control<QPushButton>("cmdMsgSchrift")->click();
        QVERIFY(barLabel("lblSpricht")->font().bold());
        QCOMPARE(barLabel("lblTime")->font().pointSizeF(), 14.0);

        control<QPushButton>("cmdLoadDB")->click(); // cancelled
        const FileDialogRequest& request = s.dialogs.fileRequests.last();
        QCOMPARE(request.filters,
                 (QStringList{u"Alle Dateien (*.*)"_s, u"Access-Dateien (*.mdb)"_s}));
        QCOMPARE(request.selectedFilter, u"Access-Dateien (*.mdb)"_s);
        QCOMPARE(request.proposedName, u"FMS.mdb"_s);
        QCOMPARE(control<QLineEdit>("txtDBfile")->text(), u"FMS.mdb"_s);
        s.dialogs.fileAnswer = u"/srv/einsatz/FMS.mdb"_s;
        control<QPushButton>("cmdLoadDB")->click();
        QCOMPARE(control<QLineEdit>("txtDBfile")->text(), u"/srv/einsatz/FMS.mdb"_s);
        s.application->shutDown();
        QCOMPARE(s.store.values.value(u"Einstellungen/MsgFontBold"_s), u"True"_s);
    }

    void trayIcon()
    {
        Started s;
        s.tray.report(TrayMouseEvent::Move);
        QCOMPARE(s.tray.tip, QString()); // no telegram yet
        bar()->hide();
        s.tray.report(TrayMouseEvent::LeftDown);
        QVERIFY(bar()->isVisible());
        s.tray.report(TrayMouseEvent::LeftUp);
        s.tray.report(TrayMouseEvent::LeftDown);
        QVERIFY(!bar()->isVisible());

        // A double click arrives as press, release, double click, release:
        // the bar toggles once and the window comes back.
        settingsWindow()->hide();
        for (auto event : {TrayMouseEvent::LeftDown, TrayMouseEvent::LeftUp,
                           TrayMouseEvent::LeftDoubleClick, TrayMouseEvent::LeftUp})
            s.tray.report(event);
        QVERIFY(bar()->isVisible() && settingsWindow()->isVisible());

        control<QCheckBox>("chkSysTray")->setChecked(false);
        QVERIFY(!s.tray.shown);
        control<QCheckBox>("chkSysTray")->setChecked(true);
        QVERIFY(s.tray.shown);

        // Minimising hides the window to the tray; without the icon it stays.
        settingsWindow()->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!settingsWindow()->isVisible());
        s.tray.report(TrayMouseEvent::LeftDoubleClick);
        QVERIFY(settingsWindow()->isVisible());
        QCOMPARE(settingsWindow()->windowState(), Qt::WindowNoState);
        control<QCheckBox>("chkSysTray")->setChecked(false);
        settingsWindow()->setWindowState(Qt::WindowMinimized);
        QTest::qWait(20);
        QVERIFY(settingsWindow()->isVisible());
    }

    void telegramsFromTheServer()
    {
        Started s;
        s.tray.seesMovement = false; // the tip follows each telegram then
        control<QLineEdit>("txtMsgOnly")->setText(u"003;110"_s);
        QTcpServer server;
        QTcpSocket* peer = s.connectTo(server);
        QVERIFY(peer);
        QTRY_COMPARE(control<QLabel>("lblStatus")->text(), u"Verbunden"_s);
        QCOMPARE(control<QPushButton>("cmdStatus")->text(), u"Trennen"_s);

        QLabel* line = barLabel("Label1");
        peer->write("ZVEI\t21101\r\n");
        QTRY_COMPARE(line->text(), u"21101 Unbekannt"_s);
        QCOMPARE(s.tray.tip, u"12:34:56 21101 Unbekannt"_s);
        peer->write("x#![]!#x#![]!#61110144#![]!#10#![]!#x#![]!#true#![]!##![]!##![]!##![]!#"
                    "#![]!##![]!#Lage;TRN 4711 (12)\r\n");
        QTRY_COMPARE(line->text(), u"61110144"_s + QString(22, u' ') + u" 10 Lage&TRN 4711"_s);
        QCOMPARE(barLabel("lblTime")->text(), u"12:34:56"_s);

        // Every telegram is in the journal once the program has shut down.
        s.application->shutDown();
        JournalReader journal(s.data.filePath(u"journal.sqlite"_s));
        QStringList rows;
        for (const JournalRow& row : journal.olderRows({}, s.clock.now(), std::nullopt, 10))
            rows << row.kind + u'|' + row.address + u'|' + row.text;
        QCOMPARE(rows, (QStringList{u"FMS|61110144|Lage&TRN 4711"_s, u"ZVEI|21101|"_s}));
    }

    void unseenTelegramsAndTheList()
    {
        Started s({{u"Einstellungen/MsgAktiv"_s, u"0"_s}});
        QTcpServer server;
        QTcpSocket* peer = s.connectTo(server);
        QVERIFY(peer);
        const qint64 normal = s.tray.image.cacheKey();

        // Held back by a filter: no reason to flash.
        control<QCheckBox>("chkUnbekFME")->setChecked(false);
        peer->write("ZVEI\t21101\r\n");
        QTest::qWait(3 * 400);
        QCOMPARE(s.tray.image.cacheKey(), normal);
        // With the bar switched off, one it would have shown makes the icon flash.
        control<QCheckBox>("chkUnbekFME")->setChecked(true);
        peer->write("ZVEI\t21102\r\n");
        QTRY_VERIFY(s.tray.image.cacheKey() != normal);

        // The menu item opens the list, which names the list folder; looking
        // at it stops the flashing.
        QWidget* history = s.openFromMenu("mTelegramml", "HistoryWindow");
        QVERIFY(history && history->isVisible());
        QTRY_COMPARE(s.tray.image.cacheKey(), normal);
        bool namesFolder = false;
        for (const QLabel* label : history->findChildren<QLabel*>())
            namesFolder |= label->text() == u"Namenslisten aus: "_s + s.lists.path();
        QVERIFY(namesFolder);
        history->resize(700, 450);
        QCOMPARE(s.openFromMenu("mTelegramml", "HistoryWindow"), history); // the same window

        // Switching the bar on stops it too.
        peer->write("ZVEI\t21103\r\n");
        QTRY_VERIFY(s.tray.image.cacheKey() != normal);
        control<QCheckBox>("chkMsgAktiv")->setChecked(true);
        QCOMPARE(s.tray.image.cacheKey(), normal);

        s.application->shutDown();
        QCOMPARE(s.store.values.value(u"Telegramm-Liste/Geometrie"_s).section(u' ', 2),
                 u"700 450"_s);
    }

    void statusBoardSurvivesARestart()
    {
        Started s;
        QTcpServer server;
        QTcpSocket* peer = s.connectTo(server);
        QVERIFY(peer);
        peer->write("FMSTlg\t61110144\t1\t0\t1\t0\t3\t0\t0\r\n"
                    "FMSTlg\t61110145\t1\t0\t1\t0\t5\t0\t0\r\n"
                    "FMSTlg\t61110146\t1\t0\t1\t0\t0\t0\t0\r\n");
        QWidget* board = s.openFromMenu("mStatusboard", "StatusBoardWindow");
        QVERIFY(board && board->isVisible());
        const auto cells = [](QWidget* window, const char* table) {
            QStringList rows;
            const auto* model = window->findChild<QTableView*>(QString::fromLatin1(table))->model();
            for (int row = 0; row < model->rowCount(); ++row)
                rows << model->index(row, 2).data().toString();
            return rows.join(u' ');
        };
        QTRY_COMPARE(cells(board, "table"), u"3 Einsatz Übernommen – –"_s);
        QCOMPARE(cells(board, "requests"), u"61110146 61110145"_s);
        board->findChild<QTableView*>(u"requests"_s)->selectRow(0);
        board->findChild<QPushButton*>(u"done"_s)->click();
        board->resize(640, 480);
        QCOMPARE(s.openFromMenu("mStatusboard", "StatusBoardWindow"), board);

        s.restart();
        QCOMPARE(s.store.values.value(u"Statusübersicht/Geometrie"_s).section(u' ', 2),
                 u"640 480"_s);
        board = s.openFromMenu("mStatusboard", "StatusBoardWindow");
        QCOMPARE(board->size(), QSize(640, 480));
        QCOMPARE(cells(board, "table"), u"3 Einsatz Übernommen – –"_s);
        QCOMPARE(cells(board, "requests"), u"61110145"_s);
    }
};

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
