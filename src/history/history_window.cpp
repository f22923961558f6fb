#include "history_window.h"

#include "common/clock.h"
#include "common/dialogs.h"
#include "journal/delimited_text.h"
#include "journal/journal.h"
#include "journal/journal_cells.h"
#include "journal/journal_export.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
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
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setAccessibleName(QStringLiteral("Suche"));
    m_search->setAccessibleDescription(
        QStringLiteral("Sucht in Kennung, Name und Text, ohne Groß- und Kleinschreibung"));
    m_search->setClearButtonEnabled(true);
    auto* searchLabel = new QLabel(QStringLiteral("&Suche:"), this);
    searchLabel->setBuddy(m_search);

    auto* filters = new QHBoxLayout;
    filters->addWidget(searchLabel);
    filters->addWidget(m_search, 1);
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
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_table->setWordWrap(false);
    // Tab moves on to the next control: the window is used by keyboard alone.
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // One line of text a row, so that a screen holds many telegrams.
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(int(JournalColumn::Time), 140);
    m_table->setColumnWidth(int(JournalColumn::Name), 200);
    m_table->setColumnWidth(int(JournalColumn::Status), 120); // "10 an Fahrzeug"
    m_table->setColumnWidth(int(JournalColumn::Text), 260);

    auto* copy = new QAction(QStringLiteral("Kopieren"), m_table);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &HistoryWindow::copySelection);
    m_table->addAction(copy);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    });

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
    WindowPlacement state;
    state.geometry = geometry();
    for (int column = 0; column < JournalColumnCount; ++column)
        state.columnWidths << m_table->columnWidth(column);
    return state;
}

void HistoryWindow::setState(const WindowPlacement& state)
{
    // The settings keep the values within their limits.
    if (const QRect& geometry = state.geometry; geometry.isValid()) {
        if (QGuiApplication::screenAt(geometry.center()))
            setGeometry(geometry);
        else
            resize(geometry.size()); // the screen it was on is gone
    }
    const int columns = std::min<int>(JournalColumnCount, int(state.columnWidths.size()));
    for (int column = 0; column < columns; ++column)
        m_table->setColumnWidth(column, state.columnWidths[column]);
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
    QModelIndexList selected = m_table->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QList<QStringList> rows;
    for (const QModelIndex& index : selected)
        rows << journalCells(m_model.journalRow(index.row()));
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
