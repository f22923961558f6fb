// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's own sounds, made for it.
enum class BuiltInSound
{
    Gong,   // "gong": a struck bell, for a call-out
    Siren,  // "sirene": rising and falling, for an emergency
    Notice, // "hinweis": a short two-note chime, for information
};

// What an alarm sounds like: nothing, a built-in sound or a WAV file.
struct AlarmSound
{
    enum class Kind
    {
        Silent,
        BuiltIn,
        File,
    };
    Kind kind = Kind::Silent;
    BuiltInSound builtIn = BuiltInSound::Gong;
    QString file; // absolute path, for Kind::File

    static AlarmSound silent() { return {}; }
    static AlarmSound of(BuiltInSound sound) { return {Kind::BuiltIn, sound, {}}; }
    static AlarmSound fromFile(const QString& path)
    {
        return {Kind::File, BuiltInSound::Gong, path};
    }
    bool operator==(const AlarmSound&) const = default;
};
