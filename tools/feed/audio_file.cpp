// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio_file.h"

#include <QtEndian>

namespace {

constexpr quint16 Pcm = 1;
constexpr quint16 Extensible = 0xFFFE;
constexpr quint32 Streamed = 0xFFFFFFFF; // a writer that did not know the length

quint32 le32(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 le16(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

} // namespace

std::variant<AudioLayout, QString> audioLayout(QByteArrayView head)
{
    if (!head.startsWith(QByteArrayView("RIFF")))
        return AudioLayout{};
    if (head.size() < 12 || head.sliced(8, 4) != QByteArrayView("WAVE"))
        return QStringLiteral("RIFF-Datei, aber kein WAV.");
    bool formatSeen = false;
    // Chunks: four letters, a 32-bit length, the content padded to even length.
    for (qsizetype at = 12; at + 8 <= head.size();) {
        const QByteArrayView id = head.sliced(at, 4);
        const quint32 size = le32(head, at + 4);
        if (id == QByteArrayView("fmt ")) {
            if (size < 16 || at + 24 > head.size())
                return QStringLiteral("WAV-Formatangabe unvollständig.");
            const quint16 format = le16(head, at + 8);
            if ((format != Pcm && format != Extensible) || le16(head, at + 10) != 1 ||
                le32(head, at + 12) != 22050 || le16(head, at + 22) != 16)
                return QStringLiteral("WAV-Datei nicht in 22 050 Hz, 16 Bit, mono (PCM).");
            formatSeen = true;
        } else if (id == QByteArrayView("data")) {
            if (!formatSeen)
                return QStringLiteral("WAV-Datei ohne Formatangabe vor den Daten.");
            return AudioLayout{at + 8, size == Streamed ? -1 : qint64(size)};
        }
        at += 8 + qint64(size) + (size & 1);
    }
    return QStringLiteral("WAV-Daten nicht in den ersten %1 KiB gefunden.")
        .arg(AudioFile::HeadBytes / 1024);
}

bool AudioFile::open(const QString& path)
{
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_error = m_file.exists() ? QStringLiteral("keine Leserechte oder kein lesbarer Ort")
                                  : QStringLiteral("die Datei gibt es nicht");
        return false;
    }
    const auto layout = audioLayout(m_file.peek(HeadBytes));
    if (const QString* refused = std::get_if<QString>(&layout)) {
        m_error = *refused;
        return false;
    }
    const AudioLayout& audio = std::get<AudioLayout>(layout);
    m_left = audio.length;
    return audio.offset == 0 || m_file.seek(audio.offset);
}

QByteArray AudioFile::read(qsizetype maxBytes)
{
    if (m_left >= 0)
        maxBytes = qsizetype(std::min<qint64>(maxBytes, m_left));
    const QByteArray audio = m_file.read(maxBytes);
    if (m_left >= 0)
        m_left -= audio.size();
    return audio;
}
