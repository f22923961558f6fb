// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_framer.h"

#include <utility>

QList<QByteArray> RecordFramer::feed(QByteArrayView bytes)
{
    QList<QByteArray> records;
    for (const char byte : bytes) {
        const LineEnds::Byte kind = m_lineEnds.classify(byte);
        if (kind == LineEnds::Byte::PartOfLineEnd)
            continue;
        if (kind == LineEnds::Byte::LineEnd) {
            if (!m_pending.isEmpty())
                records.append(std::exchange(m_pending, {}));
            continue;
        }
        m_pending.append(byte);
        if (m_pending.size() >= MaxPending)
            records.append(std::exchange(m_pending, {}));
    }
    return records;
}

std::optional<QByteArray> RecordFramer::takePending()
{
    if (m_pending.isEmpty())
        return std::nullopt;
    return std::exchange(m_pending, {});
}

void RecordFramer::clear()
{
    m_pending.clear();
    m_lineEnds.reset();
}
