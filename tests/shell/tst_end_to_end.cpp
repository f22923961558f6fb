// SPDX-License-Identifier: GPL-3.0-or-later
// The real program on a real X display: lists from the sample generator, a
// fresh configuration, a local server. Telegrams reach the bar; closing the
// window or SIGTERM runs the orderly shut-down.
#include "gui_common/x11_atom.h"
#include "journal/journal_columns.h"
#include "journal/journal_filter.h"
#include "journal/journal_reader.h"
#include "support/screen_pixels.h"
#include "support/x_desktop.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <signal.h>

using namespace Qt::StringLiterals;

namespace {

// What a window manager's close button sends.
void sendDeleteWindow(uint32_t window)
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const auto atom = [connection](const char* name) { return internAtom(connection, name); };
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    // Wait until the server has taken the request: a connection closed
    // right after an unchecked send may lose it.
    std::free(xcb_request_check(
        connection, xcb_send_event_checked(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                                           reinterpret_cast<const char*>(&event))));
    xcb_disconnect(connection);
}

void clickTrayIcon(qint64 pid, const QString& button)
{
    xdotool({u"mousemove"_s, u"--window"_s, trayIcon(pid), u"4"_s, u"4"_s, u"click"_s, button});
}

// Opens a window from the program's tray menu by its access key (or brings
// it to the front), clicks into the table at x, y and copies all its rows;
// the text arrives on the clipboard.
QString copyRows(qint64 pid, const QString& key, const QString& title, int x = 200, int y = 200)
{
    clickTrayIcon(pid, u"3"_s);
    QTest::qWait(500);
    xdotool({u"key"_s, key});
    QString window;
    if (!QTest::qWaitFor([&] { return !(window = findWindow(title)).isEmpty(); }, 10000))
        return QString();
    QGuiApplication::clipboard()->clear();
    xdotool({u"windowactivate"_s, u"--sync"_s, window});
    xdotool({u"mousemove"_s, u"--window"_s, window, QString::number(x), QString::number(y),
             u"click"_s, u"1"_s});
    xdotool({u"key"_s, u"ctrl+a"_s, u"ctrl+c"_s});
    QString rows;
    (void)QTest::qWaitFor([&] { return !(rows = QGuiApplication::clipboard()->text()).isEmpty(); },
                          5000);
    return rows;
}

QString historyRows(qint64 pid)
{
    return copyRows(pid, u"t"_s, u"^Telegramm-Liste$"_s);
}

// The board's vehicles, then its requests: every line that names a status.
QString boardRows(qint64 pid)
{
    const QString title = u"^Statusübersicht$"_s;
    QString rows = copyRows(pid, u"s"_s, title, 300, 420);
    rows += copyRows(pid, u"s"_s, title, 300, 90);
    const QStringList lines = rows.split(u'\n');
    static const QRegularExpression time(u"^\\d\\d[:.]|\\d min$"_s);
    QStringList named;
    for (const QString& line : lines) {
        if (!line.contains(QRegularExpression(u"\t\\d+ [A-Z]"_s)))
            continue;
        QStringList cells = line.split(u'\t');
        cells.removeIf([](const QString& cell) { return cell.isEmpty() || cell.contains(time); });
        named << cells.join(u'\t');
    }
    return named.join(u'\n');
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QTcpServer m_server;
    QProcess m_trayer;

    QString configFile() const { return m_dir.filePath(u"config/Ostrevo/Ostrevo.conf"_s); }
    QString stored(const QString& key) const
    {
        return QSettings(configFile(), QSettings::IniFormat).value(key).toString();
    }

    void startProgram(QProcess& program, const QStringList& arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_CONFIG_HOME"_s, m_dir.filePath(u"config"_s));
        env.insert(u"XDG_DATA_HOME"_s, m_dir.filePath(u"data"_s));
        env.insert(u"XDG_RUNTIME_DIR"_s, m_dir.path()); // the session's one instance lives here
        env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(m_dir.filePath(u"lists"_s));
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(OSTREVO_BINARY), arguments);
        QVERIFY(program.waitForStarted(5000));
    }

    QTcpSocket* acceptClient()
    {
        if (!QTest::qWaitFor([this] { return m_server.hasPendingConnections(); }, 20000))
            return nullptr;
        return m_server.nextPendingConnection();
    }

private slots:
    void initTestCase()
    {
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

    void telegramsTrayAndRestart()
    {
        {
            QSettings ini(configFile(), QSettings::IniFormat);
            ini.setValue(u"Server/Adresse"_s, u"decoder.invalid"_s);
            ini.setValue(u"Server/Port"_s, QString::number(m_server.serverPort()));
            ini.setValue(u"Einstellungen/AutoConnect"_s, u"1"_s);
        }
        QProcess program;
        startProgram(program, {u"127.0.0.1"_s});
        QTcpSocket* peer = acceptClient(); // the reconnect timer's first attempt, after 4 s
        QVERIFY(peer);
        QString form;
        QTRY_VERIFY(!(form = findWindow(u"^Kaldrin$"_s)).isEmpty());
        // Without a window manager the settings window would cover the bar.
        xdotool({u"windowmove"_s, form, u"300"_s, u"300"_s});

        peer->write("# Halvorn\r\nZVEI\t21101\r\n");
        QTRY_VERIFY(pixelsInBar(qRgb(255, 0, 0)) > 20);
        peer->write("FMSTlg\t61120146\t1\t0\t1\t0\t2\t0\t0\r\n");
        QTRY_VERIFY(pixelsInBar(qRgb(0, 144, 0)) > 20);
        QTRY_COMPARE(pixelsInBar(qRgb(255, 0, 0)), 0);
        peer->write(
            "x#![]!#FMS#![]!#62182101#![]!#8#![]!#0#![]!#false#![]!##![]!##![]!##![]!##![]!#\r\n");
        QTRY_VERIFY(pixelsInBar(qRgb(255, 0, 128)) > 20);
        if (const QString shot = qEnvironmentVariable("OSTREVO_SCREENSHOT"); !shot.isEmpty())
            QGuiApplication::primaryScreen()->grabWindow(0).save(shot);
        peer->write("POC\t7654321\tA\tProbealarm Wache\r\n");
        QTRY_VERIFY(pixelsInBar(qRgb(255, 0, 0)) > 20);

        // The tray icon shows the program's image; a left click hides the
        // bar, the next shows it again.
        const QImage icon = QGuiApplication::primaryScreen()
                                ->grabWindow(trayIcon(program.processId()).toULongLong())
                                .toImage();
        QVERIFY(icon.pixelColor(icon.width() / 2, icon.height() / 2) != icon.pixelColor(0, 0));
        clickTrayIcon(program.processId(), u"1"_s);
        QTRY_COMPARE(pixelsInBar(qRgb(255, 0, 0)), 0);
        QTest::qWait(600); // not a double click
        clickTrayIcon(program.processId(), u"1"_s);
        QTRY_VERIFY(pixelsInBar(qRgb(255, 0, 0)) > 20);
        const QString first = historyRows(program.processId());
        QVERIFY2(first.contains(u"21101"_s) && first.contains(u"Probealarm Wache"_s),
                 qPrintable(first));
        peer->write("FMSTlg\t61110144\t1\t0\t1\t0\t5\t0\t0\r\n");
        const QString board = boardRows(program.processId());
        QCOMPARE(board, u"Florian Nordheim 2/46-1\t61120146\t2 Einsatzbereit auf Wache\n"
                        "Rotkreuz Musterstadt 82/1\t62182101\t8 Am Zielort\n"
                        "Florian Musterstadt 1/44-1\t61110144\t5 Sprechwunsch"_s);

        sendDeleteWindow(form.toUInt());
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), 0);
        QTRY_COMPARE(peer->bytesAvailable(), qint64(10));
        QTest::qWait(200);
        QCOMPARE(peer->readAll(), QByteArray("XXX\r\nXXX\r\n"));
        QCOMPARE(stored(u"Server/Adresse"_s), u"127.0.0.1"_s);
        QCOMPARE(QFile::permissions(configFile()) & (QFile::ReadGroup | QFile::ReadOther),
                 QFile::Permissions());

        // After a restart the list still holds them.
        QSettings(configFile(), QSettings::IniFormat).setValue(u"Einstellungen/MsgTime"_s, u"99"_s);
        startProgram(program, {});
        QTRY_VERIFY(!findWindow(u"^Kaldrin$"_s).isEmpty());
        const QString again = historyRows(program.processId());
        QVERIFY2(again.contains(u"21101"_s) && again.contains(u"7654321"_s), qPrintable(again));
        QCOMPARE(boardRows(program.processId()), board);
        // SIGTERM runs the orderly shut-down too: the settings are saved.
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(stored(u"Einstellungen/MsgTime"_s), u"65"_s);
    }

    void oneInstancePerSession()
    {
        // In the tray from the start: the bar, the icon, no settings window.
        {
            QSettings ini(configFile(), QSettings::IniFormat);
            ini.setValue(u"Server/Port"_s, QString::number(m_server.serverPort()));
            ini.setValue(u"Einstellungen/AutoConnect"_s, u"1"_s);
        }
        QProcess first;
        startProgram(first, {u"--tray"_s});
        QTcpSocket* peer = acceptClient();
        QVERIFY(peer);
        QVERIFY(!findWindow(u"^Telegrammleiste$"_s).isEmpty());
        QVERIFY(visibleWindows(u"^Kaldrin$"_s).isEmpty());

        // A second start hands its address over, brings the window up and ends.
        QProcess second;
        startProgram(second, {u"127.0.0.2"_s});
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(visibleWindows(u"^Kaldrin$"_s).size(), 1);
        QCOMPARE(visibleWindows(u"^Telegrammleiste$"_s).size(), 1);
        xdotool({u"windowmove"_s, findWindow(u"^Kaldrin$"_s), u"300"_s, u"300"_s});
        peer->write("ZVEI\t21104\r\n");
        QTRY_VERIFY(pixelsInBar(qRgb(255, 0, 0)) > 20);
        ::kill(pid_t(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(stored(u"Server/Adresse"_s), u"127.0.0.2"_s);
        JournalReader journal(m_dir.filePath(u"data/Ostrevo/journal.sqlite"_s));
        QCOMPARE(journal
                     .olderRows({allTelegramKinds(), u"21104"_s}, QDateTime::currentDateTime(),
                                std::nullopt, 10)
                     .size(),
                 1);

        // A killed instance leaves its socket; the next start takes it over.
        startProgram(first, {});
        QTRY_COMPARE(visibleWindows(u"^Kaldrin$"_s).size(), 1);
        ::kill(pid_t(first.processId()), SIGKILL);
        QVERIFY(first.waitForFinished(5000));
        startProgram(second, {});
        QTRY_COMPARE(visibleWindows(u"^Kaldrin$"_s).size(), 1);
        QCOMPARE(second.state(), QProcess::Running);
        ::kill(pid_t(second.processId()), SIGTERM);
        QVERIFY(second.waitForFinished(10000));
    }

    void informationWithoutSettings()
    {
        QFile::remove(configFile());
        QProcess program;
        startProgram(program, {u"--version"_s});
        QVERIFY(program.waitForFinished(5000));
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(!QFile::exists(configFile()));
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
