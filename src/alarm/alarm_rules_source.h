// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alarm_rules.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

// The rules file of the list folder, read at start and again whenever it
// changes on disk, so that a station can roll out new rules to running
// desks. Without a file the built-in rule applies.
class AlarmRulesSource final : public QObject
{
    Q_OBJECT

public:
    static inline const QString FileName = QStringLiteral("Alarmregeln.txt");

    explicit AlarmRulesSource(const QString& listFolder, QObject* parent = nullptr);

    // Where the file is, or would be written.
    QString path() const;
    const AlarmRules& rules() const { return m_rules; }
    // Reads the file now.
    void load();
    // The fields of the file's rule and test window lines, for editing.
    QList<QStringList> editableLines() const;
    // Writes the rules (atomically); returns the reason when it fails.
    std::optional<QString> save(const AlarmRules& rules);

signals:
    void rulesChanged(const AlarmRules& rules);

private:
    void watch();

    QString m_listFolder;
    AlarmRules m_rules;
    QFileSystemWatcher m_watcher;
    QTimer m_settle; // editors write a file in several steps
};
