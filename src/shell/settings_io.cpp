#include "settings_io.h"

#include "common/tray_summary.h"
#include "form1.h"
#include "presentation/msg_form.h"
#include "settings_conversions.h"
#include "settings_store.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

const QString kServer = QStringLiteral("Server");
const QString kOptions = QStringLiteral("Einstellungen");
const QString kDatabase = QStringLiteral("Datenbank");

struct Setting
{
    const QString& section;
    const char* key;
    const char* defaultValue;
    const char16_t* control; // a text field or check box of the main window
};

// Texts and check boxes, by key.
const Setting kAddress{kServer, "Adresse", "127.0.0.1", u"txtSrv"};
const Setting kPort{kServer, "Port", "7778", u"txtSrvPort"};
const Setting kAutoConnect{kOptions, "AutoConnect", "0", u"chkAuto"};
const Setting kDatabaseLog{kOptions, "DBLogOnly",
                           "000;001;002;003;004;005;006;007;008;009;010;106;110", u"txtLogOnly"};
const Setting kDatabaseFile{kDatabase, "Datei", "FMS.mdb", u"txtDBfile"};
const Setting kPassword{kDatabase, "PW", "", u"txtPasswort"};
const Setting kMessageLog{kOptions, "MsgLogOnly",
                          "000;001;002;003;004;005;006;007;008;009;015;106;110", u"txtMsgOnly"};
const Setting kBarActive{kOptions, "MsgAktiv", "1", u"chkMsgAktiv"};
const Setting kBarOnTop{kOptions, "MsgVorne", "1", u"chkMsgVorne"};
const Setting kUnlistedVehicles{kOptions, "UnbekFMS", "1", u"chkUnbekFMS"};
const Setting kUnlistedReceivers{kOptions, "UnbekFME", "1", u"chkUnbekFME"};
const Setting kDisplayTime{kOptions, "MsgTime", "30", u"txtMsgTime"};
const Setting kTransparency{kOptions, "Transparent", "255", u"txtTransparent"};

const QString kFontName = QStringLiteral("MsgFontName");
const QString kFontSize = QStringLiteral("MsgFontSize");
const QString kFontBold = QStringLiteral("MsgFontBold");
const QString kFontItalic = QStringLiteral("MsgFontItalic");
const QString kFormInTray = QStringLiteral("FormInTray");

QString readSetting(const SettingsStore& store, const Setting& setting)
{
    return store.read(setting.section, QString::fromLatin1(setting.key),
                      QString::fromLatin1(setting.defaultValue));
}

void loadText(const SettingsStore& store, Form1& form, const Setting& setting)
{
    form.textField(setting.control).setText(readSetting(store, setting));
}

void loadCheck(const SettingsStore& store, Form1& form, const Setting& setting)
{
    form.checkBox(setting.control).setChecked(ReadCheck(readSetting(store, setting)));
}

void saveText(SettingsStore& store, const Form1& form, const Setting& setting)
{
    store.write(setting.section, QString::fromLatin1(setting.key),
                form.textField(setting.control).text());
}

void saveCheck(SettingsStore& store, const Form1& form, const Setting& setting)
{
    store.write(setting.section, QString::fromLatin1(setting.key),
                WriteCheck(form.checkBox(setting.control).isChecked()));
}

FontChoice readFont(const SettingsStore& store)
{
    FontChoice font;
    font.family = store.read(kOptions, kFontName, QStringLiteral("Arial"));
    font.pointSize = ReadSize(store.read(kOptions, kFontSize, QStringLiteral("10"))).value_or(10);
    font.bold = ReadTruth(store.read(kOptions, kFontBold, QStringLiteral("0"))).value_or(false);
    font.italic = ReadTruth(store.read(kOptions, kFontItalic, QStringLiteral("0"))).value_or(false);
    return font;
}

} // namespace

void LoadSettings(const SettingsStore& store, Form1& form, MsgForm& bar, TraySummary& tray,
                  const std::function<void()>& afterAddress)
{
    loadText(store, form, kAddress);
    afterAddress();
    loadText(store, form, kPort);
    loadCheck(store, form, kAutoConnect);
    loadText(store, form, kDatabaseFile);
    loadText(store, form, kPassword);
    loadText(store, form, kDatabaseLog);
    loadText(store, form, kMessageLog);
    loadText(store, form, kDisplayTime);
    loadCheck(store, form, kBarActive);
    loadCheck(store, form, kBarOnTop);
    loadCheck(store, form, kUnlistedReceivers);
    loadCheck(store, form, kUnlistedVehicles);
    loadText(store, form, kTransparency);
    for (BarLabel label :
         {BarLabel::Time, BarLabel::Line, BarLabel::Sprechwunsch, BarLabel::Spricht})
        bar.setLabelFont(label, readFont(store));
    tray.FormInTray = ReadFlag(store.read(kOptions, kFormInTray, QStringLiteral("1")));
}

void SaveSettings(SettingsStore& store, const Form1& form, const MsgForm& bar,
                  const TraySummary& tray)
{
    saveText(store, form, kAddress);
    saveText(store, form, kPort);
    saveCheck(store, form, kAutoConnect);
    saveText(store, form, kDatabaseLog);
    saveText(store, form, kDatabaseFile);
    saveText(store, form, kPassword);
    saveText(store, form, kMessageLog);
    saveCheck(store, form, kBarActive);
    saveCheck(store, form, kBarOnTop);
    saveCheck(store, form, kUnlistedVehicles);
    saveCheck(store, form, kUnlistedReceivers);
    saveText(store, form, kDisplayTime);
    saveText(store, form, kTransparency);
    const FontChoice font = bar.labelFont(BarLabel::Line);
    store.write(kOptions, kFontName, font.family);
    store.write(kOptions, kFontSize, WriteSize(font.pointSize));
    store.write(kOptions, kFontBold, WriteTruth(font.bold));
    store.write(kOptions, kFontItalic, WriteTruth(font.italic));
    store.write(kOptions, kFormInTray, WriteCheck(tray.FormInTray));
    store.flush();
}
