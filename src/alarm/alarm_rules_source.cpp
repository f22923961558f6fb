// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm_rules_source.h"

#include "alarm_log.h"
#include "alarm_rules_file.h"
#include "directories/list_file_path.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

AlarmRulesSource::AlarmRulesSource(const QString& listFolder, QObject* parent)
    : QObject(parent), m_listFolder(listFolder), m_rules(AlarmRules::builtIn())
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(300);
    connect(&m_settle, &QTimer::timeout, this, &AlarmRulesSource::load);
    const auto changed = [this] { m_settle.start(); };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, changed);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, changed);
}

QString AlarmRulesSource::path() const
{
    return findListEntry(FileName, m_listFolder).value_or(QDir(m_listFolder).filePath(FileName));
}

void AlarmRulesSource::load()
{
    const QString file = path();
    QFile input(file);
    AlarmRules rules = AlarmRules::builtIn();
    if (input.open(QIODevice::ReadOnly)) {
        rules = readAlarmRules(input.read(MaxRulesFileBytes + 1), m_listFolder);
        qCInfo(lcAlarm).noquote() << file << "gelesen:" << rules.rules.size()
                                  << (rules.rules.size() == 1 ? "Regel," : "Regeln,")
                                  << rules.testWindows.size()
                                  << (rules.testWindows.size() == 1 ? "Probealarm-Zeit"
                                                                    : "Probealarm-Zeiten");
        for (const RuleProblem& problem : std::as_const(rules.problems))
            qCWarning(lcAlarm).noquote() << file << problem.text();
    } else if (input.exists()) {
        qCWarning(lcAlarm).noquote() << file << "nicht lesbar:" << input.errorString();
        rules.problems << RuleProblem{
            0, QStringLiteral("%1 ist nicht lesbar (%2); es gilt der "
                              "eingebaute NOTRUF-Alarm")
                   .arg(QDir::toNativeSeparators(file), input.errorString())};
    }
    watch();
    if (rules.rules == m_rules.rules && rules.testWindows == m_rules.testWindows &&
        rules.problems == m_rules.problems && rules.header == m_rules.header)
        return;
    m_rules = rules;
    emit rulesChanged(m_rules);
}

QList<QStringList> AlarmRulesSource::editableLines() const
{
    QFile input(path());
    if (!input.open(QIODevice::ReadOnly))
        return {};
    return ruleFieldsOf(input.read(MaxRulesFileBytes));
}

std::optional<QString> AlarmRulesSource::save(const AlarmRules& rules)
{
    QDir().mkpath(m_listFolder);
    QSaveFile output(path());
    if (!output.open(QIODevice::WriteOnly) || output.write(writeAlarmRules(rules).toUtf8()) < 0 ||
        !output.commit())
        return output.errorString();
    load();
    return std::nullopt;
}

void AlarmRulesSource::watch()
{
    // A file replaced by renaming (as saving does) is a new file to watch.
    const QString file = path();
    if (!m_watcher.files().contains(file) && QFile::exists(file))
        m_watcher.addPath(file);
    if (m_watcher.directories().isEmpty() && QDir(m_listFolder).exists())
        m_watcher.addPath(m_listFolder);
}
