// ostrevo-feed: serves decoder-server records to Ostrevo desks.
//   ostrevo-feed [--port N | --listen ADDRESS:PORT] [--allow CIDR]... [--quiet]
//                (--demo | --replay FILE [--loop]
//                 | --multimon [FILE|-] [--follow] [--repeat-window SECONDS])
// --multimon turns multimon-ng's output into records as they are decoded;
// --demo and --replay play a fixed sequence.
#include "common/cp1252.h"
#include "common/unix_signal_bridge.h"
#include "decoder_input.h"
#include "feed_log.h"
#include "feed_options.h"
#include "feed_server.h"
#include "multimon_bridge.h"
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
        return QStringLiteral("no telegram");
    case IgnoredLine::IncompleteFiveTone:
        return QStringLiteral("five-tone sequence not five digits");
    case IgnoredLine::FmsCheckSum:
        return QStringLiteral("FMS check sum wrong");
    case IgnoredLine::Unreadable:
        return QStringLiteral("unreadable telegram line");
    case IgnoredLine::TooLong:
        return QStringLiteral("line too long");
    case IgnoredLine::CutOff:
        return QStringLiteral("line cut off by the end of input");
    case IgnoredLine::Repeat:
        return QStringLiteral("repeat within the window");
    }
    return {};
}

void logClient(FeedServer::ClientEvent event, const QString& peer)
{
    switch (event) {
    case FeedServer::ClientEvent::Connected:
        logEvent(QStringLiteral("client %1 connected").arg(peer));
        break;
    case FeedServer::ClientEvent::NotAllowed:
        logEvent(QStringLiteral("refused %1: not in an allowed network").arg(peer));
        break;
    case FeedServer::ClientEvent::TooMany:
        logEvent(QStringLiteral("refused %1: %2 clients already connected")
                     .arg(peer)
                     .arg(FeedServer::MaxClients));
        break;
    case FeedServer::ClientEvent::Left:
        logEvent(QStringLiteral("client %1 left").arg(peer));
        break;
    case FeedServer::ClientEvent::Dropped:
        logEvent(QStringLiteral("dropped client %1: it stopped reading").arg(peer));
        break;
    }
}

// Repeats are logged each; other ignored lines once per kind, with an example.
void logIgnored(const MultimonBridge& bridge, IgnoredLine reason, const QByteArray& line)
{
    const QString shown = printable(QString::fromUtf8(line));
    if (reason == IgnoredLine::Repeat)
        logEvent(QStringLiteral("not sent, a repeat: %1").arg(shown));
    else if (bridge.ignoredCount(reason) == 1)
        logEvent(QStringLiteral("ignoring lines (%1), the first: %2").arg(describe(reason), shown));
}

void logIgnoredSummary(const MultimonBridge& bridge)
{
    QStringList counts;
    for (int i = 0; i <= int(IgnoredLine::Repeat); ++i) {
        if (const int count = bridge.ignoredCount(IgnoredLine(i)))
            counts << QStringLiteral("%1 %2").arg(count).arg(describe(IgnoredLine(i)));
    }
    if (!counts.isEmpty())
        logEvent(QStringLiteral("lines not sent: %1").arg(counts.join(QStringLiteral(", "))));
}

void broadcast(FeedServer& server, const QByteArray& record)
{
    const int clients = server.broadcast(record);
    logEvent(QStringLiteral("sent to %1 client(s): %2")
                 .arg(clients)
                 .arg(printable(decodeCp1252(record))));
}

// Reads the decoder's output until its end; stop(exit code) ends the feed.
bool startMultimon(const FeedOptions& options, FeedServer& server,
                   const std::function<void(int)>& stop)
{
    auto* bridge = new MultimonBridge(options.repeatWindowMs, &server);
    auto* reader = new DecoderInput(
        options.input, options.follow ? DecoderInput::AtEnd::Follow : DecoderInput::AtEnd::Stop,
        bridge);
    if (!reader->open()) {
        logError(QStringLiteral("cannot read %1: %2").arg(options.input, reader->errorString()));
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    QObject::connect(
        reader, &DecoderInput::bytesRead, bridge,
        [bridge, clock](const QByteArray& bytes) { bridge->takeOutput(bytes, clock.elapsed()); });
    QObject::connect(reader, &DecoderInput::writerLeft, bridge, [bridge] {
        bridge->endOutput();
        logEvent(QStringLiteral("the decoder closed its output; waiting for it to return"));
    });
    QObject::connect(reader, &DecoderInput::finished, bridge, [bridge, reader, options, stop] {
        bridge->endOutput();
        if (reader->errorString().isEmpty()) {
            logEvent(QStringLiteral("end of input, stopping"));
            stop(0);
        } else {
            logError(
                QStringLiteral("cannot read %1: %2").arg(options.input, reader->errorString()));
            stop(1);
        }
    });
    QObject::connect(bridge, &MultimonBridge::recordDecoded, &server,
                     [&server](const QByteArray& record) { broadcast(server, record); });
    QObject::connect(bridge, &MultimonBridge::lineIgnored, bridge,
                     [bridge](IgnoredLine reason, const QByteArray& line) {
                         logIgnored(*bridge, reason, line);
                     });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, bridge,
                     [bridge] { logIgnoredSummary(*bridge); });
    logEvent(QStringLiteral("reading multimon-ng output from %1").arg(options.input));
    return true;
}

// Plays the demo sequence or a replay file.
bool startScript(const FeedOptions& options, FeedServer& server)
{
    QList<FeedRecord> records = demoSequence();
    if (options.source == FeedSource::Replay) {
        QFile file(options.input);
        if (!file.open(QIODevice::ReadOnly)) {
            logError(QStringLiteral("cannot read %1").arg(file.fileName()));
            return false;
        }
        records = parseReplay(QString::fromUtf8(file.readAll()));
    }
    logEvent(QStringLiteral("playing %1 records").arg(records.size()));
    auto* player = new ScriptPlayer(std::move(records), options.loop, &server);
    QObject::connect(player, &ScriptPlayer::recordDue, &server,
                     [&server](const QByteArray& record) { broadcast(server, record); });
    QObject::connect(player, &ScriptPlayer::finished, &server,
                     [] { logEvent(QStringLiteral("all records sent")); });
    player->start();
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const std::optional<FeedOptions> options = readFeedOptions(app.arguments());
    if (!options)
        return 2;
    setLogQuiet(options->quiet);

    FeedServer server(options->allowed);
    QObject::connect(&server, &FeedServer::clientEvent, &logClient);
    if (!server.listen(options->listen.host, options->listen.port)) {
        logError(QStringLiteral("cannot listen on %1:%2: %3")
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
    UnixSignalBridge signalBridge;
    QObject::connect(&signalBridge, &UnixSignalBridge::terminationRequested, &app, [&stop] {
        logEvent(QStringLiteral("stopping"));
        stop(0);
    });

    logEvent(QStringLiteral("listening on %1:%2")
                 .arg(options->listen.host.toString())
                 .arg(server.serverPort()));
    const bool started = options->source == FeedSource::Multimon
                             ? startMultimon(*options, server, stop)
                             : startScript(*options, server);
    if (!started)
        return 1;
    app.exec();
    return exitCode;
}
