// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/rgb.h"
#include "connection/connection_report.h"

#include <QString>
#include <optional>

// What the settings window shows of the connection: the status label's
// caption and colour and the button's caption.
struct ConnectionDisplay
{
    QString status = QStringLiteral("Unbekannt");
    std::optional<Rgb> statusColour; // none: the normal text colour
    QString buttonCaption = QStringLiteral("Verbinden");
    bool operator==(const ConnectionDisplay&) const = default;
};

// The display after a report; a failure changes only the caption.
ConnectionDisplay followReport(const ConnectionDisplay& shown, const ConnectionReport& report);
