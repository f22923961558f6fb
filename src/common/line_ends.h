// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Tells the line ends in a byte stream, also across reads: CR, LF and
// CR LF each end one line; the LF of a CR LF belongs to the line end.
class LineEnds
{
public:
    enum class Byte
    {
        Text,
        LineEnd,
        PartOfLineEnd
    };

    Byte classify(char byte)
    {
        const bool lineFeedOfCrLf = byte == '\n' && m_afterCarriageReturn;
        m_afterCarriageReturn = byte == '\r';
        if (lineFeedOfCrLf)
            return Byte::PartOfLineEnd;
        return byte == '\r' || byte == '\n' ? Byte::LineEnd : Byte::Text;
    }

    void reset() { m_afterCarriageReturn = false; }

private:
    bool m_afterCarriageReturn = false;
};
