// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history_model.h"
#include "settings/window_placement.h"

#include <QWidget>

class Clock;
class Dialogs;
class Journal;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QThread;
class QTimer;

// "Telegramm-Liste": the journal as a table with filters, copy and export.
class HistoryWindow final : public QWidget
{
    Q_OBJECT

public:
    HistoryWindow(Journal& journal, const Clock& clock, HistoryModel::StatusColour statusColour,
                  Dialogs& dialogs, HistoryLimits limits = {}, QWidget* parent = nullptr);
    // Waits for an export still being written.
    ~HistoryWindow() override;

    // Shows the window, or brings it to the front when it is open already.
    void showAndRaise();
    // "Namenslisten aus: <folder>" in the status line.
    void setNameListFolder(const QString& folder);
    // What other parts of the program have to say in the status line.
    void setNotices(const QStringList& notices);

    WindowPlacement state() const;
    void setState(const WindowPlacement& state);

signals:
    // The user opened the window or turned to it.
    void viewed();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    void applyFilter();
    void copySelection();
    void exportRows();
    void finishExport(const QString& target);
    void rememberReadingPosition(int first);
    void keepReadingPosition(int first, int last);
    void updateStatusLine();

    Journal& m_journal;
    const Clock& m_clock;
    Dialogs& m_dialogs;
    HistoryModel m_model;
    QLineEdit* m_search = nullptr;
    QList<QCheckBox*> m_kinds;
    QCheckBox* m_alarmsOnly = nullptr;
    QComboBox* m_period = nullptr;
    QPushButton* m_export = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_countLine = nullptr;
    QLabel* m_folderLine = nullptr;
    QLabel* m_messageLine = nullptr;
    QTimer* m_searchDelay = nullptr;
    QThread* m_exportThread = nullptr;
    QString m_exportMessage;
    QStringList m_notices;
    int m_scrollBeforeInsert = 0;
};
