// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <variant>

// Where --receive takes its audio from: raw 16-bit signed mono at 22050 Hz.
//   rtl:FREQUENCY[,gain=G][,ppm=P]   an SDR stick through rtl_fm
//   audio[:DEVICE]                   the sound card through the sound server
//   file:PATH                        raw audio or WAV, read by the feed
//   exec:COMMAND                     a command's standard output, through /bin/sh
struct ReceiveSource
{
    enum class Kind
    {
        Rtl,
        Audio,
        File,
        Exec
    };
    Kind kind = Kind::Exec;
    QString program; // empty for a file
    QStringList arguments;
    QString path; // the file
};

// The source, or why it is refused (German, for the log).
std::variant<ReceiveSource, QString> parseReceiveSource(const QString& text);
