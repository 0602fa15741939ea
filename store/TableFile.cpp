#include "store/TableFile.h"

#include "platform/Cp1254.h"
#include "platform/Error.h"
#include "platform/TextFile.h"
#include "store/Table.h"

#include <optional>
#include <vector>

namespace tavlo::tablefile {
namespace {

const QString kSeparator = QStringLiteral("\t");
const QString kLineEnd = QStringLiteral("\r\n");

QString fieldText(const QVariant& value)
{
    if (!value.isValid())
        return {};
    if (value.typeId() != QMetaType::QString)
        return QString::number(value.toInt());
    QString text = value.toString();
    for (QChar& c : text) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return text;
}

}  // namespace

QByteArray format(const Table& table)
{
    const auto& fields = table.fields();
    QStringList names;
    for (const FieldDef& field : fields)
        names.append(field.name);
    QString text = names.join(kSeparator) + kLineEnd;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList values;
        for (std::size_t field = 0; field < fields.size(); ++field)
            values.append(fieldText(table.value(row, static_cast<int>(field))));
        text += values.join(kSeparator) + kLineEnd;
    }
    return cp1254::encode(text);
}

void load(Table& table, const QByteArray& content, const QString& path)
{
    const QStringList lines = textfile::decodeLines(content);
    if (lines.isEmpty())
        return;

    const Table::DisabledControls frozen(table);
    table.close();
    table.open();

    const QStringList names = lines.first().split(kSeparator);
    std::vector<std::optional<int>> columns;
    for (const QString& name : names)
        columns.push_back(table.findField(name));

    try {
        for (qsizetype line = 1; line < lines.size(); ++line) {
            const QStringList values = lines.at(line).split(kSeparator);
            if (values.size() > names.size())
                throw Error(QStringLiteral("Cannot read file \"%1\": line %2 holds %3 values, but the header names only %4.")
                                .arg(path).arg(line + 1).arg(values.size()).arg(names.size()));
            table.append();
            for (qsizetype column = 0; column < values.size(); ++column) {
                if (columns[column] && !values.at(column).isEmpty())
                    table.setString(table.fields()[*columns[column]].name, values.at(column));
            }
            table.post();
        }
    } catch (...) {
        // The row that failed is dropped; those before it stay.
        table.cancel();
        table.first();
        throw;
    }
    table.first();
}

}  // namespace tavlo::tablefile
