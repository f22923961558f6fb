// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm_rules_file.h"

#include "common/cp1252.h"
#include "common/trim_spaces.h"
#include "telegram/fms.h"

#include <QDir>
#include <QStringConverter>
#include <array>

namespace {

const std::array<const char16_t*, 7> DayNames = {u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa", u"So"};

struct SoundName
{
    const char16_t* word;
    BuiltInSound sound;
};
const std::array<SoundName, 3> SoundNames = {{
    {u"gong", BuiltInSound::Gong},
    {u"sirene", BuiltInSound::Siren},
    {u"hinweis", BuiltInSound::Notice},
}};
const QString SilentWord = QStringLiteral("aus");

QString decode(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    auto toUtf16 = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = toUtf16(bytes);
    return toUtf16.hasError() ? decodeCp1252(bytes) : text;
}

bool allOf(QStringView text, bool (*accepted)(QChar))
{
    return std::all_of(text.begin(), text.end(), accepted);
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isHexDigit(QChar c)
{
    return isDigit(c) || (c >= u'A' && c <= u'F');
}

// Reads one line into `rule`, or says why it cannot.
class RuleReader
{
public:
    RuleReader(const QString& listFolder) : m_listFolder(listFolder) {}

    std::optional<QString> read(const QStringList& fields, AlarmRule& rule) const
    {
        if (fields.size() < 4)
            return QStringLiteral("zu wenige Felder (Art;Kennung;Zusatz;Bezeichnung;Ton;"
                                  "Wiederholen)");
        if (fields.size() > 6)
            return QStringLiteral("zu viele Felder (ein „;“ in der Bezeichnung?)");
        const QString kind = fields[0].toUpper();
        if (kind == u"ZVEI")
            rule.kind = TelegramKind::FiveTone;
        else if (kind == u"POCSAG")
            rule.kind = TelegramKind::Pocsag;
        else if (kind == u"FMS")
            rule.kind = TelegramKind::Fms;
        else
            return QStringLiteral("unbekannte Art „%1“ (ZVEI, POCSAG oder FMS)").arg(fields[0]);
        if (const auto problem = readIdentifier(fields[1], rule))
            return problem;
        if (const auto problem = readExtra(fields[2], rule))
            return problem;
        rule.label = fields[3];
        if (rule.label.isEmpty())
            return QStringLiteral("die Bezeichnung fehlt");
        rule.soundText = fields.value(4, QStringLiteral("gong"));
        if (rule.soundText.isEmpty())
            rule.soundText = QStringLiteral("gong");
        rule.sound = soundOf(rule.soundText);
        const QString repeat = fields.value(5, QStringLiteral("ja")).toLower();
        if (repeat != u"ja" && repeat != u"nein" && !repeat.isEmpty())
            return QStringLiteral("„Wiederholen“ ist „ja“ oder „nein“, nicht „%1“").arg(fields[5]);
        rule.repeat = repeat != u"nein";
        return std::nullopt;
    }

private:
    std::optional<QString> readIdentifier(const QString& field, AlarmRule& rule) const
    {
        QString text = field.toUpper();
        if (text == u"*") {
            rule.identifier = {IdentifierPattern::Kind::Any, {}};
            return std::nullopt;
        }
        const bool prefix = text.endsWith(u'*');
        if (prefix)
            text.chop(1);
        if (rule.kind == TelegramKind::Pocsag) {
            // Leading zeros do not matter, also in a prefix.
            while (text.size() > 1 && text.startsWith(u'0'))
                text.remove(0, 1);
        }
        const qsizetype longest = rule.kind == TelegramKind::Fms        ? 8
                                  : rule.kind == TelegramKind::FiveTone ? 5
                                                                        : 7;
        const bool valid = !text.isEmpty() && text.size() <= longest &&
                           allOf(text, rule.kind == TelegramKind::Fms ? isHexDigit : isDigit) &&
                           (prefix || rule.kind == TelegramKind::Pocsag || text.size() == longest);
        if (!valid)
            return QStringLiteral("Kennung „%1“ passt nicht zur Art").arg(field);
        rule.identifier = {
            prefix ? IdentifierPattern::Kind::Prefix : IdentifierPattern::Kind::Exact, text};
        return std::nullopt;
    }

    static std::optional<QString> readExtra(const QString& field, AlarmRule& rule)
    {
        switch (rule.kind) {
        case TelegramKind::FiveTone:
            if (!field.isEmpty())
                return QStringLiteral("ein Fünftonruf hat keinen Zusatz");
            return std::nullopt;
        case TelegramKind::Pocsag: {
            const QString sub = field.toUpper();
            if (sub.isEmpty() || sub == u"*")
                rule.extra.clear();
            else if (sub.size() == 1 && sub[0] >= u'A' && sub[0] <= u'D')
                rule.extra = sub;
            else if (sub.size() == 1 && sub[0] >= u'1' && sub[0] <= u'4')
                rule.extra = QChar(u'A' + (sub[0].unicode() - u'1'));
            else
                return QStringLiteral("Unteradresse „%1“ ist nicht A bis D (oder 1 bis 4)")
                    .arg(field);
            return std::nullopt;
        }
        case TelegramKind::Fms:
            if (field.size() != 1 || !isDigit(field[0]))
                return QStringLiteral("ein FMS-Status 0 bis 9 muss als Zusatz stehen");
            rule.extra = field;
            return std::nullopt;
        }
        return std::nullopt;
    }

    AlarmSound soundOf(const QString& text) const
    {
        const QString word = text.toLower();
        if (word == SilentWord)
            return AlarmSound::silent();
        for (const SoundName& name : SoundNames) {
            if (word == QStringView(name.word))
                return AlarmSound::of(name.sound);
        }
        return AlarmSound::fromFile(QDir::cleanPath(QDir(m_listFolder).absoluteFilePath(text)));
    }

    QString m_listFolder;
};

std::optional<QString> readTestWindow(const QStringList& fields, TestWindow& window)
{
    if (fields.size() != 4)
        return QStringLiteral("ein Probealarm braucht Tag, Von und Bis");
    const auto day =
        std::find_if(DayNames.begin(), DayNames.end(), [&fields](const char16_t* name) {
            return fields[1].compare(QStringView(name), Qt::CaseInsensitive) == 0;
        });
    if (day == DayNames.end())
        return QStringLiteral("Tag „%1“ ist keiner von Mo Di Mi Do Fr Sa So").arg(fields[1]);
    window.dayOfWeek = int(day - DayNames.begin()) + 1;
    window.from = QTime::fromString(fields[2], u"H:mm");
    window.to = QTime::fromString(fields[3], u"H:mm");
    if (!window.from.isValid() || !window.to.isValid())
        return QStringLiteral("Uhrzeiten als hh:mm, nicht „%1“ bis „%2“").arg(fields[2], fields[3]);
    return std::nullopt;
}

QString withoutLineEnd(QStringView line)
{
    return (line.endsWith(u'\r') ? line.chopped(1) : line).toString();
}

} // namespace

QList<QStringList> ruleFieldsOf(QByteArrayView bytes)
{
    QList<QStringList> lines;
    const QString text = decode(bytes.first(std::min(bytes.size(), MaxRulesFileBytes)));
    for (const QStringView rawLine : QStringTokenizer(text, u'\n')) {
        const QString line = withoutLineEnd(rawLine).left(MaxRuleLineLength);
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(u'#'))
            continue;
        QStringList fields = line.split(u';');
        for (QString& field : fields)
            field = field.trimmed();
        lines << fields;
    }
    return lines;
}

AlarmRules readAlarmRules(QByteArrayView bytes, const QString& listFolder)
{
    AlarmRules read;
    const bool cut = bytes.size() > MaxRulesFileBytes;
    const QString text = decode(bytes.first(std::min(bytes.size(), MaxRulesFileBytes)));
    const RuleReader rules(listFolder);
    bool beforeFirstRule = true;
    int number = 0;
    for (const QStringView rawLine : QStringTokenizer(text, u'\n')) {
        ++number;
        const QString line = withoutLineEnd(rawLine);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#')) {
            if (beforeFirstRule)
                read.header << line;
            continue;
        }
        beforeFirstRule = false;
        const auto skip = [&read, number](const QString& reason) {
            read.problems << RuleProblem{number, reason};
        };
        if (line.size() > MaxRuleLineLength) {
            skip(QStringLiteral("die Zeile ist zu lang"));
            continue;
        }
        QStringList fields = line.split(u';');
        for (QString& field : fields)
            field = field.trimmed();
        if (fields[0].compare(u"Probealarm", Qt::CaseInsensitive) == 0) {
            TestWindow window;
            if (const auto problem = readTestWindow(fields, window))
                skip(*problem);
            else
                read.testWindows << window;
            continue;
        }
        if (read.rules.size() >= MaxRules) {
            skip(QStringLiteral("mehr als %1 Regeln").arg(MaxRules));
            continue;
        }
        AlarmRule rule;
        rule.line = number;
        if (const auto problem = rules.read(fields, rule))
            skip(*problem);
        else
            read.rules << rule;
    }
    // Blank lines that separate the header from the rules are no comment.
    while (!read.header.isEmpty() && read.header.last().trimmed().isEmpty())
        read.header.removeLast();
    if (cut)
        read.problems << RuleProblem{number, QStringLiteral("die Datei ist größer als %1 MiB; "
                                                            "der Rest wurde nicht gelesen")
                                                 .arg(MaxRulesFileBytes / (1024 * 1024))};
    return read;
}

QString ruleLine(const AlarmRule& rule)
{
    QString identifier;
    switch (rule.identifier.kind) {
    case IdentifierPattern::Kind::Any:
        identifier = QStringLiteral("*");
        break;
    case IdentifierPattern::Kind::Exact:
        identifier = rule.identifier.text;
        break;
    case IdentifierPattern::Kind::Prefix:
        identifier = rule.identifier.text + u'*';
        break;
    }
    const QString kind = rule.kind == TelegramKind::FiveTone ? QStringLiteral("ZVEI")
                         : rule.kind == TelegramKind::Pocsag ? QStringLiteral("POCSAG")
                                                             : QStringLiteral("FMS");
    return QStringList{kind,           identifier,
                       rule.extra,     rule.label,
                       rule.soundText, rule.repeat ? QStringLiteral("ja") : QStringLiteral("nein")}
        .join(u';');
}

QString testWindowLine(const TestWindow& window)
{
    return QStringLiteral("Probealarm;%1;%2;%3")
        .arg(QString::fromUtf16(DayNames.at(std::clamp(window.dayOfWeek, 1, 7) - 1)),
             window.from.toString(u"HH:mm"), window.to.toString(u"HH:mm"));
}

QString writeAlarmRules(const AlarmRules& rules)
{
    QStringList lines = rules.header;
    for (const AlarmRule& rule : rules.rules)
        lines << ruleLine(rule);
    for (const TestWindow& window : rules.testWindows)
        lines << testWindowLine(window);
    return lines.join(u'\n') + u'\n';
}
