// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm/alarm_sound.h"

#include <QByteArray>
#include <optional>

// The lines the program sends its sound process, one per sound:
// "gong", "sirene", "hinweis", "datei <path, percent-encoded>", "stop".
// The process answers "gestört" when the sound server did not take a sound
// and "bereit" when it does again.
namespace SoundCommands {

constexpr qsizetype MaxLine = 64 * 1024;
constexpr char Failing[] = "gestört";
constexpr char Ready[] = "bereit";

QByteArray encode(const AlarmSound& sound);
// Silent for "stop"; nothing for a line that is none of these.
std::optional<AlarmSound> decode(QByteArrayView line);

} // namespace SoundCommands
