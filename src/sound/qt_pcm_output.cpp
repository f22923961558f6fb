#include "qt_pcm_output.h"

#include "audio/sound_log.h"

#include <QAudioSink>
#include <QMediaDevices>

namespace {

// A short buffer: the sound starts and stops promptly, and a stalled event
// loop of a quarter second still does not starve it.
constexpr int BufferMilliseconds = 250;

} // namespace

QtPcmOutput::QtPcmOutput(QObject* parent) : QObject(parent) {}

QtPcmOutput::~QtPcmOutput()
{
    stop();
}

void QtPcmOutput::start(const Pcm& pcm)
{
    stop();
    QAudioFormat format;
    format.setSampleRate(pcm.sampleRate);
    format.setChannelCount(pcm.channels);
    format.setSampleFormat(QAudioFormat::Int16);
    m_buffer.setData(pcm.samples);
    m_buffer.open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), format);
    m_sink->setBufferSize(format.bytesForDuration(BufferMilliseconds * 1000));
    connect(m_sink.get(), &QAudioSink::stateChanged, this,
            [this, sink = m_sink.get()] { noteState(sink->error()); });
    m_sink->start(&m_buffer);
    noteState(m_sink->error());
}

void QtPcmOutput::stop()
{
    if (m_sink) {
        m_sink->disconnect(this);
        m_sink->stop();
        m_sink.reset();
    }
    m_buffer.close();
}

// Alarms repeat their sound: the loss and the return of the output are
// logged once each, not at every repetition.
void QtPcmOutput::noteState(QAudio::Error error)
{
    const bool failing = error == QAudio::OpenError || error == QAudio::FatalError;
    if (failing == m_failing)
        return;
    m_failing = failing;
    if (failing)
        qCWarning(lcSound) << "Tonausgabe nicht möglich, der Tonserver ist nicht erreichbar";
    else
        qCInfo(lcSound) << "Tonausgabe wieder möglich";
}
