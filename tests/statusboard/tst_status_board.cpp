// SPDX-License-Identifier: GPL-3.0-or-later
#include "directories/status_tables.h"
#include "journal/journal_columns.h"
#include "journal/sql_connection.h"
#include "journal_test_data.h"
#include "statusboard/board_cells.h"
#include "statusboard/status_board.h"
#include "support/directory_entries.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QList<Vehicle> Listed{vehicle(u"1001"_s, u"Florian 1"_s), vehicle(u"1002"_s, u"Florian 2"_s),
                            vehicle(u"1001"_s, u"Doppelt"_s), vehicle(u"1003"_s, u"Florian 3"_s)};
// Step n of a script is received n seconds after this.
const QDateTime Start = FixedClock().time.addSecs(-60);

HandledTelegram fms(const QString& address, int status, FmsDirection direction, const QDateTime& at)
{
    HandledTelegram telegram = handled(TelegramKind::Fms, address);
    telegram.status = status;
    telegram.direction = direction;
    telegram.receivedAt = at;
    return telegram;
}

// "1001>3" from the vehicle, "1001<6" to it, "1001!" the user's "Erledigt";
// one step a second, "+" before a step: in the same second.
void play(StatusBoard& board, const QString& script, QList<HandledTelegram>* written = nullptr)
{
    const QStringList steps = script.split(u' ', Qt::SkipEmptyParts);
    int second = -1;
    for (const QString& step : steps) {
        const QString text = step.startsWith(u'+') ? step.mid(1) : step;
        second += step.startsWith(u'+') ? 0 : 1;
        const qsizetype mark = text.indexOf(QRegularExpression(u"[<>!]"_s));
        if (text[mark] == u'!') {
            board.dismissRequest(text.left(mark));
            continue;
        }
        const HandledTelegram telegram =
            fms(text.left(mark), text.mid(mark + 1).toInt(),
                text[mark] == u'>' ? FmsDirection::FromVehicle : FmsDirection::ToVehicle,
                Start.addSecs(second));
        board.apply(telegram);
        if (written)
            *written << telegram;
    }
}

// "1001=3@2 1002=-|N1003@4 S1001@0": each vehicle by identifier with its
// status and the step it came at, then the requests in their order.
QString boardText(const StatusBoard& board, const QDateTime& start = Start)
{
    QStringList vehicles;
    for (const BoardVehicle& v : board.vehicles())
        vehicles << v.address + u'=' +
                        (v.status ? QString::number(*v.status) + u'@' +
                                        QString::number(start.secsTo(v.statusAt))
                                  : u"-"_s);
    vehicles.sort();
    QStringList requests;
    for (const BoardRequest& r : board.requests())
        requests << (r.emergency ? u'N' : u'S') + r.address + u'@' +
                        QString::number(start.secsTo(r.since));
    return vehicles.join(u' ') + u'|' + requests.join(u' ');
}

void execAll(const QString& path, const QStringList& statements)
{
    SqlConnection connection(path, SqlConnection::Access::ReadWrite);
    QSqlQuery query(connection.database());
    for (const QString& statement : statements)
        QVERIFY2(query.exec(statement), qPrintable(query.lastError().text()));
}

} // namespace

class TestStatusBoard : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FixedClock m_clock;
    StatusTables m_tables;

    QString freshPath(const QString& name) const { return m_dir.filePath(name + u".sqlite"_s); }

    void addScripts()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("board");
        const QString none = u"1001=- 1002=- 1003=-"_s;
        QTest::newRow("last operational status")
            << u"1001>1 1001>3 1001>4 1002>8 1003>6"_s << u"1001=4@2 1002=8@3 1003=6@4|"_s;
        QTest::newRow("other statuses leave it")
            << u"1001>7 1001>9 1001>10 1001>15 1001>13 1001<3 1001<6 1001<1"_s
            << u"1001=7@0 1002=- 1003=-|"_s;
        QTest::newRow("requests leave it")
            << u"1001>2 1001>5 1002>0"_s << u"1001=2@0 1002=- 1003=-|N1002@2 S1001@1"_s;
        QTest::newRow("NOTRUF first, else by arrival")
            << u"1002>5 1001>5 1003>0 1002>0"_s << none + u"|N1003@2 N1002@3 S1001@1"_s;
        QTest::newRow("in the same second by arrival")
            << u"1003>5 +1001>5 +1002>5 +1001>3"_s << u"1001=3@0 1002=- 1003=-|S1003@0 S1002@0"_s;
        QTest::newRow("a repeat keeps its place") << u"1001>5 1002>5 1001>5 1003>0 1003>5 1003>0"_s
                                                  << none + u"|N1003@3 S1001@0 S1002@1"_s;
        QTest::newRow("answered by Sprechaufforderung")
            << u"1001>5 1002>0 1001<6 1002<6 1003>5 1003<5 1003<0 1003<15"_s
            << none + u"|S1003@4"_s;
        QTest::newRow("answered by whereabouts")
            << u"1001>5 1001>3 1002>0 1002>1"_s << u"1001=3@1 1002=1@3 1003=-|"_s;
        QTest::newRow("answered by any other status")
            << u"1001>5 1001>9 1002>0 1002>15 1003>5 1003>17"_s << none + u"|"_s;
        QTest::newRow("answered by the user")
            << u"1001>5 1002>0 1003! 1002!"_s << none + u"|S1001@0"_s;
        QTest::newRow("asked again after an answer")
            << u"1001>0 1001! 1001>5 1002>5 1002<6 1002>5 1003>0 1003! 1003>0"_s
            << none + u"|N1003@8 S1001@2 S1002@5"_s;
        QTest::newRow("unlisted vehicles that sent a status")
            << u"9009>5 9008<3 9007>13 61234567890123456>3 9006>2"_s
            << none + u" 9006=2@4 9007=- 9009=-|S9009@0"_s;
    }

private slots:
    void rules_data() { addScripts(); }

    void rules()
    {
        QFETCH(QString, script);
        StatusBoard board;
        board.rebuild(Listed, freshPath(u"none"_s), m_clock.now());
        QCOMPARE(board.vehicles().value(0).name, u"Florian 1"_s); // the first of a doubled id
        play(board, script);
        QTEST(boardText(board), "board");
    }

    // The journal's triggers, the read of a file not upgraded yet and the
    // upgrade of such a file all give the board as it was.
    void rebuild_data() { addScripts(); }

    void rebuild()
    {
        QFETCH(QString, script);
        QFETCH(QString, board);
        StatusBoard live;
        live.rebuild(Listed, freshPath(u"none"_s), m_clock.now());
        QList<HandledTelegram> written;
        play(live, script, &written);
        const QString path = freshPath(QString::fromLatin1(QTest::currentDataTag()));
        writeJournal(path, written);
        for (const char* way : {"triggers", "version 1", "upgraded"}) {
            if (way == std::string_view("version 1")) // as before the board
                execAll(path, {u"DROP TABLE vehicle_status"_s, u"PRAGMA user_version = 1"_s,
                               u"DROP TRIGGER vehicle_status_from_vehicle"_s,
                               u"DROP TRIGGER vehicle_status_prompt"_s,
                               u"DROP TRIGGER vehicle_status_delete"_s});
            if (way == std::string_view("upgraded"))
                Journal(path, m_clock, 0).flush();
            StatusBoard again;
            QSignalSpy rebuilt(&again, &StatusBoard::rebuilt);
            QCOMPARE(again.rebuild(Listed, path, m_clock.now(), live.dismissalsText(m_clock.now())),
                     QString());
            QVERIFY2(boardText(again) == board, way);
            QCOMPARE(rebuilt.count(), 1);
        }
    }

    void requestsOfTheLastTenMinutes()
    {
        const QDateTime now = m_clock.now();
        const auto from = [now](const QString& address, int status, int minutesAgo) {
            return fms(address, status, FmsDirection::FromVehicle, now.addSecs(-60 * minutesAgo));
        };
        const QString path = freshPath(u"ten"_s);
        writeJournal(path, {from(u"1001"_s, 3, 20 * 24 * 60), from(u"1001"_s, 5, 11),
                            from(u"1002"_s, 5, 12), from(u"1003"_s, 0, 9), from(u"1002"_s, 5, 5)});
        StatusBoard board;
        board.rebuild(Listed, path, now);
        // The first request counts for the order, the newest for the ten minutes.
        QCOMPARE(boardText(board, now), u"1001=3@-1728000 1002=- 1003=-|N1003@-540 S1002@-720"_s);
        board.rebuild(Listed, path, now.addSecs(5 * 60 + 1));
        QCOMPARE(board.requests().size(), 0);
        // What the user answered stays answered; the settings file may hold anything.
        const QString answered = u";1003;1003 gestern; 2026-12-06T12:30:00+01:00;1002 "_s +
                                 receivedAtText(now.addSecs(-5 * 60));
        board.rebuild(Listed, path, now, answered);
        QCOMPARE(boardText(board, now), u"1001=3@-1728000 1002=- 1003=-|N1003@-540"_s);
        QCOMPARE(board.dismissalsText(now), u"1002 2026-12-06T12:29:56+01:00"_s);
    }

    void purgedVehiclesLeave()
    {
        const QDateTime now = m_clock.now();
        const QString path = freshPath(u"purged"_s);
        writeJournal(path, {fms(u"9009"_s, 3, FmsDirection::FromVehicle, now.addDays(-100)),
                            fms(u"1001"_s, 2, FmsDirection::FromVehicle, now.addDays(-100)),
                            fms(u"1002"_s, 1, FmsDirection::FromVehicle, now.addDays(-1))});
        Journal(path, m_clock, 90).flush(); // deletes what is older than 90 days
        StatusBoard board;
        board.rebuild(Listed, path, now);
        QCOMPARE(boardText(board, now), u"1001=- 1002=1@-86400 1003=-|"_s);
        SqlConnection connection(path, SqlConnection::Access::ReadOnly);
        QSqlQuery left(u"SELECT group_concat(address) FROM vehicle_status"_s,
                       connection.database());
        QVERIFY(left.next());
        QCOMPARE(left.value(0).toString(), u"1002"_s);
    }

    void damagedJournal()
    {
        const QString path = freshPath(u"damaged"_s);
        writeJournal(path, {fms(u"1001"_s, 3, FmsDirection::FromVehicle, Start)});
        execAll(path, {u"INSERT INTO telegram (received_at, kind, address, status, direction) "
                       "VALUES ('gestern', 'FMS', '1002', 4, 'from_vehicle'), "
                       "('2026-12-06T12:34:00+01:00', 'FMS', '1003', 'drei', 'from_vehicle'), "
                       "('2026-12-06T12:34:00+01:00', 'FMS', x'00ff', 2, 'from_vehicle'), "
                       "('2026-12-06T12:34:00+01:00', 'FMS', '12345678901234567', 2, "
                       "'from_vehicle'), ('2026-12-06T12:34:00+01:00', 'FMS', '9009', 99, "
                       "'from_vehicle'), ('2026-12-06T12:34:00+01:00', 'FMS', '9008', 5.5, "
                       "'from_vehicle'), ('2026-12-06T12:34:00+01:00', 'FMS', '1001', 1, 'up')"_s,
                       u"UPDATE telegram SET received_at = 'x' WHERE id = 1"_s,
                       // Ids naming another vehicle's rows count for nothing.
                       u"UPDATE vehicle_status SET last_id = 1 WHERE address = '9009'"_s,
                       u"UPDATE vehicle_status SET status_id = 4 WHERE address = '1003'"_s});
        StatusBoard board;
        QCOMPARE(board.rebuild(Listed, path, m_clock.now()), QString());
        QCOMPARE(boardText(board), u"\u0000\ufffd=2@4 1001=- 1002=- 1003=- 9008=-|"_s);

        const QString junk = freshPath(u"junk"_s);
        QFile file(junk);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        QVERIFY(!board.rebuild(Listed, junk, m_clock.now()).isEmpty());
        QCOMPARE(board.vehicles().size(), 3);
    }

    void unlistedVehiclesAreBounded()
    {
        StatusBoard board;
        board.rebuild(Listed, freshPath(u"none"_s), m_clock.now());
        QList<HandledTelegram> written;
        const auto hear = [&](const QString& address, int status, int second) {
            written << fms(address, status, FmsDirection::FromVehicle, Start.addSecs(second));
            board.apply(written.last());
        };
        hear(u"1001"_s, 5, 0);
        hear(u"u0"_s, 5, 1);
        hear(u"u1"_s, 3, 2);
        for (int i = 2; i < StatusBoard::MaxUnlisted; ++i)
            hear(u"u"_s + QString::number(i), 2, 3);
        hear(u"u1"_s, 2, 4); // heard again: u0 is now the longest silent
        QSignalSpy replaced(&board, &StatusBoard::vehicleReplaced);
        hear(u"new"_s, 1, 5);
        QCOMPARE(board.vehicles().size(), 3 + StatusBoard::MaxUnlisted);
        QVERIFY(!board.vehicle(u"u0"_s));
        QCOMPARE(board.vehicle(u"new"_s)->status, 1);
        QCOMPARE(replaced.value(0).value(0).toInt(), 3); // the place u0 had
        QCOMPARE(board.requests().size(), 1);
        QCOMPARE(board.requests().value(0).address, u"1001"_s);

        // From the journal: every listed vehicle, and the newest unlisted ones.
        const QString path = freshPath(u"many"_s);
        writeJournal(path, written);
        StatusBoard again;
        again.rebuild(Listed, path, m_clock.now());
        QCOMPARE(again.vehicles().size(), 3 + StatusBoard::MaxUnlisted);
        QVERIFY(again.vehicle(u"new"_s) && !again.vehicle(u"u0"_s));
        QCOMPARE(again.requests().value(0).address, u"1001"_s);
    }

    void cells_data()
    {
        QTest::addColumn<BoardVehicle>("vehicle");
        QTest::addColumn<QStringList>("cells");
        const QDateTime now = FixedClock().time;
        QTest::newRow("today") << BoardVehicle{u"1001"_s, u"Florian 1"_s, 3, now.addSecs(-185), {}}
                               << QStringList{u"Florian 1"_s, u"1001"_s, u"3 Einsatz Übernommen"_s,
                                              u"12:31:51"_s, u"3 min"_s};
        QTest::newRow("before today")
            << BoardVehicle{u"9009"_s, {}, 8, now.addSecs(-13 * 3600), {}}
            << QStringList{u"Unbekannt"_s, u"9009"_s, u"8 Im Krankenhaus"_s, u"05.12. 23:34"_s,
                           u"780 min"_s};
        QTest::newRow("no status yet") << BoardVehicle{u"1002"_s, u"Florian 2"_s, {}, {}, {}}
                                       << QStringList{u"Florian 2"_s, u"1002"_s, u"–"_s, {}, {}};
        QTest::newRow("clock set back")
            << BoardVehicle{u"1003"_s, u"F"_s, 2, now.addSecs(90), {}}
            << QStringList{u"F"_s, u"1003"_s, u"2 Frei auf Wache"_s, u"12:36:26"_s, u"0 min"_s};
    }

    void cells()
    {
        QFETCH(BoardVehicle, vehicle);
        QTEST(boardCells(vehicle, m_tables, m_clock.now()), "cells");
    }

    void orderSearchAndSummary()
    {
        const QDateTime now = m_clock.now();
        const QList<BoardVehicle> vehicles{{u"b2"_s, u"Zeta"_s, 4, now.addSecs(-60), {}},
                                           {u"a1"_s, u"Alpha"_s, {}, {}, {}},
                                           {u"c3"_s, {}, 1, now.addSecs(-600), {}},
                                           {u"d4"_s, u"Beta Wache"_s, 4, now.addSecs(-60), {}}};
        const QStringList expected{u"a1 d4 c3 b2"_s, u"a1 b2 c3 d4"_s, u"c3 b2 d4 a1"_s,
                                   u"c3 b2 d4 a1"_s, u"b2 d4 c3 a1"_s};
        for (int column = 0; column < BoardColumnCount; ++column) {
            QList<BoardVehicle> sorted = vehicles;
            std::sort(sorted.begin(), sorted.end(), [column](const auto& a, const auto& b) {
                return boardLess(a, b, BoardColumn(column));
            });
            QStringList order;
            for (const BoardVehicle& v : sorted)
                order << v.address;
            QCOMPARE(order.join(u' '), expected[column]);
        }
        const auto found = [&](const QString& search) {
            QStringList result;
            for (const BoardVehicle& v : vehicles)
                if (matchesSearch(v, searchWords(search)))
                    result << v.address;
            return result.join(u' ');
        };
        QCOMPARE(found(u"  WACHE   be "_s), u"d4"_s);
        QCOMPARE(found(u"a"_s), u"b2 a1 d4"_s);
        QCOMPARE(found(u"unbekannt"_s), QString()); // as in the history: the name, not the mark
        QCOMPARE(found(QString()), u"b2 a1 c3 d4"_s);
        QCOMPARE(int(std::count_if(vehicles.begin(), vehicles.end(), isReady)), 1);
        QCOMPARE(readinessSummary(12, 2000), u"12 von 2000 Fahrzeugen einsatzbereit"_s);
        QCOMPARE(readinessSummary(1, 1), u"1 von 1 Fahrzeug einsatzbereit"_s);
        QCOMPARE(readinessSummary(0, 0), u"0 von 0 Fahrzeugen einsatzbereit"_s);
    }
};

QTEST_GUILESS_MAIN(TestStatusBoard)
#include "tst_status_board.moc"
