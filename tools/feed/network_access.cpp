// SPDX-License-Identifier: GPL-3.0-or-later
#include "network_access.h"

bool AllowList::add(const QString& network)
{
    QString subnet = network.trimmed();
    if (!subnet.contains(u'/')) {
        const QHostAddress single(subnet);
        if (single.isNull())
            return false;
        subnet += single.protocol() == QAbstractSocket::IPv4Protocol ? QStringLiteral("/32")
                                                                     : QStringLiteral("/128");
    }
    const auto parsed = QHostAddress::parseSubnet(subnet);
    if (parsed.first.isNull() || parsed.second < 0)
        return false;
    m_networks.append(parsed);
    return true;
}

bool AllowList::permits(const QHostAddress& peer) const
{
    if (m_networks.isEmpty())
        return true;
    // A dual-stack server sees IPv4 peers as ::ffff:a.b.c.d.
    bool mapped = false;
    const quint32 ipv4 = peer.toIPv4Address(&mapped);
    const QHostAddress address = mapped ? QHostAddress(ipv4) : peer;
    for (const auto& network : m_networks) {
        if (address.isInSubnet(network))
            return true;
    }
    return false;
}

std::optional<ListenAddress> parseListenAddress(const QString& text)
{
    const qsizetype colon = text.lastIndexOf(u':');
    if (colon < 0)
        return std::nullopt;
    QString host = text.left(colon);
    if (host.startsWith(u'[') && host.endsWith(u']'))
        host = host.mid(1, host.size() - 2);
    else if (host.contains(u':'))
        return std::nullopt; // an IPv6 address needs its brackets
    bool ok = false;
    const uint port = text.mid(colon + 1).toUInt(&ok);
    const QHostAddress address(host);
    if (!ok || port > 65535 || address.isNull())
        return std::nullopt;
    return ListenAddress{address, quint16(port)};
}
