// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "telegram/handled_telegram.h"

#include <QList>
#include <QObject>
#include <QThread>
#include <QTimer>
#include <chrono>

class Clock;
class JournalStore;

// How often the journal writes, retries and deletes.
struct JournalTimings
{
    std::chrono::milliseconds commit{250};   // the queue goes to the writer at most this often
    std::chrono::milliseconds retry{10'000}; // after a fault
    std::chrono::milliseconds purge{std::chrono::hours(24)}; // old rows deleted
};

// Keeps every handled telegram in an SQLite file. append() only queues:
// the queue goes to a writer thread at most every commit interval and is
// committed there in one transaction, so the bar never waits for the disk.
// Faults never reach the caller; they show in statusMessage(). After a
// burst of at least ReleaseAfterRows, once a commit interval passed without
// a telegram, the writer hands the memory it left behind back to the system.
class Journal final : public QObject
{
    Q_OBJECT

public:
    static constexpr qsizetype ReleaseAfterRows = 1'000;

    // The usual place: userDataFolder() + "/journal.sqlite".
    static QString defaultPath();

    // Rows older than `retentionDays` go at start and once every purge
    // interval; 0 keeps everything.
    Journal(const QString& path, const Clock& clock, int retentionDays,
            const JournalTimings& timings = {}, QObject* parent = nullptr);
    // Writes what is still queued.
    ~Journal() override;

    QString path() const { return m_path; }

    void append(const HandledTelegram& telegram);
    // The alarms raised since `since` were acknowledged at `at`.
    void acknowledgeAlarms(const QDateTime& since, const QDateTime& at);
    // Returns when everything appended so far is in the file, or kept in
    // memory for a retry after a fault.
    void flush();

    // A fault or notice in German for the status line; empty when all is well.
    QString statusMessage() const;

signals:
    void committed();
    // The writer gave memory back to the system after a burst.
    void memoryReleased();
    void statusMessageChanged(const QString& message);
    // The file was damaged and replaced by a new one: readers reopen.
    void fileReplaced();

private:
    void handOver();
    void purgeOldRows();
    void setFault(const QString& fault);
    void noteMovedAside(const QString& newPath);

    QString m_path;
    const Clock& m_clock;
    const int m_retentionDays;
    QThread m_thread;
    JournalStore* m_store = nullptr;
    QList<HandledTelegram> m_queue;
    qsizetype m_rowsSinceRelease = 0;
    QTimer m_commitTimer;
    QTimer m_retentionTimer;
    QString m_fault;
    QString m_notice;
};
