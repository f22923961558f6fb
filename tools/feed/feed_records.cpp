// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed_records.h"

#include "common/cp1252.h"

#include <QStringList>

namespace {

QByteArray tabRecord(QStringList fields)
{
    for (QString& field : fields) {
        for (QChar& c : field) {
            if (c.category() == QChar::Other_Control)
                c = u' ';
        }
    }
    return encodeCp1252(fields.join(u'\t'));
}

} // namespace

QByteArray buildRecord(const ZveiCall& call)
{
    return tabRecord({QStringLiteral("ZVEI"), call.code});
}

QByteArray buildRecord(const PocsagPage& page)
{
    return tabRecord({QStringLiteral("POC"), QString::number(page.address).rightJustified(7, u'0'),
                      QChar(u'A' + (page.function & 3)), page.text});
}

QByteArray buildRecord(const FmsReport& report)
{
    const QString& id = report.id;
    return tabRecord(
        {QStringLiteral("FMSTlg"), id, id.mid(0, 1), id.mid(1, 1), id.mid(2, 2), id.mid(4, 4),
         QString::number(report.status), QString::number(report.tacticalInfo),
         report.direction == FmsDirection::FromVehicle ? QStringLiteral("0") : QStringLiteral("1"),
         QString(), QString(), QString(), QString(), report.text});
}
