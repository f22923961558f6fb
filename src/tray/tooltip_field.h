#pragma once

#include <QString>

// The icon's tooltip as the notification area once took it: a field of 64
// characters holding at most 63 characters of text, a NUL and blank fill.
class TooltipField
{
public:
    static constexpr qsizetype Width = 64;

    void store(const QString& text)
    {
        m_field = text.left(Width - 1) + QChar(0);
        m_field = m_field.leftJustified(Width, u' ');
    }
    // The whole field: text, NUL, blanks.
    const QString& field() const { return m_field; }
    // What the tip shows: the text up to the NUL.
    QString shown() const { return m_field.left(m_field.indexOf(QChar(0))); }

private:
    QString m_field = QString(QChar(0)).leftJustified(Width, u' ');
};
