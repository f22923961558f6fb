// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tray_service.h"

#include <QPointer>
#include <QSystemTrayIcon>

// The notification area through QSystemTrayIcon. On an X11 tray the icon is
// an embedded widget whose own mouse events are watched, so every event,
// movement included, is reported; elsewhere (a StatusNotifierItem tray over
// D-Bus) only activations arrive and are mapped to the nearest events.
class QtTrayService final : public TrayService
{
    Q_OBJECT

public:
    explicit QtTrayService(QObject* parent = nullptr);

    void show(const QIcon& image, const QString& tip) override;
    void update(const QIcon& image, const QString& tip) override;
    void hide() override;
    bool reportsMouseMovement() const override { return !m_iconWidget.isNull(); }
    bool isAvailable() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void watchIconWidget();

    QSystemTrayIcon m_icon;
    QPointer<QWidget> m_iconWidget;
};
