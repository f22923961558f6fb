// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

// The networks whose desks may connect (--allow CIDR). An empty list lets
// everyone in: the feed then listens on a loopback address only.
class AllowList
{
public:
    // "192.168.1.0/24", "fd00::/8", or one address; false if it is neither.
    bool add(const QString& network);
    bool isEmpty() const { return m_networks.isEmpty(); }
    bool permits(const QHostAddress& peer) const;

private:
    QList<QPair<QHostAddress, int>> m_networks;
};

struct ListenAddress
{
    QHostAddress host;
    quint16 port = 0;
};

// "ADDRESS:PORT", an IPv6 address in brackets: "[::1]:7778".
std::optional<ListenAddress> parseListenAddress(const QString& text);
