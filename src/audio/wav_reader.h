// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pcm.h"

#include <QByteArrayView>
#include <QString>

// Reads WAV files as users name them: PCM of 8, 16, 24 or 32 bits or 32/64-bit
// floating point, 1 to 8 channels, 8 to 192 kHz. Anything else is refused.
namespace WavReader {

// Files larger than this are refused, so that a wrong file cannot fill the memory.
constexpr qint64 MaxFileBytes = 32 * 1024 * 1024;

struct Result
{
    Pcm pcm;         // empty when refused
    QString problem; // why, in German, when refused
};

Result decode(QByteArrayView bytes);
// Reads a regular file of at most MaxFileBytes and decodes it.
Result load(const QString& path);

} // namespace WavReader
