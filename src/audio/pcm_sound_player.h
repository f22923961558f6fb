// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm/sound_player.h"
#include "pcm.h"
#include "pcm_output.h"
#include "wav_reader.h"

#include <QSet>
#include <array>
#include <memory>

// The player's rules, whatever plays the samples: the built-in sounds ready
// from the start, files read away from the calling thread, the gong for a
// file that cannot be played (logged once per file), one sound at a time.
class PcmSoundPlayer : public SoundPlayer
{
    Q_OBJECT

public:
    explicit PcmSoundPlayer(std::unique_ptr<PcmOutput> output, QObject* parent = nullptr);
    ~PcmSoundPlayer() override;

    void play(const AlarmSound& sound) override;
    void stop() override;

private:
    void playRead(const QString& path, const WavReader::Result& read);

    std::unique_ptr<PcmOutput> m_output;
    std::array<Pcm, 3> m_builtIn;
    // Counts play and stop calls: a file read that finishes after a newer
    // call plays nothing.
    quint64 m_request = 0;
    QSet<QString> m_reported;
};
