// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// The one-line summary of the last telegram, for the tray icon's tooltip.
class TelegramSummary final : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    const QString& text() const { return m_text; }
    void setText(const QString& text)
    {
        m_text = text;
        emit changed();
    }

signals:
    void changed();

private:
    QString m_text;
};
