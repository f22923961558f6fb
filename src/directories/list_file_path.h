#pragma once

#include <QString>
#include <optional>

// Finds a list file named the way the program always named it
// ("Settings\FahrzeugMelder.hvn"): "\" and "/" separate folders, and every
// component is matched without regard to letter case, so both spellings
// reach the same file whatever its case on disk. Relative to `baseDir`.
std::optional<QString> ResolveListFile(const QString& name, const QString& baseDir);
