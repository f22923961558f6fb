// libFuzzer entry: the head of a file given to --receive file:. The audio
// it finds must lie within the file or run to its end.
#include "audio_file.h"

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
    return 0;
}
