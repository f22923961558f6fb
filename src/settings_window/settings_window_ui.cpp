// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_window_ui.h"

#include "common/twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// 8.25 pt, bold for frame captions and labels. The window was drawn in
// "MS Sans Serif", which Debian lacks; Liberation Sans keeps Arial's metrics
// and is the closest. Naming a font the system lacks costs a fallback search
// at every start.
QFont windowFont(bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSizeF(8.25);
    font.setBold(bold);
    return font;
}

// Geometry in twips, relative to the parent.
struct Twips
{
    int left, top, width, height;
};

template <typename Control>
Control* place(Control* control, const char16_t* name, Twips at, bool boldFont = false)
{
    control->setObjectName(QString::fromUtf16(name));
    // Qt does not expose object names over AT-SPI; descriptions it does.
    control->setAccessibleDescription(QString::fromUtf16(name));
    control->setFont(windowFont(boldFont));
    control->setGeometry(twipsToPixels(at.left), twipsToPixels(at.top), twipsToPixels(at.width),
                         twipsToPixels(at.height));
    return control;
}

QGroupBox* frame(QWidget& parent, const char16_t* name, const char16_t* caption, Twips at)
{
    return place(new QGroupBox(QString::fromUtf16(caption), &parent), name, at, true);
}

enum class Align
{
    Left,
    Right
};

QLabel* label(QWidget* parent, const char16_t* name, const char16_t* caption, Twips at,
              Align align = Align::Right)
{
    auto* control = new QLabel(QString::fromUtf16(caption), parent);
    control->setTextFormat(Qt::PlainText);
    control->setAlignment((align == Align::Right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    return place(control, name, at, true);
}

QLineEdit* field(QWidget* parent, const char16_t* name, Twips at)
{
    return place(new QLineEdit(parent), name, at);
}

QCheckBox* checkBox(QWidget* parent, const char16_t* name, const char16_t* caption, Twips at)
{
    auto* control = new QCheckBox(QString::fromUtf16(caption), parent);
    // The geometry was laid out for a 13-pixel box with a small gap; the
    // default gap would cut "Im Vordergrund für Sek:".
    control->setStyleSheet(QStringLiteral("QCheckBox { spacing: 2px; }"));
    return place(control, name, at);
}

QPushButton* button(QWidget* parent, const char16_t* name, const char16_t* caption, Twips at)
{
    return place(new QPushButton(QString::fromUtf16(caption), parent), name, at);
}

} // namespace

void SettingsWindowUi::setupUi(QWidget& window)
{
    window.setFont(windowFont(false));

    serverFrame = frame(window, u"Frame2", u"Server", {120, 60, 4275, 615});
    addressLabel = label(serverFrame, u"Label1", u"Adresse:", {120, 240, 795, 255}, Align::Left);
    address = field(serverFrame, u"txtSrv", {960, 180, 1935, 285});
    portLabel = label(serverFrame, u"Label2", u"Port:", {3060, 240, 495, 255});
    port = field(serverFrame, u"txtSrvPort", {3600, 180, 555, 315});
    port->setMaxLength(5);

    statusFrame = frame(window, u"Frame1", u"Status", {120, 720, 4275, 915});
    status = label(statusFrame, u"lblStatus", u"Unbekannt", {120, 240, 2775, 615}, Align::Left);
    status->setWordWrap(true);
    connectButton = button(statusFrame, u"cmdStatus", u"Verbinden", {3180, 180, 1035, 315});
    autoConnect = checkBox(statusFrame, u"chkAuto", u"Autom. Verb.", {2940, 600, 1275, 195});

    barFrame = frame(window, u"Frame4", u"Telegrammleiste", {4500, 60, 3735, 1575});
    barActive = checkBox(barFrame, u"chkMsgAktiv", u"Aktiv", {120, 240, 855, 195});
    barOnTop =
        checkBox(barFrame, u"chkMsgVorne", u"Im Vordergrund für Sek:", {1020, 240, 1995, 195});
    displayTime = field(barFrame, u"txtMsgTime", {3120, 180, 375, 285});
    messageFilterLabel = label(barFrame, u"Label5", u"Log only:", {60, 540, 915, 255});
    messageFilter = field(barFrame, u"txtMsgOnly", {1020, 480, 2595, 285});
    unlistedLabel = label(barFrame, u"Label6", u"Unbekannte anzeigen:", {60, 840, 2055, 255});
    showUnlistedReceivers = checkBox(barFrame, u"chkUnbekFME", u"FME", {2160, 840, 735, 195});
    showUnlistedVehicles = checkBox(barFrame, u"chkUnbekFMS", u"FMS", {2880, 840, 735, 195});
    fontButton = button(barFrame, u"cmdMsgSchrift", u"Schrift", {180, 1140, 615, 255});
    trayIcon = checkBox(barFrame, u"chkSysTray", u"Systray Icon", {960, 1140, 1275, 195});
    transparencyLabel = label(barFrame, u"Label7", u"Transp.:", {2460, 1200, 735, 255});
    transparency = field(barFrame, u"txtTransparent", {3240, 1140, 435, 285});
    transparency->setToolTip(QStringLiteral("Werte: 0 - 255"));
    // Kept and stored, but applied nowhere: shown greyed.
    transparencyLabel->setEnabled(false);
    transparency->setEnabled(false);

    databaseFrame = frame(window, u"Frame3", u"Datenbank", {120, 1680, 4275, 1275});
    databaseFile = field(databaseFrame, u"txtDBfile", {120, 240, 3555, 315});
    databaseButton = button(databaseFrame, u"cmdLoadDB", u"!", {3780, 300, 375, 255});
    passwordLabel = label(databaseFrame, u"Label3", u"Passwort:", {120, 660, 915, 255});
    password = field(databaseFrame, u"txtPasswort", {1080, 600, 2595, 285});
    password->setEchoMode(QLineEdit::Password);
    password->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    databaseFilterLabel = label(databaseFrame, u"Label4", u"Log only:", {120, 960, 915, 255});
    databaseFilter = field(databaseFrame, u"txtLogOnly", {1080, 900, 2595, 285});
    // It lies below the fixed client area: not shown at all.
    databaseFrame->hide();

    const std::pair<QLabel*, QWidget*> buddies[] = {{addressLabel, address},
                                                    {portLabel, port},
                                                    {messageFilterLabel, messageFilter},
                                                    {unlistedLabel, showUnlistedReceivers},
                                                    {transparencyLabel, transparency},
                                                    {passwordLabel, password},
                                                    {databaseFilterLabel, databaseFilter}};
    for (const auto& [buddyLabel, control] : buddies)
        buddyLabel->setBuddy(control);

    QWidget* const tabOrder[] = {address,
                                 port,
                                 connectButton,
                                 autoConnect,
                                 databaseFile,
                                 databaseButton,
                                 password,
                                 databaseFilter,
                                 barActive,
                                 barOnTop,
                                 messageFilter,
                                 showUnlistedReceivers,
                                 showUnlistedVehicles,
                                 displayTime,
                                 fontButton,
                                 trayIcon,
                                 transparency};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}
