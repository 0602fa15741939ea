#include "emulator/TsvTable.h"

#include "platform/Error.h"
#include "platform/TextFile.h"

namespace tavlo::emulator {

TsvTable::TsvTable(const QByteArray& text, QString source, const QStringList& required)
    : source_(std::move(source))
{
    const QByteArrayList lines = textfile::splitLines(text);
    int number = 0;
    for (const QByteArray& line : lines) {
        ++number;
        if (line.trimmed().isEmpty())
            continue;
        if (header_.isEmpty()) {
            for (const QByteArray& name : line.split('\t'))
                header_.append(QString::fromUtf8(name.trimmed()).toLower());
            continue;
        }
        rows_.push_back(Row{number, line.split('\t')});
    }
    for (const QString& name : required) {
        if (!column(name))
            throw Error(QStringLiteral("%1: the header line has no column \"%2\".").arg(source_, name));
    }
}

std::optional<int> TsvTable::column(const QString& name) const
{
    const qsizetype i = header_.indexOf(name.toLower());
    if (i < 0)
        return std::nullopt;
    return static_cast<int>(i);
}

QByteArray TsvTable::cell(const Row& row, int column) const
{
    return column < row.cells.size() ? row.cells[column].trimmed() : QByteArray();
}

std::int32_t TsvTable::integer(const Row& row, int column) const
{
    bool ok = false;
    const QByteArray text = cell(row, column);
    const int value = text.toInt(&ok);
    if (!ok)
        fail(row, QStringLiteral("\"%1\" in column \"%2\" is not a 32-bit integer")
                      .arg(QString::fromUtf8(text), header_.value(column)));
    return value;
}

void TsvTable::fail(const Row& row, const QString& what) const
{
    throw Error(QStringLiteral("%1, line %2: %3.").arg(source_).arg(row.lineNumber).arg(what));
}

}  // namespace tavlo::emulator
