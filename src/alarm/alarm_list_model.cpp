// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm_list_model.h"

#include "alarm_manager.h"
#include "common/clock.h"

AlarmListModel::AlarmListModel(const AlarmManager& alarms, const Clock& clock, QObject* parent)
    : QAbstractTableModel(parent), m_alarms(alarms), m_clock(clock)
{
}

void AlarmListModel::refresh()
{
    beginResetModel();
    endResetModel();
}

void AlarmListModel::tick()
{
    if (rowCount() > 0)
        emit dataChanged(index(0, SinceColumn), index(rowCount() - 1, SinceColumn));
}

QString AlarmListModel::beyondListed() const
{
    const int beyond = m_alarms.book().beyondKept();
    return beyond == 0 ? QString() : QStringLiteral("und %1 weitere").arg(beyond);
}

int AlarmListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_alarms.book().alarms().size());
}

int AlarmListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AlarmListModel::data(const QModelIndex& index, int role) const
{
    const auto& alarms = m_alarms.book().alarms();
    if (!index.isValid() || index.row() >= int(alarms.size()) ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    const OpenAlarm& alarm = alarms[std::size_t(index.row())];
    switch (Column(index.column())) {
    case TimeColumn:
        return alarm.raisedAt.toString(u"HH:mm:ss");
    case TitleColumn:
        return alarmTitle(alarm);
    case WhoColumn:
        return alarm.who;
    case TextColumn:
        return alarm.text;
    case SinceColumn:
        return QString(QStringLiteral("seit ") +
                       sinceText(std::max<qint64>(0, alarm.raisedAt.secsTo(m_clock.now()))));
    case CountColumn:
        return alarm.count > 1 ? QStringLiteral("×%1").arg(alarm.count) : QString();
    case ColumnCount:
        break;
    }
    return {};
}

QVariant AlarmListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char16_t* const titles[] = {u"Zeit", u"Alarm", u"Wer",
                                             u"Text", u"Seit",  u"Anzahl"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return QString::fromUtf16(titles[section]);
}

QString sinceText(qint64 seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}
