// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QSpinBox;
class SettingsModel;

// The tab "Alarmierung": how often an alarm sounds again, whether it
// reaches the desktop's notifications, and the way to the rules.
class AlarmPage final : public QWidget
{
    Q_OBJECT

public:
    explicit AlarmPage(SettingsModel& settings, QWidget* parent = nullptr);

    // "Alarmregeln.txt: 5 Regeln" and what the reader had to skip.
    void showRulesState(const QString& state);

signals:
    void rulesRequested();

private:
    void showSettings();

    SettingsModel& m_settings;
    QSpinBox* m_repeat = nullptr;
    QCheckBox* m_notification = nullptr;
    QLabel* m_rulesState = nullptr;
};
