// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/qt_sound_player.h"
#include "sound/sound_commands.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A stand-in for ostrevo-sound: logs its start and every line; the server
// "fails" on the siren and is back on the chime; a file ends the process.
const QString FakeProcess = uR"(echo start >> "$1"
while IFS= read -r line; do
    echo "$line" >> "$1"
    case "$line" in
        sirene) echo gestört ;;
        hinweis) echo bereit ;;
        datei*) exit 3 ;;
    esac
done)"_s;

} // namespace

class TestSoundProcess : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString log() const { return m_dir.filePath(u"log"_s); }
    QStringList logged() const
    {
        QFile file(log());
        return file.open(QIODevice::ReadOnly)
                   ? QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)
                   : QStringList();
    }
    std::unique_ptr<QtSoundPlayer> player(std::chrono::milliseconds spacing)
    {
        return std::make_unique<QtSoundPlayer>(
            u"/bin/sh"_s, QStringList{u"-c"_s, FakeProcess, u"ostrevo-sound"_s, log()}, spacing);
    }

private slots:
    void cleanup() { QFile::remove(log()); }

    void commands_data()
    {
        QTest::addColumn<AlarmSound>("sound");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("gong") << AlarmSound::of(BuiltInSound::Gong) << QByteArray("gong");
        QTest::newRow("sirene") << AlarmSound::of(BuiltInSound::Siren) << QByteArray("sirene");
        QTest::newRow("hinweis") << AlarmSound::of(BuiltInSound::Notice) << QByteArray("hinweis");
        QTest::newRow("stop") << AlarmSound::silent() << QByteArray("stop");
        QTest::newRow("file") << AlarmSound::fromFile(u"/Töne/a b%\nc.wav"_s)
                              << QByteArray("datei /T%C3%B6ne/a%20b%25%0Ac.wav");
    }
    void commands()
    {
        QFETCH(AlarmSound, sound);
        QFETCH(QByteArray, line);
        QCOMPARE(SoundCommands::encode(sound), line);
        QCOMPARE(SoundCommands::decode(line), std::optional(sound));
        for (const char* other : {"", "gongs", "datei ", "Stop", "datei"})
            QCOMPARE(SoundCommands::decode(other), std::nullopt);
    }

    void oneLinePerCall()
    {
        auto sound = player(QtSoundPlayer::RestartSpacing);
        sound->play(AlarmSound::of(BuiltInSound::Gong));
        sound->play(AlarmSound::silent());
        sound->stop();
        QTRY_COMPARE(logged(), (QStringList{u"start"_s, u"gong"_s, u"stop"_s, u"stop"_s}));
    }

    // A lost server: a new process once the spacing since the last start has
    // passed, with the sound sent again, and again until the server takes it;
    // one line for the loss, one for the return.
    void aFailingServerStartsANewProcess()
    {
        auto sound = player(std::chrono::milliseconds(100));
        QTest::ignoreMessage(QtWarningMsg,
                             "Tonausgabe nicht möglich, der Tonserver ist nicht erreichbar");
        QTest::ignoreMessage(QtInfoMsg, "Tonausgabe wieder möglich");
        QTest::qWait(150); // the spacing since the start
        sound->play(AlarmSound::of(BuiltInSound::Siren));
        QTRY_VERIFY(logged().count(u"start"_s) >= 3);
        QCOMPARE(logged().mid(0, 6), (QStringList{u"start"_s, u"sirene"_s, u"start"_s, u"sirene"_s,
                                                  u"start"_s, u"sirene"_s}));
        QTest::qWait(250);
        QVERIFY(logged().count(u"start"_s) <= 3 + 3); // not faster than the spacing
        sound->play(AlarmSound::of(BuiltInSound::Notice));
        QTRY_COMPARE(logged().last(), u"hinweis"_s);
        const qsizetype lines = logged().size();
        QTest::qWait(300); // taken: no more new processes
        QCOMPARE(logged().size(), lines);
    }

    void anEndedProcessStartsWithTheNextSound()
    {
        auto sound = player(QtSoundPlayer::RestartSpacing);
        sound->play(AlarmSound::fromFile(u"/a b.wav"_s));
        QTRY_COMPARE(logged(), (QStringList{u"start"_s, u"datei /a%20b.wav"_s}));
        QTRY_COMPARE(sound->findChild<QProcess*>()->state(), QProcess::NotRunning);
        sound->play(AlarmSound::of(BuiltInSound::Gong));
        QTRY_COMPARE(logged(),
                     (QStringList{u"start"_s, u"datei /a%20b.wav"_s, u"start"_s, u"gong"_s}));
    }

    void aMissingProgramIsLoggedOnce()
    {
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(u"^Tonprogramm /fehlt/ostrevo-sound nicht startbar: "_s));
        QTest::failOnWarning(QRegularExpression(u"."_s));
        QtSoundPlayer sound(u"/fehlt/ostrevo-sound"_s, {});
        const auto* process = sound.findChild<QProcess*>();
        for (int attempt = 0; attempt < 3; ++attempt) { // each sound tries again
            QTRY_COMPARE(process->state(), QProcess::NotRunning);
            sound.play(AlarmSound::of(BuiltInSound::Gong));
        }
        QTRY_COMPARE(process->state(), QProcess::NotRunning);
    }
};

QTEST_GUILESS_MAIN(TestSoundProcess)
#include "tst_sound_process.moc"
