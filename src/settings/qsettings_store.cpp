// SPDX-License-Identifier: GPL-3.0-or-later
#include "qsettings_store.h"

#include "settings_log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {
constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner;
}

QSettingsStore::QSettingsStore()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Ostrevo"),
                 QStringLiteral("Ostrevo"))
{
}

QSettingsStore::QSettingsStore(const QString& iniFile) : m_settings(iniFile, QSettings::IniFormat)
{
}

QSettingsStore::~QSettingsStore()
{
    flush();
}

QString QSettingsStore::read(const QString& section, const QString& key,
                             const QString& defaultValue) const
{
    const QVariant value = m_settings.value(section + u'/' + key);
    if (!value.isValid())
        return defaultValue;
    // A hand-edited INI value with commas reads back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

void QSettingsStore::write(const QString& section, const QString& key, const QString& value)
{
    m_settings.setValue(section + u'/' + key, value);
}

void QSettingsStore::flush()
{
    const QString path = m_settings.fileName();
    if (!QFileInfo::exists(path)) {
        // Create it owner-only before the first value reaches it.
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        file.open(QIODevice::WriteOnly, OwnerOnly);
    }
    m_settings.sync();
    QFile::setPermissions(path, OwnerOnly);
    if (m_settings.status() != QSettings::NoError)
        qCWarning(lcSettings).noquote()
            << "Die Einstellungen konnten nicht in" << path << "gespeichert werden.";
}
