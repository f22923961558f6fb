// SPDX-License-Identifier: GPL-3.0-or-later
// The real program on a real X display with the desk's real neighbours: a
// private PulseAudio whose sink is recorded, a private session bus with a
// notification service, a tray. An alarm sounds, notifies and is
// acknowledged; silence on the radio is noticed and its end too.
#include "journal/journal_filter.h"
#include "journal/journal_reader.h"
#include "support/fake_notification_server.h"
#include "support/private_session_bus.h"
#include "support/private_sound_server.h"
#include "support/x_desktop.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <signal.h>

using namespace Qt::StringLiterals;

class TestDeskEndToEnd : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QTcpServer m_server;
    QProcess m_trayer;
    PrivateSoundServer m_sound;
    PrivateSessionBus m_bus;
    FakeNotificationServer m_notifications;
    QProcess m_program;

    void configure(const QMap<QString, QString>& values)
    {
        QSettings ini(m_dir.filePath(u"config/Ostrevo/Ostrevo.conf"_s), QSettings::IniFormat);
        ini.setValue(u"Server/Port"_s, QString::number(m_server.serverPort()));
        ini.setValue(u"Einstellungen/AutoConnect"_s, u"1"_s);
        for (auto [key, value] : values.asKeyValueRange())
            ini.setValue(key, value);
    }

    // Starts the program in the tray and returns the server's side of its connection.
    QTcpSocket* startProgram()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_CONFIG_HOME"_s, m_dir.filePath(u"config"_s));
        env.insert(u"XDG_DATA_HOME"_s, m_dir.filePath(u"data"_s));
        env.insert(u"XDG_RUNTIME_DIR"_s, m_dir.path());
        env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        env.insert(u"PULSE_SERVER"_s, m_sound.address());
        env.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, m_bus.address());
        m_program.setProcessEnvironment(env);
        m_program.setWorkingDirectory(m_dir.filePath(u"lists"_s));
        m_program.setProcessChannelMode(QProcess::ForwardedChannels);
        m_program.start(QStringLiteral(OSTREVO_BINARY), {u"--tray"_s});
        if (!m_program.waitForStarted(5000) ||
            !QTest::qWaitFor([this] { return m_server.hasPendingConnections(); }, 20000))
            return nullptr;
        return m_server.nextPendingConnection();
    }

    void endProgram()
    {
        ::kill(pid_t(m_program.processId()), SIGTERM);
        QVERIFY(m_program.waitForFinished(10000));
        QCOMPARE(m_program.exitCode(), 0);
    }

    QList<QVariantList> notifyCalls() const
    {
        QList<QVariantList> notify;
        for (const auto& call : m_notifications.calls) {
            if (call.method == u"Notify"_s)
                notify << call.arguments;
        }
        return notify;
    }

    JournalRow journalRow(const QString& address)
    {
        JournalReader journal(m_dir.filePath(u"data/Ostrevo/journal.sqlite"_s));
        const auto rows = journal.olderRows({allTelegramKinds(), address},
                                            QDateTime::currentDateTime(), std::nullopt, 10);
        return rows.size() == 1 ? rows[0] : JournalRow{};
    }

    QImage trayImage() const
    {
        return QGuiApplication::primaryScreen()
            ->grabWindow(trayIcon(m_program.processId()).toULongLong())
            .toImage();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_sound.start());
        QVERIFY(!m_bus.address().isEmpty());
        QVERIFY(m_notifications.serve(m_bus.connect(u"notifications"_s)));
        QVERIFY(startTray(m_trayer));
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        QVERIFY(makeSampleLists(QStringLiteral(MAKE_SAMPLE_LISTS), QStringLiteral(SAMPLE_SOURCE),
                                m_dir.filePath(u"lists"_s)));
    }

    void cleanupTestCase()
    {
        m_trayer.terminate();
        m_trayer.waitForFinished(3000);
    }

    void init() { m_notifications.calls.clear(); }

    void cleanup()
    {
        m_program.kill(); // after a failure
        m_program.waitForFinished(5000);
    }

    void alarmSoundsNotifiesAndIsAcknowledged()
    {
        QFile rules(m_dir.filePath(u"lists/Alarmregeln.txt"_s));
        QVERIFY(rules.open(QIODevice::WriteOnly));
        rules.write("# Art;Kennung;Zusatz;Bezeichnung;Ton;Wiederholen\n"
                    "ZVEI;21101;;Vollalarm Wehr Nord;gong;ja\n");
        rules.close();
        configure({{u"Alarm/Wiederholung"_s, u"4"_s}});
        const auto sink = m_sound.record();
        QVERIFY(sink->waitUntilRecording());
        QTcpSocket* peer = startProgram();
        QVERIFY(peer);

        // A call no rule names raises nothing.
        peer->write("ZVEI\t21102\r\n");
        QTRY_COMPARE(journalRow(u"21102"_s).address, u"21102"_s);
        QVERIFY(visibleWindows(u"^Alarm$"_s).isEmpty());
        QVERIFY(notifyCalls().isEmpty());
        QVERIFY(!sink->sounding());

        peer->write("ZVEI\t21101\r\n");
        QTRY_COMPARE(visibleWindows(u"^Alarm$"_s).size(), 1);
        QTRY_VERIFY(sink->sounding());
        QTRY_COMPARE(notifyCalls().size(), 1);
        const QVariantList notify = notifyCalls().first();
        QCOMPARE(notify[3].toString(), u"Vollalarm Wehr Nord"_s);
        QVERIFY2(notify[4].toString().startsWith(u"FF Musterstadt Vollalarm\n"_s),
                 qPrintable(notify[4].toString())); // the name from the lists
        // The gong ends, and comes again after the interval.
        QTRY_VERIFY_WITH_TIMEOUT(!sink->sounding(), 6000);
        QTRY_VERIFY_WITH_TIMEOUT(sink->sounding(), 6000);

        // "Quittieren" by the keyboard, in the window.
        const QString window = visibleWindows(u"^Alarm$"_s).first();
        xdotool({u"windowfocus"_s, u"--sync"_s, window});
        xdotool({u"key"_s, u"Return"_s});
        QTRY_VERIFY(visibleWindows(u"^Alarm$"_s).isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(!sink->sounding(), 1000);
        const qsizetype quiet = sink->position();
        QVERIFY(sink->record(5)); // longer than the interval: no repeat
        QVERIFY(sink->rms(quiet, sink->position()) < 0.001);
        QTRY_VERIFY(
            std::any_of(m_notifications.calls.cbegin(), m_notifications.calls.cend(),
                        [](const auto& call) { return call.method == u"CloseNotification"_s; }));

        endProgram();
        const JournalRow alarm = journalRow(u"21101"_s);
        QCOMPARE(alarm.alarm, u"Vollalarm Wehr Nord"_s);
        QVERIFY(QDateTime::fromString(alarm.acknowledgedAt, Qt::ISODate).isValid());
        QCOMPARE(journalRow(u"21102"_s).alarm, QString());
        QFile::remove(rules.fileName());
    }

    void silenceIsNoticedAndItsEnd()
    {
        configure({{u"Empfang/Warnen nach"_s, u"1"_s}});
        QTcpSocket* peer = startProgram();
        QVERIFY(peer);
        peer->write("ZVEI\t21104\r\n");
        QTRY_VERIFY(!trayIcon(m_program.processId()).isEmpty());
        QTest::qWait(1000);
        const QImage normal = trayImage();

        // A minute without any telegram.
        QTRY_VERIFY_WITH_TIMEOUT(!notifyCalls().isEmpty(), 75000);
        QVariantList warning = notifyCalls().first();
        QCOMPARE(warning[3].toString(), u"Kein Empfang"_s);
        QVERIFY2(warning[4].toString().startsWith(u"Kein Empfang seit "_s),
                 qPrintable(warning[4].toString()));
        QCOMPARE(warning[6].toMap().value(u"urgency"_s).toInt(), 1);
        QTRY_VERIFY(trayImage() != normal);

        // The next telegram ends it: the same notification says so.
        peer->write("ZVEI\t21105\r\n");
        QTRY_COMPARE(notifyCalls().size(), 2);
        const QVariantList back = notifyCalls().last();
        QCOMPARE(back[3].toString(), u"Empfang wieder da"_s);
        QCOMPARE(back[1].toUInt(), m_notifications.lastId());
        QTRY_VERIFY(trayImage() == normal);
        endProgram();
        // Nothing was invented for the silence.
        JournalReader journal(m_dir.filePath(u"data/Ostrevo/journal.sqlite"_s));
        QCOMPARE(journal
                     .olderRows({allTelegramKinds(), {}}, QDateTime::currentDateTime(),
                                std::nullopt, 100)
                     .size(),
                 4);
    }
};

QTEST_MAIN(TestDeskEndToEnd)
#include "tst_desk_end_to_end.moc"
