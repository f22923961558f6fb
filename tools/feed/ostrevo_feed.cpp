// SPDX-License-Identifier: GPL-3.0-or-later
// ostrevo-feed: serves decoder-server records to Ostrevo desks.
//   ostrevo-feed [--port N | --listen ADDRESS:PORT] [--allow CIDR]... [--quiet]
//                (--demo | --replay FILE [--loop]
//                 | --multimon [FILE|-] [--follow] | --receive SOURCE [--demod LIST]
//                   [--realtime] [--pocsag-correction BITS])
//                [--repeat-window SECONDS] [--accept-corrected-fms] [--accept-garbled-text]
// --receive runs the source and multimon-ng itself and watches them;
// --multimon turns multimon-ng's output into records as they are decoded;
// --demo and --replay play a fixed sequence.
#include "common/cp1252.h"
#include "common/log_text.h"
#include "common/qt_translation.h"
#include "common/unix_signal_bridge.h"
#include "decoder_input.h"
#include "feed_log.h"
#include "feed_options.h"
#include "feed_server.h"
#include "multimon_bridge.h"
#include "receive_chain.h"
#include "script_player.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <functional>

namespace {

QString describe(IgnoredLine reason)
{
    switch (reason) {
    case IgnoredLine::NotATelegram:
        return QStringLiteral("kein Telegramm");
    case IgnoredLine::IncompleteFiveTone:
        return QStringLiteral("Fünftonfolge kürzer als fünf Ziffern");
    case IgnoredLine::DoubtfulFiveTone:
        return QStringLiteral("zweifelhafte Fünftonfolge");
    case IgnoredLine::FmsCheckSum:
        return QStringLiteral("FMS-Prüfsumme falsch");
    case IgnoredLine::FmsCorrected:
        return QStringLiteral("FMS erst nach Tausch eines Bits richtig");
    case IgnoredLine::GarbledText:
        return QStringLiteral("POCSAG-Text mit Steuerzeichen");
    case IgnoredLine::Unreadable:
        return QStringLiteral("unlesbare Telegrammzeile");
    case IgnoredLine::TooLong:
        return QStringLiteral("Zeile zu lang");
    case IgnoredLine::CutOff:
        return QStringLiteral("Zeile vom Ende der Eingabe abgeschnitten");
    case IgnoredLine::Repeat:
        return QStringLiteral("Wiederholung im Zeitfenster");
    }
    return {};
}

void logClient(FeedServer::ClientEvent event, const QString& peer)
{
    switch (event) {
    case FeedServer::ClientEvent::Connected:
        logEvent(QStringLiteral("Client %1 verbunden").arg(peer));
        break;
    case FeedServer::ClientEvent::NotAllowed:
        logEvent(QStringLiteral("%1 abgewiesen: nicht in einem erlaubten Netz").arg(peer));
        break;
    case FeedServer::ClientEvent::TooMany:
        logEvent(QStringLiteral("%1 abgewiesen: schon %2 Clients verbunden")
                     .arg(peer)
                     .arg(FeedServer::MaxClients));
        break;
    case FeedServer::ClientEvent::Left:
        logEvent(QStringLiteral("Client %1 gegangen").arg(peer));
        break;
    case FeedServer::ClientEvent::Dropped:
        logEvent(QStringLiteral("Client %1 getrennt: er liest nicht mehr").arg(peer));
        break;
    }
}

// Lines a guard held back and repeats are logged each, so that a lost
// alarm can be found; other ignored lines once per kind, with an example.
void logIgnored(const MultimonBridge& bridge, IgnoredLine reason, const QByteArray& line)
{
    const QString shown = logText(QString::fromUtf8(line));
    switch (reason) {
    case IgnoredLine::Repeat:
        logEvent(QStringLiteral("nicht gesendet, eine Wiederholung: %1").arg(shown));
        return;
    case IgnoredLine::DoubtfulFiveTone:
    case IgnoredLine::FmsCorrected:
    case IgnoredLine::GarbledText:
        logEvent(QStringLiteral("zurückgehalten (%1): %2").arg(describe(reason), shown));
        return;
    default:
        if (bridge.ignoredCount(reason) == 1)
            logEvent(
                QStringLiteral("übergehe Zeilen (%1), die erste: %2").arg(describe(reason), shown));
    }
}

void logIgnoredSummary(const MultimonBridge& bridge)
{
    QStringList counts;
    for (int i = 0; i <= int(IgnoredLine::Repeat); ++i) {
        if (const int count = bridge.ignoredCount(IgnoredLine(i)))
            counts << QStringLiteral("%1 %2").arg(count).arg(describe(IgnoredLine(i)));
    }
    if (!counts.isEmpty())
        logEvent(
            QStringLiteral("nicht gesendete Zeilen: %1").arg(counts.join(QStringLiteral(", "))));
}

void broadcast(FeedServer& server, const QByteArray& record)
{
    const int clients = server.broadcast(record);
    logEvent(QStringLiteral("an %1 Client(s) gesendet: %2")
                 .arg(clients)
                 .arg(logText(decodeCp1252(record))));
}

// The bridge from decoder output to the desks, its lines logged.
MultimonBridge* bridgeTo(FeedServer& server, const FeedOptions& options)
{
    auto* bridge = new MultimonBridge(options.repeatWindowMs, options.guards, &server);
    QObject::connect(bridge, &MultimonBridge::recordDecoded, &server,
                     [&server](const QByteArray& record) { broadcast(server, record); });
    QObject::connect(bridge, &MultimonBridge::lineIgnored, bridge,
                     [bridge](IgnoredLine reason, const QByteArray& line) {
                         logIgnored(*bridge, reason, line);
                     });
    QObject::connect(bridge, &MultimonBridge::lineRepaired, bridge, [](const QByteArray& line) {
        logEvent(QStringLiteral("zweifelhafte Fünftonfolge, eine doppelte Ziffer (kurzer "
                                "Aussetzer) herausgenommen: %1")
                     .arg(logText(QString::fromUtf8(line))));
    });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, bridge,
                     [bridge] { logIgnoredSummary(*bridge); });
    return bridge;
}

// Reads the decoder's output until its end; stop(exit code) ends the feed.
bool startMultimon(const FeedOptions& options, FeedServer& server,
                   const std::function<void(int)>& stop)
{
    MultimonBridge* bridge = bridgeTo(server, options);
    auto* reader = new DecoderInput(
        options.input, options.follow ? DecoderInput::AtEnd::Follow : DecoderInput::AtEnd::Stop,
        bridge);
    if (!reader->open()) {
        logError(QStringLiteral("%1 nicht lesbar: %2").arg(options.input, reader->errorString()));
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    QObject::connect(
        reader, &DecoderInput::bytesRead, bridge,
        [bridge, clock](const QByteArray& bytes) { bridge->takeOutput(bytes, clock.elapsed()); });
    QObject::connect(reader, &DecoderInput::writerLeft, bridge, [bridge] {
        bridge->endOutput();
        logEvent(
            QStringLiteral("Der Decoder hat seine Ausgabe geschlossen; warte auf seine Rückkehr"));
    });
    QObject::connect(reader, &DecoderInput::finished, bridge, [bridge, reader, options, stop] {
        bridge->endOutput();
        if (reader->errorString().isEmpty()) {
            logEvent(QStringLiteral("Ende der Eingabe, beende"));
            stop(0);
        } else {
            logError(
                QStringLiteral("%1 nicht lesbar: %2").arg(options.input, reader->errorString()));
            stop(1);
        }
    });
    logEvent(QStringLiteral("lese die Ausgabe von multimon-ng aus %1").arg(options.input));
    return true;
}

// Runs the source and the decoder; nothing when they cannot start.
ReceiveChain* startReceive(const FeedOptions& options, FeedServer& server,
                           const std::function<void(int)>& stop)
{
    MultimonBridge* bridge = bridgeTo(server, options);
    auto* chain = new ReceiveChain(options.receive, QStringLiteral("multimon-ng"), options.decoders,
                                   options.realtime, ReceiveTimings{}, bridge);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(chain, &ReceiveChain::decoderLine, bridge,
                     [bridge, clock](const LineSplitter::Line& line) {
                         bridge->takeLine(line, clock.elapsed());
                     });
    QObject::connect(chain, &ReceiveChain::decoderLineCut, bridge, &MultimonBridge::lineCut);
    QObject::connect(chain, &ReceiveChain::finished, bridge, [stop] { stop(0); });
    QObject::connect(chain, &ReceiveChain::stopped, bridge, [stop] { stop(0); });
    if (!chain->start()) {
        logError(chain->errorString());
        return nullptr;
    }
    return chain;
}

// Plays the demo sequence or a replay file.
bool startScript(const FeedOptions& options, FeedServer& server)
{
    QList<FeedRecord> records = demoSequence();
    if (options.source == FeedSource::Replay) {
        QFile file(options.input);
        if (!file.open(QIODevice::ReadOnly)) {
            logError(QStringLiteral("%1 nicht lesbar").arg(file.fileName()));
            return false;
        }
        records = parseReplay(QString::fromUtf8(file.readAll()));
    }
    logEvent(QStringLiteral("spiele %1 Datensätze ab").arg(records.size()));
    auto* player = new ScriptPlayer(std::move(records), options.loop, &server);
    QObject::connect(player, &ScriptPlayer::recordDue, &server,
                     [&server](const QByteArray& record) { broadcast(server, record); });
    QObject::connect(player, &ScriptPlayer::finished, &server,
                     [] { logEvent(QStringLiteral("alle Datensätze gesendet")); });
    player->start();
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    installGermanQtTranslation();
    const std::optional<FeedOptions> options = readFeedOptions(app.arguments());
    if (!options)
        return 2;
    setLogQuiet(options->quiet);

    FeedServer server(options->allowed);
    QObject::connect(&server, &FeedServer::clientEvent, &logClient);
    if (!server.listen(options->listen.host, options->listen.port)) {
        logError(QStringLiteral("Warten auf %1:%2 nicht möglich: %3")
                     .arg(options->listen.host.toString())
                     .arg(options->listen.port)
                     .arg(server.errorString()));
        return 1;
    }
    // Waits for the desks to have their records before quitting.
    int exitCode = 0;
    const auto stop = [&server, &exitCode](int code) {
        exitCode = code;
        server.close();
    };
    QObject::connect(&server, &FeedServer::closed, &app, &QCoreApplication::quit);
    // The stages end first, so that what they decoded reaches the desks.
    ReceiveChain* chain = nullptr;
    UnixSignalBridge signalBridge;
    QObject::connect(&signalBridge, &UnixSignalBridge::terminationRequested, &app, [&] {
        logEvent(QStringLiteral("beende"));
        if (chain)
            chain->stop();
        else
            stop(0);
    });
    logEvent(QStringLiteral("warte auf Verbindungen an %1:%2")
                 .arg(options->listen.host.toString())
                 .arg(server.serverPort()));
    bool started = true;
    switch (options->source) {
    case FeedSource::Receive:
        chain = startReceive(*options, server, stop);
        started = chain != nullptr;
        break;
    case FeedSource::Multimon:
        started = startMultimon(*options, server, stop);
        break;
    default:
        started = startScript(*options, server);
    }
    if (!started)
        return 1;
    app.exec();
    return exitCode;
}
