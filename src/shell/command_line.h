#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The command-line text: the arguments after the program's name, joined
// with single spaces.
QString CommandLineText(const QStringList& arguments);

// A server address given on the command line replaces the stored one when
// it is not blank and its first "." is not its first character; a text
// without "." leaves the stored address.
std::optional<QString> CommandLineAddress(const QString& commandLine);
