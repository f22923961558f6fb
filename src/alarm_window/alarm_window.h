// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <QWidget>

class AlarmListModel;
class QLabel;
class QPushButton;
class QTableView;

// "Alarm": every open alarm in large type, newest on top, above all other
// windows and without taking the keyboard from whoever is typing. Closing
// it leaves the alarms open; "Quittieren" acknowledges them all.
class AlarmWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit AlarmWindow(AlarmListModel& model, QWidget* parent = nullptr);

    // Brings the window up, centred below the bar, when alarms are open, and
    // takes it away when none are.
    void follow(bool alarmsOpen, int barHeight);

signals:
    void acknowledgeRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void place(int barHeight);

    AlarmListModel& m_model;
    QTableView* m_table = nullptr;
    QLabel* m_beyond = nullptr;
    QPushButton* m_acknowledge = nullptr;
    QTimer m_ticker;
};
