#include "history/history_window.h"
#include "journal/journal_cells.h"
#include "journal_test_data.h"
#include "support/fake_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

Rgb statusColour(int status, FmsDirection direction)
{
    return direction == FmsDirection::ToVehicle ? Rgb{0, 0, 255} : Rgb{255, status * 10, 0};
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    FixedClock m_clock;
    FakeDialogs m_dialogs;
    std::unique_ptr<Journal> m_journal;
    std::unique_ptr<HistoryWindow> m_window;

    QString path() const { return m_dir->filePath(u"journal.sqlite"_qs); }
    QTableView* table() const { return m_window->findChild<QTableView*>(u"table"_qs); }
    QString address(int row) const { return m_window->model().journalRow(row).address; }
    // The row at the top of the table's viewport.
    QString topAddress() const
    {
        return table()->indexAt(QPoint(2, 2)).siblingAtColumn(2).data().toString();
    }

    void open(int rows)
    {
        QList<HandledTelegram> telegrams;
        for (int i = 0; i < rows; ++i)
            telegrams << handled(i % 2 ? TelegramKind::Pocsag : TelegramKind::Fms,
                                 QString::number(1000 + i), i % 3 ? u"Zugführer"_qs : QString(),
                                 u"Text"_qs, 0, i);
        writeJournal(path(), telegrams);
        m_journal = std::make_unique<Journal>(path(), m_clock, 0);
        m_window = std::make_unique<HistoryWindow>(*m_journal, m_clock, statusColour, m_dialogs);
        m_window->showAndRaise();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void arrive(const QString& address)
    {
        m_journal->append(handled(TelegramKind::FiveTone, address, {}, {}, 0, 9999));
    }

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup()
    {
        m_window.reset();
        m_journal.reset();
    }

    void newRowsOnTopKeepSelection()
    {
        open(5);
        QSignalSpy viewed(m_window.get(), &HistoryWindow::viewed);
        m_window->showAndRaise(); // a second choice of the menu item
        QCOMPARE(viewed.count(), 1);
        table()->selectRow(2);
        arrive(u"neu"_qs);
        QTRY_COMPARE(address(0), u"neu"_qs);
        QCOMPARE(address(1), u"1004"_qs);
        const auto selected = table()->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(address(selected[0].row()), u"1002"_qs);
        QCOMPARE(topAddress(), u"neu"_qs); // at the top the new row comes into sight
    }

    void readingPositionKeptWhenScrolledDown()
    {
        open(150);
        table()->scrollTo(m_window->model().index(60, 0), QAbstractItemView::PositionAtTop);
        const QString reading = topAddress();
        QVERIFY(reading != u"1149"_qs);
        for (int i = 0; i < 3; ++i)
            arrive(u"neu"_qs + QString::number(i));
        QTRY_COMPARE(m_window->model().rowCount(), 153);
        QCOMPARE(topAddress(), reading);
        QCOMPARE(address(0), u"neu2"_qs);
    }

    void controlsFilterTheTable()
    {
        open(6);
        QTest::keyClicks(m_window->findChild<QLineEdit*>(u"search"_qs), u"ZUGFÜ"_qs);
        QTRY_COMPARE(m_window->model().rowCount(), 4);
        m_window->findChildren<QCheckBox*>().at(0)->click(); // FMS off
        QCOMPARE(m_window->model().rowCount(), 2);
        QCOMPARE(address(0), u"1005"_qs);
        m_window->findChild<QLineEdit*>(u"search"_qs)->clear();
        auto* period = m_window->findChild<QComboBox*>(u"period"_qs);
        period->setCurrentIndex(0); // today
        QTRY_COMPARE(m_window->model().rowCount(), 3);
        m_clock.time = m_clock.time.addDays(1);
        period->setCurrentIndex(1); // last seven days
        QCOMPARE(m_window->model().rowCount(), 3);
        period->setCurrentIndex(0);
        QCOMPARE(m_window->model().rowCount(), 0);
    }

    void copyAndExport()
    {
        open(4);
        table()->setFocus();
        table()->selectionModel()->select(m_window->model().index(3, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
        table()->selectionModel()->select(m_window->model().index(0, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::keySequence(table(), QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(),
                 u"Zeit\tArt\tKennung\tName\tStatus\tText\n"
                 "06.12.2026 12:34:59\tPOCSAG\t1003\tUnbekannt\t\tText\n"
                 "06.12.2026 12:34:56\tFMS\t1000\tUnbekannt\t3\tText\n"_qs);

        auto* exportButton = m_window->findChild<QPushButton*>(u"export"_qs);
        m_dialogs.saveAnswer = m_dir->filePath(u"liste.csv"_qs);
        exportButton->click();
        QTRY_VERIFY(exportButton->isEnabled());
        QFile file(*m_dialogs.saveAnswer);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count("\r\n"), 5);
    }

    void statusMarkAndUnlistedName()
    {
        open(3); // FMS listed, POCSAG listed, FMS unlisted
        const auto cell = [this](int row, JournalColumn column, int role) {
            return m_window->model().index(row, int(column)).data(role);
        };
        const auto mark = cell(0, JournalColumn::Status, Qt::DecorationRole).value<QPixmap>();
        QCOMPARE(mark.toImage().pixelColor(6, 6), QColor(255, 30, 0));
        QVERIFY(cell(1, JournalColumn::Status, Qt::DecorationRole).isNull());
        QCOMPARE(cell(0, JournalColumn::Name, Qt::ForegroundRole), QVariant());
        QCOMPARE(cell(2, JournalColumn::Name, Qt::ForegroundRole).value<QColor>(),
                 QApplication::palette().color(QPalette::PlaceholderText));
        QCOMPARE(cell(2, JournalColumn::Name, Qt::DisplayRole).toString(), u"Unbekannt"_qs);
    }

    void stateFromSettingsIsChecked()
    {
        open(1);
        HistoryWindowState wild{
            QRect(QPoint(-2147483647, 2147483600), QPoint(2147483647, 2147483605)),
            {-5, 1000000, 90, 91, 92, 93, 94}};
        m_window->setState(wild);
        const HistoryWindowState state = m_window->state();
        QCOMPARE(state.geometry.size(), QSize(10000, 200));
        QCOMPARE(state.columnWidths.mid(0, 5), (QList<int>{40, 4000, 90, 91, 92}));
    }
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
