#pragma once

#include <QByteArray>
#include <QString>

namespace tavlo {
class Table;
}

namespace tavlo::tablefile {

// The content of a table's file: a header line of the stored field names,
// then one line per row with each field's text, all separated by TAB, every
// line ending in CR LF, in code page 1254 (a file that a text editor saved
// as UTF-8 with a byte-order mark loads as UTF-8). The format has no escape,
// so a TAB or line break inside a text value is written as a blank; written
// unchanged it would shift or split the row and the file would no longer
// load.
QByteArray format(const Table& table);

// Replaces the table's rows with those of a table file's content, read from
// path (named in errors). Content without lines leaves the table as it was.
// Columns are matched to fields by name without regard to case; RecId and
// unknown names are skipped, and empty values leave fields empty. A value
// that does not fit its field, or a line with more values than the header
// has names, raises an Error that quotes at most the beginning of the value;
// the rows read before it stay.
void load(Table& table, const QByteArray& content, const QString& path);

}  // namespace tavlo::tablefile
