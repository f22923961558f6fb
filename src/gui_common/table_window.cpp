// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_window.h"

#include <QAction>
#include <QBoxLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>
#include <QTableView>
#include <algorithm>

void setUpRowTable(QTableView& table)
{
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    table.setSelectionMode(QAbstractItemView::ExtendedSelection);
    table.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    table.setWordWrap(false);
    // Tab moves on to the next control: the window is used by keyboard alone.
    table.setTabKeyNavigation(false);
    table.verticalHeader()->hide();
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // One line of text a row, so that a screen holds many.
    table.verticalHeader()->setDefaultSectionSize(table.fontMetrics().height() + 6);
    table.horizontalHeader()->setStretchLastSection(true);
}

void addCopyShortcut(QTableView& table, std::function<void()> copy)
{
    auto* action = new QAction(QStringLiteral("Kopieren"), &table);
    action->setShortcut(QKeySequence::Copy);
    action->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(action, &QAction::triggered, &table, std::move(copy));
    table.addAction(action);
}

QLineEdit* addSearchField(QWidget& window, QBoxLayout& row, const QString& description)
{
    auto* search = new QLineEdit(&window);
    search->setObjectName(QStringLiteral("search"));
    search->setAccessibleName(QStringLiteral("Suche"));
    search->setAccessibleDescription(description);
    search->setClearButtonEnabled(true);
    auto* label = new QLabel(QStringLiteral("&Suche:"), &window);
    label->setBuddy(search);
    row.addWidget(label);
    row.addWidget(search, 1);
    return search;
}

void addFindShortcut(QWidget& window, QLineEdit& search)
{
    auto* find = new QShortcut(QKeySequence::Find, &window);
    QObject::connect(find, &QShortcut::activated, &search, [&search] {
        search.setFocus(Qt::ShortcutFocusReason);
        search.selectAll();
    });
}

QList<int> selectedViewRows(const QTableView& table)
{
    QList<int> rows;
    for (const QModelIndex& index : table.selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void placeWindow(QWidget& window, const QRect& geometry)
{
    if (!geometry.isValid())
        return;
    if (QGuiApplication::screenAt(geometry.center()))
        window.setGeometry(geometry);
    else
        window.resize(geometry.size());
}

QList<int> columnWidths(const QTableView& table)
{
    QList<int> widths;
    for (int column = 0; column < table.horizontalHeader()->count(); ++column)
        widths << table.columnWidth(column);
    return widths;
}

void setColumnWidths(QTableView& table, const QList<int>& widths)
{
    const int columns = std::min<int>(table.horizontalHeader()->count(), int(widths.size()));
    for (int column = 0; column < columns; ++column)
        table.setColumnWidth(column, widths[column]);
}
