// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/cp1252.h"
#include "connection/telegram_intake.h"
#include "fsk_audio.h"
#include "multimon_bridge.h"
#include "support/recording_sink.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>

// One row of a data table, in one line.
template <typename... Values> void row(const char* name, const Values&... values)
{
    QTestData& data = QTest::newRow(name);
    ((data << values), ...);
}

// What the intake makes of each record the bridge sends for `output`, fed
// in small pieces as a pipe delivers it.
inline QStringList desksSee(MultimonBridge& bridge, QByteArrayView output, qint64 nowMs = 0)
{
    RecordingSink sink;
    int records = 0;
    const auto connection =
        QObject::connect(&bridge, &MultimonBridge::recordDecoded, [&](const QByteArray& record) {
            ++records;
            classifyTelegram({decodeCp1252(record), {}}, sink);
        });
    for (qsizetype i = 0; i < output.size(); i += 7)
        bridge.takeOutput(output.sliced(i, qMin(qsizetype(7), output.size() - i)), nowMs);
    QObject::disconnect(connection);
    return sink.calls.size() == records ? sink.calls
                                        : QStringList{QStringLiteral("unreadable record")};
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// 70 ms ZVEI1 tones ("E" the repeat tone), framed by silence.
inline QByteArray fiveToneAudio(const QString& tones)
{
    const int hertz[] = {2400, 1060, 1160, 1270, 1400, 1530, 1670, 1830, 2000, 2200, 2600};
    QByteArray audio = silence(0.3);
    for (const QChar tone : tones)
        audio += toneAudio(QList<bool>(84, true), hertz[tone == u'E' ? 10 : tone.digitValue()], 0);
    return audio + silence(0.3);
}

// Connects a desk and waits for the greeting, which it takes away.
inline bool greeted(QTcpSocket& desk, quint16 port)
{
    desk.connectToHost(QHostAddress::LocalHost, port);
    if (!QTest::qWaitFor([&desk] { return desk.bytesAvailable() > 0; }, 10000))
        return false;
    desk.readAll();
    return true;
}

// Starts the real ostrevo-feed on a free port of 127.0.0.1 and returns
// the port (0 if it did not start); its log collects in `log`.
inline quint16 startFeed(QProcess& feed, const QStringList& arguments, QByteArray& log)
{
    feed.start(QStringLiteral(OSTREVO_FEED),
               arguments + QStringList{QStringLiteral("--port"), QStringLiteral("0")});
    static const QRegularExpression listening(
        QStringLiteral("warte auf Verbindungen an 127.0.0.1:(\\d+)"));
    QRegularExpressionMatch match;
    const auto started = [&] {
        match = listening.match(QString::fromLatin1(log += feed.readAllStandardError()));
        return match.hasMatch();
    };
    return QTest::qWaitFor(started, 10000) ? quint16(match.captured(1).toUInt()) : 0;
}

// The records the feed's log says were sent, as it prints them.
inline QStringList sentRecords(const QByteArray& log)
{
    QStringList records;
    for (const QByteArray& line : log.split('\n')) {
        if (const qsizetype at = line.indexOf("gesendet: "); at >= 0)
            records << QString::fromUtf8(line.sliced(at + 10));
    }
    return records;
}

inline bool waitForLog(QProcess& feed, QByteArray& log, const QByteArray& text, int times = 1)
{
    return QTest::qWaitFor(
        [&] { return (log += feed.readAllStandardError()).count(text) >= times; }, 20000);
}
