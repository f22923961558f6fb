#pragma once

#include "common/cp1252.h"
#include "connection/telegram_intake.h"
#include "multimon_bridge.h"
#include "support/recording_sink.h"

// What the intake makes of each record the bridge sends for `output`, fed
// in small pieces as a pipe would deliver it.
inline QStringList desksSee(MultimonBridge& bridge, QByteArrayView output, qint64 nowMs = 0)
{
    RecordingSink sink;
    int records = 0;
    const auto connection =
        QObject::connect(&bridge, &MultimonBridge::recordDecoded, [&](const QByteArray& record) {
            ++records;
            classifyTelegram(decodeCp1252(record), sink);
        });
    constexpr qsizetype kPiece = 7;
    for (qsizetype i = 0; i < output.size(); i += kPiece)
        bridge.takeOutput(output.sliced(i, qMin(kPiece, output.size() - i)), nowMs);
    QObject::disconnect(connection);
    if (sink.calls.size() != records)
        return {QStringLiteral("a record the intake does not read")};
    return sink.calls;
}
