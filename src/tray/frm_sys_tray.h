#pragma once

#include "tooltip_field.h"

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstdint>

class Dialogs;
class NotifyAreaService;
class QAction;
class QMenu;
class QWidget;

// The notification-area icon of a host window: image, tooltip, flashing,
// click codes from the mouse, and the pop-up menu with the window commands.
class FrmSysTray : public QObject
{
    Q_OBJECT

public:
    static constexpr int FlashInterval = 400;

    FrmSysTray(NotifyAreaService& service, Dialogs& dialogs, const QString& executableName,
               QObject* parent = nullptr);
    ~FrmSysTray() override;

    // The load sequence: the icon is added at once, with the executable's name as tip.
    void Load();

    QWidget* FSys() const { return m_host; }
    void setFSys(QWidget* host);

    std::int16_t LastWindowState = 0;
    bool FlashPhase = false;
    QTimer TmrFlash;
    const QIcon Flash1;
    const QIcon Flash2;

    void setTooltip(const QString& text) { m_tooltip.store(text); }
    QString Tooltip() const { return m_tooltip.field(); }
    void setInterval(std::int16_t milliseconds);
    std::int16_t Interval() const { return std::int16_t(TmrFlash.interval()); }
    // A picture: shown steadily.
    void setTrayIcon(const QIcon& picture);
    // Another window's icon, shown steadily.
    void setTrayIconFrom(const QWidget& source);
    // "DEFAULT" (any case) starts flashing; any other text is a picture file,
    // and the icon flashes on from it. Failures fall back to flashing.
    void setTrayIcon(const QString& source);
    QIcon currentIcon() const { return m_icon; }

    void MeShow();
    void MeHide();
    void MeModify();
    void MeQueryUnload(QWidget& window, std::int16_t& cancel, std::int16_t unloadMode);
    void MeResize(QWidget& window);

    QMenu& mPopupMenu() { return *m_menu; }
    QAction& mAbout() { return *m_about; }
    QAction& mMaximize() { return *m_maximize; }
    QAction& mRestore() { return *m_restore; }
    QAction& mMinimize() { return *m_minimize; }
    QAction& mTelegramml() { return *m_telegramList; }
    QAction& mExit() { return *m_exit; }

    void mAbout_Click();
    void mMaximize_Click();
    void mRestore_Click();
    void mMinimize_Click();
    void mExit_Click();
    // Sets the window commands' availability from the host's state.
    void updateAvailability();

    // One mouse report of the notification area.
    void onMouse(int code);

signals:
    void Click(QString& clickWhat);
    void TIcon(FrmSysTray* component);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Notify
    {
        Add = 0,
        Modify = 1,
        Delete = 2
    };
    void TrayNotify(Notify message);
    void replaceIcon(const QIcon& icon);
    void flashTick();
    void buildMenu();

    NotifyAreaService& m_service;
    Dialogs& m_dialogs;
    QString m_executableName;
    QPointer<QWidget> m_host;
    QIcon m_icon;
    TooltipField m_tooltip;
    QMenu* m_menu = nullptr;
    QAction* m_about = nullptr;
    QAction* m_maximize = nullptr;
    QAction* m_restore = nullptr;
    QAction* m_minimize = nullptr;
    QAction* m_telegramList = nullptr;
    QAction* m_exit = nullptr;
};
