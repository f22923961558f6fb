// SPDX-License-Identifier: GPL-3.0-or-later
#include "start_page.h"

#include "common/dialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

StartPage::StartPage(const AutostartEntry& entry, const QString& command, Dialogs& dialogs,
                     QWidget* parent)
    : QWidget(parent), m_entry(entry), m_command(command), m_dialogs(dialogs)
{
    m_atLogin = new QCheckBox(QStringLiteral("Beim Anmelden starten"), this);
    m_atLogin->setObjectName(QStringLiteral("atLogin"));
    m_atLogin->setAccessibleDescription(
        QStringLiteral("Startet Ostrevo nach dem Anmelden, ohne Einstellungsfenster"));
    auto* explanation =
        new QLabel(QStringLiteral("Ostrevo startet dann mit der Telegrammleiste und dem Symbol im "
                                  "Infobereich; das Einstellungsfenster öffnet „Einstellungen“ im "
                                  "Menü des Symbols."),
                   this);
    explanation->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_atLogin);
    layout->addWidget(explanation);
    layout->addStretch(1);
    m_atLogin->setChecked(m_entry.exists());
    connect(m_atLogin, &QCheckBox::toggled, this, &StartPage::followCheckBox);
}

void StartPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The entry may have been removed by hand in the meantime.
    const QSignalBlocker quiet(m_atLogin);
    m_atLogin->setChecked(m_entry.exists());
}

void StartPage::followCheckBox(bool checked)
{
    const std::optional<QString> failure = checked ? m_entry.write(m_command) : m_entry.remove();
    if (!failure)
        return;
    m_dialogs.showMessage({QStringLiteral("Der Autostart-Eintrag %1 kann nicht %2: %3")
                               .arg(QDir::toNativeSeparators(m_entry.path()),
                                    checked ? QStringLiteral("geschrieben werden")
                                            : QStringLiteral("entfernt werden"),
                                    *failure),
                           QStringLiteral("Weitere Einstellungen"),
                           MessageBoxRequest::Icon::Critical});
    const QSignalBlocker quiet(m_atLogin);
    m_atLogin->setChecked(m_entry.exists());
}
