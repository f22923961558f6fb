#include "form1.h"

#include "command_line.h"
#include "common/dialogs.h"
#include "directories/list_load_context.h"
#include "directories/name_lists.h"
#include "number_fields.h"
#include "presentation/load_announcer.h"
#include "presentation/msg_form.h"
#include "presentation/program_data.h"
#include "presentation/text_colour.h"
#include "presentation/window_layer.h"
#include "settings_io.h"
#include "settings_store.h"
#include "settings_window_controls.h"
#include "settings_window_layout.h"
#include "tray/frm_sys_tray.h"
#include "tray/notify_area_service.h"
#include "tray/window_state.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

Form1::Form1(ProgramData& data, const Form1Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_data(data), m_services(services), m_msgForm(std::make_unique<MsgForm>(*this)),
      m_telegrams(data.directories, data.statusTables, data.tray, *this, *m_msgForm,
                  services.clock),
      m_connection(*this, m_telegrams)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kaldrin"));
    setFont(SettingsWindowFont(false));
    setFixedSize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);
    CreateSettingsWindowControls(*this);
    setInitialStates();
    connectReactions();
}

Form1::~Form1() = default;

template <typename T> T* Form1::control(const char16_t* name) const
{
    return findChild<T*>(Name(name));
}

void Form1::Form_Load(const QString& listFolder)
{
    m_data.statusTables.FillDefaults();
    LoadAnnouncer announcer(*this, *m_msgForm, m_services.clock);
    ListLoadContext lists{m_data.directories, listFolder, m_services.dialogs,
                          [&announcer](const QString& message) { announcer.announce(message); }};
    LoadNameLists(m_data.statusTables, lists);
    if (autoConnectChecked())
        m_connection.Timer1().start();
    else
        m_connection.Timer1().stop();
    LoadSettings(m_services.settings, *this, *m_msgForm, m_data.tray, [this] {
        if (const auto address = CommandLineAddress(m_services.commandLine))
            textField(u"txtSrv").setText(*address);
    });
    createTrayIcon();
    checkBox(u"chkSysTray").setChecked(m_data.tray.FormInTray);
    if (messageBarActive())
        m_msgForm->show();
    if (messageBarOnTop())
        SetTopmost(*m_msgForm);
}

void Form1::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    SaveSettings(m_services.settings, *this, *m_msgForm, m_data.tray);
    if (m_data.tray.FormInTray && m_formSys)
        m_formSys->MeHide();
    m_connection.SayGoodbye();
    m_msgForm->hide();
    if (m_services.endProcess)
        m_services.endProcess();
}

void Form1::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void Form1::createTrayIcon()
{
    m_formSys = std::make_unique<FrmSysTray>(m_services.notifyArea, m_services.dialogs,
                                             m_services.executableName);
    connect(m_formSys.get(), &FrmSysTray::Click, this, &Form1::FormSys_Click);
    m_formSys->Load();
    m_formSys->setFSys(this);
    m_formSys->TmrFlash.stop();
    m_formSys->setTooltip(QStringLiteral("Halvorn Client"));
    if (!m_data.tray.FormInTray)
        m_formSys->MeHide();
    m_formSys->MeModify();
    // Where the tray cannot report the mouse resting on the icon, the tip
    // follows each telegram so that hovering shows the last one.
    connect(&m_data.tray, &TraySummary::trayTextWritten, this, [this] {
        if (!m_services.notifyArea.reportsMouseMovement()) {
            m_formSys->setTooltip(m_data.tray.TrayText());
            m_formSys->MeModify();
        }
    });
}

QLineEdit& Form1::textField(const char16_t* name) const
{
    return *control<QLineEdit>(name);
}

QCheckBox& Form1::checkBox(const char16_t* name) const
{
    return *control<QCheckBox>(name);
}

void Form1::setInitialStates()
{
    for (const char16_t* name : {u"chkAuto", u"chkMsgAktiv", u"chkMsgVorne", u"chkUnbekFME",
                                 u"chkUnbekFMS", u"chkSysTray"})
        control<QCheckBox>(name)->setChecked(true);
    control<QLineEdit>(u"txtSrv")->setText(QStringLiteral("127.0.0.1"));
    control<QLineEdit>(u"txtSrvPort")->setText(QStringLiteral("7778"));
    control<QLineEdit>(u"txtMsgTime")->setText(QStringLiteral("30"));
    m_connection.Timer1().start(); // design state: enabled
}

void Form1::connectReactions()
{
    connect(control<QPushButton>(u"cmdStatus"), &QPushButton::clicked, &m_connection,
            &ConnectionManager::cmdStatus_Click);
    connect(control<QCheckBox>(u"chkAuto"), &QCheckBox::toggled, &m_connection,
            &ConnectionManager::chkAuto_Click);
    connect(control<QLineEdit>(u"txtMsgTime"), &QLineEdit::textChanged, this,
            &Form1::txtMsgTime_Change);
    connect(control<QLineEdit>(u"txtTransparent"), &QLineEdit::textChanged, this,
            &Form1::txtTransparent_Change);
    connect(control<QPushButton>(u"cmdLoadDB"), &QPushButton::clicked, this,
            &Form1::cmdLoadDB_Click);
    connect(control<QCheckBox>(u"chkMsgAktiv"), &QCheckBox::toggled, this,
            &Form1::chkMsgAktiv_Click);
    connect(control<QCheckBox>(u"chkMsgVorne"), &QCheckBox::toggled, this,
            &Form1::chkMsgVorne_Click);
    connect(control<QPushButton>(u"cmdMsgSchrift"), &QPushButton::clicked, this,
            &Form1::cmdMsgSchrift_Click);
    connect(control<QCheckBox>(u"chkSysTray"), &QCheckBox::toggled, this, &Form1::chkSysTray_Click);
}

void Form1::txtMsgTime_Change()
{
    auto* field = control<QLineEdit>(u"txtMsgTime");
    if (const auto replacement = LimitDisplayTime(field->text()))
        field->setText(*replacement);
}

void Form1::txtTransparent_Change()
{
    auto* field = control<QLineEdit>(u"txtTransparent");
    if (const auto replacement = LimitTransparency(field->text()))
        field->setText(*replacement);
}

void Form1::cmdLoadDB_Click()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Datenbank Auswählen");
    request.filters = {QStringLiteral("Alle Dateien (*.*)"),
                       QStringLiteral("Access-Dateien (*.mdb)")};
    request.selectedFilter = request.filters[1];
    request.proposedName = QStringLiteral("FMS.mdb");
    if (const auto chosen = m_services.dialogs.chooseExistingFile(request))
        control<QLineEdit>(u"txtDBfile")->setText(*chosen);
}

void Form1::chkMsgAktiv_Click()
{
    m_msgForm->setVisible(messageBarActive());
}

void Form1::chkMsgVorne_Click()
{
    if (!messageBarActive())
        return;
    if (messageBarOnTop()) {
        m_msgForm->show();
        SetTopmost(*m_msgForm);
    } else {
        SetNotTopmost(*m_msgForm);
    }
}

void Form1::cmdMsgSchrift_Click()
{
    const FontChoice preset = m_msgForm->labelFont(BarLabel::Time);
    if (const auto chosen =
            m_services.dialogs.chooseFont(QStringLiteral("Schriftart Auswählen"), preset))
        m_msgForm->applyChosenFont(*chosen);
}

void Form1::chkSysTray_Click()
{
    const bool wanted = control<QCheckBox>(u"chkSysTray")->isChecked();
    if (m_formSys) {
        if (wanted)
            m_formSys->MeShow();
        else
            m_formSys->MeHide();
    }
    m_data.tray.FormInTray = wanted;
}

void Form1::FormSys_Click(QString& clickWhat)
{
    m_formSys->setTooltip(m_data.tray.TrayText());
    m_formSys->MeModify();
    if (clickWhat != u"LBUTTONDOWN")
        return;
    if (m_msgForm->isVisible())
        m_msgForm->hide();
    else
        m_msgForm->ShowMessageBar();
}

void Form1::Form_Resize()
{
    const int state = WindowStateNumber(*this);
    if (state == 1 && control<QCheckBox>(u"chkSysTray")->isChecked())
        QTimer::singleShot(0, this, [this] {
            if (isMinimized())
                hide(); // leaves the task bar; the tray menu brings it back
        });
    else if (state == 0)
        show();
}

void Form1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

QString Form1::serverAddressText() const
{
    return control<QLineEdit>(u"txtSrv")->text();
}

QString Form1::serverPortText() const
{
    return control<QLineEdit>(u"txtSrvPort")->text();
}

bool Form1::autoConnectChecked() const
{
    return control<QCheckBox>(u"chkAuto")->isChecked();
}

void Form1::showStatus(const QString& caption, std::optional<Rgb> colour)
{
    auto* status = control<QLabel>(u"lblStatus");
    status->setText(caption);
    if (colour)
        SetTextColour(*status, *colour);
}

void Form1::setStatusButtonCaption(const QString& caption)
{
    control<QPushButton>(u"cmdStatus")->setText(caption);
}

bool Form1::messageBarActive() const
{
    return control<QCheckBox>(u"chkMsgAktiv")->isChecked();
}

bool Form1::messageBarOnTop() const
{
    return control<QCheckBox>(u"chkMsgVorne")->isChecked();
}

QString Form1::displayTimeText() const
{
    return control<QLineEdit>(u"txtMsgTime")->text();
}

QString Form1::messageFilterText() const
{
    return control<QLineEdit>(u"txtMsgOnly")->text();
}

bool Form1::showUnlistedVehicles() const
{
    return control<QCheckBox>(u"chkUnbekFMS")->isChecked();
}

bool Form1::showUnlistedReceivers() const
{
    return control<QCheckBox>(u"chkUnbekFME")->isChecked();
}
