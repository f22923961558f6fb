// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui_common/window_state.h"
#include "tray_service.h"

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QTimer>

class Dialogs;
class QAction;
class QMenu;
class QWidget;

// The program's icon in the notification area: its image, its tooltip,
// flashing to draw attention, and the pop-up menu whose commands act on the
// host window (the settings window). It follows the host: it remembers the
// host's last state other than minimised, and leaves when the host closes.
class TrayIcon final : public QObject
{
    Q_OBJECT

public:
    static constexpr int FlashInterval = 400;
    static constexpr qsizetype MaxToolTipLength = 63;

    TrayIcon(TrayService& service, Dialogs& dialogs, const QIcon& image,
             const QString& executableName, QWidget& host, QObject* parent = nullptr);
    ~TrayIcon() override;

    void setVisible(bool visible);
    // Longer tips are cut, as the notification area always did.
    void setToolTip(const QString& text);
    // Alternates between the two images until stopped.
    void startFlashing();
    // Not while an alarm is open: that flashes until it is acknowledged.
    void stopFlashing();
    // The icon flashes and "Alarm quittieren" can be chosen while an alarm is open.
    void setAlarmOpen(bool open);
    // A warning image instead of the normal one while reception has failed.
    void setWarning(bool warning);

signals:
    // Every mouse activity over the icon, before the icon's own reaction.
    void mouseEvent(TrayMouseEvent event);
    void historyRequested();
    void statusBoardRequested();
    void moreSettingsRequested();
    void alarmRulesRequested();
    void alarmAcknowledgeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onMouse(TrayMouseEvent event);
    void updateAvailability();
    void showAbout();
    void maximizeHost();
    void restoreHost();
    void minimizeHost();
    void flash();
    void showImage(const QIcon& image);
    const QIcon& restingImage() const { return m_warning ? m_warningImage : m_normalImage; }

    TrayService& m_service;
    Dialogs& m_dialogs;
    QPointer<QWidget> m_host;
    WindowState m_lastHostState = WindowState::Normal;
    const QIcon m_normalImage;
    const QIcon m_flashImage;
    const QIcon m_warningImage;
    bool m_warning = false;
    bool m_alarmOpen = false;
    QIcon m_image;
    QString m_toolTip;
    QTimer m_flashTimer;
    bool m_flashPhase = false;
    QMenu* m_menu = nullptr;
    QAction* m_maximize = nullptr;
    QAction* m_restore = nullptr;
    QAction* m_minimize = nullptr;
    QAction* m_acknowledge = nullptr;
};
