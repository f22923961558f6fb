// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <functional>

class QBoxLayout;
class QLineEdit;
class QTableView;
class QWidget;

// What the windows around a table share: rows read by keyboard alone, copy
// and find, and the place on screen kept across runs.

// Whole rows selected, one line of text a row, Tab on to the next control.
void setUpRowTable(QTableView& table);
// Ctrl+C on the table calls `copy`.
void addCopyShortcut(QTableView& table, std::function<void()> copy);
// "&Suche:" and its field (objectName "search") at the end of `row`;
// `description` says what it searches, for screen readers.
QLineEdit* addSearchField(QWidget& window, QBoxLayout& row, const QString& description);
// Ctrl+F anywhere in the window selects the search text.
void addFindShortcut(QWidget& window, QLineEdit& search);
// The selected rows as the view shows them, top to bottom.
QList<int> selectedViewRows(const QTableView& table);

// Puts the window where it was; on a screen that is gone, only its size.
void placeWindow(QWidget& window, const QRect& geometry);
QList<int> columnWidths(const QTableView& table);
void setColumnWidths(QTableView& table, const QList<int>& widths);
