#include "text_lines.h"

#include "common/cp1252.h"

#include <QIODevice>

void ForEachLine(QIODevice& device, const std::function<bool(const QString&)>& take)
{
    QByteArray line;
    bool afterCarriageReturn = false;
    bool haveLine = false; // a line has begun, possibly still empty
    while (true) {
        const QByteArray chunk = device.read(16 * 1024);
        if (chunk.isEmpty())
            break;
        for (const char byte : chunk) {
            const bool lineFeedOfCrLf = byte == '\n' && afterCarriageReturn;
            afterCarriageReturn = byte == '\r';
            if (lineFeedOfCrLf)
                continue;
            if (byte == '\r' || byte == '\n') {
                if (!take(DecodeCp1252(line)))
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
        take(DecodeCp1252(line));
}
