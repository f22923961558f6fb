#include "settings_window_layout.h"

#include <array>

namespace {

using K = ControlSpec::Kind;

constexpr std::array kControls{
    ControlSpec{K::Frame, u"Frame2", u"", u"Server", 120, 60, 4275, 615},
    ControlSpec{K::Label, u"Label1", u"Frame2", u"Adresse:", 120, 240, 795, 255},
    ControlSpec{K::TextField, u"txtSrv", u"Frame2", u"", 960, 180, 1935, 285},
    ControlSpec{K::RightLabel, u"Label2", u"Frame2", u"Port:", 3060, 240, 495, 255},
    ControlSpec{K::TextField, u"txtSrvPort", u"Frame2", u"", 3600, 180, 555, 315},

    ControlSpec{K::Frame, u"Frame1", u"", u"Status", 120, 720, 4275, 915},
    ControlSpec{K::Label, u"lblStatus", u"Frame1", u"Unbekannt", 120, 240, 2775, 615},
    ControlSpec{K::Button, u"cmdStatus", u"Frame1", u"Verbinden", 3180, 180, 1035, 315},
    ControlSpec{K::CheckBox, u"chkAuto", u"Frame1", u"Autom. Verb.", 2940, 600, 1275, 195},

    ControlSpec{K::Frame, u"Frame4", u"", u"Telegrammleiste", 4500, 60, 3735, 1575},
    ControlSpec{K::CheckBox, u"chkMsgAktiv", u"Frame4", u"Aktiv", 120, 240, 855, 195},
    ControlSpec{K::CheckBox, u"chkMsgVorne", u"Frame4", u"Im Vordergrund für Sek:", 1020, 240, 1995,
                195},
    ControlSpec{K::TextField, u"txtMsgTime", u"Frame4", u"", 3120, 180, 375, 285},
    ControlSpec{K::RightLabel, u"Label5", u"Frame4", u"Log only:", 60, 540, 915, 255},
    ControlSpec{K::TextField, u"txtMsgOnly", u"Frame4", u"", 1020, 480, 2595, 285},
    ControlSpec{K::RightLabel, u"Label6", u"Frame4", u"Unbekannte anzeigen:", 60, 840, 2055, 255},
    ControlSpec{K::CheckBox, u"chkUnbekFME", u"Frame4", u"FME", 2160, 840, 735, 195},
    ControlSpec{K::CheckBox, u"chkUnbekFMS", u"Frame4", u"FMS", 2880, 840, 735, 195},
    ControlSpec{K::Button, u"cmdMsgSchrift", u"Frame4", u"Schrift", 180, 1140, 615, 255},
    ControlSpec{K::CheckBox, u"chkSysTray", u"Frame4", u"Systray Icon", 960, 1140, 1275, 195},
    ControlSpec{K::RightLabel, u"Label7", u"Frame4", u"Transp.:", 2460, 1200, 735, 255},
    ControlSpec{K::TextField, u"txtTransparent", u"Frame4", u"", 3240, 1140, 435, 285},

    ControlSpec{K::Frame, u"Frame3", u"", u"Datenbank", 120, 1680, 4275, 1275},
    ControlSpec{K::TextField, u"txtDBfile", u"Frame3", u"", 120, 240, 3555, 315},
    ControlSpec{K::Button, u"cmdLoadDB", u"Frame3", u"!", 3780, 300, 375, 255},
    ControlSpec{K::RightLabel, u"Label3", u"Frame3", u"Passwort:", 120, 660, 915, 255},
    ControlSpec{K::TextField, u"txtPasswort", u"Frame3", u"", 1080, 600, 2595, 285},
    ControlSpec{K::RightLabel, u"Label4", u"Frame3", u"Log only:", 120, 960, 915, 255},
    ControlSpec{K::TextField, u"txtLogOnly", u"Frame3", u"", 1080, 900, 2595, 285},
};

constexpr std::array<const char16_t*, 17> kTabOrder{
    u"txtSrv",     u"txtSrvPort",    u"cmdStatus",   u"chkAuto",     u"txtDBfile",
    u"cmdLoadDB",  u"txtPasswort",   u"txtLogOnly",  u"chkMsgAktiv", u"chkMsgVorne",
    u"txtMsgOnly", u"chkUnbekFME",   u"chkUnbekFMS", u"txtMsgTime",  u"cmdMsgSchrift",
    u"chkSysTray", u"txtTransparent"};

} // namespace

std::span<const ControlSpec> SettingsWindowControls()
{
    return kControls;
}

std::span<const char16_t* const> SettingsWindowTabOrder()
{
    return kTabOrder;
}
