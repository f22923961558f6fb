// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "telegram/handled_telegram.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

class QSqlError;
class QSqlQuery;
class SqlConnection;

// The journal file on the writer's thread: opens or creates it, moves a
// damaged file aside, commits queued telegrams in one transaction and
// deletes old rows. While the file cannot be written, telegrams wait here
// (at most MaxPendingRows) and the write is retried after the retry interval.
// After a burst, releaseMemory() hands what it left behind back to the system.
class JournalStore final : public QObject
{
    Q_OBJECT

public:
    static constexpr qsizetype MaxPendingRows = 50'000;

    JournalStore(const QString& path, std::chrono::milliseconds retryInterval,
                 QObject* parent = nullptr);
    ~JournalStore() override;

    // "now" comes from the caller's clock: the store never reads a clock.
    void write(const QList<HandledTelegram>& rows, const QDateTime& now);
    // Writes what waits now, even while a fault waits for its retry.
    void commitNow(const QDateTime& now);
    // Deletes rows received before the wall-clock time cutoff.
    void purge(const QString& cutoff, const QDateTime& now);
    // Every alarm row received since `since` and not yet acknowledged gets
    // `at`, after the rows still waiting are written.
    void acknowledge(const QDateTime& since, const QDateTime& at);
    // Gives SQLite's page cache and the allocator's free pages back to the
    // system, once the rows that wait now are committed. It costs a few
    // milliseconds and the next commit reads its pages anew: once per burst.
    void releaseMemory();

signals:
    void committed();
    void memoryReleased();
    // The fault the user should see; empty when the journal works again.
    void faultChanged(const QString& message);
    // A damaged file was renamed to this name and a new one started.
    void fileMovedAside(const QString& newPath);

private:
    enum class OpenResult
    {
        Opened,
        Damaged,
        Failed
    };

    bool ensureOpen(const QDateTime& now);
    OpenResult openFile();
    void commitPending(const QDateTime& now);
    QSqlError writePending();
    QSqlError writeAcknowledgements(QSqlQuery& query);
    // Reports the fault; the rows wait for the retry.
    void reportFailure(const QSqlError& error);
    void reportFault(const QString& message);
    QString gapNote() const;
    bool moveAside(const QDateTime& now);
    void scheduleCommit();
    void releaseMemoryNow();

    QString m_path;
    std::unique_ptr<SqlConnection> m_connection;
    QList<HandledTelegram> m_pending;
    QString m_purgeCutoff;
    struct Acknowledgement
    {
        QDateTime since;
        QDateTime at;
    };
    QList<Acknowledgement> m_acknowledgements; // in the order they were made
    QString m_fault;
    qsizetype m_droppedRows = 0; // over the whole run
    bool m_commitScheduled = false;
    bool m_releaseWanted = false;
    bool m_checkedIntact = false; // quick_check passed on the file at m_path
    QDateTime m_lastNow;
    QTimer m_retryTimer;
};
