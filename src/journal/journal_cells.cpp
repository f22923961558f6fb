// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_cells.h"

#include <QRegularExpression>

QStringList journalColumnTitles()
{
    return {QStringLiteral("Zeit"), QStringLiteral("Art"),    QStringLiteral("Kennung"),
            QStringLiteral("Name"), QStringLiteral("Status"), QStringLiteral("Text"),
            QStringLiteral("Alarm")};
}

QString shownName(const QString& name)
{
    return name.isEmpty() ? QStringLiteral("Unbekannt") : name;
}

namespace {

// "2026-12-06T14:03:07+01:00" as "06.12.2026 14:03:07"; other text unchanged.
QString tableTime(const QString& receivedAt)
{
    static const QRegularExpression iso(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})T(\\d{2}:\\d{2}:\\d{2})"));
    const QRegularExpressionMatch match = iso.match(receivedAt);
    if (!match.hasMatch())
        return receivedAt;
    return match.captured(3) + u'.' + match.captured(2) + u'.' + match.captured(1) + u' ' +
           match.captured(4);
}

// "Vollalarm (quittiert 14:03:12)", "Vollalarm (offen)".
QString alarmCell(const JournalRow& row)
{
    if (row.alarm.isEmpty())
        return {};
    const QString time = tableTime(row.acknowledgedAt).section(u' ', -1);
    return row.alarm + (row.acknowledgedAt.isEmpty()
                            ? QStringLiteral(" (offen)")
                            : QStringLiteral(" (quittiert ") + time + u')');
}

} // namespace

QString journalCell(const JournalRow& row, JournalColumn column)
{
    switch (column) {
    case JournalColumn::Time:
        return tableTime(row.receivedAt);
    case JournalColumn::Kind:
        return row.kind;
    case JournalColumn::Address:
        return row.address;
    case JournalColumn::Name:
        return shownName(row.name);
    case JournalColumn::Status:
        if (!row.status)
            return {};
        return row.direction == FmsDirection::ToVehicle
                   ? QString::number(*row.status) + QStringLiteral(" an Fahrzeug")
                   : QString::number(*row.status);
    case JournalColumn::Text:
        return row.text;
    case JournalColumn::Alarm:
        return alarmCell(row);
    }
    return {};
}

QStringList journalCells(const JournalRow& row)
{
    QStringList cells;
    for (int column = 0; column < JournalColumnCount; ++column)
        cells << journalCell(row, JournalColumn(column));
    return cells;
}
