// SPDX-License-Identifier: GPL-3.0-or-later
#include "history_window.h"

#include "common/clock.h"
#include "common/dialogs.h"
#include "gui_common/table_window.h"
#include "journal/delimited_text.h"
#include "journal/journal.h"
#include "journal/journal_cells.h"
#include "journal/journal_export.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace {

constexpr std::chrono::milliseconds SearchDelay{150};

// "1 Telegramm", "2 Telegramme".
QString telegramCount(qint64 count)
{
    return count == 1 ? QStringLiteral("1 Telegramm") : QStringLiteral("%1 Telegramme").arg(count);
}

// Where exports go unless the user goes elsewhere: the documents folder,
// else home; not the folder the program happened to be started in.
QString exportFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

// The period choices in the order of the combo box.
const QList<std::pair<JournalPeriod, QString>>& periodChoices()
{
    static const QList<std::pair<JournalPeriod, QString>> choices{
        {JournalPeriod::Today, QStringLiteral("Heute")},
        {JournalPeriod::LastSevenDays, QStringLiteral("Letzte 7 Tage")},
        {JournalPeriod::All, QStringLiteral("Alles")},
    };
    return choices;
}

const QList<std::pair<TelegramKind, QString>>& kindChoices()
{
    static const QList<std::pair<TelegramKind, QString>> choices{
        {TelegramKind::Fms, QStringLiteral("&FMS")},
        {TelegramKind::FiveTone, QStringLiteral("&ZVEI")},
        {TelegramKind::Pocsag, QStringLiteral("&POCSAG")},
    };
    return choices;
}

} // namespace

HistoryWindow::HistoryWindow(Journal& journal, const Clock& clock,
                             HistoryModel::StatusColour statusColour, Dialogs& dialogs,
                             HistoryLimits limits, QWidget* parent)
    : QWidget(parent, Qt::Window), m_journal(journal), m_clock(clock), m_dialogs(dialogs),
      m_model(journal.path(), clock, std::move(statusColour), limits)
{
    setWindowTitle(QStringLiteral("Telegramm-Liste"));
    setObjectName(QStringLiteral("HistoryWindow"));
    buildControls();
    resize(900, 500);

    connect(&journal, &Journal::committed, &m_model, &HistoryModel::fetchNewRows);
    connect(&journal, &Journal::fileReplaced, &m_model, &HistoryModel::reopen);
    connect(&journal, &Journal::statusMessageChanged, this, &HistoryWindow::updateStatusLine);
    connect(&m_model, &HistoryModel::contentsChanged, this, &HistoryWindow::updateStatusLine);
    connect(&m_model, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex&, int first, int) { rememberReadingPosition(first); });
    connect(&m_model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { keepReadingPosition(first, last); });
    updateStatusLine();
}

HistoryWindow::~HistoryWindow()
{
    if (m_exportThread)
        m_exportThread->wait();
}

void HistoryWindow::buildControls()
{
    auto* filters = new QHBoxLayout;
    m_search = addSearchField(
        *this, *filters,
        QStringLiteral("Sucht in Kennung, Name und Text, ohne Groß- und Kleinschreibung"));
    for (const auto& [kind, text] : kindChoices()) {
        auto* box = new QCheckBox(text, this);
        box->setChecked(true);
        box->setAccessibleName(QString(text).remove(u'&'));
        box->setAccessibleDescription(QStringLiteral("Telegramme dieser Art zeigen"));
        connect(box, &QCheckBox::toggled, this, &HistoryWindow::applyFilter);
        m_kinds << box;
        filters->addWidget(box);
    }
    m_alarmsOnly = new QCheckBox(QStringLiteral("Nur &Alarme"), this);
    m_alarmsOnly->setObjectName(QStringLiteral("alarmsOnly"));
    m_alarmsOnly->setAccessibleName(QStringLiteral("Nur Alarme"));
    m_alarmsOnly->setAccessibleDescription(
        QStringLiteral("Nur Telegramme zeigen, die einen Alarm ausgelöst haben"));
    connect(m_alarmsOnly, &QCheckBox::toggled, this, &HistoryWindow::applyFilter);
    filters->addWidget(m_alarmsOnly);
    m_period = new QComboBox(this);
    m_period->setObjectName(QStringLiteral("period"));
    m_period->setAccessibleName(QStringLiteral("Zeitraum"));
    for (const auto& [period, text] : periodChoices())
        m_period->addItem(text);
    m_period->setCurrentIndex(int(periodChoices().size()) - 1);
    auto* periodLabel = new QLabel(QStringLiteral("&Zeitraum:"), this);
    periodLabel->setBuddy(m_period);
    filters->addWidget(periodLabel);
    filters->addWidget(m_period);
    m_export = new QPushButton(QStringLiteral("&Exportieren …"), this);
    m_export->setObjectName(QStringLiteral("export"));
    m_export->setAccessibleName(QStringLiteral("Exportieren"));
    m_export->setAccessibleDescription(
        QStringLiteral("Schreibt die angezeigten Telegramme in eine CSV-Datei"));
    filters->addWidget(m_export);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("table"));
    m_table->setAccessibleName(QStringLiteral("Telegramme"));
    m_table->setModel(&m_model);
    setUpRowTable(*m_table);
    m_table->setColumnWidth(int(JournalColumn::Time), 140);
    m_table->setColumnWidth(int(JournalColumn::Name), 200);
    m_table->setColumnWidth(int(JournalColumn::Status), 120); // "10 an Fahrzeug"
    m_table->setColumnWidth(int(JournalColumn::Text), 260);

    addCopyShortcut(*m_table, [this] { copySelection(); });
    addFindShortcut(*this, *m_search);

    m_countLine = new QLabel(this);
    m_countLine->setObjectName(QStringLiteral("count"));
    m_folderLine = new QLabel(this);
    m_messageLine = new QLabel(this);
    m_messageLine->setObjectName(QStringLiteral("message"));
    for (QLabel* line : {m_countLine, m_folderLine, m_messageLine})
        line->setTextFormat(Qt::PlainText); // file names and database messages as they are
    m_messageLine->setWordWrap(true);
    auto* statusLine = new QHBoxLayout;
    statusLine->addWidget(m_countLine);
    statusLine->addWidget(m_folderLine);
    statusLine->addWidget(m_messageLine, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_table, 1);
    layout->addLayout(statusLine);

    m_searchDelay = new QTimer(this);
    m_searchDelay->setSingleShot(true);
    m_searchDelay->setInterval(SearchDelay);
    connect(m_searchDelay, &QTimer::timeout, this, &HistoryWindow::applyFilter);
    connect(m_search, &QLineEdit::textChanged, m_searchDelay, qOverload<>(&QTimer::start));
    connect(m_period, &QComboBox::currentIndexChanged, this, &HistoryWindow::applyFilter);
    connect(m_export, &QPushButton::clicked, this, &HistoryWindow::exportRows);
}

void HistoryWindow::showAndRaise()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    emit viewed();
}

void HistoryWindow::setNameListFolder(const QString& folder)
{
    m_folderLine->setText(QStringLiteral("Namenslisten aus: ") + QDir::toNativeSeparators(folder));
}

WindowPlacement HistoryWindow::state() const
{
    return {geometry(), columnWidths(*m_table)};
}

void HistoryWindow::setState(const WindowPlacement& state)
{
    // The settings keep the values within their limits.
    placeWindow(*this, state.geometry);
    setColumnWidths(*m_table, state.columnWidths);
}

void HistoryWindow::setNotices(const QStringList& notices)
{
    m_notices = notices;
    updateStatusLine();
}

void HistoryWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    emit viewed();
}

void HistoryWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit viewed();
}

void HistoryWindow::applyFilter()
{
    m_searchDelay->stop();
    JournalFilter filter;
    filter.search = m_search->text();
    filter.kinds.clear();
    for (int i = 0; i < m_kinds.size(); ++i) {
        if (m_kinds[i]->isChecked())
            filter.kinds << kindChoices()[i].first;
    }
    filter.period = periodChoices()[std::max(0, m_period->currentIndex())].first;
    filter.alarmsOnly = m_alarmsOnly->isChecked();
    m_model.setFilter(filter);
}

void HistoryWindow::copySelection()
{
    const QList<int> selected = selectedViewRows(*m_table);
    if (selected.isEmpty())
        return;
    QList<QStringList> rows;
    for (const int row : selected)
        rows << journalCells(m_model.journalRow(row));
    QGuiApplication::clipboard()->setText(tabSeparated(journalColumnTitles(), rows));
}

void HistoryWindow::exportRows()
{
    if (m_exportThread)
        return;
    const QString filter = QStringLiteral("CSV-Dateien (*.csv)");
    const QDateTime now = m_clock.now();
    const auto target = m_dialogs.chooseSaveFile(
        {QStringLiteral("Telegramm-Liste exportieren"),
         {filter},
         filter,
         QStringLiteral("Telegramme-") + now.date().toString(Qt::ISODate) + QStringLiteral(".csv"),
         exportFolder()});
    if (!target)
        return;
    // A million rows take seconds: written beside the event loop, never in it.
    auto result = std::make_shared<JournalExportResult>();
    m_exportThread =
        QThread::create([result, path = m_journal.path(), filter = m_model.filter(), now,
                         file = *target] { *result = exportJournal(path, filter, now, file); });
    m_exportThread->setParent(this); // also gone when the window closes during an export
    connect(m_exportThread, &QThread::finished, this, [this, result, file = *target] {
        m_exportThread->deleteLater();
        m_exportThread = nullptr;
        m_export->setEnabled(true);
        const QString name = QDir::toNativeSeparators(file);
        m_exportMessage =
            result->error.isEmpty()
                ? QStringLiteral("%1 exportiert nach %2.").arg(telegramCount(result->rows), name)
                : QStringLiteral("Export nach %1 fehlgeschlagen: %2").arg(name, result->error);
        updateStatusLine();
    });
    m_export->setEnabled(false);
    m_exportMessage = QStringLiteral("Export läuft …");
    updateStatusLine();
    m_exportThread->start();
}

void HistoryWindow::rememberReadingPosition(int first)
{
    m_scrollBeforeInsert = first == 0 ? m_table->verticalScrollBar()->value() : 0;
}

void HistoryWindow::keepReadingPosition(int first, int last)
{
    // At the very top the new rows come into sight; further down the rows
    // being read stay where they are.
    if (first != 0 || m_scrollBeforeInsert == 0)
        return;
    m_table->doItemsLayout();
    m_table->verticalScrollBar()->setValue(m_scrollBeforeInsert + (last - first + 1));
}

void HistoryWindow::updateStatusLine()
{
    const int rows = m_model.rowCount();
    if (m_model.keepsOnlyNewest())
        m_countLine->setText(
            QStringLiteral("Die neuesten %1 Telegramme; ältere über Suche oder Zeitraum")
                .arg(rows));
    else
        m_countLine->setText(telegramCount(rows) + (m_model.canFetchMore({})
                                                        ? QStringLiteral(" und weitere")
                                                        : QString()));
    QStringList messages = m_notices;
    for (const QString& message :
         {m_journal.statusMessage(),
          m_model.readError().isEmpty()
              ? QString()
              : QStringLiteral("Journal nicht lesbar: ") + m_model.readError(),
          m_exportMessage}) {
        if (!message.isEmpty())
            messages << message;
    }
    m_messageLine->setText(messages.join(QStringLiteral(" · ")));
}
