#include "qt_sound_player.h"

#include "qt_pcm_output.h"

QtSoundPlayer::QtSoundPlayer(QObject* parent)
    : PcmSoundPlayer(std::make_unique<QtPcmOutput>(), parent)
{
}
