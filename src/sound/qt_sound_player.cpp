#include "qt_sound_player.h"

#include "qt_pcm_output.h"

// Qt's PulseAudio connection lives on the thread that first plays: the
// window's, as Qt Multimedia expects (run on a thread of its own, it
// corrupted memory when the server went away).
QtSoundPlayer::QtSoundPlayer(QObject* parent)
    : PcmSoundPlayer(std::make_unique<QtPcmOutput>(), parent)
{
}
