// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "autostart/autostart_entry.h"

#include <QWidget>

class Dialogs;
class QCheckBox;

// The tab "Start": whether Ostrevo starts, in the tray, when the user logs in.
class StartPage final : public QWidget
{
    Q_OBJECT

public:
    StartPage(const AutostartEntry& entry, const QString& command, Dialogs& dialogs,
              QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void followCheckBox(bool checked);

    const AutostartEntry m_entry;
    const QString m_command;
    Dialogs& m_dialogs;
    QCheckBox* m_atLogin = nullptr;
};
