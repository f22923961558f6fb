// SPDX-License-Identifier: GPL-3.0-or-later
#include "autostart_entry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

QString AutostartEntry::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/de.ostrevo.Ostrevo.desktop");
}

bool AutostartEntry::exists() const
{
    return QFileInfo::exists(m_path);
}

std::optional<QString> AutostartEntry::write(const QString& command) const
{
    if (!QDir().mkpath(QFileInfo(m_path).path()))
        return QStringLiteral("Der Ordner %1 kann nicht angelegt werden.")
            .arg(QDir::toNativeSeparators(QFileInfo(m_path).path()));
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(autostartEntryText(command).toUtf8()) < 0 ||
        !file.commit())
        return file.errorString();
    return std::nullopt;
}

std::optional<QString> AutostartEntry::remove() const
{
    QFile file(m_path);
    if (file.exists() && !file.remove())
        return file.errorString();
    return std::nullopt;
}

QString autostartCommand(const QString& programPath, const QString& foundByName)
{
    const QString program = QFileInfo(programPath).canonicalFilePath();
    if (!foundByName.isEmpty() && QFileInfo(foundByName).canonicalFilePath() == program)
        return QStringLiteral("ostrevo --tray");
    // Desktop entries quote arguments with reserved characters in double
    // quotes, with ", `, $ and \ escaped.
    QString quoted = program.isEmpty() ? programPath : program;
    for (const char16_t reserved : {u'\\', u'"', u'`', u'$'})
        quoted.replace(QChar(reserved), QStringLiteral("\\") + QChar(reserved));
    return u'"' + quoted + QStringLiteral("\" --tray");
}

QString autostartEntryText(const QString& command)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Ostrevo\n"
                          "Comment=Telegramme und Alarme der BOS-Funkauswertung im Infobereich\n"
                          "Exec=%1\n"
                          "Icon=ostrevo\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(command);
}
