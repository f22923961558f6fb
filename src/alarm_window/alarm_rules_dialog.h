// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm/alarm_rules.h"

#include <QWidget>

class AlarmRulesSource;
class QLabel;
class QPushButton;
class QTableWidget;

// "Alarmregeln": the rules and test windows of the list folder's rules file
// as tables to edit, check and save; "Probe" raises a test alarm.
class AlarmRulesDialog final : public QWidget
{
    Q_OBJECT

public:
    explicit AlarmRulesDialog(AlarmRulesSource& source, QWidget* parent = nullptr);

    // Shows the file as it is now, or brings the open dialog to the front.
    void showAndRaise();

signals:
    void testRequested(const AlarmRule& rule);

private:
    void fill();
    void check();
    void save();
    // Checking is left to the caller: once after a whole file, not per row.
    void addRow(QTableWidget* table, const QStringList& fields);
    void moveRow(int by);
    QList<AlarmRule> rowsAsRules(QList<RuleProblem>* problems) const;
    QList<TestWindow> rowsAsTestWindows(QList<RuleProblem>* problems) const;

    AlarmRulesSource& m_source;
    QTableWidget* m_rules = nullptr;
    QTableWidget* m_testWindows = nullptr;
    QLabel* m_problems = nullptr;
    QLabel* m_file = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_test = nullptr;
};
