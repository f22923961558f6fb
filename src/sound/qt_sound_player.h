#pragma once

#include "audio/pcm_sound_player.h"

// The program's sound player: the desktop's sound server through Qt Multimedia.
class QtSoundPlayer final : public PcmSoundPlayer
{
    Q_OBJECT

public:
    explicit QtSoundPlayer(QObject* parent = nullptr);
};
