// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include "common/trim_spaces.h"
#include "common/version.h"

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine parsed;
    QStringList words;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--help" || argument == u"-h")
            parsed.help = true;
        else if (argument == u"--version")
            parsed.version = true;
        else if (argument == u"--tray")
            parsed.tray = true;
        else if (argument == u"--lists" && i + 1 < arguments.size())
            parsed.listFolder = arguments[++i];
        else if (argument.startsWith(u"--lists="))
            parsed.listFolder = argument.mid(8);
        else
            words << argument;
    }
    parsed.text = words.join(u' ');
    return parsed;
}

std::optional<QString> commandLineAddress(const QString& commandLineText)
{
    const QString trimmed = trimSpaces(commandLineText);
    if (trimmed.isEmpty() || commandLineText.indexOf(u'.') < 1)
        return std::nullopt;
    return trimmed;
}

std::optional<QString> informationText(const CommandLine& commandLine)
{
    if (commandLine.version && !commandLine.help)
        return QLatin1String(Version::Banner);
    if (!commandLine.help)
        return std::nullopt;
    return QStringLiteral(
        "Aufruf: ostrevo [SERVERADRESSE] [--lists VERZEICHNIS] [--tray]\n"
        "\n"
        "Zeigt die Telegramme eines Decoderservers in der Telegrammleiste.\n"
        "SERVERADRESSE (z. B. 192.168.0.10) ersetzt die gespeicherte Adresse.\n"
        "Läuft Ostrevo schon, erhält das laufende Programm die Adresse und zeigt\n"
        "sein Einstellungsfenster.\n"
        "\n"
        "Die Namenslisten (Ton5.dat, Fahrzeug.Dat, POCSAG.DAT, Settings/BOSList.hvn,\n"
        "Settings/Fahrzeugmelder.hvn) werden gesucht: im Verzeichnis von --lists;\n"
        "sonst im aktuellen Verzeichnis, wenn es eine davon oder den Ordner Settings\n"
        "enthält; sonst in ~/.local/share/Ostrevo ($XDG_DATA_HOME/Ostrevo).\n"
        "\n"
        "  --lists VERZEICHNIS  die Namenslisten aus diesem Verzeichnis lesen\n"
        "  --tray               ohne Einstellungsfenster starten, nur mit Symbol im\n"
        "                       Infobereich und Telegrammleiste (ohne Infobereich\n"
        "                       erscheint das Fenster trotzdem)\n"
        "  --help               diese Hilfe anzeigen\n"
        "  --version            die Version anzeigen");
}
