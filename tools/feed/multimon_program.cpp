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

QStringList multimonArguments(const QStringList& demodulators, int pocsagCorrectionBits)
{
    QStringList arguments{QStringLiteral("-t"), QStringLiteral("raw"),
                          QStringLiteral("-C"), QStringLiteral("DE"),
                          QStringLiteral("-b"), QString::number(pocsagCorrectionBits)};
    for (const QString& demodulator : demodulators)
        arguments << QStringLiteral("-a") << demodulator;
    return arguments << QStringLiteral("-");
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
