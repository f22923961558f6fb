// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/qt_sound_player.h"
#include "support/private_sound_server.h"
#include "support/sound_test_data.h"
#include "support/wav_bytes.h"

#include <QSignalSpy>
#include <QTimer>

using namespace Qt::StringLiterals;

// The player against a real sound server: a private PulseAudio whose sink
// is recorded.
class TestQtSoundPlayer : public QObject
{
    Q_OBJECT

    PrivateSoundServer m_server;
    QTemporaryDir m_dir;
    std::unique_ptr<SinkRecorder> m_recorder;
    std::unique_ptr<QtSoundPlayer> m_player;

    // Records a quarter second from now on and says whether it was all silence.
    bool staysSilent()
    {
        const qsizetype mark = m_recorder->position();
        return m_recorder->record(0.25) && m_recorder->rms(mark, m_recorder->position()) == 0;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        m_server.useInThisProcess();
        m_recorder = m_server.record();
        QVERIFY(m_recorder->waitUntilRecording());
        m_player = std::make_unique<QtSoundPlayer>(u"" OSTREVO_SOUND_PROGRAM ""_s, QStringList());
    }
    void cleanup() { m_player->stop(); }

    void eachBuiltInSoundReachesTheSinkAndStops_data() { addBuiltInSoundRows(); }
    void eachBuiltInSoundReachesTheSinkAndStops()
    {
        QFETCH(BuiltInSound, sound);
        QVERIFY(staysSilent());
        m_player->play(AlarmSound::of(sound));
        QTRY_VERIFY(m_recorder->sounding());
        m_player->stop();
        QTRY_VERIFY(!m_recorder->sounding());
        QVERIFY(staysSilent());
    }

    // Long tones, and levels well below the tones' 0.49: a loaded machine
    // may starve a stream for a moment without failing the test.
    void aSecondSoundReplacesTheFirst()
    {
        m_player->play(
            AlarmSound::fromFile(writeFile(m_dir, u"tief.wav"_s, WavBytes::tone(400, 8))));
        QTRY_VERIFY(m_recorder->sounding());
        m_player->play(
            AlarmSound::fromFile(writeFile(m_dir, u"hoch.wav"_s, WavBytes::tone(1000, 8))));
        QTRY_VERIFY(m_recorder->level(1000, m_recorder->position() - 2000) > 0.2);
        const qsizetype mark = m_recorder->position();
        QVERIFY(m_recorder->record(0.5));
        QVERIFY(m_recorder->level(1000, mark) > 0.2);
        QVERIFY(m_recorder->level(400, mark) < 0.01);
    }

    void aGarbageFilePlaysTheGong()
    {
        m_player->play(
            AlarmSound::fromFile(writeFile(m_dir, u"müll.wav"_s, QByteArray(5000, 'x'))));
        QTRY_VERIFY(m_recorder->sounding());
        const qsizetype mark = m_recorder->position();
        QVERIFY(m_recorder->record(0.3));
        QVERIFY(m_recorder->level(523.25, mark) > 0.1);
    }

    // Longer than Qt's one attempt to reconnect, 3 s after the loss: only a
    // new sound process brings the sound back.
    void playsAgainWhenTheServerComesBack()
    {
        m_player->play(AlarmSound::of(BuiltInSound::Notice)); // connected before it goes
        QTRY_VERIFY(m_recorder->sounding());
        m_player->stop();
        QTRY_VERIFY(!m_recorder->sounding());
        m_recorder.reset();
        m_server.stop();
        QTest::ignoreMessage(QtWarningMsg,
                             "Tonausgabe nicht möglich, der Tonserver ist nicht erreichbar");
        QTest::ignoreMessage(QtInfoMsg, "Tonausgabe wieder möglich");
        QTimer repeat; // as an alarm repeats its sound
        connect(&repeat, &QTimer::timeout, this,
                [this] { m_player->play(AlarmSound::of(BuiltInSound::Siren)); });
        repeat.start(500);
        QTest::qWait(5000); // the outage itself
        QVERIFY(m_server.start());
        m_recorder = m_server.record();
        QVERIFY(m_recorder->waitUntilRecording());
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->sounding(), 15000);
    }
};

QTEST_GUILESS_MAIN(TestQtSoundPlayer)
#include "tst_qt_sound_player.moc"
