// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QFile>
#include <variant>

// Where the audio of a file for --receive file: lies: raw 16-bit signed
// mono samples at 22050 Hz from the start, or a WAV file of that format.
struct AudioLayout
{
    qint64 offset = 0;
    qint64 length = -1; // to the end of the file
};

// From the file's first bytes; why it is refused otherwise (German).
std::variant<AudioLayout, QString> audioLayout(QByteArrayView head);

// Reads such a file piece by piece.
class AudioFile
{
public:
    static constexpr qsizetype HeadBytes = 64 * 1024; // where a WAV file's data must begin

    bool open(const QString& path);
    QString errorString() const { return m_error; }
    QByteArray read(qsizetype maxBytes);
    bool atEnd() const { return m_left == 0 || m_file.atEnd(); }

private:
    QFile m_file;
    qint64 m_left = -1;
    QString m_error;
};
