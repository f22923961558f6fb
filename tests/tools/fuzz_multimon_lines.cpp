// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: arbitrary decoder output through the bridge, its guards
// on or loosened. Every record it sends must be one line and one telegram
// for the intake.
#include "common/cp1252.h"
#include "connection/telegram_intake.h"
#include "multimon_bridge.h"
#include "support/recording_sink.h"
#include "telegram/telegram_sink.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView output(reinterpret_cast<const char*>(data), qsizetype(size));
    const bool loose = size > 0 && (data[0] & 0x80) != 0;
    MultimonBridge bridge(10000, LineGuards{loose, loose});
    QObject::connect(&bridge, &MultimonBridge::recordDecoded, [](const QByteArray& record) {
        RecordingSink sink;
        classifyTelegram({decodeCp1252(record), {}}, sink);
        if (sink.calls.size() != 1 || record.contains('\r') || record.contains('\n'))
            std::abort();
    });
    // In two reads, as a pipe may deliver it; the second a few seconds later.
    const qsizetype cut = size > 0 ? data[0] % (output.size() + 1) : 0;
    bridge.takeOutput(output.first(cut), 0);
    bridge.takeOutput(output.sliced(cut), 5000);
    bridge.endOutput();
    return 0;
}
