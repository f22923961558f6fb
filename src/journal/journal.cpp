// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal.h"

#include "common/clock.h"
#include "common/data_folder.h"
#include "journal_columns.h"
#include "journal_log.h"
#include "journal_store.h"

#include <QDir>
#include <algorithm>

QString Journal::defaultPath()
{
    return userDataFolder() + QStringLiteral("/journal.sqlite");
}

Journal::Journal(const QString& path, const Clock& clock, int retentionDays,
                 const JournalTimings& timings, QObject* parent)
    : QObject(parent), m_path(path), m_clock(clock), m_retentionDays(retentionDays)
{
    m_store = new JournalStore(path, timings.retry);
    m_store->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_store, &QObject::deleteLater);
    connect(m_store, &JournalStore::committed, this, &Journal::committed);
    connect(m_store, &JournalStore::memoryReleased, this, &Journal::memoryReleased);
    connect(m_store, &JournalStore::faultChanged, this, &Journal::setFault);
    connect(m_store, &JournalStore::fileMovedAside, this, &Journal::noteMovedAside);
    m_thread.setObjectName(QStringLiteral("journal writer"));
    m_thread.start();

    m_commitTimer.setSingleShot(true);
    m_commitTimer.setInterval(timings.commit);
    connect(&m_commitTimer, &QTimer::timeout, this, &Journal::handOver);
    m_retentionTimer.setInterval(timings.purge);
    connect(&m_retentionTimer, &QTimer::timeout, this, &Journal::purgeOldRows);
    m_retentionTimer.start();

    // Opens the file now, so that a fault shows before the first telegram.
    QMetaObject::invokeMethod(
        m_store, [store = m_store, now = m_clock.now()] { store->commitNow(now); },
        Qt::QueuedConnection);
    purgeOldRows();
}

Journal::~Journal()
{
    flush();
    m_thread.quit();
    m_thread.wait();
}

void Journal::append(const HandledTelegram& telegram)
{
    m_queue.append(telegram);
    if (!m_commitTimer.isActive())
        m_commitTimer.start();
}

void Journal::acknowledgeAlarms(const QDateTime& since, const QDateTime& at)
{
    handOver(); // the alarm rows first
    QMetaObject::invokeMethod(
        m_store, [store = m_store, since, at] { store->acknowledge(since, at); },
        Qt::QueuedConnection);
}

void Journal::handOver()
{
    m_commitTimer.stop();
    if (m_queue.isEmpty()) {
        // A whole interval without a telegram: the burst is over.
        if (m_rowsSinceRelease >= ReleaseAfterRows) {
            m_rowsSinceRelease = 0;
            QMetaObject::invokeMethod(
                m_store, [store = m_store] { store->releaseMemory(); }, Qt::QueuedConnection);
        }
        return;
    }
    m_rowsSinceRelease += m_queue.size();
    QMetaObject::invokeMethod(
        m_store,
        [store = m_store, rows = std::exchange(m_queue, {}), now = m_clock.now()] {
            store->write(rows, now);
        },
        Qt::QueuedConnection);
    // Looks again one interval on, to see the burst end.
    if (m_rowsSinceRelease >= ReleaseAfterRows)
        m_commitTimer.start();
}

void Journal::flush()
{
    handOver();
    QMetaObject::invokeMethod(
        m_store, [store = m_store, now = m_clock.now()] { store->commitNow(now); },
        Qt::BlockingQueuedConnection);
}

void Journal::purgeOldRows()
{
    if (m_retentionDays <= 0)
        return;
    const QDateTime now = m_clock.now();
    QMetaObject::invokeMethod(
        m_store,
        [store = m_store, cutoff = wallClockText(now.addDays(-m_retentionDays)), now] {
            store->purge(cutoff, now);
        },
        Qt::QueuedConnection);
}

QString Journal::statusMessage() const
{
    return m_fault.isEmpty() ? m_notice : m_fault;
}

void Journal::setFault(const QString& fault)
{
    if (!fault.isEmpty())
        qCWarning(lcJournal).noquote() << fault;
    else if (!m_fault.isEmpty())
        qCInfo(lcJournal) << "Das Journal wird wieder geschrieben.";
    const QString before = statusMessage();
    m_fault = fault;
    if (statusMessage() != before)
        emit statusMessageChanged(statusMessage());
}

void Journal::noteMovedAside(const QString& newPath)
{
    const QString before = statusMessage();
    m_notice = QStringLiteral("Journal: Die beschädigte Datei wurde als %1 beiseitegelegt, "
                              "ein neues Journal begonnen.")
                   .arg(QDir::toNativeSeparators(newPath));
    qCWarning(lcJournal).noquote() << m_notice;
    if (statusMessage() != before)
        emit statusMessageChanged(statusMessage());
    emit fileReplaced();
}
