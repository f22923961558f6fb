// SPDX-License-Identifier: GPL-3.0-or-later
#include "receive_chain.h"

#include "audio_pump.h"
#include "common/log_text.h"
#include "feed_log.h"

#include <QStandardPaths>
#include <algorithm>

namespace {

constexpr qint64 BytesPerSecond = 22050 * 2;
constexpr int FileTickMs = 50;
// How far apart in their audio the two FMS decoders can read one telegram:
// what their pipes and the blocks on the way hold, with room to spare.
constexpr qint64 TwinWindowBytes = 4 * BytesPerSecond;

QString seconds(qint64 ms)
{
    return QString::number(double(ms) / 1000, 'f', ms % 1000 == 0 ? 0 : 1);
}

// Where a missing program comes from on Debian.
QString packageOf(const QString& program)
{
    if (program == u"rtl_fm")
        return QStringLiteral("rtl-sdr");
    if (program == u"parec")
        return QStringLiteral("pulseaudio-utils");
    return program;
}

QString nameOf(const QString& program, DecoderFeed feed)
{
    switch (feed) {
    case DecoderFeed::Straight:
        return program;
    case DecoderFeed::FmsGate:
        return QStringLiteral("%1 (FMS)").arg(program);
    case DecoderFeed::FmsGateShifted:
        return QStringLiteral("%1 (FMS, versetzt)").arg(program);
    }
    return program;
}

} // namespace

struct ReceiveChain::Decoder
{
    Decoder(const DecoderRun& run, const QString& program, const ReceiveTimings& timings)
        : feed(run.feed), arguments(run.arguments), name(nameOf(program, run.feed)),
          pump(timings.flushMs),
          backoff(timings.firstRestartMs, timings.longestRestartMs, timings.stableAfterMs)
    {
        restart.setSingleShot(true);
    }

    bool gated() const { return feed != DecoderFeed::Straight; }

    DecoderFeed feed;
    QStringList arguments;
    QString name;
    StageProcess stage;
    AudioPump pump;
    RestartBackoff backoff;
    QTimer restart;
    LineSplitter lines;
    qint64 startedMs = 0;
    qint64 progressMs = 0;
    qint64 written = 0; // bytes of audio, for telling twins apart
    bool bannerDone = false;
    bool dropping = false;
    bool done = false; // read the whole file
};

ReceiveChain::ReceiveChain(ReceiveSource source, QString decoderProgram,
                           const QList<DecoderRun>& decoders, bool realtime, ReceiveTimings timings,
                           QObject* parent)
    : QObject(parent), m_source(std::move(source)), m_decoderProgram(std::move(decoderProgram)),
      m_realtime(realtime), m_timings(timings), m_twins(TwinWindowBytes),
      m_silence(timings.silenceMs, 0),
      m_sourceBackoff(timings.firstRestartMs, timings.longestRestartMs, timings.stableAfterMs)
{
    for (QTimer* timer : {&m_sourceRestart, &m_flushTimer})
        timer->setSingleShot(true);
    connect(&m_sourceRestart, &QTimer::timeout, this, &ReceiveChain::startSource);
    connect(&m_flushTimer, &QTimer::timeout, this, &ReceiveChain::flushGate);
    connect(&m_fileTimer, &QTimer::timeout, this, &ReceiveChain::pullFile);
    connect(&m_watchTimer, &QTimer::timeout, this, &ReceiveChain::watch);

    connect(&m_sourceStage, &StageProcess::output, this, &ReceiveChain::takeAudio);
    connect(&m_sourceStage, &StageProcess::errorLine, this, [this](const QByteArray& line) {
        logEvent(QStringLiteral("%1: %2").arg(sourceName(), logText(QString::fromUtf8(line))));
    });
    connect(&m_sourceStage, &StageProcess::ended, this, [this](const QString& how) {
        for (const auto& decoder : m_decoders)
            decoder->pump.dropUnfinishedSample();
        route({}, m_gate.flush(), now());
        planRestart(sourceName(), how, m_sourceBackoff, m_sourceStartedMs, m_sourceRestart);
    });

    for (const DecoderRun& run : decoders) {
        m_decoders.push_back(std::make_unique<Decoder>(run, m_decoderProgram, m_timings));
        Decoder& decoder = *m_decoders.back();
        connect(&decoder.restart, &QTimer::timeout, this,
                [this, &decoder] { startDecoder(decoder); });
        connect(&decoder.stage, &StageProcess::output, this,
                [this, &decoder](const QByteArray& bytes) { decoderWrote(decoder, bytes); });
        connect(&decoder.stage, &StageProcess::errorLine, this,
                [this, &decoder](const QByteArray& line) { decoderSaid(decoder, line); });
        connect(&decoder.stage, &StageProcess::bytesWritten, this, [this, &decoder] {
            decoder.progressMs = now();
            if (decoder.stage.bytesToWrite() > 0)
                return;
            feedAll();
            pullFile();
        });
        connect(&decoder.stage, &StageProcess::ended, this,
                [this, &decoder](const QString& how) { decoderEnded(decoder, how); });
    }
}

ReceiveChain::~ReceiveChain()
{
    // The stages kill their programs when they go; that is no end to report.
    m_sourceStage.disconnect(this);
    for (const auto& decoder : m_decoders)
        decoder->stage.disconnect(this);
}

bool ReceiveChain::paced() const
{
    return m_source.kind != ReceiveSource::Kind::File || m_realtime;
}

QString ReceiveChain::sourceName() const
{
    return m_source.kind == ReceiveSource::Kind::Exec ? QStringLiteral("Quellbefehl")
                                                      : m_source.program;
}

bool ReceiveChain::start()
{
    QStringList programs{m_decoderProgram};
    if (m_source.kind != ReceiveSource::Kind::File)
        programs << m_source.program;
    for (const QString& program : programs) {
        if (QStandardPaths::findExecutable(program).isEmpty()) {
            m_error = QStringLiteral("%1 nicht gefunden (Debian-Paket %2)")
                          .arg(program, packageOf(program));
            return false;
        }
    }
    if (m_source.kind == ReceiveSource::Kind::File && !m_file.open(m_source.path)) {
        m_error = QStringLiteral("%1 nicht lesbar: %2").arg(m_source.path, m_file.errorString());
        return false;
    }
    m_clock.start();
    m_silence = SilenceWatch(m_timings.silenceMs, now());
    m_watchTimer.start(int(std::clamp<qint64>(m_timings.silenceMs / 10, 10, 1000)));
    for (const auto& decoder : m_decoders)
        startDecoder(*decoder);
    if (m_source.kind == ReceiveSource::Kind::File) {
        m_fileStartMs = now();
        logEvent(QStringLiteral("lese Audio aus %1%2")
                     .arg(m_source.path, m_realtime ? QStringLiteral(" in Echtzeit") : QString()));
        if (m_realtime)
            m_fileTimer.start(FileTickMs);
        pullFile();
    } else {
        startSource();
    }
    return true;
}

void ReceiveChain::startSource()
{
    if (m_stopping)
        return;
    m_sourceStartedMs = now();
    logEvent(QStringLiteral("starte %1 %2").arg(m_source.program, m_source.arguments.join(u' ')));
    m_sourceStage.start(m_source.program, m_source.arguments);
}

void ReceiveChain::startDecoder(Decoder& decoder)
{
    if (m_stopping)
        return;
    decoder.startedMs = now();
    decoder.progressMs = now();
    decoder.bannerDone = false;
    logEvent(QStringLiteral("starte %1 %2").arg(decoder.name, decoder.arguments.join(u' ')));
    decoder.stage.start(m_decoderProgram, decoder.arguments);
    feed(decoder);
}

void ReceiveChain::decoderSaid(Decoder& decoder, const QByteArray& line)
{
    // Its banner: the version, then the copyright lines.
    if (!decoder.bannerDone) {
        if (line.contains("(C)") || line.startsWith("Available demodulators"))
            return;
        if (line.startsWith("multimon-ng ")) {
            if (m_versionSeen)
                return;
            m_versionSeen = true;
            const auto version = multimonVersion(line);
            if (!version)
                logEvent(QStringLiteral("Version von multimon-ng nicht erkannt: %1")
                             .arg(logText(QString::fromUtf8(line))));
            else if (losesSmallWrites(*version))
                logEvent(QStringLiteral(
                             "multimon-ng %1: Versionen vor 1.3.1 verlieren Meldungen, wenn das "
                             "Audio in kleinen Stücken ankommt; die Einspeisung gibt es ihm "
                             "deshalb in Blöcken von mindestens %2 KiB.")
                             .arg(version->toString())
                             .arg(AudioPump::MinBlock / 1024));
            else
                logEvent(QStringLiteral("multimon-ng %1").arg(version->toString()));
            return;
        }
        decoder.bannerDone = true;
    }
    logEvent(QStringLiteral("%1: %2").arg(decoder.name, logText(QString::fromUtf8(line))));
}

void ReceiveChain::decoderWrote(Decoder& decoder, const QByteArray& bytes)
{
    const int twin = decoder.feed == DecoderFeed::FmsGateShifted ? 1 : 0;
    for (const LineSplitter::Line& line : decoder.lines.feed(bytes)) {
        if (!decoder.gated() || line.tooLong || m_twins.admit(twin, line.text, decoder.written))
            emit decoderLine(line);
    }
}

void ReceiveChain::takeAudio(const QByteArray& audio)
{
    if (audio.isEmpty())
        return;
    const qint64 silentSinceMs = m_silence.lastAudioMs();
    if (m_silence.audioArrived(now()) == SilenceWatch::Change::AudioReturned)
        logEvent(QStringLiteral("Audio von %1 wieder da, nach %2 s ohne")
                     .arg(sourceName(), seconds(now() - silentSinceMs)));
    m_lastAudioMs = now();
    const bool gated = std::any_of(m_decoders.cbegin(), m_decoders.cend(),
                                   [](const auto& decoder) { return decoder->gated(); });
    route(audio, gated ? m_gate.take(audio) : FmsGate::Audio{}, now());
}

void ReceiveChain::route(QByteArrayView untouched, const FmsGate::Audio& gated, qint64 atMs)
{
    for (const auto& decoder : m_decoders) {
        const QByteArrayView mine = decoder->feed == DecoderFeed::Straight ? untouched
                                    : decoder->feed == DecoderFeed::FmsGate
                                        ? QByteArrayView(gated.straight)
                                        : QByteArrayView(gated.shifted);
        if (mine.isEmpty())
            continue;
        const qsizetype dropped = decoder->pump.take(mine, atMs);
        if (dropped > 0 && !decoder->dropping)
            logEvent(QStringLiteral("%1 nimmt das Audio nicht ab: das älteste wird verworfen "
                                    "(Puffer %2 KiB voll)")
                         .arg(decoder->name)
                         .arg(AudioPump::Capacity / 1024));
        decoder->dropping = dropped > 0;
    }
    feedAll();
}

// The source has been quiet for the flush time: what the gate holds back
// goes too, as due as the rest in the pumps. A file read as fast as the
// decoders take it is not quiet, only slowed down.
void ReceiveChain::flushGate()
{
    if (paced() && m_gate.held() > 0 && now() >= m_lastAudioMs + m_timings.flushMs)
        route({}, m_gate.flush(), m_lastAudioMs);
    else
        feedAll();
}

qint64 ReceiveChain::feed(Decoder& decoder)
{
    if (!decoder.stage.isRunning() || decoder.stage.bytesToWrite() > 0)
        return -1;
    const QByteArray block = decoder.pump.nextBlock(now());
    if (!block.isEmpty()) {
        decoder.stage.write(block);
        decoder.written += block.size();
        return -1;
    }
    if (m_fileDone && decoder.pump.buffered() < AudioPump::Unit) {
        decoder.stage.closeWriteChannel();
        return -1;
    }
    return decoder.pump.flushDueAtMs();
}

void ReceiveChain::feedAll()
{
    qint64 due = paced() && m_gate.held() > 0 ? m_lastAudioMs + m_timings.flushMs : -1;
    for (const auto& decoder : m_decoders) {
        const qint64 pumpDue = feed(*decoder);
        if (pumpDue >= 0 && (due < 0 || pumpDue < due))
            due = pumpDue;
    }
    if (due >= 0 && !m_stopping)
        m_flushTimer.start(int(std::max<qint64>(due - now(), 0)));
}

void ReceiveChain::pullFile()
{
    if (m_source.kind != ReceiveSource::Kind::File || m_fileDone || m_stopping)
        return;
    qsizetype buffered = 0;
    for (const auto& decoder : m_decoders)
        buffered = std::max(buffered, decoder->pump.buffered());
    // In real time as much as has been "received" by now; otherwise as
    // fast as the decoders take it.
    const qint64 wanted = m_realtime
                              ? (now() - m_fileStartMs) * BytesPerSecond / 1000 - m_fileDelivered
                              : AudioPump::MaxBlock - buffered;
    if (wanted > 0) {
        const QByteArray audio = m_file.read(qsizetype(wanted));
        m_fileDelivered += audio.size();
        takeAudio(audio);
    }
    if (m_file.atEnd()) {
        m_fileDone = true;
        m_fileTimer.stop();
        route({}, m_gate.flush(), now());
    }
}

void ReceiveChain::watch()
{
    if (m_stopping)
        return;
    const qint64 at = now();
    const bool fromProcess = m_source.kind != ReceiveSource::Kind::File;
    if (fromProcess && m_silence.check(at) == SilenceWatch::Change::FellSilent)
        logEvent(QStringLiteral("Kein Audio seit %1 s (%2)")
                     .arg(seconds(at - m_silence.lastAudioMs()), sourceName()));
    if (fromProcess && m_sourceStage.isRunning() &&
        at - std::max(m_silence.lastAudioMs(), m_sourceStartedMs) >= m_timings.silenceMs) {
        logEvent(QStringLiteral("%1 gibt kein Audio, wird neu gestartet").arg(sourceName()));
        m_sourceStage.stop();
    }
    for (const auto& decoder : m_decoders) {
        if (decoder->stage.isRunning() && decoder->stage.bytesToWrite() > 0 &&
            at - decoder->progressMs >= m_timings.stallMs) {
            logEvent(QStringLiteral("%1 nimmt seit %2 s kein Audio an, wird neu gestartet")
                         .arg(decoder->name, seconds(at - decoder->progressMs)));
            decoder->progressMs = at;
            decoder->stage.stop();
        }
    }
}

void ReceiveChain::decoderEnded(Decoder& decoder, const QString& how)
{
    if (decoder.lines.endInput())
        emit decoderLineCut();
    if (m_fileDone && decoder.pump.buffered() < AudioPump::Unit && !m_stopping) {
        decoder.done = true;
        if (std::all_of(m_decoders.cbegin(), m_decoders.cend(),
                        [](const auto& each) { return each->done; })) {
            logEvent(QStringLiteral("Datei %1 vollständig dekodiert").arg(m_source.path));
            emit finished();
        }
        return;
    }
    planRestart(decoder.name, how, decoder.backoff, decoder.startedMs, decoder.restart);
}

void ReceiveChain::planRestart(const QString& name, const QString& how, RestartBackoff& backoff,
                               qint64 startedMs, QTimer& restart)
{
    if (m_stopping) {
        checkStopped();
        return;
    }
    const qint64 wait = backoff.nextWaitMs(now() - startedMs);
    logEvent(QStringLiteral("%1 endete %2; Neustart in %3 s").arg(name, how, seconds(wait)));
    restart.start(int(wait));
    emit restarting(name);
}

void ReceiveChain::stop()
{
    m_stopping = true;
    for (QTimer* timer : {&m_sourceRestart, &m_flushTimer, &m_fileTimer, &m_watchTimer})
        timer->stop();
    m_sourceStage.stop();
    for (const auto& decoder : m_decoders) {
        decoder->restart.stop();
        decoder->stage.stop();
    }
    checkStopped();
}

void ReceiveChain::checkStopped()
{
    const bool running =
        m_sourceStage.isRunning() ||
        std::any_of(m_decoders.cbegin(), m_decoders.cend(),
                    [](const auto& decoder) { return decoder->stage.isRunning(); });
    if (!m_stoppedSent && !running) {
        m_stoppedSent = true;
        QTimer::singleShot(0, this, &ReceiveChain::stopped);
    }
}
