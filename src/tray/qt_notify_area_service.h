#pragma once

#include "notify_area_service.h"

#include <QPointer>
#include <QSystemTrayIcon>

// The notification area through QSystemTrayIcon. On an X11 tray the icon is
// an embedded widget whose own mouse events are watched, so every code,
// movement included, is reported; elsewhere (a StatusNotifierItem tray over
// D-Bus) only activations arrive and are mapped to the nearest codes.
class QtNotifyAreaService final : public NotifyAreaService
{
    Q_OBJECT

public:
    explicit QtNotifyAreaService(QObject* parent = nullptr);

    void add(const QIcon& image, const QString& tip) override;
    void modify(const QIcon& image, const QString& tip) override;
    void remove() override;
    bool reportsMouseMovement() const override { return !m_iconWidget.isNull(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void watchIconWidget();

    QSystemTrayIcon m_icon;
    QPointer<QWidget> m_iconWidget;
};
