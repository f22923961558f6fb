// SPDX-License-Identifier: GPL-3.0-or-later
#include "multimon_program.h"

#include <QRegularExpression>
#include <algorithm>

std::variant<QStringList, QString> parseDemodulators(const QString& list)
{
    static const QStringList known = QString::fromLatin1(DefaultDemodulators).split(u',');
    QStringList chosen;
    for (const QString& name : list.split(u',')) {
        const QString upper = name.trimmed().toUpper();
        if (!known.contains(upper))
            return QStringLiteral("Unbekannter Demodulator „%1“: möglich sind %2.")
                .arg(name.trimmed(), known.join(QStringLiteral(", ")));
        if (!chosen.contains(upper))
            chosen << upper;
    }
    return chosen;
}

QList<DecoderRun> decoderRuns(const QStringList& demodulators, int pocsagCorrectionBits)
{
    const QString fms = QStringLiteral("FMSFSK");
    const auto arguments = [&](const QStringList& chosen) {
        QStringList list{QStringLiteral("-t"), QStringLiteral("raw"),
                         QStringLiteral("-C"), QStringLiteral("DE"),
                         QStringLiteral("-b"), QString::number(pocsagCorrectionBits)};
        for (const QString& demodulator : chosen)
            list << QStringLiteral("-a") << demodulator;
        return list << QStringLiteral("-");
    };
    QList<DecoderRun> runs;
    QStringList others = demodulators;
    others.removeAll(fms);
    if (!others.isEmpty())
        runs.append({DecoderFeed::Straight, arguments(others)});
    if (demodulators.contains(fms)) {
        runs.append({DecoderFeed::FmsGate, arguments({fms})});
        runs.append({DecoderFeed::FmsGateShifted, arguments({fms})});
    }
    return runs;
}

std::optional<QVersionNumber> multimonVersion(QByteArrayView banner)
{
    static const QRegularExpression format(QStringLiteral("^multimon-ng (\\d+(?:\\.\\d+)*)"));
    const QRegularExpressionMatch match =
        format.match(QString::fromLatin1(banner.first(std::min<qsizetype>(banner.size(), 200))));
    if (!match.hasMatch())
        return std::nullopt;
    return QVersionNumber::fromString(match.captured(1));
}

bool losesSmallWrites(const QVersionNumber& version)
{
    return version < QVersionNumber(1, 3, 1);
}
