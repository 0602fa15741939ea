#include "platform/PrivateProfile.h"

#include "platform/Cp1254.h"
#include "platform/Error.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QStringList>

namespace tavlo {
namespace {

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return textfile::decodeLines(file.readAll());
}

std::optional<QString> sectionName(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

struct KeyLine {
    QString key;
    QString value;
};

std::optional<KeyLine> keyLine(const QString& line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    return KeyLine{line.left(equals).trimmed(), line.mid(equals + 1).trimmed()};
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index range of a section's lines after its header: [first, end).
struct SectionRange {
    qsizetype header = -1;
    qsizetype end = -1;
};

SectionRange findSection(const QStringList& lines, const QString& section)
{
    SectionRange range;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines.at(i));
        if (!name)
            continue;
        if (range.header >= 0) {
            range.end = i;
            return range;
        }
        if (sameName(*name, section))
            range.header = i;
    }
    if (range.header >= 0)
        range.end = lines.size();
    return range;
}

QString unquoted(const QString& value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

}  // namespace

PrivateProfile::PrivateProfile(QString path) : path_(std::move(path)) {}

QString PrivateProfile::readString(const QString& section, const QString& key,
                                   const QString& fallback) const
{
    const QStringList lines = readLines(path_);
    const SectionRange range = findSection(lines, section);
    for (qsizetype i = range.header + 1; range.header >= 0 && i < range.end; ++i) {
        const auto entry = keyLine(lines.at(i));
        if (entry && sameName(entry->key, key))
            return unquoted(entry->value).left(kMaxTextLength);
    }
    return fallback.left(kMaxTextLength);
}

std::optional<qint32> PrivateProfile::parseInteger(const QString& text)
{
    QString digits = text.trimmed();
    bool negative = false;
    if (digits.startsWith(u'-') || digits.startsWith(u'+')) {
        negative = digits.front() == u'-';
        digits.remove(0, 1);
    }
    int base = 10;
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        digits.remove(0, 2);
    }
    if (digits.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : digits) {
        const int digit = c.isDigit() ? c.digitValue()
                        : (base == 16 && c.toLower() >= u'a' && c.toLower() <= u'f')
                            ? c.toLower().unicode() - u'a' + 10
                            : -1;
        if (digit < 0 || digit >= base || c.unicode() > 0x7F)
            return std::nullopt;
        value = value * base + digit;
        // Hexadecimal text may spell the full 32 bits, as FFFFFFFF for -1.
        const qint64 limit = base == 16 && !negative ? 0xFFFFFFFFLL : 0x80000000LL;
        if (value > limit)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (base == 10 && value > 0x7FFFFFFFLL)
        return std::nullopt;
    if (base == 16 && value > 0x7FFFFFFFLL)
        value -= 0x100000000LL;
    return static_cast<qint32>(value);
}

qint32 PrivateProfile::readInteger(const QString& section, const QString& key,
                                   qint32 fallback) const
{
    const QString text = readString(section, key, QString());
    return parseInteger(text).value_or(fallback);
}

bool PrivateProfile::readBool(const QString& section, const QString& key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void PrivateProfile::writeString(const QString& section, const QString& key,
                                 const QString& value) const
{
    QStringList lines = readLines(path_);
    const QString entry = key + u'=' + value;
    const SectionRange range = findSection(lines, section);
    if (range.header < 0) {
        lines.append(u'[' + section + u']');
        lines.append(entry);
    } else {
        qsizetype lastKey = range.header;
        bool replaced = false;
        for (qsizetype i = range.header + 1; i < range.end; ++i) {
            const auto existing = keyLine(lines.at(i));
            if (!existing)
                continue;
            if (sameName(existing->key, key)) {
                lines[i] = entry;
                replaced = true;
                break;
            }
            lastKey = i;
        }
        if (!replaced)
            lines.insert(lastKey + 1, entry);
    }

    QByteArray content;
    for (const QString& line : lines)
        content += cp1254::encode(line) + "\r\n";
    try {
        textfile::writeAtomically(path_, content);
    } catch (const Error&) {
        throw Error(QStringLiteral("Unable to write to %1").arg(path_));
    }
}

void PrivateProfile::writeInteger(const QString& section, const QString& key, qint32 value) const
{
    writeString(section, key, QString::number(value));
}

}  // namespace tavlo
