// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/built_in_sounds.h"
#include "audio/pcm_sound_player.h"
#include "support/sound_test_data.h"
#include "support/wav_bytes.h"

#include <QFutureWatcher>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Keeps what plays; "playing" is empty when nothing does.
struct RecordingOutput final : PcmOutput
{
    QByteArray playing;
    int starts = 0;

    void start(const Pcm& pcm) override
    {
        playing = pcm.samples;
        ++starts;
    }
    void stop() override { playing.clear(); }
};

QByteArray samplesOf(BuiltInSound sound)
{
    return BuiltInSounds::synthesize(sound).samples;
}

} // namespace

class TestPcmSoundPlayer : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingOutput* m_output = nullptr;
    std::unique_ptr<PcmSoundPlayer> m_player;

    // Waits until every file read has come back.
    void settle() { QTRY_VERIFY(m_player->findChildren<QFutureWatcherBase*>().isEmpty()); }

private slots:
    void init()
    {
        auto output = std::make_unique<RecordingOutput>();
        m_output = output.get();
        m_player = std::make_unique<PcmSoundPlayer>(std::move(output));
    }

    void playsTheBuiltInSoundAsked_data() { addBuiltInSoundRows(); }
    void playsTheBuiltInSoundAsked()
    {
        QFETCH(BuiltInSound, sound);
        m_player->play(AlarmSound::of(sound));
        QCOMPARE(m_output->playing, samplesOf(sound));
    }

    void oneSoundAtATime()
    {
        m_player->play(AlarmSound::of(BuiltInSound::Siren));
        m_player->play(AlarmSound::of(BuiltInSound::Notice));
        QCOMPARE(m_output->playing, samplesOf(BuiltInSound::Notice));
        m_player->play(AlarmSound::silent());
        QVERIFY(m_output->playing.isEmpty());
        m_player->play(AlarmSound::of(BuiltInSound::Gong));
        m_player->stop();
        QVERIFY(m_output->playing.isEmpty());
        QCOMPARE(m_output->starts, 3);
    }

    void playsAReadableFile()
    {
        const QByteArray tone = WavBytes::tone(440, 0.1);
        m_player->play(AlarmSound::fromFile(writeFile(m_dir, u"ton.wav"_s, tone)));
        QTRY_COMPARE(m_output->playing, WavReader::decode(tone).pcm.samples);
    }

    void gongForAFileThatCannotBePlayedLoggedOncePerFile()
    {
        const QString garbage = writeFile(m_dir, u"müll.wav"_s, "RIFF....WAVEjunk");
        const QString missing = m_dir.filePath(u"fehlt.wav"_s);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(u"müll.wav nicht abspielbar: .*Gong"_s));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(u"fehlt.wav nicht abspielbar: nicht vorhanden"_s));
        QTest::failOnWarning(QRegularExpression(u"nicht abspielbar"_s));
        for (int round = 0; round < 2; ++round) {
            for (const QString& path : {garbage, missing}) {
                m_player->play(AlarmSound::fromFile(path));
                QVERIFY(m_output->playing.isEmpty()); // read first, then play
                QTRY_COMPARE(m_output->playing, samplesOf(BuiltInSound::Gong));
                m_player->stop();
            }
        }
    }

    void aReadThatFinishesLatePlaysNothing()
    {
        const QString tone = writeFile(m_dir, u"ton.wav"_s, WavBytes::tone(440, 0.1));
        m_player->play(AlarmSound::fromFile(tone));
        m_player->stop();
        m_player->play(AlarmSound::fromFile(tone));
        m_player->play(AlarmSound::of(BuiltInSound::Siren));
        settle();
        QCOMPARE(m_output->playing, samplesOf(BuiltInSound::Siren));
        QCOMPARE(m_output->starts, 1);
    }
};

QTEST_GUILESS_MAIN(TestPcmSoundPlayer)
#include "tst_pcm_sound_player.moc"
