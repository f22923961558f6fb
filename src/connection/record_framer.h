// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/line_ends.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <optional>

// Cuts the byte stream of one connection into records: every line ended by
// CR, LF or CR LF is one record without its line end; empty lines are
// skipped. Bytes without a line end stay pending until the caller takes them
// (after a quiet spell or when the peer closes); a pending record that grows
// beyond MaxPending is handed out at once so memory stays bounded.
class RecordFramer
{
public:
    static constexpr qsizetype MaxPending = 64 * 1024;

    QList<QByteArray> feed(QByteArrayView bytes);
    std::optional<QByteArray> takePending();
    bool hasPending() const { return !m_pending.isEmpty(); }
    void clear();

private:
    QByteArray m_pending;
    LineEnds m_lineEnds;
};
