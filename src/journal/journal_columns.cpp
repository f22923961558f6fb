// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_columns.h"

#include "journal_filter.h"

#include <array>
#include <cstdlib>

namespace {

constexpr std::array<std::pair<TelegramKind, const char16_t*>, 3> Kinds{{
    {TelegramKind::Fms, u"FMS"},
    {TelegramKind::FiveTone, u"ZVEI"},
    {TelegramKind::Pocsag, u"POCSAG"},
}};

constexpr std::array<std::pair<FmsDirection, const char16_t*>, 2> Directions{{
    {FmsDirection::FromVehicle, u"from_vehicle"},
    {FmsDirection::ToVehicle, u"to_vehicle"},
}};

template <typename Enum, std::size_t N>
QString nameOf(const std::array<std::pair<Enum, const char16_t*>, N>& names, Enum value)
{
    for (const auto& [candidate, name] : names) {
        if (candidate == value)
            return QString::fromUtf16(name);
    }
    return {};
}

template <typename Enum, std::size_t N>
std::optional<Enum> valueOf(const std::array<std::pair<Enum, const char16_t*>, N>& names,
                            QStringView text)
{
    for (const auto& [value, name] : names) {
        if (text == QStringView(name))
            return value;
    }
    return std::nullopt;
}

} // namespace

QList<TelegramKind> allTelegramKinds()
{
    QList<TelegramKind> kinds;
    for (const auto& [kind, name] : Kinds)
        kinds << kind;
    return kinds;
}

QString kindName(TelegramKind kind)
{
    return nameOf(Kinds, kind);
}

std::optional<TelegramKind> kindFromName(QStringView name)
{
    return valueOf(Kinds, name);
}

QString directionName(FmsDirection direction)
{
    return nameOf(Directions, direction);
}

std::optional<FmsDirection> directionFromName(QStringView name)
{
    return valueOf(Directions, name);
}

QString wallClockText(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

QString receivedAtText(const QDateTime& time)
{
    // Fixed to its offset, the time is formatted without a second look-up
    // of the local time zone.
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return wallClockText(time.toOffsetFromUtc(offset)) + (offset < 0 ? u'-' : u'+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString searchKey(const QString& address, const QString& name, const QString& text)
{
    QString key = QString(address + u'\n' + name + u'\n' + text).toCaseFolded();
    for (QChar& c : key) {
        if (c.category() == QChar::Other_Control && c != u'\n')
            c = u' ';
    }
    return key;
}

QStringList searchWords(const QString& search)
{
    QString folded = search.toCaseFolded();
    for (QChar& c : folded) {
        if (c.isSpace() || c.category() == QChar::Other_Control)
            c = u' ';
    }
    return folded.split(u' ', Qt::SkipEmptyParts);
}
