// SPDX-License-Identifier: GPL-3.0-or-later
#include "list_file_path.h"

#include <QDir>
#include <QFileInfo>

namespace {

std::optional<QString> matchComponent(const QDir& dir, const QString& component)
{
    if (QFileInfo::exists(dir.filePath(component)))
        return component;
    const QStringList entries = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(component, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> findListEntry(const QString& name, const QString& baseDir)
{
    const QStringList components =
        QString(name).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts);
    if (components.isEmpty())
        return std::nullopt;
    QDir dir(baseDir);
    for (qsizetype i = 0; i < components.size(); ++i) {
        const auto found = matchComponent(dir, components[i]);
        if (!found)
            return std::nullopt;
        if (i + 1 == components.size())
            return dir.filePath(*found);
        if (!dir.cd(*found))
            return std::nullopt;
    }
    return std::nullopt;
}

std::unique_ptr<QFile> openListFile(const QString& name, const QString& baseDir)
{
    const auto resolved = findListEntry(name, baseDir);
    if (!resolved || !QFileInfo(*resolved).isFile())
        return nullptr;
    auto file = std::make_unique<QFile>(*resolved);
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return file;
}
