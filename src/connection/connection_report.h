// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the connection last had to say, for the status display.
enum class ConnectionEvent
{
    None,                 // nothing yet
    Connected,            // the socket is connected
    ConnectedUnconfirmed, // the socket reported a connection but does not say connected
    ClosedByServer,
    Failed,      // the socket failed, or refused the button's request at once
    RetryFailed, // an automatic attempt failed before it started
};

struct ConnectionReport
{
    ConnectionEvent event = ConnectionEvent::None;
    QString error; // the platform's description, for the failures
    bool operator==(const ConnectionReport&) const = default;
};
