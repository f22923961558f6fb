#pragma once

#include "audio_file.h"
#include "audio_pump.h"
#include "receive_source.h"
#include "restart_backoff.h"
#include "silence_watch.h"
#include "stage_process.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// The intervals of the supervision; tests shorten them.
struct ReceiveTimings
{
    qint64 firstRestartMs = 1000;
    qint64 longestRestartMs = 30000;
    qint64 stableAfterMs = 60000; // a stage that ran this long starts again at the first wait
    qint64 silenceMs = 10000;     // no audio: logged, the source started again
    qint64 stallMs = 10000;       // the decoder takes no audio: started again
    qint64 flushMs = 250;         // the rest of a block goes after this quiet time
};

// --receive: the source's audio through the pump into multimon-ng, whose
// output comes out as decoderOutput(). Both stages are watched: one that
// ends, a source that falls silent or a decoder that takes no audio is
// started again after a growing wait. A file source ends the chain once
// the decoder has read all of it.
class ReceiveChain : public QObject
{
    Q_OBJECT

public:
    ReceiveChain(ReceiveSource source, QString decoderProgram, QStringList decoderArguments,
                 bool realtime, ReceiveTimings timings, QObject* parent = nullptr);
    ~ReceiveChain() override;

    // False, with errorString(), when a program or the file is missing.
    bool start();
    QString errorString() const { return m_error; }
    // Ends every stage; stopped() follows.
    void stop();

signals:
    void decoderOutput(const QByteArray& bytes);
    void decoderEnded(); // an unfinished line of its output is cut off
    void finished();     // the file has been decoded to its end
    void stopped();

private:
    qint64 now() const { return m_clock.elapsed(); }
    QString sourceName() const;
    void startSource();
    void startDecoder();
    void takeAudio(const QByteArray& audio);
    void feedDecoder();
    void pullFile();
    void watch();
    void decoderSaid(const QByteArray& line);
    void stageEnded(const QString& name, const QString& how, RestartBackoff& backoff,
                    qint64 startedMs, QTimer& restart);
    void checkStopped();

    ReceiveSource m_source;
    QString m_decoderProgram;
    QStringList m_decoderArguments;
    bool m_realtime;
    ReceiveTimings m_timings;
    QElapsedTimer m_clock;
    QString m_error;

    StageProcess m_sourceStage;
    StageProcess m_decoder;
    AudioFile m_file;
    qint64 m_fileStartMs = 0;
    qint64 m_fileDelivered = 0;
    bool m_fileDone = false;

    AudioPump m_pump;
    SilenceWatch m_silence;
    RestartBackoff m_sourceBackoff;
    RestartBackoff m_decoderBackoff;
    qint64 m_sourceStartedMs = 0;
    qint64 m_decoderStartedMs = 0;
    qint64 m_decoderProgressMs = 0;
    bool m_droppingAudio = false;
    bool m_versionSeen = false;
    bool m_bannerDone = false;
    bool m_stopping = false;
    bool m_stoppedSent = false;

    QTimer m_sourceRestart;
    QTimer m_decoderRestart;
    QTimer m_flushTimer;
    QTimer m_fileTimer;
    QTimer m_watchTimer;
};
