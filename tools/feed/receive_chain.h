// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio_file.h"
#include "fms_gate.h"
#include "line_splitter.h"
#include "multimon_program.h"
#include "receive_source.h"
#include "restart_backoff.h"
#include "silence_watch.h"
#include "stage_process.h"
#include "twin_lines.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

// The intervals of the supervision; tests shorten them.
struct ReceiveTimings
{
    qint64 firstRestartMs = 1000;
    qint64 longestRestartMs = 30000;
    qint64 stableAfterMs = 60000; // a stage that ran this long starts again at the first wait
    qint64 silenceMs = 10000;     // no audio: logged, the source started again
    qint64 stallMs = 10000;       // a decoder takes no audio: started again
    qint64 flushMs = 250;         // the rest of a block goes after this quiet time
};

// --receive: the source's audio through pumps into the decoders (see
// decoderRuns; the FMS ones behind the FMS gate), whose output lines come
// out as decoderLine(), the FMS decoders' twins once. Every stage is
// watched: one that ends, a source that falls silent or a decoder that
// takes no audio is started again after a growing wait. A file source
// ends the chain once the decoders have read all of it.
class ReceiveChain : public QObject
{
    Q_OBJECT

public:
    ReceiveChain(ReceiveSource source, QString decoderProgram, const QList<DecoderRun>& decoders,
                 bool realtime, ReceiveTimings timings, QObject* parent = nullptr);
    ~ReceiveChain() override;

    // False, with errorString(), when a program or the file is missing.
    bool start();
    QString errorString() const { return m_error; }
    // Ends every stage; stopped() follows.
    void stop();

signals:
    void decoderLine(const LineSplitter::Line& line);
    void decoderLineCut();                 // a decoder ended inside a line
    void restarting(const QString& stage); // it ended and is started again
    void finished();                       // the file has been decoded to its end
    void stopped();

private:
    struct Decoder;

    qint64 now() const { return m_clock.elapsed(); }
    QString sourceName() const;
    bool paced() const; // audio comes in its own time, not as fast as taken
    void startSource();
    void startDecoder(Decoder& decoder);
    void takeAudio(const QByteArray& audio);
    void route(QByteArrayView untouched, const FmsGate::Audio& gated, qint64 atMs);
    void flushGate();
    qint64 feed(Decoder& decoder); // when its pump's rest is due, or -1
    void feedAll();
    void pullFile();
    void watch();
    void decoderSaid(Decoder& decoder, const QByteArray& line);
    void decoderWrote(Decoder& decoder, const QByteArray& bytes);
    void decoderEnded(Decoder& decoder, const QString& how);
    void planRestart(const QString& name, const QString& how, RestartBackoff& backoff,
                     qint64 startedMs, QTimer& restart);
    void checkStopped();

    ReceiveSource m_source;
    QString m_decoderProgram;
    bool m_realtime;
    ReceiveTimings m_timings;
    QElapsedTimer m_clock;
    QString m_error;

    StageProcess m_sourceStage;
    std::vector<std::unique_ptr<Decoder>> m_decoders;
    AudioFile m_file;
    qint64 m_fileStartMs = 0;
    qint64 m_fileDelivered = 0;
    bool m_fileDone = false;

    FmsGate m_gate;
    TwinLines m_twins;
    SilenceWatch m_silence;
    RestartBackoff m_sourceBackoff;
    qint64 m_sourceStartedMs = 0;
    qint64 m_lastAudioMs = 0;
    bool m_versionSeen = false;
    bool m_stopping = false;
    bool m_stoppedSent = false;

    QTimer m_sourceRestart;
    QTimer m_flushTimer;
    QTimer m_fileTimer;
    QTimer m_watchTimer;
};
