// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_store.h"

#include "journal_columns.h"
#include "journal_log.h"
#include "journal_schema.h"
#include "sql_connection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

const QString Insert = QStringLiteral(
    "INSERT INTO telegram (received_at, kind, address, name, status, direction, text, shown,"
    " record, search_key, alarm) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");

const QString KeptInMemory =
    QStringLiteral(" Neue Telegramme werden im Speicher gehalten und später gespeichert.");

QVariant nullableInt(const std::optional<int>& value)
{
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<int>());
}

QVariant nullableDirection(const std::optional<FmsDirection>& value)
{
    return value ? QVariant(directionName(*value)) : QVariant(QMetaType::fromType<QString>());
}

// Qt binds a null QString as NULL; the text columns hold '' instead.
QString notNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

void bindRow(QSqlQuery& insert, const HandledTelegram& row)
{
    insert.bindValue(0, receivedAtText(row.receivedAt));
    insert.bindValue(1, kindName(row.kind));
    insert.bindValue(2, notNull(row.address));
    insert.bindValue(3, notNull(row.name));
    insert.bindValue(4, nullableInt(row.status));
    insert.bindValue(5, nullableDirection(row.direction));
    insert.bindValue(6, notNull(row.text));
    insert.bindValue(7, row.shown ? 1 : 0);
    insert.bindValue(8, notNull(row.record));
    insert.bindValue(9, searchKey(row.address, row.name, row.text));
    insert.bindValue(10, row.alarm.isEmpty() ? QVariant(QMetaType::fromType<QString>())
                                             : QVariant(row.alarm));
}

// A free name beside the file: journal.sqlite.defekt-2026-12-06, then -2, -3 ...
QString asideName(const QString& path, const QDate& date)
{
    const QString base = path + QStringLiteral(".defekt-") + date.toString(Qt::ISODate);
    QString candidate = base;
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = base + u'-' + QString::number(n);
    return candidate;
}

bool isDamagedFile(const QSqlError& error)
{
    const int code = sqliteResultCode(error);
    return code == SqliteCorrupt || code == SqliteNotADatabase;
}

QString droppedNote(qsizetype count)
{
    return QStringLiteral("Journal: %1 Telegramme konnten nicht gespeichert werden.").arg(count);
}

} // namespace

JournalStore::JournalStore(const QString& path, std::chrono::milliseconds retryInterval,
                           QObject* parent)
    : QObject(parent), m_path(path), m_retryTimer(this)
{
    m_retryTimer.setSingleShot(true);
    m_retryTimer.setInterval(retryInterval);
    connect(&m_retryTimer, &QTimer::timeout, this, [this] { commitPending(m_lastNow); });
}

JournalStore::~JournalStore() = default;

void JournalStore::write(const QList<HandledTelegram>& rows, const QDateTime& now)
{
    m_lastNow = now;
    if (m_pending.isEmpty())
        m_pending = rows; // shared, not copied
    else
        m_pending.append(rows);
    const qsizetype excess = m_pending.size() - MaxPendingRows;
    if (excess > 0) {
        // The newest telegrams matter most to a dispatcher.
        m_pending.remove(0, excess);
        m_droppedRows += excess;
    }
    if (!m_retryTimer.isActive())
        scheduleCommit();
}

void JournalStore::commitNow(const QDateTime& now)
{
    m_lastNow = now;
    m_retryTimer.stop();
    commitPending(now);
}

void JournalStore::purge(const QString& cutoff, const QDateTime& now)
{
    m_lastNow = now;
    m_purgeCutoff = cutoff;
    if (!m_retryTimer.isActive())
        scheduleCommit();
}

void JournalStore::releaseMemory()
{
    m_releaseWanted = true;
    // The commit of rows that still wait takes memory again: release after it.
    if (m_pending.isEmpty())
        releaseMemoryNow();
}

void JournalStore::releaseMemoryNow()
{
    m_releaseWanted = false;
    if (m_connection)
        QSqlQuery(m_connection->database()).exec(QStringLiteral("PRAGMA shrink_memory"));
#if defined(__GLIBC__)
    // glibc keeps freed memory in the arena of each thread, and the burst's
    // telegrams in the GUI thread's: this returns the free pages of all.
    malloc_trim(0);
#endif
    emit memoryReleased();
}

void JournalStore::scheduleCommit()
{
    if (m_commitScheduled)
        return;
    // Hand-overs that queued up while a commit ran go into one transaction.
    m_commitScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_commitScheduled = false;
            commitPending(m_lastNow);
        },
        Qt::QueuedConnection);
}

void JournalStore::commitPending(const QDateTime& now)
{
    if (m_pending.isEmpty() && m_purgeCutoff.isEmpty() && m_acknowledgements.isEmpty() &&
        m_connection)
        return;
    if (!ensureOpen(now)) {
        m_retryTimer.start();
        return;
    }
    QSqlError error = writePending();
    if (isDamagedFile(error)) {
        // Damage found while writing: the rows go into a new file at once.
        m_connection.reset();
        if (!moveAside(now) || !ensureOpen(now)) {
            m_retryTimer.start();
            return;
        }
        error = writePending();
    }
    if (error.isValid()) {
        reportFailure(error);
        return;
    }
    // A gap stays in the status line: the user should know of it.
    reportFault(m_droppedRows > 0 ? droppedNote(m_droppedRows) : QString());
    emit committed();
    if (m_releaseWanted)
        releaseMemoryNow();
}

QSqlError JournalStore::writePending()
{
    QSqlDatabase& database = m_connection->database();
    QSqlQuery query(database);
    if (!m_purgeCutoff.isEmpty()) {
        // A failed prepare tells the cause (a damaged file, say); exec would not.
        if (!query.prepare(QStringLiteral("DELETE FROM telegram WHERE received_at < ?")))
            return query.lastError();
        query.bindValue(0, m_purgeCutoff);
        if (!query.exec())
            return query.lastError();
        if (const int deleted = query.numRowsAffected(); deleted > 0)
            qCInfo(lcJournal) << deleted << "Telegramme vor" << m_purgeCutoff << "gelöscht";
        m_purgeCutoff.clear();
    }
    if (m_pending.isEmpty())
        return writeAcknowledgements(query);
    if (!database.transaction())
        return database.lastError();
    if (!query.prepare(Insert)) {
        database.rollback();
        return query.lastError();
    }
    for (const HandledTelegram& row : std::as_const(m_pending)) {
        bindRow(query, row);
        if (!query.exec()) {
            const QSqlError error = query.lastError();
            database.rollback();
            return error;
        }
    }
    if (!database.commit()) {
        const QSqlError error = database.lastError();
        database.rollback();
        return error;
    }
    // clear() would keep the largest backlog's capacity while the journal is idle.
    m_pending = {};
    // After the rows it is about, which may have come in this very write.
    return writeAcknowledgements(query);
}

QSqlError JournalStore::writeAcknowledgements(QSqlQuery& query)
{
    // Each covers the alarms received up to its moment: one that came while
    // the writer was busy is still open on the screen.
    while (!m_acknowledgements.isEmpty()) {
        const Acknowledgement& acknowledgement = m_acknowledgements.constFirst();
        if (!query.prepare(QStringLiteral(
                "UPDATE telegram SET acknowledged_at = ? WHERE alarm IS NOT NULL AND "
                "acknowledged_at IS NULL AND received_at >= ? AND received_at < ?")))
            return query.lastError();
        query.bindValue(0, receivedAtText(acknowledgement.at));
        query.bindValue(1, wallClockText(acknowledgement.since));
        query.bindValue(2, wallClockText(acknowledgement.at.addSecs(1)));
        if (!query.exec())
            return query.lastError();
        m_acknowledgements.removeFirst();
    }
    return {};
}

void JournalStore::acknowledge(const QDateTime& since, const QDateTime& at)
{
    m_lastNow = at;
    m_acknowledgements.append(Acknowledgement{since, at});
    if (!m_retryTimer.isActive())
        scheduleCommit();
}

void JournalStore::reportFailure(const QSqlError& error)
{
    m_connection.reset();
    reportFault(QStringLiteral("Journal: %1 kann nicht geschrieben werden (%2).")
                    .arg(QDir::toNativeSeparators(m_path), error.text()) +
                KeptInMemory + gapNote());
    m_retryTimer.start();
}

bool JournalStore::ensureOpen(const QDateTime& now)
{
    if (m_connection)
        return true;
    OpenResult result = openFile();
    if (result == OpenResult::Damaged) {
        if (!moveAside(now))
            return false;
        result = openFile();
    }
    return result == OpenResult::Opened;
}

JournalStore::OpenResult JournalStore::openFile()
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder)) {
        reportFault(QStringLiteral("Journal: Der Ordner %1 kann nicht angelegt werden.")
                        .arg(QDir::toNativeSeparators(folder)) +
                    KeptInMemory + gapNote());
        return OpenResult::Failed;
    }
    if (!QFileInfo::exists(m_path)) {
        // Telegrams are nobody else's business: owner only, from the start.
        QFile file(m_path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                       QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
            reportFault(QStringLiteral("Journal: %1 kann nicht angelegt werden (%2).")
                            .arg(QDir::toNativeSeparators(m_path), file.errorString()) +
                        KeptInMemory + gapNote());
            return OpenResult::Failed;
        }
    }
    auto connection = std::make_unique<SqlConnection>(m_path, SqlConnection::Access::ReadWrite);
    QSqlError error = connection->database().lastError();
    if (connection->isOpen()) {
        QSqlQuery query(connection->database());
        // WAL lets other programs read while we write; NORMAL keeps every
        // commit across a crash of the program (not of the machine).
        if (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL")) ||
            !query.exec(QStringLiteral("PRAGMA synchronous = NORMAL")))
            error = query.lastError();
        else
            error = upgradeJournalSchema(connection->database());
        // Writes touch only the newest pages: damage further in would
        // otherwise show only in the history window. About a second per
        // million rows, on this thread: once per file, not on every retry.
        if (!error.isValid() && !m_checkedIntact) {
            if (!query.exec(QStringLiteral("PRAGMA quick_check(1)")) || !query.next())
                error = query.lastError();
            else if (query.value(0).toString() != u"ok")
                return OpenResult::Damaged;
            else
                m_checkedIntact = true;
        }
    }
    if (!error.isValid() && connection->isOpen()) {
        m_connection = std::move(connection);
        return OpenResult::Opened;
    }
    if (isDamagedFile(error))
        return OpenResult::Damaged;
    reportFault(QStringLiteral("Journal: %1 kann nicht geöffnet werden (%2).")
                    .arg(QDir::toNativeSeparators(m_path), error.text()) +
                KeptInMemory + gapNote());
    return OpenResult::Failed;
}

bool JournalStore::moveAside(const QDateTime& now)
{
    m_connection.reset();
    m_checkedIntact = false;
    const QString target = asideName(m_path, now.date());
    if (!QFile::rename(m_path, target)) {
        reportFault(QStringLiteral("Journal: %1 ist beschädigt und kann nicht umbenannt werden.")
                        .arg(QDir::toNativeSeparators(m_path)) +
                    KeptInMemory + gapNote());
        return false;
    }
    // The write-ahead log belongs to the damaged file; the index is rebuilt.
    const QString wal = m_path + QStringLiteral("-wal");
    if (QFileInfo::exists(wal))
        QFile::rename(wal, target + QStringLiteral("-wal"));
    QFile::remove(m_path + QStringLiteral("-shm"));
    emit fileMovedAside(target);
    return true;
}

QString JournalStore::gapNote() const
{
    return m_droppedRows > 0 ? u' ' + droppedNote(m_droppedRows) : QString();
}

void JournalStore::reportFault(const QString& message)
{
    if (message == m_fault)
        return;
    m_fault = message;
    emit faultChanged(message);
}
