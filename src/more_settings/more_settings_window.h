// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QTabWidget;

// "Weitere Einstellungen": what the program can do beyond the settings
// window, one tab per subject. The subjects bring their own pages.
class MoreSettingsWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit MoreSettingsWindow(QWidget* parent = nullptr);

    void addPage(QWidget* page, const QString& title);
    // Shows the window, or brings it to the front when it is open already.
    void showAndRaise();

private:
    QTabWidget* m_tabs = nullptr;
};
