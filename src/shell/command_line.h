// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the user gave on the command line.
struct CommandLine
{
    QString text;                      // everything but the options, joined with spaces
    std::optional<QString> listFolder; // --lists DIR
    bool help = false;                 // --help, -h
    bool version = false;              // --version
    bool tray = false;                 // --tray: without the settings window
};

// `arguments` as the application has them, the program's own name first.
CommandLine parseCommandLine(const QStringList& arguments);

// A server address given on the command line replaces the stored one when
// it is not blank and its first "." is not its first character; a text
// without "." leaves the stored address.
std::optional<QString> commandLineAddress(const QString& commandLineText);

// What --help or --version asks to print, if either was given.
std::optional<QString> informationText(const CommandLine& commandLine);
