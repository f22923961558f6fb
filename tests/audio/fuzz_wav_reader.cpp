// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/wav_reader.h"

#include <cstdint>

// WAV files come from users: any bytes are refused or read, never more.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const WavReader::Result result =
        WavReader::decode(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (result.pcm.isEmpty() == result.problem.isEmpty())
        __builtin_trap();
    if (result.pcm.samples.size() > 2 * qsizetype(size))
        __builtin_trap();
    return 0;
}
