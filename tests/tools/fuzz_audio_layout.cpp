// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: the head of a file given to --receive file: and audio
// through the FMS gate. The audio a head points at must lie within the
// file or run to its end; the gate hands out every whole sample once,
// holds back no more than its look-ahead, and decides the same whatever
// the pieces.
#include "audio_file.h"
#include "fms_gate.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView head(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto layout = audioLayout(head);
    if (const auto* audio = std::get_if<AudioLayout>(&layout)) {
        if (audio->offset < 0 || audio->offset > head.size() || audio->length < -1)
            std::abort();
    }
    FmsGate whole;
    FmsGate pieces;
    const qsizetype cut = size > 0 ? data[0] % (head.size() + 1) : 0;
    const QByteArray once = whole.take(head).straight + whole.flush().straight;
    QByteArray twice = pieces.take(head.first(cut)).straight;
    if (pieces.held() >= 2 * FmsGate::WindowSamples * (FmsGate::AheadWindows + 2))
        std::abort();
    twice += pieces.take(head.sliced(cut)).straight + pieces.flush().straight;
    if (once.size() != (head.size() & ~qsizetype(1)) || twice != once)
        std::abort();
    return 0;
}
