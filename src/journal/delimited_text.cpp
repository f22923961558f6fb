// SPDX-License-Identifier: GPL-3.0-or-later
#include "delimited_text.h"

#include <QRegularExpression>

namespace {

QString csvField(const QString& field)
{
    if (!field.contains(u';') && !field.contains(u'"') && !field.contains(u'\n') &&
        !field.contains(u'\r'))
        return field;
    QString quoted = field;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString tsvField(QString field)
{
    static const QRegularExpression breaks(QStringLiteral("[\\t\\r\\n]"));
    return field.replace(breaks, QStringLiteral(" "));
}

QString tsvLine(const QStringList& fields)
{
    QStringList cleaned;
    for (const QString& field : fields)
        cleaned << tsvField(field);
    return cleaned.join(u'\t') + u'\n';
}

} // namespace

QString csvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted << csvField(field);
    return quoted.join(u';') + QStringLiteral("\r\n");
}

QByteArray utf8ByteOrderMark()
{
    return QByteArrayLiteral("\xEF\xBB\xBF");
}

QString tabSeparated(const QStringList& header, const QList<QStringList>& rows)
{
    QString text = tsvLine(header);
    for (const QStringList& row : rows)
        text += tsvLine(row);
    return text;
}
