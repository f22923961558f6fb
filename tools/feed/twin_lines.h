// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

// The two FMS decoders read the same telegrams and mostly both decode
// them. A line passes unless the other decoder gave the same line, not yet
// matched, for audio at most the window away: positions are the bytes of
// audio each decoder had been given when its line came. A line matches
// one twin only, so a telegram sent twice comes out twice. Memory stays
// bounded.
class TwinLines
{
public:
    static constexpr qsizetype MaxRemembered = 64;

    explicit TwinLines(qint64 windowBytes) : m_windowBytes(windowBytes) {}

    bool admit(int decoder, const QByteArray& line, qint64 position);

private:
    struct Seen
    {
        int decoder;
        QByteArray line;
        qint64 position;
    };

    qint64 m_windowBytes;
    QList<Seen> m_unmatched;
};
