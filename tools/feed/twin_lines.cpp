// SPDX-License-Identifier: GPL-3.0-or-later
#include "twin_lines.h"

#include <cstdlib>

bool TwinLines::admit(int decoder, const QByteArray& line, qint64 position)
{
    m_unmatched.removeIf(
        [&](const Seen& seen) { return std::abs(seen.position - position) > m_windowBytes; });
    for (qsizetype i = 0; i < m_unmatched.size(); ++i) {
        const Seen& seen = m_unmatched[i];
        if (seen.decoder != decoder && seen.line == line) {
            m_unmatched.removeAt(i);
            return false;
        }
    }
    if (m_unmatched.size() == MaxRemembered)
        m_unmatched.removeFirst();
    m_unmatched.append({decoder, line, position});
    return true;
}
