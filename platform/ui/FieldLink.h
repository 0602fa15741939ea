#pragma once

#include "store/FieldDef.h"
#include "store/Fields.h"
#include "store/TableListener.h"

#include <QString>
#include <QVariant>

#include <functional>

namespace tavlo {

class Table;

// What ties one editor to one field of a table's current row: it reads the
// field, writes it into the row being edited or inserted, and, while it
// follows the table, calls back whenever the current row may show another
// value there (the row moved, changed, or the table was reloaded). Its own
// writes call back too, so an editor shows what the field took (a letter the
// code page lacks as '?').
class FieldLink final : private TableListener {
public:
    // A field the table lacks raises an Error. `changed` must not throw.
    FieldLink(Table& table, IntField field, std::function<void()> changed);
    FieldLink(Table& table, TextField field, std::function<void()> changed);
    ~FieldLink() override;
    FieldLink(const FieldLink&) = delete;
    FieldLink& operator=(const FieldLink&) = delete;

    Table& table() const { return table_; }
    const FieldDef& def() const;

    // The field of the current row: an int or a QString, invalid when the
    // field is empty or there is no current row.
    QVariant value() const;
    // Writes into the row being edited or inserted; a browsing table first
    // starts editing its current row (on a table without rows, inserting
    // one), as typing into a bound editor does. An invalid value empties the
    // field. A value the field does not take raises an Error and leaves the
    // field as it was.
    void write(const QVariant& value);

    // Listens to the table while on; an editor follows only while shown.
    void follow(bool on);
    bool following() const { return following_; }

private:
    FieldLink(Table& table, const QString& field, std::function<void()> changed);

    void tableReset() override { changed_(); }
    void currentChanged(int /*row*/) override { changed_(); }
    void rowsChanged(int first, int last) override;

    Table& table_;
    int field_;
    std::function<void()> changed_;
    bool following_ = false;
};

}  // namespace tavlo
