// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: arbitrary bytes through the framer and the decoders.
#include "common/cp1252.h"
#include "connection/record_framer.h"
#include "connection/telegram_intake.h"
#include "support/recording_sink.h"
#include "telegram/telegram_sink.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    RecordingSink sink;
    RecordFramer framer;
    for (const QByteArray& record : framer.feed(bytes))
        classifyTelegram({decodeCp1252(record), {}}, sink);
    if (const auto rest = framer.takePending())
        classifyTelegram({decodeCp1252(*rest), {}}, sink);
    classifyTelegram({decodeCp1252(bytes), {}}, sink);
    return 0;
}
