// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound_commands.h"

#include <QUrl>
#include <array>

namespace SoundCommands {
namespace {

constexpr std::array<const char*, 3> BuiltInNames{"gong", "sirene", "hinweis"};
constexpr char FilePrefix[] = "datei ";

} // namespace

QByteArray encode(const AlarmSound& sound)
{
    switch (sound.kind) {
    case AlarmSound::Kind::BuiltIn:
        return BuiltInNames.at(size_t(sound.builtIn));
    case AlarmSound::Kind::File:
        return FilePrefix + QUrl::toPercentEncoding(sound.file, "/");
    case AlarmSound::Kind::Silent:
        break;
    }
    return "stop";
}

std::optional<AlarmSound> decode(QByteArrayView line)
{
    if (line == "stop")
        return AlarmSound::silent();
    for (size_t i = 0; i < BuiltInNames.size(); ++i) {
        if (line == BuiltInNames[i])
            return AlarmSound::of(BuiltInSound(i));
    }
    if (line.startsWith(FilePrefix) && line.size() > qsizetype(sizeof FilePrefix) - 1)
        return AlarmSound::fromFile(QString::fromUtf8(
            QByteArray::fromPercentEncoding(line.sliced(sizeof FilePrefix - 1).toByteArray())));
    return std::nullopt;
}

} // namespace SoundCommands
