// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm_matcher.h"

#include <limits>

AlarmMatcher::AlarmMatcher(const QList<AlarmRule>& rules) : m_rules(rules)
{
    for (int i = 0; i < m_rules.size(); ++i) {
        const AlarmRule& rule = m_rules[i];
        KindIndex& index = m_index[std::size_t(rule.kind)];
        switch (rule.identifier.kind) {
        case IdentifierPattern::Kind::Exact:
            index.exact[rule.identifier.text] << i;
            break;
        case IdentifierPattern::Kind::Prefix:
            index.prefix[rule.identifier.text] << i;
            break;
        case IdentifierPattern::Kind::Any:
            index.any << i;
            break;
        }
    }
}

QString AlarmMatcher::normalisedIdentifier(TelegramKind kind, const QString& address)
{
    switch (kind) {
    case TelegramKind::Fms:
        return address.toUpper();
    case TelegramKind::Pocsag: {
        qsizetype zeros = 0;
        while (zeros + 1 < address.size() && address[zeros] == u'0')
            ++zeros;
        return address.mid(zeros);
    }
    case TelegramKind::FiveTone:
        break;
    }
    return address;
}

// What a rule's "Zusatz" is compared with: the sub-address of a page, the
// status a vehicle sent; a telegram to a vehicle has none a rule can name.
QString AlarmMatcher::extraOf(const HandledTelegram& telegram)
{
    switch (telegram.kind) {
    case TelegramKind::Pocsag: {
        const QString sub = telegram.subAddress.toUpper();
        if (sub.size() == 1 && sub[0] >= u'1' && sub[0] <= u'4')
            return QChar(u'A' + (sub[0].unicode() - u'1'));
        return sub;
    }
    case TelegramKind::Fms:
        if (telegram.direction != FmsDirection::FromVehicle || !telegram.status)
            return QStringLiteral("-");
        return QString::number(*telegram.status);
    case TelegramKind::FiveTone:
        break;
    }
    return {};
}

const AlarmRule* AlarmMatcher::match(const HandledTelegram& telegram) const
{
    const KindIndex& index = indexOf(telegram.kind);
    const QString identifier = normalisedIdentifier(telegram.kind, telegram.address);
    const QString extra = extraOf(telegram);
    int first = std::numeric_limits<int>::max();
    // The lists are in file order: the first rule whose "Zusatz" fits is
    // the candidate of each list, the earliest candidate wins.
    const auto consider = [&](const QList<int>& candidates) {
        for (const int i : candidates) {
            if (i >= first)
                return;
            const QString& wanted = m_rules[i].extra;
            const bool fits = telegram.kind == TelegramKind::Pocsag
                                  ? wanted.isEmpty() || wanted == extra
                                  : wanted == extra;
            if (fits) {
                first = i;
                return;
            }
        }
    };
    if (const auto exact = index.exact.constFind(identifier); exact != index.exact.cend())
        consider(*exact);
    if (!index.prefix.isEmpty()) {
        for (qsizetype length = 1; length <= identifier.size(); ++length) {
            const auto prefix = index.prefix.constFind(identifier.first(length));
            if (prefix != index.prefix.cend())
                consider(*prefix);
        }
    }
    consider(index.any);
    return first == std::numeric_limits<int>::max() ? nullptr : &m_rules[first];
}
