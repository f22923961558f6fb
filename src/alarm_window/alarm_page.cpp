// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm_page.h"

#include "settings/settings_limits.h"
#include "settings/settings_model.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

AlarmPage::AlarmPage(SettingsModel& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings)
{
    m_repeat = new QSpinBox(this);
    m_repeat->setObjectName(QStringLiteral("repeat"));
    m_repeat->setRange(0, MaxRepeatSeconds);
    m_repeat->setSuffix(QStringLiteral(" s"));
    m_repeat->setSpecialValueText(QStringLiteral("nur einmal"));
    m_repeat->setAccessibleName(QStringLiteral("Ton wiederholen alle"));
    m_repeat->setAccessibleDescription(
        QStringLiteral("Sekunden vom Beginn eines Tons bis zum nächsten, bis quittiert ist; "
                       "0 spielt ihn nur einmal"));
    m_notification =
        new QCheckBox(QStringLiteral("Als &Benachrichtigung des Desktops zeigen"), this);
    m_notification->setObjectName(QStringLiteral("notification"));
    auto* rules = new QPushButton(QStringLiteral("Alarm&regeln …"), this);
    rules->setObjectName(QStringLiteral("rules"));
    rules->setAccessibleName(QStringLiteral("Alarmregeln"));
    m_rulesState = new QLabel(this);
    m_rulesState->setObjectName(QStringLiteral("rulesState"));
    m_rulesState->setTextFormat(Qt::PlainText);
    m_rulesState->setWordWrap(true);

    auto* form = new QFormLayout;
    auto* repeatLabel = new QLabel(QStringLiteral("Ton &wiederholen alle:"), this);
    repeatLabel->setBuddy(m_repeat);
    form->addRow(repeatLabel, m_repeat);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_notification);
    layout->addWidget(rules);
    layout->addWidget(m_rulesState);
    layout->addStretch(1);

    showSettings();
    connect(m_repeat, &QSpinBox::valueChanged, &m_settings, &SettingsModel::setAlarmRepeatSeconds);
    connect(m_notification, &QCheckBox::toggled, &m_settings, &SettingsModel::setAlarmNotification);
    connect(&m_settings, &SettingsModel::changed, this, &AlarmPage::showSettings);
    connect(rules, &QPushButton::clicked, this, &AlarmPage::rulesRequested);
}

void AlarmPage::showRulesState(const QString& state)
{
    m_rulesState->setText(state);
}

void AlarmPage::showSettings()
{
    const QSignalBlocker quietRepeat(m_repeat);
    const QSignalBlocker quietNotification(m_notification);
    m_repeat->setValue(m_settings.settings().alarmRepeatSeconds);
    m_notification->setChecked(m_settings.settings().alarmNotification);
}
