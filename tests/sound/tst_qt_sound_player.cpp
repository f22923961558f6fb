#include "sound/qt_sound_player.h"
#include "support/private_sound_server.h"
#include "support/sound_test_data.h"
#include "support/wav_bytes.h"

#include <QRegularExpression>
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

    QString file(const QString& name, const QByteArray& bytes)
    {
        return writeFile(m_dir, name, bytes);
    }
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
        m_player = std::make_unique<QtSoundPlayer>();
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
        m_player->play(AlarmSound::fromFile(file(u"tief.wav"_s, WavBytes::tone(400, 8))));
        QTRY_VERIFY(m_recorder->sounding());
        m_player->play(AlarmSound::fromFile(file(u"hoch.wav"_s, WavBytes::tone(1000, 8))));
        QTRY_VERIFY(m_recorder->level(1000, m_recorder->position() - 2000) > 0.2);
        const qsizetype mark = m_recorder->position();
        QVERIFY(m_recorder->record(0.5));
        QVERIFY(m_recorder->level(1000, mark) > 0.2);
        QVERIFY(m_recorder->level(400, mark) < 0.01);
    }

    void aGarbageFilePlaysTheGong()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"nicht abspielbar"_s));
        m_player->play(AlarmSound::fromFile(file(u"müll.wav"_s, QByteArray(5000, 'x'))));
        QTRY_VERIFY(m_recorder->sounding());
        const qsizetype mark = m_recorder->position();
        QVERIFY(m_recorder->record(0.3));
        QVERIFY(m_recorder->level(523.25, mark) > 0.1);
    }

    // Qt's audio reconnects once, 3 s after the server went away: the
    // server is back by then, and the player recovers without a restart.
    void playsAgainWhenTheServerComesBack()
    {
        m_player->play(AlarmSound::of(BuiltInSound::Notice)); // connected before it goes
        QTRY_VERIFY(m_recorder->sounding());
        m_player->stop();
        QTRY_VERIFY(!m_recorder->sounding());
        QTest::ignoreMessage(QtWarningMsg,
                             "Tonausgabe nicht möglich, der Tonserver ist nicht erreichbar");
        m_recorder.reset();
        m_server.stop();
        m_player->play(AlarmSound::of(BuiltInSound::Gong));
        QVERIFY(m_server.start());
        m_recorder = m_server.record();
        QVERIFY(m_recorder->waitUntilRecording());
        QTimer repeat; // as an alarm repeats its sound
        connect(&repeat, &QTimer::timeout, this,
                [this] { m_player->play(AlarmSound::of(BuiltInSound::Siren)); });
        repeat.start(500);
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->sounding(), 15000);
    }
};

QTEST_GUILESS_MAIN(TestQtSoundPlayer)
#include "tst_qt_sound_player.moc"
