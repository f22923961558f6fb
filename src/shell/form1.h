#pragma once

#include "connection/connection_manager.h"
#include "connection/connection_view.h"
#include "form1_services.h"
#include "presentation/live_options.h"
#include "presentation/telegram_presenter.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QWidget>
#include <memory>

class Clock;
class Dialogs;
class FrmSysTray;
class MsgForm;
struct ProgramData;
class QLabel;
class QPushButton;

// The main window "Kaldrin": the settings controls, which are the working
// configuration while the program runs, and the wiring of their reactions.
class Form1 : public QWidget, public ConnectionView, public LiveOptions
{
    Q_OBJECT

public:
    Form1(ProgramData& data, const Form1Services& services, QWidget* parent = nullptr);
    ~Form1() override;

    ConnectionManager& connection() { return m_connection; }
    MsgForm& msgForm() { return *m_msgForm; }
    TelegramPresenter& telegrams() { return m_telegrams; }
    // The tray component; exists from start-up on.
    FrmSysTray* FormSys() { return m_formSys.get(); }

    // Start-up: status tables, name lists from `listFolder`, the reconnect
    // timer, the settings with the command-line address, the tray icon and
    // the message bar. Nothing connects here.
    void Form_Load(const QString& listFolder);
    // The orderly shut-down: settings saved, tray icon removed, the server
    // asked to close, the process ended. Runs once, however it is reached.
    void Form_Unload();

    QLineEdit& textField(const char16_t* name) const;
    QCheckBox& checkBox(const char16_t* name) const;

    void txtMsgTime_Change();
    void txtTransparent_Change();
    void cmdLoadDB_Click();
    void chkMsgAktiv_Click();
    void chkMsgVorne_Click();
    void cmdMsgSchrift_Click();
    void chkSysTray_Click();
    void FormSys_Click(QString& clickWhat);
    void Form_Resize();

    // ConnectionView
    QString serverAddressText() const override;
    QString serverPortText() const override;
    bool autoConnectChecked() const override;
    void showStatus(const QString& caption, std::optional<Rgb> colour) override;
    void setStatusButtonCaption(const QString& caption) override;

    // LiveOptions
    bool messageBarActive() const override;
    bool messageBarOnTop() const override;
    QString displayTimeText() const override;
    QString messageFilterText() const override;
    bool showUnlistedVehicles() const override;
    bool showUnlistedReceivers() const override;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createTrayIcon();
    void setInitialStates();
    void connectReactions();
    template <typename T> T* control(const char16_t* name) const;

    ProgramData& m_data;
    Form1Services m_services;
    std::unique_ptr<MsgForm> m_msgForm;
    TelegramPresenter m_telegrams;
    ConnectionManager m_connection;
    std::unique_ptr<FrmSysTray> m_formSys;
    bool m_unloaded = false;
};
