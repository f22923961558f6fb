// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QSpinBox;
class SettingsModel;

// The tab "Empfang": after how many minutes without a telegram the desk
// warns, and the keep-alive address the network sends at a steady interval.
class ReceptionPage final : public QWidget
{
    Q_OBJECT

public:
    explicit ReceptionPage(SettingsModel& settings, QWidget* parent = nullptr);

private:
    void showSettings();
    void takeKeepAlive();

    SettingsModel& m_settings;
    QSpinBox* m_warnAfter = nullptr;
    QLineEdit* m_keepAliveAddress = nullptr;
    QSpinBox* m_keepAliveMinutes = nullptr;
    QLabel* m_keepAliveState = nullptr;
};
