#pragma once

#include "audio/pcm_output.h"

#include <QAudio>
#include <QBuffer>
#include <QObject>
#include <memory>

class QAudioSink;

// Plays samples through Qt Multimedia's audio output, one new stream per
// sound, so that a stream the sound server dropped is never reused.
class QtPcmOutput final : public QObject, public PcmOutput
{
    Q_OBJECT

public:
    explicit QtPcmOutput(QObject* parent = nullptr);
    ~QtPcmOutput() override;

    void start(const Pcm& pcm) override;
    void stop() override;

private:
    void noteState(QAudio::Error error);

    QBuffer m_buffer;
    std::unique_ptr<QAudioSink> m_sink;
    bool m_failing = false;
};
