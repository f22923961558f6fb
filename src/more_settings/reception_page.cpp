// SPDX-License-Identifier: GPL-3.0-or-later
#include "reception_page.h"

#include "reception/reception_watch.h"
#include "settings/settings_limits.h"
#include "settings/settings_model.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

ReceptionPage::ReceptionPage(SettingsModel& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings)
{
    m_warnAfter = new QSpinBox(this);
    m_warnAfter->setObjectName(QStringLiteral("warnAfter"));
    m_warnAfter->setRange(0, MaxWarnMinutes);
    m_warnAfter->setSuffix(QStringLiteral(" min"));
    m_warnAfter->setSpecialValueText(QStringLiteral("aus"));
    m_warnAfter->setAccessibleName(QStringLiteral("Warnen nach"));
    m_warnAfter->setAccessibleDescription(
        QStringLiteral("Minuten ohne jedes Telegramm, nach denen Ostrevo vor fehlendem Empfang "
                       "warnt; 0 schaltet die Warnung aus"));
    m_keepAliveAddress = new QLineEdit(this);
    m_keepAliveAddress->setObjectName(QStringLiteral("keepAliveAddress"));
    m_keepAliveAddress->setAccessibleName(QStringLiteral("Lebenszeichen, Kennung"));
    m_keepAliveAddress->setPlaceholderText(QStringLiteral("RIC oder Fünftonfolge"));
    m_keepAliveAddress->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,7}")), m_keepAliveAddress));
    m_keepAliveMinutes = new QSpinBox(this);
    m_keepAliveMinutes->setObjectName(QStringLiteral("keepAliveMinutes"));
    m_keepAliveMinutes->setRange(1, 24 * 60);
    m_keepAliveMinutes->setPrefix(QStringLiteral("alle "));
    m_keepAliveMinutes->setSuffix(QStringLiteral(" min"));
    m_keepAliveMinutes->setAccessibleName(QStringLiteral("Lebenszeichen, Abstand"));
    m_keepAliveState = new QLabel(this);
    m_keepAliveState->setWordWrap(true);

    auto* keepAlive = new QHBoxLayout;
    keepAlive->addWidget(m_keepAliveAddress, 1);
    keepAlive->addWidget(m_keepAliveMinutes);
    auto* form = new QFormLayout;
    auto* warnLabel = new QLabel(QStringLiteral("&Warnen nach:"), this);
    warnLabel->setBuddy(m_warnAfter);
    form->addRow(warnLabel, m_warnAfter);
    auto* keepAliveLabel = new QLabel(QStringLiteral("&Lebenszeichen:"), this);
    keepAliveLabel->setBuddy(m_keepAliveAddress);
    form->addRow(keepAliveLabel, keepAlive);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_keepAliveState);
    layout->addWidget(new QLabel(
        QStringLiteral("Fehlt der Empfang, zeigt das Symbol im Infobereich eine Warnung und "
                       "eine Benachrichtigung sagt es; ebenso, wenn er wieder da ist."),
        this));
    layout->addStretch(1);

    showSettings();
    connect(m_warnAfter, &QSpinBox::valueChanged, &m_settings,
            &SettingsModel::setReceptionWarnMinutes);
    connect(m_keepAliveAddress, &QLineEdit::textEdited, this, &ReceptionPage::takeKeepAlive);
    connect(m_keepAliveMinutes, &QSpinBox::valueChanged, this, &ReceptionPage::takeKeepAlive);
    connect(&m_settings, &SettingsModel::changed, this, &ReceptionPage::showSettings);
}

void ReceptionPage::takeKeepAlive()
{
    const QString address = m_keepAliveAddress->text().trimmed();
    m_settings.setKeepAlive(address.isEmpty()
                                ? QString()
                                : address + u' ' + QString::number(m_keepAliveMinutes->value()));
}

void ReceptionPage::showSettings()
{
    const QSignalBlocker quietWarn(m_warnAfter);
    const QSignalBlocker quietMinutes(m_keepAliveMinutes);
    const Settings& settings = m_settings.settings();
    m_warnAfter->setValue(settings.receptionWarnMinutes);
    const std::optional<KeepAlive> keepAlive = readKeepAlive(settings.keepAlive);
    if (keepAlive) {
        if (m_keepAliveAddress->text().trimmed() != keepAlive->address)
            m_keepAliveAddress->setText(keepAlive->address);
        m_keepAliveMinutes->setValue(keepAlive->minutes);
    }
    m_keepAliveState->setText(!settings.keepAlive.isEmpty() && !keepAlive
                                  ? QStringLiteral("„%1“ ist kein Lebenszeichen (Kennung und "
                                                   "Minuten, etwa „1234567 15“).")
                                        .arg(settings.keepAlive)
                                  : QString());
}
