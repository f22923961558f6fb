// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decoder_line.h"
#include "line_splitter.h"
#include "repeat_filter.h"

#include <QObject>
#include <array>

// multimon-ng's standard output in, decoder-server records out: every
// telegram line becomes a record unless a guard holds it back or it
// repeats one sent within the repeat window; every other line is counted
// by why it was left out.
class MultimonBridge : public QObject
{
    Q_OBJECT

public:
    explicit MultimonBridge(qint64 repeatWindowMs, LineGuards guards = {},
                            QObject* parent = nullptr);

    // Output read at nowMs on a monotonic clock.
    void takeOutput(QByteArrayView bytes, qint64 nowMs);
    // The output ended, or its writer went away: an unfinished line is cut off.
    void endOutput();
    // Output already cut into lines (the receive chain's decoders).
    void takeLine(const LineSplitter::Line& line, qint64 nowMs);
    void lineCut() { ignore(IgnoredLine::CutOff, QByteArray()); }

    int ignoredCount(IgnoredLine reason) const { return m_ignored[std::size_t(reason)]; }

signals:
    void recordDecoded(const QByteArray& record);
    void lineIgnored(IgnoredLine reason, const QByteArray& line);
    // A five-tone line read only after a doubled digit was taken out.
    void lineRepaired(const QByteArray& line);

private:
    void read(const QByteArray& line, qint64 nowMs);
    void ignore(IgnoredLine reason, const QByteArray& line);
    void send(const QByteArray& record, const QByteArray& line, qint64 nowMs);

    LineGuards m_guards;
    LineSplitter m_splitter;
    RepeatFilter m_repeats;
    std::array<int, std::size_t(IgnoredLine::Repeat) + 1> m_ignored{};
};
