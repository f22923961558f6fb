// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: arbitrary texts as the stored settings, through reading,
// the model's corrections and writing back.
#include "common/cp1252.h"
#include "settings/settings_file.h"
#include "settings/settings_model.h"
#include "support/memory_settings_store.h"

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QStringList keys =
        u"Server/Adresse Server/Port Einstellungen/AutoConnect Einstellungen/DBLogOnly "
        "Datenbank/Datei Datenbank/PW Einstellungen/MsgLogOnly Einstellungen/MsgAktiv "
        "Einstellungen/MsgVorne Einstellungen/UnbekFMS Einstellungen/UnbekFME Einstellungen/MsgTime"
        " Einstellungen/Transparent Einstellungen/MsgFontName Einstellungen/MsgFontSize "
        "Einstellungen/MsgFontBold Einstellungen/MsgFontItalic Einstellungen/FormInTray "
        "Journal/Aufbewahrung Telegramm-Liste/Geometrie Telegramm-Liste/Spalten"_s.split(u' ');
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
