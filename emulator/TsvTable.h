#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace tavlo::emulator {

// A TAB-separated text with a header line of column names, read for the
// import files. Column names are found without regard to case; empty lines
// are skipped. Errors name the source and the line number.
class TsvTable {
public:
    TsvTable(const QByteArray& text, QString source, const QStringList& required);

    struct Row {
        int lineNumber = 0;
        QByteArrayList cells;
    };
    const std::vector<Row>& rows() const { return rows_; }

    // The column's index, or nothing when the header does not name it.
    std::optional<int> column(const QString& name) const;
    QByteArray cell(const Row& row, int column) const;
    std::int32_t integer(const Row& row, int column) const;
    [[noreturn]] void fail(const Row& row, const QString& what) const;

private:
    QString source_;
    QStringList header_;
    std::vector<Row> rows_;
};

}  // namespace tavlo::emulator
