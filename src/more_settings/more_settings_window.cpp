// SPDX-License-Identifier: GPL-3.0-or-later
#include "more_settings_window.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

MoreSettingsWindow::MoreSettingsWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("MoreSettingsWindow"));
    setWindowTitle(QStringLiteral("Weitere Einstellungen"));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buttons);
}

void MoreSettingsWindow::addPage(QWidget* page, const QString& title)
{
    m_tabs->addTab(page, title);
}

void MoreSettingsWindow::showAndRaise()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}
