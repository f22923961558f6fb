#include "receive_chain.h"

#include "common/log_text.h"
#include "feed_log.h"
#include "multimon_program.h"

#include <QStandardPaths>
#include <algorithm>

namespace {

constexpr qint64 BytesPerSecond = 22050 * 2;
constexpr int FileTickMs = 50;

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

} // namespace

ReceiveChain::ReceiveChain(ReceiveSource source, QString decoderProgram,
                           QStringList decoderArguments, bool realtime, ReceiveTimings timings,
                           QObject* parent)
    : QObject(parent), m_source(std::move(source)), m_decoderProgram(std::move(decoderProgram)),
      m_decoderArguments(std::move(decoderArguments)), m_realtime(realtime), m_timings(timings),
      m_pump(timings.flushMs), m_silence(timings.silenceMs, 0),
      m_sourceBackoff(timings.firstRestartMs, timings.longestRestartMs, timings.stableAfterMs),
      m_decoderBackoff(timings.firstRestartMs, timings.longestRestartMs, timings.stableAfterMs)
{
    for (QTimer* timer : {&m_sourceRestart, &m_decoderRestart, &m_flushTimer})
        timer->setSingleShot(true);
    connect(&m_sourceRestart, &QTimer::timeout, this, &ReceiveChain::startSource);
    connect(&m_decoderRestart, &QTimer::timeout, this, &ReceiveChain::startDecoder);
    connect(&m_flushTimer, &QTimer::timeout, this, &ReceiveChain::feedDecoder);
    connect(&m_fileTimer, &QTimer::timeout, this, &ReceiveChain::pullFile);
    connect(&m_watchTimer, &QTimer::timeout, this, &ReceiveChain::watch);

    connect(&m_sourceStage, &StageProcess::output, this, &ReceiveChain::takeAudio);
    connect(&m_sourceStage, &StageProcess::errorLine, this, [this](const QByteArray& line) {
        logEvent(QStringLiteral("%1: %2").arg(sourceName(), logText(QString::fromUtf8(line))));
    });
    connect(&m_sourceStage, &StageProcess::ended, this, [this](const QString& how) {
        m_pump.dropUnfinishedSample();
        stageEnded(sourceName(), how, m_sourceBackoff, m_sourceStartedMs, m_sourceRestart);
    });

    connect(&m_decoder, &StageProcess::output, this, &ReceiveChain::decoderOutput);
    connect(&m_decoder, &StageProcess::errorLine, this, &ReceiveChain::decoderSaid);
    connect(&m_decoder, &StageProcess::bytesWritten, this, [this] {
        m_decoderProgressMs = now();
        if (m_decoder.bytesToWrite() > 0)
            return;
        feedDecoder();
        pullFile();
    });
    connect(&m_decoder, &StageProcess::ended, this, [this](const QString& how) {
        emit decoderEnded();
        if (m_fileDone && m_pump.buffered() < 2 && !m_stopping) {
            logEvent(QStringLiteral("Datei %1 vollständig dekodiert").arg(m_source.path));
            emit finished();
            return;
        }
        stageEnded(m_decoderProgram, how, m_decoderBackoff, m_decoderStartedMs, m_decoderRestart);
    });
}

ReceiveChain::~ReceiveChain()
{
    // The stages kill their programs when they go; that is no end to report.
    m_sourceStage.disconnect(this);
    m_decoder.disconnect(this);
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
    startDecoder();
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

void ReceiveChain::startDecoder()
{
    if (m_stopping)
        return;
    m_decoderStartedMs = now();
    m_decoderProgressMs = now();
    m_bannerDone = false;
    logEvent(QStringLiteral("starte %1 %2").arg(m_decoderProgram, m_decoderArguments.join(u' ')));
    m_decoder.start(m_decoderProgram, m_decoderArguments);
    feedDecoder();
}

void ReceiveChain::decoderSaid(const QByteArray& line)
{
    // Its banner: the version, then the copyright lines.
    if (!m_bannerDone) {
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
        m_bannerDone = true;
    }
    logEvent(QStringLiteral("multimon-ng: %1").arg(logText(QString::fromUtf8(line))));
}

void ReceiveChain::takeAudio(const QByteArray& audio)
{
    if (audio.isEmpty())
        return;
    const qint64 silentSinceMs = m_silence.lastAudioMs();
    if (m_silence.audioArrived(now()) == SilenceWatch::Change::AudioReturned)
        logEvent(QStringLiteral("Audio von %1 wieder da, nach %2 s ohne")
                     .arg(sourceName(), seconds(now() - silentSinceMs)));
    const qsizetype dropped = m_pump.take(audio, now());
    if (dropped > 0 && !m_droppingAudio)
        logEvent(QStringLiteral("%1 nimmt das Audio nicht ab: das älteste wird verworfen "
                                "(Puffer %2 KiB voll)")
                     .arg(m_decoderProgram)
                     .arg(AudioPump::Capacity / 1024));
    m_droppingAudio = dropped > 0;
    feedDecoder();
}

void ReceiveChain::feedDecoder()
{
    if (!m_decoder.isRunning() || m_decoder.bytesToWrite() > 0)
        return;
    const QByteArray block = m_pump.nextBlock(now());
    if (!block.isEmpty()) {
        m_decoder.write(block);
        return;
    }
    if (m_fileDone && m_pump.buffered() < 2) {
        m_decoder.closeWriteChannel();
        return;
    }
    const qint64 due = m_pump.flushDueAtMs();
    if (due >= 0)
        m_flushTimer.start(int(std::max<qint64>(due - now(), 0)));
}

void ReceiveChain::pullFile()
{
    if (m_source.kind != ReceiveSource::Kind::File || m_fileDone || m_stopping)
        return;
    // In real time as much as has been "received" by now; otherwise as
    // fast as the decoder takes it.
    const qint64 wanted = m_realtime
                              ? (now() - m_fileStartMs) * BytesPerSecond / 1000 - m_fileDelivered
                              : AudioPump::MaxBlock - m_pump.buffered();
    if (wanted > 0) {
        const QByteArray audio = m_file.read(qsizetype(wanted));
        m_fileDelivered += audio.size();
        takeAudio(audio);
    }
    if (m_file.atEnd()) {
        m_fileDone = true;
        m_fileTimer.stop();
        feedDecoder();
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
    if (m_decoder.isRunning() && m_decoder.bytesToWrite() > 0 &&
        at - m_decoderProgressMs >= m_timings.stallMs) {
        logEvent(QStringLiteral("%1 nimmt seit %2 s kein Audio an, wird neu gestartet")
                     .arg(m_decoderProgram, seconds(at - m_decoderProgressMs)));
        m_decoderProgressMs = at;
        m_decoder.stop();
    }
}

void ReceiveChain::stageEnded(const QString& name, const QString& how, RestartBackoff& backoff,
                              qint64 startedMs, QTimer& restart)
{
    if (m_stopping) {
        checkStopped();
        return;
    }
    const qint64 wait = backoff.nextWaitMs(now() - startedMs);
    logEvent(QStringLiteral("%1 endete %2; Neustart in %3 s").arg(name, how, seconds(wait)));
    restart.start(int(wait));
}

void ReceiveChain::stop()
{
    m_stopping = true;
    for (QTimer* timer :
         {&m_sourceRestart, &m_decoderRestart, &m_flushTimer, &m_fileTimer, &m_watchTimer})
        timer->stop();
    m_sourceStage.stop();
    m_decoder.stop();
    checkStopped();
}

void ReceiveChain::checkStopped()
{
    if (!m_stoppedSent && !m_sourceStage.isRunning() && !m_decoder.isRunning()) {
        m_stoppedSent = true;
        QTimer::singleShot(0, this, &ReceiveChain::stopped);
    }
}
