// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cp1252.h"
#include "trim_spaces.h"

#include <QString>
#include <QStringView>
#include <algorithm>
#include <array>

// A text of exactly N characters, as the directory records hold them:
// assigning pads with spaces or cuts, a field never assigned holds N code-0
// characters, and comparison covers all N characters exactly.
template <qsizetype N> class FixedText
{
public:
    static constexpr qsizetype Width = N;

    FixedText() { m_chars.fill(QChar(0)); }

    void assign(QStringView value)
    {
        const qsizetype used = std::min(value.size(), N);
        std::copy_n(value.begin(), used, m_chars.begin());
        std::fill(m_chars.begin() + used, m_chars.end(), QChar(u' '));
    }

    QString text() const { return QString(m_chars.data(), N); }
    QString trimmed() const { return trimSpaces(QStringView(m_chars.data(), N)); }

    bool equals(QStringView key) const
    {
        return key.size() == N && std::equal(m_chars.begin(), m_chars.end(), key.begin());
    }

    void readBytes(const char* bytes)
    {
        for (qsizetype i = 0; i < N; ++i)
            m_chars[i] = decodeCp1252(bytes[i]);
    }

    void writeBytes(char* bytes) const
    {
        const QByteArray encoded = encodeCp1252(QStringView(m_chars.data(), N));
        std::copy_n(encoded.constData(), N, bytes);
    }

    bool operator==(const FixedText&) const = default;

private:
    std::array<QChar, N> m_chars;
};
