// SPDX-License-Identifier: GPL-3.0-or-later
#include "multimon_bridge.h"

#include "feed_records.h"

#include <type_traits>

MultimonBridge::MultimonBridge(qint64 repeatWindowMs, LineGuards guards, QObject* parent)
    : QObject(parent), m_guards(guards), m_repeats(repeatWindowMs)
{
}

void MultimonBridge::takeOutput(QByteArrayView bytes, qint64 nowMs)
{
    for (const LineSplitter::Line& line : m_splitter.feed(bytes))
        takeLine(line, nowMs);
}

void MultimonBridge::endOutput()
{
    if (m_splitter.endInput())
        lineCut();
}

void MultimonBridge::takeLine(const LineSplitter::Line& line, qint64 nowMs)
{
    if (line.tooLong)
        ignore(IgnoredLine::TooLong, line.text);
    else
        read(line.text, nowMs);
}

void MultimonBridge::read(const QByteArray& line, qint64 nowMs)
{
    std::visit(
        [&](const auto& decoded) {
            using Decoded = std::decay_t<decltype(decoded)>;
            if constexpr (std::is_same_v<Decoded, IgnoredLine>) {
                ignore(decoded, line);
            } else if constexpr (std::is_same_v<Decoded, FiveToneLine>) {
                if (decoded.repaired)
                    emit lineRepaired(line);
                for (const ZveiCall& call : decoded.calls)
                    send(buildRecord(call), line, nowMs);
            } else {
                send(buildRecord(decoded), line, nowMs);
            }
        },
        readDecoderLine(line, m_guards));
}

void MultimonBridge::send(const QByteArray& record, const QByteArray& line, qint64 nowMs)
{
    // The same record is the same alarm: a POCSAG page to another
    // sub-address or an FMS status with other tactical info is not.
    if (m_repeats.admit(record, nowMs))
        emit recordDecoded(record);
    else
        ignore(IgnoredLine::Repeat, line);
}

void MultimonBridge::ignore(IgnoredLine reason, const QByteArray& line)
{
    ++m_ignored[std::size_t(reason)];
    emit lineIgnored(reason, line);
}
