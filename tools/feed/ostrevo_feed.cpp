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
#include "feed_server.h"
#include "multimon_bridge.h"
#include "script_player.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

namespace {

constexpr int kUsageError = 2;

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

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Sendet Telegramme wie ein Decoderserver: aus der Ausgabe von multimon-ng oder zur Demo."));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("TCP-Port auf 127.0.0.1 (7778)."),
                                  QStringLiteral("N"), QStringLiteral("7778"));
    const QCommandLineOption listen(
        QStringLiteral("listen"),
        QStringLiteral("Auf ADRESSE:PORT annehmen, z. B. 192.168.1.5:7778."),
        QStringLiteral("ADRESSE:PORT"));
    const QCommandLineOption allow(
        QStringLiteral("allow"),
        QStringLiteral("Nur Desks aus diesem Netz annehmen, z. B. 192.168.1.0/24 "
                       "(mehrfach möglich)."),
        QStringLiteral("CIDR"));
    const QCommandLineOption quiet(QStringLiteral("quiet"), QStringLiteral("Nur Fehler melden."));
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Die eingebaute Folge endlos senden."));
    const QCommandLineOption replay(QStringLiteral("replay"),
                                    QStringLiteral("Telegramme aus DATEI senden."),
                                    QStringLiteral("DATEI"));
    const QCommandLineOption loop(QStringLiteral("loop"),
                                  QStringLiteral("Die Datei endlos wiederholen."));
    const QCommandLineOption multimon(
        QStringLiteral("multimon"),
        QStringLiteral(
            "Die Ausgabe von multimon-ng lesen, aus DATEI, FIFO oder - (Standardeingabe)."));
    const QCommandLineOption follow(
        QStringLiteral("follow"),
        QStringLiteral("Am Ende der FIFO auf den nächsten Decoder warten."));
    const QCommandLineOption repeatWindow(
        QStringLiteral("repeat-window"),
        QStringLiteral("Gleiche Telegramme innerhalb SEKUNDEN nur einmal senden (10, 0 = aus)."),
        QStringLiteral("SEKUNDEN"), QStringLiteral("10"));
    parser.addOptions(
        {port, listen, allow, quiet, demo, replay, loop, multimon, follow, repeatWindow});
    parser.addPositionalArgument(QStringLiteral("DATEI"),
                                 QStringLiteral("Eingabe für --multimon (-)."),
                                 QStringLiteral("[DATEI|-]"));
    parser.process(app);
    setLogQuiet(parser.isSet(quiet));
    const auto usageError = [](const QString& message) {
        logError(message);
        return kUsageError;
    };

    const int modes =
        int(parser.isSet(demo)) + int(parser.isSet(replay)) + int(parser.isSet(multimon));
    if (modes != 1)
        parser.showHelp(kUsageError);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > (parser.isSet(multimon) ? 1 : 0))
        return usageError(QStringLiteral("unexpected argument %1").arg(positional.last()));
    const QString input = positional.value(0, QStringLiteral("-"));
    if (parser.isSet(follow) && (!parser.isSet(multimon) || input == u"-"))
        return usageError(QStringLiteral("--follow needs --multimon with a FIFO or file"));
    const auto window = RepeatFilter::windowFromSeconds(parser.value(repeatWindow));
    if (!window)
        return usageError(QStringLiteral("--repeat-window wants seconds from 0 to %1")
                              .arg(RepeatFilter::MaxWindowSeconds));

    ListenAddress address{QHostAddress(QHostAddress::LocalHost), 0};
    if (parser.isSet(listen) && parser.isSet(port))
        return usageError(QStringLiteral("give either --listen or --port"));
    if (parser.isSet(listen)) {
        const auto parsed = parseListenAddress(parser.value(listen));
        if (!parsed)
            return usageError(QStringLiteral("--listen wants ADDRESS:PORT, e.g. 192.168.1.5:7778"));
        address = *parsed;
    } else {
        bool ok = false;
        const uint number = parser.value(port).toUInt(&ok);
        if (!ok || number > 65535)
            return usageError(QStringLiteral("invalid port"));
        address.port = quint16(number);
    }
    AllowList allowed;
    for (const QString& network : parser.values(allow)) {
        if (!allowed.add(network))
            return usageError(
                QStringLiteral("--allow wants a network like 192.168.1.0/24, not %1").arg(network));
    }
    if (!address.host.isLoopback() && allowed.isEmpty())
        return usageError(QStringLiteral("not serving alarm traffic on %1 to everyone: "
                                         "name the networks that may connect with --allow CIDR")
                              .arg(address.host.toString()));

    FeedServer server(allowed);
    QObject::connect(&server, &FeedServer::clientEvent, &logClient);
    if (!server.listen(address.host, address.port)) {
        logError(QStringLiteral("cannot listen on %1:%2: %3")
                     .arg(address.host.toString())
                     .arg(address.port)
                     .arg(server.errorString()));
        return 1;
    }
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

    const QString where = address.host.toString() + u':' + QString::number(server.serverPort());
    std::unique_ptr<ScriptPlayer> player;
    std::unique_ptr<MultimonBridge> bridge;
    std::unique_ptr<DecoderInput> reader;
    if (parser.isSet(multimon)) {
        bridge = std::make_unique<MultimonBridge>(*window);
        reader = std::make_unique<DecoderInput>(
            input, parser.isSet(follow) ? DecoderInput::AtEnd::Follow : DecoderInput::AtEnd::Stop);
        if (!reader->open()) {
            logError(QStringLiteral("cannot read %1: %2").arg(input, reader->errorString()));
            return 1;
        }
        QElapsedTimer clock;
        clock.start();
        QObject::connect(reader.get(), &DecoderInput::bytesRead, bridge.get(),
                         [&bridge, clock](const QByteArray& bytes) {
                             bridge->takeOutput(bytes, clock.elapsed());
                         });
        QObject::connect(reader.get(), &DecoderInput::writerLeft, bridge.get(), [&bridge] {
            bridge->endOutput();
            logEvent(QStringLiteral("the decoder closed its output; waiting for it to return"));
        });
        QObject::connect(reader.get(), &DecoderInput::finished, bridge.get(), [&] {
            bridge->endOutput();
            if (reader->errorString().isEmpty()) {
                logEvent(QStringLiteral("end of input, stopping"));
                stop(0);
            } else {
                logError(QStringLiteral("cannot read %1: %2").arg(input, reader->errorString()));
                stop(1);
            }
        });
        QObject::connect(bridge.get(), &MultimonBridge::recordDecoded, &server,
                         [&server](const QByteArray& record) { broadcast(server, record); });
        QObject::connect(bridge.get(), &MultimonBridge::lineIgnored, &server,
                         [&bridge](IgnoredLine reason, const QByteArray& line) {
                             logIgnored(*bridge, reason, line);
                         });
        logEvent(QStringLiteral("listening on %1, reading multimon-ng output from %2")
                     .arg(where, input));
    } else {
        QList<FeedRecord> records;
        if (parser.isSet(replay)) {
            QFile file(parser.value(replay));
            if (!file.open(QIODevice::ReadOnly)) {
                logError(QStringLiteral("cannot read %1").arg(file.fileName()));
                return 1;
            }
            records = parseReplay(QString::fromUtf8(file.readAll()));
        } else {
            records = demoSequence();
        }
        const qsizetype count = records.size();
        player = std::make_unique<ScriptPlayer>(std::move(records),
                                                parser.isSet(demo) || parser.isSet(loop));
        QObject::connect(player.get(), &ScriptPlayer::recordDue, &server,
                         [&server](const QByteArray& record) { broadcast(server, record); });
        QObject::connect(player.get(), &ScriptPlayer::finished, &server,
                         [] { logEvent(QStringLiteral("all records sent")); });
        logEvent(QStringLiteral("listening on %1, %2 records").arg(where).arg(count));
        player->start();
    }
    app.exec();
    if (bridge)
        logIgnoredSummary(*bridge);
    return exitCode;
}
