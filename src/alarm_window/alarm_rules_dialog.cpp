// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm_rules_dialog.h"

#include "alarm/alarm_rules_file.h"
#include "alarm/alarm_rules_source.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QStringList RuleColumns{QStringLiteral("Art"),    QStringLiteral("Kennung"),
                              QStringLiteral("Zusatz"), QStringLiteral("Bezeichnung"),
                              QStringLiteral("Ton"),    QStringLiteral("Wiederholen")};
const QStringList WindowColumns{QStringLiteral("Tag"), QStringLiteral("Von"),
                                QStringLiteral("Bis")};
const QStringList NewHeader{QStringLiteral("# Art;Kennung;Zusatz;Bezeichnung;Ton;Wiederholen"),
                            QStringLiteral("# Probealarm;Tag;Von;Bis")};

QTableWidget* table(QWidget* parent, const char* name, const QString& accessible,
                    const QStringList& columns)
{
    auto* made = new QTableWidget(0, int(columns.size()), parent);
    made->setObjectName(QString::fromLatin1(name));
    made->setAccessibleName(accessible);
    made->setHorizontalHeaderLabels(columns);
    made->setSelectionBehavior(QAbstractItemView::SelectRows);
    made->setSelectionMode(QAbstractItemView::SingleSelection);
    made->setTabKeyNavigation(false);
    made->verticalHeader()->hide();
    made->horizontalHeader()->setStretchLastSection(true);
    return made;
}

QStringList rowFields(const QTableWidget* table, int row)
{
    QStringList fields;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem* item = table->item(row, column);
        fields << (item ? item->text().trimmed() : QString());
    }
    return fields;
}

QPushButton* button(QWidget* parent, const QString& caption, const char* name)
{
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(QString::fromLatin1(name));
    made->setAccessibleName(QString(caption).remove(u'&').remove(QStringLiteral(" …")));
    return made;
}

} // namespace

AlarmRulesDialog::AlarmRulesDialog(AlarmRulesSource& source, QWidget* parent)
    : QWidget(parent, Qt::Window), m_source(source)
{
    setObjectName(QStringLiteral("AlarmRulesDialog"));
    setWindowTitle(QStringLiteral("Alarmregeln"));
    m_file = new QLabel(this);
    m_file->setTextFormat(Qt::PlainText);
    m_rules = table(this, "rules", QStringLiteral("Regeln"), RuleColumns);
    m_testWindows = table(this, "testWindows", QStringLiteral("Probealarm-Zeiten"), WindowColumns);
    m_problems = new QLabel(this);
    m_problems->setObjectName(QStringLiteral("problems"));
    m_problems->setTextFormat(Qt::PlainText);
    m_problems->setWordWrap(true);

    auto* add = button(this, QStringLiteral("&Neue Regel"), "addRule");
    auto* remove = button(this, QStringLiteral("&Entfernen"), "removeRule");
    auto* up = button(this, QStringLiteral("Nach &oben"), "moveUp");
    auto* down = button(this, QStringLiteral("Nach &unten"), "moveDown");
    m_test = button(this, QStringLiteral("&Probe"), "test");
    auto* addWindow = button(this, QStringLiteral("Neue Probealarm-&Zeit"), "addTestWindow");
    auto* removeWindow = button(this, QStringLiteral("Zeit ent&fernen"), "removeTestWindow");
    m_save = button(this, QStringLiteral("&Speichern"), "save");
    auto* close = button(this, QStringLiteral("Schließen"), "close");

    auto* ruleButtons = new QVBoxLayout;
    for (QPushButton* each : {add, remove, up, down, m_test})
        ruleButtons->addWidget(each);
    ruleButtons->addStretch(1);
    auto* ruleArea = new QHBoxLayout;
    ruleArea->addWidget(m_rules, 1);
    ruleArea->addLayout(ruleButtons);
    auto* windowButtons = new QVBoxLayout;
    windowButtons->addWidget(addWindow);
    windowButtons->addWidget(removeWindow);
    windowButtons->addStretch(1);
    auto* windows = new QHBoxLayout;
    windows->addWidget(m_testWindows, 1);
    windows->addLayout(windowButtons);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_problems, 1);
    bottom->addWidget(m_save);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_file);
    layout->addLayout(ruleArea, 3);
    layout->addWidget(
        new QLabel(QStringLiteral("Probealarm-Zeiten (wöchentlich, Ortszeit):"), this));
    layout->addLayout(windows, 1);
    layout->addLayout(bottom);
    resize(900, 520);

    connect(add, &QPushButton::clicked, this, [this] {
        addRow(m_rules, {QStringLiteral("ZVEI"), QString(), QString(), QString(),
                         QStringLiteral("gong"), QStringLiteral("ja")});
        m_rules->setCurrentCell(m_rules->rowCount() - 1, 1);
        check();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (m_rules->currentRow() >= 0)
            m_rules->removeRow(m_rules->currentRow());
        check();
    });
    connect(up, &QPushButton::clicked, this, [this] { moveRow(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveRow(1); });
    connect(addWindow, &QPushButton::clicked, this, [this] {
        addRow(m_testWindows,
               {QStringLiteral("Sa"), QStringLiteral("12:00"), QStringLiteral("12:15")});
        check();
    });
    connect(removeWindow, &QPushButton::clicked, this, [this] {
        if (m_testWindows->currentRow() >= 0)
            m_testWindows->removeRow(m_testWindows->currentRow());
        check();
    });
    connect(m_test, &QPushButton::clicked, this, [this] {
        QList<RuleProblem> problems;
        const QList<AlarmRule> rules = rowsAsRules(&problems);
        const int row = m_rules->currentRow();
        for (const AlarmRule& rule : rules) {
            if (rule.line == row + 1)
                emit testRequested(rule);
        }
    });
    connect(m_save, &QPushButton::clicked, this, &AlarmRulesDialog::save);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    for (QTableWidget* each : {m_rules, m_testWindows})
        connect(each, &QTableWidget::itemChanged, this, &AlarmRulesDialog::check);
}

void AlarmRulesDialog::showAndRaise()
{
    if (!isVisible())
        fill();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void AlarmRulesDialog::fill()
{
    m_file->setText(QStringLiteral("Datei: ") + QDir::toNativeSeparators(m_source.path()));
    m_rules->setRowCount(0);
    m_testWindows->setRowCount(0);
    QList<QStringList> lines = m_source.editableLines();
    if (lines.isEmpty() && !QFile::exists(m_source.path())) // the built-in rule, written out
        lines << ruleLine(AlarmRules::builtIn().rules[0]).split(u';');
    for (const QStringList& fields : std::as_const(lines)) {
        if (fields.value(0).compare(u"Probealarm", Qt::CaseInsensitive) == 0)
            addRow(m_testWindows, fields.mid(1));
        else
            addRow(m_rules, fields);
    }
    check();
}

void AlarmRulesDialog::addRow(QTableWidget* table, const QStringList& fields)
{
    const QSignalBlocker quiet(table);
    const int row = table->rowCount();
    table->insertRow(row);
    for (int column = 0; column < table->columnCount(); ++column)
        table->setItem(row, column, new QTableWidgetItem(fields.value(column)));
    // Fields beyond the columns would be lost: a line with too many of them
    // keeps the rest in the last column, where checking finds it.
    if (fields.size() > table->columnCount())
        table->item(row, table->columnCount() - 1)
            ->setText(fields.mid(table->columnCount() - 1).join(u';'));
}

void AlarmRulesDialog::moveRow(int by)
{
    const int row = m_rules->currentRow();
    const int target = row + by;
    if (row < 0 || target < 0 || target >= m_rules->rowCount())
        return;
    const QStringList moving = rowFields(m_rules, row);
    const QStringList other = rowFields(m_rules, target);
    const QSignalBlocker quiet(m_rules);
    for (int column = 0; column < m_rules->columnCount(); ++column) {
        m_rules->item(row, column)->setText(other[column]);
        m_rules->item(target, column)->setText(moving[column]);
    }
    m_rules->setCurrentCell(target, m_rules->currentColumn());
    check();
}

QList<AlarmRule> AlarmRulesDialog::rowsAsRules(QList<RuleProblem>* problems) const
{
    // The rows as lines of a file: the reader checks them, line n is row n.
    QStringList lines;
    for (int row = 0; row < m_rules->rowCount(); ++row)
        lines << rowFields(m_rules, row).join(u';');
    const QString folder = QFileInfo(m_source.path()).path();
    const AlarmRules read = readAlarmRules((lines.join(u'\n') + u'\n').toUtf8(), folder);
    if (problems)
        *problems << read.problems;
    return read.rules;
}

QList<TestWindow> AlarmRulesDialog::rowsAsTestWindows(QList<RuleProblem>* problems) const
{
    QList<TestWindow> windows;
    for (int row = 0; row < m_testWindows->rowCount(); ++row) {
        const QString line =
            QStringLiteral("Probealarm;") + rowFields(m_testWindows, row).join(u';');
        const AlarmRules read = readAlarmRules(line.toUtf8(), {});
        if (!read.problems.isEmpty() && problems)
            *problems << RuleProblem{row + 1,
                                     QStringLiteral("Probealarm-Zeit: ") + read.problems[0].reason};
        windows << read.testWindows;
    }
    return windows;
}

void AlarmRulesDialog::check()
{
    QList<RuleProblem> problems;
    rowsAsRules(&problems);
    rowsAsTestWindows(&problems);
    QStringList texts;
    for (const RuleProblem& problem : std::as_const(problems))
        texts << problem.text();
    m_problems->setText(texts.isEmpty() ? QString() : texts.join(u'\n'));
    m_save->setEnabled(texts.isEmpty());
}

void AlarmRulesDialog::save()
{
    QList<RuleProblem> problems;
    AlarmRules rules;
    rules.rules = rowsAsRules(&problems);
    rules.testWindows = rowsAsTestWindows(&problems);
    if (!problems.isEmpty())
        return;
    rules.header = QFile::exists(m_source.path()) ? m_source.rules().header : NewHeader;
    if (const auto failure = m_source.save(rules))
        m_problems->setText(QStringLiteral("Nicht gespeichert: ") + *failure);
    else
        m_problems->setText(QStringLiteral("Gespeichert; die Regeln gelten ab sofort."));
}
