#include "multimon_bridge.h"

#include "feed_records.h"

#include <type_traits>

namespace {

// What makes two telegrams the same alarm.
QString repeatKey(const ZveiCall& call)
{
    return QStringLiteral("ZVEI ") + call.code;
}

QString repeatKey(const PocsagPage& page)
{
    return QStringLiteral("POC ") + QString::number(page.address) + u'\t' + page.text;
}

QString repeatKey(const FmsReport& report)
{
    return QStringLiteral("FMS ") + report.id + u'\t' + QString::number(report.status) + u'\t' +
           QString::number(int(report.direction));
}

} // namespace

MultimonBridge::MultimonBridge(qint64 repeatWindowMs, QObject* parent)
    : QObject(parent), m_repeats(repeatWindowMs)
{
}

void MultimonBridge::takeOutput(QByteArrayView bytes, qint64 nowMs)
{
    for (const LineSplitter::Line& line : m_splitter.feed(bytes)) {
        if (line.tooLong)
            ignore(IgnoredLine::TooLong, line.text);
        else
            takeLine(line.text, nowMs);
    }
}

void MultimonBridge::endOutput()
{
    if (m_splitter.endInput())
        ignore(IgnoredLine::CutOff, QByteArray());
}

void MultimonBridge::takeLine(const QByteArray& line, qint64 nowMs)
{
    std::visit(
        [&](const auto& decoded) {
            using Decoded = std::decay_t<decltype(decoded)>;
            if constexpr (std::is_same_v<Decoded, IgnoredLine>)
                ignore(decoded, line);
            else if (!m_repeats.admit(repeatKey(decoded), nowMs))
                ignore(IgnoredLine::Repeat, line);
            else
                emit recordDecoded(buildRecord(decoded));
        },
        readDecoderLine(line));
}

void MultimonBridge::ignore(IgnoredLine reason, const QByteArray& line)
{
    ++m_ignored[std::size_t(reason)];
    emit lineIgnored(reason, line);
}
