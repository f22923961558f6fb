// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QString>
#include <memory>
#include <optional>

// Finds an entry named the way the program has always named its lists
// ("Settings\FahrzeugMelder.hvn"): "\" and "/" separate folders, and every
// component is matched without regard to letter case, so both spellings
// reach the same file whatever its case on disk. Relative to `baseDir`.
std::optional<QString> findListEntry(const QString& name, const QString& baseDir);

// The list file opened for reading; nothing when it is missing, no regular
// file or cannot be opened, which the loaders all treat alike.
std::unique_ptr<QFile> openListFile(const QString& name, const QString& baseDir);
