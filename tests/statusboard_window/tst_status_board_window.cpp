// SPDX-License-Identifier: GPL-3.0-or-later
#include "directories/status_tables.h"
#include "statusboard/board_cells.h"
#include "statusboard_window/status_board_window.h"
#include "support/directory_entries.h"
#include "support/fixed_clock.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

class TestStatusBoardWindow : public QObject
{
    Q_OBJECT

    FixedClock m_clock;
    StatusTables m_tables;
    StatusBoard m_board;
    std::unique_ptr<StatusBoardWindow> m_window;

    QTableView* table(const char* name) const
    {
        return m_window->findChild<QTableView*>(QString::fromLatin1(name));
    }
    QPushButton* done() const { return m_window->findChild<QPushButton*>(u"done"_s); }
    QLineEdit* search() const { return m_window->findChild<QLineEdit*>(u"search"_s); }
    QString summary() const { return m_window->findChild<QLabel*>(u"summary"_s)->text(); }
    // One column of the board as shown, top to bottom.
    QStringList column(BoardColumn column) const
    {
        QStringList cells;
        const QAbstractItemModel* model = table("table")->model();
        for (int row = 0; row < model->rowCount(); ++row)
            cells << model->index(row, int(column)).data().toString();
        return cells;
    }
    void hear(const QString& address, int status, int secondsAgo,
              FmsDirection direction = FmsDirection::FromVehicle)
    {
        HandledTelegram telegram;
        telegram.address = address;
        telegram.status = status;
        telegram.direction = direction;
        telegram.receivedAt = m_clock.now().addSecs(-secondsAgo);
        m_board.apply(telegram);
    }
    void copy(const char* name)
    {
        table(name)->setFocus();
        table(name)->selectAll();
        QTest::keySequence(table(name), QKeySequence::Copy);
    }

private slots:
    void init()
    {
        m_clock = FixedClock();
        m_board.rebuild({vehicle(u"6112"_s, u"Florian Süd 2"_s), vehicle(u"6111"_s, u"Florian 1"_s),
                         vehicle(u"6113"_s, u"Rotkreuz 3"_s)},
                        {}, m_clock.now());
        hear(u"6111"_s, 4, 600);
        hear(u"6113"_s, 2, 120);
        hear(u"9999"_s, 5, 90);
        hear(u"6112"_s, 0, 30);
        m_window = std::make_unique<StatusBoardWindow>(m_board, m_tables, m_clock,
                                                       std::chrono::milliseconds(5));
        m_window->showAndRaise();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    void sortSearchAndLiveChanges()
    {
        QCOMPARE(column(BoardColumn::Address),
                 (QStringList{u"6111"_s, u"6112"_s, u"6113"_s, u"9999"_s}));
        QCOMPARE(summary(), u"1 von 4 Fahrzeugen einsatzbereit"_s);
        const QAbstractItemModel* shown = table("table")->model();
        const auto cell = [shown](int row, BoardColumn column, int role) {
            return shown->index(row, int(column)).data(role);
        };
        const QImage mark =
            cell(0, BoardColumn::Status, Qt::DecorationRole).value<QPixmap>().toImage();
        QCOMPARE(mark.pixelColor(6, 6), QColor(255, 0, 0)); // the colour of status 4
        QVERIFY(!cell(1, BoardColumn::Status, Qt::DecorationRole).isValid());
        QCOMPARE(cell(3, BoardColumn::Name, Qt::ForegroundRole),
                 QVariant(QApplication::palette().color(QPalette::PlaceholderText)));
        QVERIFY(!cell(2, BoardColumn::Name, Qt::ForegroundRole).isValid());
        table("table")->horizontalHeader()->setSortIndicator(int(BoardColumn::Status),
                                                             Qt::AscendingOrder);
        QCOMPARE(column(BoardColumn::Status),
                 (QStringList{u"2 Frei auf Wache"_s, u"4 Am Einsatzort"_s, u"–"_s, u"–"_s}));
        table("table")->sortByColumn(int(BoardColumn::Name), Qt::DescendingOrder);
        QCOMPARE(column(BoardColumn::Name), (QStringList{u"Unbekannt"_s, u"Rotkreuz 3"_s,
                                                         u"Florian Süd 2"_s, u"Florian 1"_s}));

        // Every telegram is in the table at once, the summary by the next frame.
        QCoreApplication::processEvents(); // the sorts are counted
        hear(u"6111"_s, 1, 0);
        QCOMPARE(column(BoardColumn::Since).value(3), u"12:34:56"_s);
        QTRY_COMPARE(summary(), u"2 von 4 Fahrzeugen einsatzbereit"_s);
        QTest::keyClicks(search(), u"SÜD 2"_s);
        QCOMPARE(column(BoardColumn::Address), QStringList{u"6112"_s});
        QTRY_COMPARE(summary(), u"0 von 1 Fahrzeug einsatzbereit"_s);
        hear(u"61120"_s, 3, 0); // unlisted: not found by a name
        QCOMPARE(column(BoardColumn::Address), QStringList{u"6112"_s});
        search()->setText(u"611"_s);
        QCOMPARE(column(BoardColumn::Address).size(), 4);
    }

    void durationsAndOrderFollow()
    {
        // "Dauer" counts on without a telegram.
        m_clock.time = m_clock.time.addSecs(180);
        QTRY_COMPARE(column(BoardColumn::Duration).value(0), u"13 min"_s);
        // Changes of one frame all find their place.
        table("table")->sortByColumn(int(BoardColumn::Status), Qt::AscendingOrder);
        hear(u"6112"_s, 3, 0);
        hear(u"9999"_s, 1, 0);
        QTRY_COMPARE(column(BoardColumn::Address),
                     (QStringList{u"9999"_s, u"6113"_s, u"6112"_s, u"6111"_s}));
    }

    void requestsAndDone()
    {
        QTableView* requests = table("requests");
        QCOMPARE(requests->model()->rowCount(), 2);
        QCOMPARE(requests->model()->index(0, 0).data(Qt::BackgroundRole),
                 QVariant(QColor(Qt::red)));
        QVERIFY(!requests->model()->index(1, 0).data(Qt::BackgroundRole).isValid());
        QVERIFY(!done()->isEnabled());
        requests->selectRow(0);
        QVERIFY(done()->isEnabled());
        done()->click();
        QCOMPARE(m_board.requests().size(), 1);
        QCOMPARE(requests->model()->index(0, int(RequestColumn::Name)).data(),
                 QVariant(u"Unbekannt"_s));
        QVERIFY(!done()->isEnabled());
        hear(u"9999"_s, 6, 0, FmsDirection::ToVehicle);
        QCOMPARE(requests->model()->rowCount(), 0);
    }

    void keyboardAndCopy()
    {
        QTest::keySequence(m_window.get(), QKeySequence::Find);
        QCOMPARE(QApplication::focusWidget(), search());
        table("requests")->selectRow(1);
        QStringList chain;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            chain << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(chain, (QStringList{u"table"_s, u"requests"_s, u"done"_s, u"search"_s}));

        copy("requests");
        QCOMPARE(QApplication::clipboard()->text(),
                 u"Zeit\tFahrzeug\tKennung\tWunsch\n12:34:26\tFlorian Süd 2\t6112\t0 NOTRUF\n"
                 "12:33:26\tUnbekannt\t9999\t5 Sprechwunsch\n"_s);
        table("table")->sortByColumn(int(BoardColumn::Since), Qt::AscendingOrder);
        copy("table");
        QCOMPARE(QApplication::clipboard()->text(),
                 u"Fahrzeug\tKennung\tStatus\tSeit\tDauer\n"
                 "Florian 1\t6111\t4 Am Einsatzort\t12:24:56\t10 min\n"
                 "Rotkreuz 3\t6113\t2 Frei auf Wache\t12:32:56\t2 min\n"
                 "Florian Süd 2\t6112\t–\t\t\nUnbekannt\t9999\t–\t\t\n"_s);
    }

    void placementRoundTrip()
    {
        m_window->setState({QRect(30, 40, 700, 450), {150, 60, 90}});
        const WindowPlacement state = m_window->state();
        QCOMPARE(state.geometry.size(), QSize(700, 450));
        QCOMPARE(state.columnWidths.mid(0, 3), (QList<int>{150, 60, 90}));
        QCOMPARE(state.columnWidths.size(), BoardColumnCount);
    }
};

QTEST_MAIN(TestStatusBoardWindow)
#include "tst_status_board_window.moc"
