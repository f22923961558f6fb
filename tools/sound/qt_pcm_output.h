// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio/pcm_output.h"

#include <QAudio>
#include <QBuffer>
#include <QObject>
#include <memory>
#include <optional>

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

signals:
    // The sound server took a sound (true) or could not (false): reported
    // first and then when it changes, not at every sound.
    void availabilityChanged(bool available);

private:
    void noteState(QAudio::Error error);

    QBuffer m_buffer;
    std::unique_ptr<QAudioSink> m_sink;
    std::optional<bool> m_available;
};
