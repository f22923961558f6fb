// libFuzzer entry: arbitrary texts as the stored settings, through reading,
// the model's corrections and writing back.
#include "common/cp1252.h"
#include "shell/settings_file.h"
#include "shell/settings_model.h"
#include "support/memory_settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QStringList keys{u"Server/Adresse"_qs,
                                  u"Server/Port"_qs,
                                  u"Einstellungen/AutoConnect"_qs,
                                  u"Einstellungen/DBLogOnly"_qs,
                                  u"Datenbank/Datei"_qs,
                                  u"Datenbank/PW"_qs,
                                  u"Einstellungen/MsgLogOnly"_qs,
                                  u"Einstellungen/MsgAktiv"_qs,
                                  u"Einstellungen/MsgVorne"_qs,
                                  u"Einstellungen/UnbekFMS"_qs,
                                  u"Einstellungen/UnbekFME"_qs,
                                  u"Einstellungen/MsgTime"_qs,
                                  u"Einstellungen/Transparent"_qs,
                                  u"Einstellungen/MsgFontName"_qs,
                                  u"Einstellungen/MsgFontSize"_qs,
                                  u"Einstellungen/MsgFontBold"_qs,
                                  u"Einstellungen/MsgFontItalic"_qs,
                                  u"Einstellungen/FormInTray"_qs};
    const QString text =
        decodeCp1252(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QStringList values = text.split(u'\n');
    MemorySettingsStore store;
    for (qsizetype i = 0; i < values.size() && i < keys.size(); ++i)
        store.values[keys[i]] = values[i];
    SettingsModel model;
    model.apply(readSettings(store));
    writeSettings(model.settings(), store);
    return 0;
}
