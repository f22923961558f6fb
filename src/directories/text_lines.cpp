// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_lines.h"

#include "common/cp1252.h"
#include "common/line_ends.h"

#include <QIODevice>

void forEachLine(QIODevice& device, const std::function<bool(const QString&)>& take)
{
    QByteArray line;
    LineEnds lineEnds;
    bool haveLine = false; // a line has begun, possibly still empty
    while (true) {
        const QByteArray chunk = device.read(16 * 1024);
        if (chunk.isEmpty())
            break;
        for (const char byte : chunk) {
            const LineEnds::Byte kind = lineEnds.classify(byte);
            if (kind == LineEnds::Byte::PartOfLineEnd)
                continue;
            if (kind == LineEnds::Byte::LineEnd) {
                if (!take(decodeCp1252(line)))
                    return;
                line.clear();
                haveLine = false;
                continue;
            }
            haveLine = true;
            if (line.size() < MaxLineLength)
                line.append(byte);
        }
    }
    if (haveLine)
        take(decodeCp1252(line));
}
