// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm/alarm_sound.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// One data row per built-in sound, in a column "sound", named as users see them.
inline void addBuiltInSoundRows()
{
    QTest::addColumn<BuiltInSound>("sound");
    QTest::newRow("gong") << BuiltInSound::Gong;
    QTest::newRow("sirene") << BuiltInSound::Siren;
    QTest::newRow("hinweis") << BuiltInSound::Notice;
}

// Writes a file into the folder and returns its path.
inline QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile out(dir.filePath(name));
    if (out.open(QIODevice::WriteOnly))
        out.write(bytes);
    return out.fileName();
}
