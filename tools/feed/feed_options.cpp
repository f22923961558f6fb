// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed_options.h"

#include "audio_file.h"
#include "common/version.h"
#include "feed_log.h"
#include "multimon_program.h"
#include "repeat_filter.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

std::optional<FeedOptions> refuse(const QString& message)
{
    logError(message);
    return std::nullopt;
}

constexpr int MostCorrectedBits = 2; // what the decoder can correct

// --receive and the options that only go with it.
std::optional<FeedOptions> readReceiveOptions(FeedOptions options, const QString& sourceText,
                                              const QString& demodulatorList,
                                              const QString& correction)
{
    const auto source = parseReceiveSource(sourceText);
    if (const QString* refused = std::get_if<QString>(&source))
        return refuse(*refused);
    options.receive = std::get<ReceiveSource>(source);
    if (options.realtime && options.receive.kind != ReceiveSource::Kind::File)
        return refuse(QStringLiteral("--realtime gilt nur für eine Quelle file:PFAD."));
    if (options.receive.kind == ReceiveSource::Kind::File) {
        AudioFile file;
        if (!file.open(options.receive.path))
            return refuse(QStringLiteral("%1 nicht lesbar: %2")
                              .arg(options.receive.path, file.errorString()));
    }
    const auto demodulators = parseDemodulators(demodulatorList);
    if (const QString* refused = std::get_if<QString>(&demodulators))
        return refuse(*refused);
    bool ok = false;
    const int bits = correction.toInt(&ok);
    if (!ok || bits < 0 || bits > MostCorrectedBits)
        return refuse(
            QStringLiteral("--pocsag-correction erwartet 0 bis %1 Bit.").arg(MostCorrectedBits));
    options.decoders = decoderRuns(std::get<QStringList>(demodulators), bits);
    return options;
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
    const QCommandLineOption receive(
        QStringLiteral("receive"),
        QStringLiteral("Selbst empfangen und dekodieren: rtl:FREQUENZ[,gain=G][,ppm=P], "
                       "audio[:GERÄT], file:PFAD oder exec:BEFEHL."),
        QStringLiteral("QUELLE"));
    const QCommandLineOption demodulators(QStringLiteral("demod"),
                                          QStringLiteral("Die Demodulatoren für --receive (%1).")
                                              .arg(QLatin1String(DefaultDemodulators)),
                                          QStringLiteral("LISTE"),
                                          QLatin1String(DefaultDemodulators));
    const QCommandLineOption realtime(
        QStringLiteral("realtime"),
        QStringLiteral("Eine Datei (file:) in Echtzeit lesen wie empfangenes Audio."));
    const QCommandLineOption correction(
        QStringLiteral("pocsag-correction"),
        QStringLiteral("POCSAG-Codewörter mit bis zu BIT falschen Bits annehmen (1, höchstens 2)."),
        QStringLiteral("BIT"), QStringLiteral("1"));
    const QCommandLineOption correctedFms(
        QStringLiteral("accept-corrected-fms"),
        QStringLiteral("Auch FMS-Telegramme senden, die der Decoder um ein Bit berichtigt hat."));
    const QCommandLineOption garbledText(
        QStringLiteral("accept-garbled-text"),
        QStringLiteral("Auch POCSAG-Texte mit Steuerzeichen mitten im Text senden."));
    const QCommandLineOption repeatWindow(
        QStringLiteral("repeat-window"),
        QStringLiteral("Gleiche Telegramme innerhalb SEKUNDEN nur einmal senden (10, 0 = aus)."),
        QStringLiteral("SEKUNDEN"), QStringLiteral("10"));
    parser.addOptions({port, listen, allow, quiet, demo, replay, loop, multimon, follow, receive,
                       demodulators, realtime, correction, correctedFms, garbledText,
                       repeatWindow});
    parser.addPositionalArgument(QStringLiteral("DATEI"),
                                 QStringLiteral("Eingabe für --multimon (-)."),
                                 QStringLiteral("[DATEI|-]"));
    parser.process(arguments);

    FeedOptions options;
    options.quiet = parser.isSet(quiet);
    if (int(parser.isSet(demo)) + int(parser.isSet(replay)) + int(parser.isSet(multimon)) +
            int(parser.isSet(receive)) !=
        1)
        parser.showHelp(2);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > (parser.isSet(multimon) ? 1 : 0))
        return refuse(QStringLiteral("Unerwartetes Argument %1").arg(positional.last()));
    for (const QCommandLineOption* receiving : {&demodulators, &realtime, &correction}) {
        if (parser.isSet(*receiving) && !parser.isSet(receive))
            return refuse(QStringLiteral("--%1 gilt nur mit --receive.")
                              .arg(receiving->names().constFirst()));
    }
    options.guards = {parser.isSet(correctedFms), parser.isSet(garbledText)};
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
        return refuse(QStringLiteral("--follow braucht --multimon mit einer benannten Pipe."));
    const auto window = RepeatFilter::windowFromSeconds(parser.value(repeatWindow));
    if (!window)
        return refuse(QStringLiteral("--repeat-window erwartet Sekunden von 0 bis %1.")
                          .arg(RepeatFilter::MaxWindowSeconds));
    options.repeatWindowMs = *window;
    if (parser.isSet(receive)) {
        options.source = FeedSource::Receive;
        options.realtime = parser.isSet(realtime);
        const auto received = readReceiveOptions(
            options, parser.value(receive), parser.value(demodulators), parser.value(correction));
        if (!received)
            return std::nullopt;
        options = *received;
    }

    if (parser.isSet(listen) && parser.isSet(port))
        return refuse(QStringLiteral("Entweder --listen oder --port angeben."));
    if (parser.isSet(listen)) {
        const auto parsed = parseListenAddress(parser.value(listen));
        if (!parsed)
            return refuse(QStringLiteral("--listen erwartet ADRESSE:PORT, etwa 192.168.1.5:7778."));
        options.listen = *parsed;
    } else {
        bool ok = false;
        const uint number = parser.value(port).toUInt(&ok);
        if (!ok || number > 65535)
            return refuse(QStringLiteral("Ungültiger Port."));
        options.listen = {QHostAddress(QHostAddress::LocalHost), quint16(number)};
    }
    for (const QString& network : parser.values(allow)) {
        if (!options.allowed.add(network))
            return refuse(QStringLiteral("--allow erwartet ein Netz wie 192.168.1.0/24, nicht %1.")
                              .arg(network));
    }
    if (!options.listen.host.isLoopback() && options.allowed.isEmpty())
        return refuse(QStringLiteral("Alarmierungen auf %1 nicht für jeden: die Netze, die sich "
                                     "verbinden dürfen, mit --allow CIDR nennen.")
                          .arg(options.listen.host.toString()));
    return options;
}
