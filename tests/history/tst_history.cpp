// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestHistory : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FixedClock m_clock;
    FakeDialogs m_dialogs;
    std::unique_ptr<Journal> m_journal;
    std::unique_ptr<HistoryWindow> m_window;

    QTableView* table() const { return m_window->findChild<QTableView*>(u"table"_s); }
    const HistoryModel& model() const { return *static_cast<HistoryModel*>(table()->model()); }
    // The count of rows, and the messages beside it.
    QString statusLine(const QString& part = u"count"_s) const
    {
        const auto* label = m_window->findChild<QLabel*>(part);
        return label ? label->text() : QString();
    }
    QStringList addresses() const
    {
        QStringList result;
        for (int row = 0; row < model().rowCount(); ++row)
            result << model().journalRow(row).address;
        return result;
    }

    // Rows 1000, 1001 ... a second apart: FMS, ZVEI and POCSAG in turn,
    // every other one listed.
    void open(int rows, HistoryLimits limits = {})
    {
        const QString path = m_dir.filePath(QString::number(rows) + u".sqlite"_s);
        QList<HandledTelegram> telegrams;
        for (int i = 0; i < rows; ++i)
            telegrams << handled(TelegramKind(i % 3), QString::number(1000 + i),
                                 i % 2 ? u"Zugführer"_s : QString(), u"Text\tmit\nUmbruch"_s, 0, i);
        writeJournal(path, telegrams);
        m_journal = std::make_unique<Journal>(path, m_clock, 0);
        const auto statusColour = [](int status, FmsDirection) { return Rgb{255, status * 10, 0}; };
        m_window =
            std::make_unique<HistoryWindow>(*m_journal, m_clock, statusColour, m_dialogs, limits);
        m_window->showAndRaise();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

private slots:
    void cleanup()
    {
        m_window.reset();
        m_journal.reset();
        m_clock = FixedClock();
    }

    void newRowsGoOnTop()
    {
        open(150);
        QSignalSpy viewed(m_window.get(), &HistoryWindow::viewed);
        m_window->showAndRaise(); // a second choice of the menu item
        QCOMPARE(viewed.count(), 1);
        // 1149 POCSAG listed, 1148 ZVEI, 1147 FMS listed: a status mark, unlisted names grey.
        const auto cell = [this](int row, JournalColumn column, int role) {
            return model().index(row, int(column)).data(role);
        };
        const auto mark = cell(2, JournalColumn::Status, Qt::DecorationRole).value<QPixmap>();
        QCOMPARE(mark.toImage().pixelColor(6, 6), QColor(255, 30, 0));
        QVERIFY(!cell(0, JournalColumn::Status, Qt::DecorationRole).isValid());
        QVERIFY(!cell(0, JournalColumn::Name, Qt::ForegroundRole).isValid());
        QCOMPARE(cell(1, JournalColumn::Name, Qt::ForegroundRole),
                 QVariant(QApplication::palette().color(QPalette::PlaceholderText)));

        table()->selectRow(2);
        m_journal->append(handled(TelegramKind::FiveTone, u"neu"_s));
        QTRY_COMPARE(addresses().value(0), u"neu"_s);
        QCOMPARE(addresses().value(1), u"1149"_s);
        QCOMPARE(table()->selectionModel()->selectedRows(), QModelIndexList{model().index(3, 0)});
        QCOMPARE(table()->rowAt(0), 0); // at the very top the new row comes into sight

        // Further down, the rows being read stay where they are.
        table()->scrollTo(model().index(60, 0), QAbstractItemView::PositionAtTop);
        QCOMPARE(table()->rowAt(0), 60);
        for (const QString& address : {u"neu1"_s, u"neu2"_s, u"neu3"_s})
            m_journal->append(handled(TelegramKind::FiveTone, address));
        QTRY_COMPARE(model().rowCount(), 154);
        QCOMPARE(table()->rowAt(0), 63);
        QCOMPARE(addresses().mid(0, 4), (QStringList{u"neu3"_s, u"neu2"_s, u"neu1"_s, u"neu"_s}));
    }

    void filterCopyAndExport()
    {
        open(6);
        auto* search = m_window->findChild<QLineEdit*>(u"search"_s);
        QTest::keyClicks(search, u"ZUGFÜ"_s);
        QTRY_COMPARE(addresses(), (QStringList{u"1005"_s, u"1003"_s, u"1001"_s}));
        table()->setFocus();
        for (const int row : {2, 1})
            table()->selectionModel()->select(model().index(row, 0), QItemSelectionModel::Select |
                                                                         QItemSelectionModel::Rows);
        QTest::keySequence(table(), QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(),
                 u"Zeit\tArt\tKennung\tName\tStatus\tText\tAlarm\n"
                 "06.12.2026 12:34:59\tFMS\t1003\tZugführer\t3\tText mit Umbruch\t\n"
                 "06.12.2026 12:34:57\tZVEI\t1001\tZugführer\t\tText mit Umbruch\t\n"_s);

        search->clear();
        for (const int box : {0, 2}) // FMS and POCSAG off
            m_window->findChildren<QCheckBox*>().at(box)->click();
        QTRY_COMPARE(addresses(), (QStringList{u"1004"_s, u"1001"_s}));
        auto* exportButton = m_window->findChild<QPushButton*>(u"export"_s);
        m_dialogs.saveAnswer = m_dir.filePath(u"liste.csv"_s);
        exportButton->click();
        QTRY_VERIFY(exportButton->isEnabled());
        QFile file(*m_dialogs.saveAnswer);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count("\r\n"), 3); // the titles and the two rows shown
        QCOMPARE(statusLine(u"message"_s), u"2 Telegramme exportiert nach "_s +
                                               QDir::toNativeSeparators(*m_dialogs.saveAnswer) +
                                               u'.');
        // Not the folder the program was started in.
        const QString folder = m_dialogs.saveRequests.value(0).folder;
        QVERIFY(folder == QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) ||
                folder == QDir::homePath());

        auto* period = m_window->findChild<QComboBox*>(u"period"_s);
        m_clock.time = m_clock.time.addDays(6);
        period->setCurrentIndex(1); // last seven days
        QCOMPARE(addresses().size(), 2);
        search->setText(u"1004"_s);
        QTRY_COMPARE(statusLine(), u"1 Telegramm"_s);
        search->clear();
        period->setCurrentIndex(0); // today
        QCOMPARE(addresses(), QStringList());
    }

    void pagesCapAndBursts()
    {
        // Read a page at a time, kept up to the cap (and said so), new rows
        // taken a few per pass of the event loop.
        open(25, {10, 20, 4});
        QCOMPARE(model().rowCount(), 10);
        QCOMPARE(statusLine(), u"10 Telegramme und weitere"_s);
        table()->scrollToBottom();
        QTRY_COMPARE(model().rowCount(), 20);
        QCOMPARE(statusLine(), u"Die neuesten 20 Telegramme; ältere über Suche oder Zeitraum"_s);

        QSignalSpy inserted(&model(), &QAbstractItemModel::rowsInserted);
        for (int i = 0; i < 9; ++i)
            m_journal->append(handled(TelegramKind::FiveTone, QString::number(2000 + i)));
        QTRY_COMPARE(addresses().value(0), u"2008"_s);
        QCOMPARE(model().rowCount(), 20);
        int taken = 0;
        for (const QList<QVariant>& signal : inserted) {
            const int rows = signal.value(2).toInt() - signal.value(1).toInt() + 1;
            QVERIFY(rows <= 4);
            taken += rows;
        }
        QCOMPARE(taken, 9);
    }

    void placementRoundTrip()
    {
        open(1);
        m_window->setState({QRect(30, 40, 700, 450), {150, 60, 90}});
        const WindowPlacement state = m_window->state();
        QCOMPARE(state.geometry.size(), QSize(700, 450));
        QCOMPARE(state.columnWidths.mid(0, 3), (QList<int>{150, 60, 90}));
    }
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
