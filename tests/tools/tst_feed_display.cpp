// SPDX-License-Identifier: GPL-3.0-or-later
// The whole chain on a real X display: sox makes the five tones, the real
// multimon-ng decodes them, ostrevo-feed serves the record and the real
// Ostrevo shows the listed receiver's call in its message bar.
#include "feed_test_support.h"
#include "support/screen_pixels.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <csignal>

using namespace Qt::StringLiterals;

class TestFeedDisplay : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void listedCallReachesTheBar()
    {
        QVERIFY(writeFile(m_dir.filePath(u"lists.txt"_s), "FME 21101 FF Musterstadt Vollalarm\n"));
        const QString lists = m_dir.filePath(u"lists"_s);
        QCOMPARE(
            QProcess::execute(QStringLiteral(MAKE_LISTS), {m_dir.filePath(u"lists.txt"_s), lists}),
            0);

        QProcess feed;
        QProcess decoder;
        decoder.setStandardOutputProcess(&feed);
        QByteArray log;
        const quint16 port = startFeed(feed, {u"--multimon"_s}, log);
        QVERIFY(port != 0);
        {
            QSettings ini(m_dir.filePath(u"config/Ostrevo/Ostrevo.conf"_s), QSettings::IniFormat);
            ini.setValue(u"Server/Port"_s, QString::number(port));
            ini.setValue(u"Einstellungen/AutoConnect"_s, u"1"_s);
            ini.setValue(u"Einstellungen/UnbekFME"_s, u"0"_s); // only listed receivers show
        }
        QProcess ostrevo;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_CONFIG_HOME"_s, m_dir.filePath(u"config"_s));
        env.insert(u"XDG_DATA_HOME"_s, m_dir.filePath(u"data"_s));
        env.insert(u"XDG_RUNTIME_DIR"_s, m_dir.path());
        ostrevo.setProcessEnvironment(env);
        ostrevo.setWorkingDirectory(lists);
        ostrevo.start(QStringLiteral(OSTREVO_BINARY), {u"127.0.0.1"_s});
        QTRY_VERIFY_WITH_TIMEOUT((log += feed.readAllStandardError()).contains("verbunden"), 15000);
        // The settings window opens at the top left, over the bar's text.
        QProcess::execute(u"xdotool"_s,
                          u"search --name ^Kaldrin$ windowmove 300 300"_s.split(u' '));

        // The listed receiver's call needs the repeat tone: 2 1 E 0 1.
        decoder.start(u"multimon-ng"_s, u"-t raw -a ZVEI1 -"_s.split(u' '));
        decoder.write(fiveToneAudio(u"21E01"_s));
        QTRY_VERIFY(pixelsInBar(qRgb(255, 0, 0)) > 20);
        decoder.closeWriteChannel();
        QVERIFY(decoder.waitForFinished(5000));

        ::kill(pid_t(ostrevo.processId()), SIGTERM);
        QVERIFY(ostrevo.waitForFinished(10000));
    }
};

QTEST_MAIN(TestFeedDisplay)
#include "tst_feed_display.moc"
