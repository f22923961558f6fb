// SPDX-License-Identifier: GPL-3.0-or-later
#include "connection_display.h"

namespace {
constexpr Rgb Green{0, 255, 0};
constexpr Rgb Blue{0, 0, 255};
constexpr Rgb Red{255, 0, 0};
} // namespace

ConnectionDisplay followReport(const ConnectionDisplay& shown, const ConnectionReport& report)
{
    ConnectionDisplay next = shown;
    switch (report.event) {
    case ConnectionEvent::None:
        break;
    case ConnectionEvent::Connected:
        next = {QStringLiteral("Verbunden"), Green, QStringLiteral("Trennen")};
        break;
    case ConnectionEvent::ConnectedUnconfirmed:
        // Question marks: the socket reported the connection but does not say it stands.
        next = {QStringLiteral("Verb????"), Blue, QStringLiteral("Trennen")};
        break;
    case ConnectionEvent::ClosedByServer:
        next = {QStringLiteral("Getrennt"), Red, QStringLiteral("Verbinden")};
        break;
    case ConnectionEvent::Failed:
        next.status = QStringLiteral("ERR:") + report.error;
        break;
    case ConnectionEvent::RetryFailed:
        // Not "ERR:": the reconnect timer has always said it in its own way,
        // so the desk can tell its failures from the button's.
        next.status = QStringLiteral("Err:") + report.error;
        break;
    }
    return next;
}
