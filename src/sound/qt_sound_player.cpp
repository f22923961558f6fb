#include "qt_sound_player.h"

#include "audio/threaded_pcm_output.h"
#include "qt_pcm_output.h"

// Qt's PulseAudio connection blocks the thread that uses it while it
// connects, for as long as a server that accepts and does not answer keeps
// it waiting: that is the sound's own thread, not the window's.
QtSoundPlayer::QtSoundPlayer(QObject* parent)
    : PcmSoundPlayer(
          std::make_unique<ThreadedPcmOutput>([] { return std::make_unique<QtPcmOutput>(); }),
          parent)
{
}
