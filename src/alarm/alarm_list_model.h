// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QDateTime>

class AlarmManager;
class Clock;

// The open alarms as the alarm window lists them, newest on top: time,
// title, who, text, "seit m:ss" and how often the telegram came.
class AlarmListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        TimeColumn,
        TitleColumn,
        WhoColumn,
        TextColumn,
        SinceColumn,
        CountColumn,
        ColumnCount
    };

    AlarmListModel(const AlarmManager& alarms, const Clock& clock, QObject* parent = nullptr);

    // The alarms changed: rows anew.
    void refresh();
    // Time passed: "seit" anew.
    void tick();
    // "und 3 weitere" below the list, empty when all are listed.
    QString beyondListed() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const AlarmManager& m_alarms;
    const Clock& m_clock;
};

// "0:05", "12:30", "75:02": minutes and seconds since.
QString sinceText(qint64 seconds);
