#pragma once

#include <QObject>
#include <QString>

// The program-wide tray state: whether the icon is wanted (FormInTray) and
// the one-line summary of the last telegram (TrayText) for its tooltip.
class TraySummary : public QObject
{
    Q_OBJECT

public:
    bool FormInTray = false;

    const QString& TrayText() const { return m_trayText; }
    void setTrayText(const QString& text)
    {
        m_trayText = text;
        emit trayTextWritten();
    }

signals:
    void trayTextWritten();

private:
    QString m_trayText;
};
