// SPDX-License-Identifier: GPL-3.0-or-later
#include "line_splitter.h"

#include <utility>

QList<LineSplitter::Line> LineSplitter::feed(QByteArrayView bytes)
{
    QList<Line> lines;
    for (const char byte : bytes) {
        const LineEnds::Byte kind = m_lineEnds.classify(byte);
        if (kind == LineEnds::Byte::PartOfLineEnd)
            continue;
        if (kind == LineEnds::Byte::LineEnd) {
            if (m_skipping)
                lines.append({QByteArray(), true});
            else if (!m_pending.isEmpty())
                lines.append({std::exchange(m_pending, {}), false});
            m_skipping = false;
            continue;
        }
        if (m_skipping)
            continue;
        m_pending.append(byte);
        if (m_pending.size() > MaxLine) {
            m_pending.clear();
            m_skipping = true;
        }
    }
    return lines;
}

bool LineSplitter::endInput()
{
    const bool unfinished = m_skipping || !m_pending.isEmpty();
    m_pending.clear();
    m_skipping = false;
    m_lineEnds.reset();
    return unfinished;
}
