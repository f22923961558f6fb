// SPDX-License-Identifier: GPL-3.0-or-later
#include "pocsag_signal.h"

#include "fsk_audio.h"

#include <bit>

namespace {

constexpr quint32 Sync = 0x7CD215D8;
constexpr quint32 Idle = 0x7A89C197;
constexpr int PreambleBits = 576;
constexpr int WordsPerBatch = 16;

// 21 data bits, BCH(31,21) check bits, even parity.
quint32 codeWord(quint32 data)
{
    constexpr quint32 Generator = 0x769; // x^10+x^9+x^8+x^6+x^5+x^3+1
    quint32 remainder = data << 10;
    for (int bit = 30; bit >= 10; --bit) {
        if (remainder & (1u << bit))
            remainder ^= Generator << (bit - 10);
    }
    const quint32 word = (data << 11) | (remainder << 1);
    return word | quint32(std::popcount(word) & 1);
}

QList<bool> messageBits(const QString& text, PageKind kind)
{
    static const QString numeric = QStringLiteral("0123456789.U -][");
    static const QString german = QStringLiteral("ÄÖÜäöüß");
    static const QString pager = QStringLiteral("[\\]{|}~");
    QList<bool> bits;
    for (const QChar c : text) {
        if (kind == PageKind::Numeric) {
            appendBits(bits, quint32(std::max<qsizetype>(numeric.indexOf(c), 0)), 4, true);
        } else {
            const qsizetype umlaut = german.indexOf(c);
            appendBits(bits, (umlaut >= 0 ? pager[umlaut] : c).unicode() & 0x7f, 7, true);
        }
    }
    // Pad the last code word: a numeric page with spaces, an alpha page with NUL.
    while (bits.size() % 20 != 0) {
        if (kind == PageKind::Numeric)
            appendBits(bits, 0xC, 4, true);
        else
            bits.append(false);
    }
    return bits;
}

} // namespace

QByteArray pocsagAudio(const PocsagPage& page, PageKind kind)
{
    QList<quint32> words(2 * (page.address & 7), Idle); // the address's frame in the batch
    words.append(codeWord(((page.address >> 3) << 2) | quint32(page.function & 3)));
    const QList<bool> message = messageBits(page.text, kind);
    for (qsizetype i = 0; i < message.size(); i += 20) {
        quint32 data = 1u << 20;
        for (int j = 0; j < 20; ++j)
            data |= quint32(message[i + j]) << (19 - j);
        words.append(codeWord(data));
    }
    words.append(Idle);
    while (words.size() % WordsPerBatch != 0)
        words.append(Idle);

    QList<bool> bits;
    for (int i = 0; i < PreambleBits; ++i)
        bits.append(i % 2 == 0);
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (i % WordsPerBatch == 0)
            appendBits(bits, Sync, 32, false);
        appendBits(bits, words[i], 32, false);
    }
    return silence(0.3) + levelAudio(bits) + silence(0.3);
}
