// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_pcm_output.h"

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

void QtPcmOutput::noteState(QAudio::Error error)
{
    const bool available = error != QAudio::OpenError && error != QAudio::FatalError;
    if (m_available == available)
        return;
    m_available = available;
    emit availabilityChanged(available);
}
