#include "feed_options.h"

#include "common/version.h"
#include "feed_log.h"
#include "repeat_filter.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

std::optional<FeedOptions> refuse(const QString& message)
{
    logError(message);
    return std::nullopt;
}

} // namespace

std::optional<FeedOptions> readFeedOptions(const QStringList& arguments)
{
    QCoreApplication::setApplicationVersion(QLatin1String(Version::Text));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Sendet Telegramme wie ein Decoderserver: aus der Ausgabe von multimon-ng oder zur Demo."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("TCP-Port auf 127.0.0.1 (7778)."),
                                  QStringLiteral("N"), QStringLiteral("7778"));
    const QCommandLineOption listen(
        QStringLiteral("listen"),
        QStringLiteral("Auf ADRESSE:PORT annehmen, z. B. 192.168.1.5:7778."),
        QStringLiteral("ADRESSE:PORT"));
    const QCommandLineOption allow(
        QStringLiteral("allow"),
        QStringLiteral("Nur Plätze aus diesem Netz annehmen, z. B. 192.168.1.0/24 "
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
    parser.process(arguments);

    FeedOptions options;
    options.quiet = parser.isSet(quiet);
    if (int(parser.isSet(demo)) + int(parser.isSet(replay)) + int(parser.isSet(multimon)) != 1)
        parser.showHelp(2);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > (parser.isSet(multimon) ? 1 : 0))
        return refuse(QStringLiteral("unexpected argument %1").arg(positional.last()));
    if (parser.isSet(multimon)) {
        options.source = FeedSource::Multimon;
        options.input = positional.value(0, QStringLiteral("-"));
    } else if (parser.isSet(replay)) {
        options.source = FeedSource::Replay;
        options.input = parser.value(replay);
    }
    options.loop = parser.isSet(loop) || parser.isSet(demo);
    options.follow = parser.isSet(follow);
    if (options.follow && (options.source != FeedSource::Multimon || options.input == u"-"))
        return refuse(QStringLiteral("--follow needs --multimon with a FIFO"));
    const auto window = RepeatFilter::windowFromSeconds(parser.value(repeatWindow));
    if (!window)
        return refuse(QStringLiteral("--repeat-window wants seconds from 0 to %1")
                          .arg(RepeatFilter::MaxWindowSeconds));
    options.repeatWindowMs = *window;

    if (parser.isSet(listen) && parser.isSet(port))
        return refuse(QStringLiteral("give either --listen or --port"));
    if (parser.isSet(listen)) {
        const auto parsed = parseListenAddress(parser.value(listen));
        if (!parsed)
            return refuse(QStringLiteral("--listen wants ADDRESS:PORT, e.g. 192.168.1.5:7778"));
        options.listen = *parsed;
    } else {
        bool ok = false;
        const uint number = parser.value(port).toUInt(&ok);
        if (!ok || number > 65535)
            return refuse(QStringLiteral("invalid port"));
        options.listen = {QHostAddress(QHostAddress::LocalHost), quint16(number)};
    }
    for (const QString& network : parser.values(allow)) {
        if (!options.allowed.add(network))
            return refuse(
                QStringLiteral("--allow wants a network like 192.168.1.0/24, not %1").arg(network));
    }
    if (!options.listen.host.isLoopback() && options.allowed.isEmpty())
        return refuse(QStringLiteral("not serving alarm traffic on %1 to everyone: "
                                     "name the networks that may connect with --allow CIDR")
                          .arg(options.listen.host.toString()));
    return options;
}
