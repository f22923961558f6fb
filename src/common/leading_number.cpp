// SPDX-License-Identifier: GPL-3.0-or-later
#include "leading_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool isSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Walks the text while skipping the characters that are ignored anywhere.
class Cursor
{
public:
    explicit Cursor(QStringView text) : m_text(text) { skip(); }
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text[m_pos]; }
    void advance()
    {
        ++m_pos;
        skip();
    }

private:
    void skip()
    {
        while (m_pos < m_text.size() && isSkipped(m_text[m_pos]))
            ++m_pos;
    }
    QStringView m_text;
    qsizetype m_pos = 0;
};

int radixDigit(QChar c, int radix)
{
    const char16_t u = c.toLower().unicode();
    int digit = -1;
    if (u >= u'0' && u <= u'9')
        digit = u - u'0';
    else if (u >= u'a' && u <= u'f')
        digit = u - u'a' + 10;
    return digit < radix ? digit : -1;
}

double parseRadix(Cursor& cur, int radix)
{
    double value = 0;
    for (int digit = radixDigit(cur.peek(), radix); digit >= 0;
         digit = radixDigit(cur.peek(), radix)) {
        value = value * radix + digit;
        cur.advance();
    }
    return value;
}

// Converts the collected decimal text; from_chars is locale-independent, which
// matters because Qt switches the C locale to the user's at start-up.
double convertDecimal(const std::string& text, long long significantExponent)
{
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const bool negative = !text.empty() && text.front() == '-';
        if (significantExponent > 0)
            return negative ? -std::numeric_limits<double>::infinity()
                            : std::numeric_limits<double>::infinity();
        return negative ? -0.0 : 0.0;
    }
    return value;
}

} // namespace

double parseLeadingNumber(QStringView text)
{
    Cursor cur(text);
    if (cur.peek() == u'&') {
        cur.advance();
        const QChar marker = cur.peek().toUpper();
        if (marker == u'H' || marker == u'O') {
            cur.advance();
            return parseRadix(cur, marker == u'H' ? 16 : 8);
        }
        return 0;
    }

    std::string number;
    if (cur.peek() == u'+' || cur.peek() == u'-') {
        if (cur.peek() == u'-')
            number += '-';
        cur.advance();
    }
    long long integerDigits = 0;
    bool anyDigit = false;
    bool leading = true;
    for (; isDigit(cur.peek()); cur.advance()) {
        anyDigit = true;
        if (leading && cur.peek() == u'0')
            continue; // leading zeros carry no value and need not be kept
        leading = false;
        number += char(cur.peek().unicode());
        ++integerDigits;
    }
    if (number.empty() || number == "-")
        number += '0';
    if (cur.peek() == u'.') {
        number += '.';
        cur.advance();
        for (; isDigit(cur.peek()); cur.advance()) {
            anyDigit = true;
            number += char(cur.peek().unicode());
        }
    }
    if (!anyDigit)
        return 0;

    long long exponent = 0;
    const QChar e = cur.peek().toUpper();
    if (e == u'E' || e == u'D') {
        cur.advance();
        bool negativeExponent = false;
        if (cur.peek() == u'+' || cur.peek() == u'-') {
            negativeExponent = cur.peek() == u'-';
            cur.advance();
        }
        for (; isDigit(cur.peek()); cur.advance()) {
            if (exponent < 100000) // beyond this every double is 0 or infinite anyway
                exponent = exponent * 10 + (cur.peek().unicode() - u'0');
        }
        if (negativeExponent)
            exponent = -exponent;
        number += 'e' + std::to_string(exponent);
    }
    return convertDecimal(number, integerDigits + exponent);
}
