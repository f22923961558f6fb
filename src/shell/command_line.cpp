#include "command_line.h"

#include "common/trim_spaces.h"

QString CommandLineText(const QStringList& arguments)
{
    return arguments.mid(1).join(u' ');
}

std::optional<QString> CommandLineAddress(const QString& commandLine)
{
    const QString trimmed = trimSpaces(commandLine);
    if (trimmed.isEmpty() || commandLine.indexOf(u'.') < 1)
        return std::nullopt;
    return trimmed;
}
