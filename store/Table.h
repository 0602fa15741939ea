#pragma once

#include "platform/Error.h"
#include "store/FieldDef.h"
#include "store/Fields.h"

#include <QString>
#include <QVariant>
#include <QtGlobal>

#include <optional>
#include <variant>
#include <vector>

namespace tavlo {

class TableListener;

// An in-memory table: ordered rows of typed fields with one current row.
// Besides its stored fields every row carries the record number RecId,
// counted from 1 since the table was last opened; it cannot be written and
// is not stored in table files. Fields are found by name without regard to
// letter case. A table is closed when created.
//
// Any operation that moves the current row, and append, first commit a row
// that is being edited or inserted, so a pending row is never left behind by
// a walk over the table.
class Table {
public:
    enum class State { Inactive, Browse, Edit, Insert };

    // Names one row by its RecId, so it survives rows added or removed
    // before it. The default bookmark names no row.
    struct Bookmark {
        qint32 recId = 0;
    };

    // Keeps bound views from following the table for the scope's lifetime;
    // when the last scope ends they are refreshed.
    class DisabledControls {
    public:
        explicit DisabledControls(Table& table);
        ~DisabledControls();
        DisabledControls(const DisabledControls&) = delete;
        DisabledControls& operator=(const DisabledControls&) = delete;

    private:
        Table& table_;
    };

    Table(QString name, std::vector<FieldDef> fields);
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const QString& name() const { return name_; }
    // The stored fields in their order; RecId is not among them.
    const std::vector<FieldDef>& fields() const { return fields_; }
    // The stored field of that name, in any letter case.
    std::optional<int> findField(const QString& name) const;
    static bool isRecIdName(const QString& name);

    // Opening an open table, or closing a closed one, does nothing. Closing
    // drops every row and any pending change.
    void open();
    void close();
    bool isOpen() const { return state_ != State::Inactive; }
    State state() const { return state_; }

    int rowCount() const { return static_cast<int>(rows_.size()); }
    // -1 when the table has no rows or is closed.
    int currentRow() const { return current_; }
    // Past the last row, or no rows at all.
    bool eof() const { return eof_; }

    void first();
    // On the last row it stays there and sets eof.
    void next();
    void moveTo(int row);

    // Adds an empty row at the end with the fields' defaults, makes it
    // current and starts inserting.
    void append();
    // Starts editing the current row; on a table without rows it starts
    // inserting a new row instead.
    void edit();
    void post();
    // An inserted row disappears and the row current before it comes back;
    // an edited row gets its old values back.
    void cancel();
    // Removes the current row (a row being inserted is cancelled); the next
    // row becomes current, or the previous when it was the last. False when
    // there was no row to remove.
    bool remove();

    // Fields of the current row. An empty field reads 0 or empty text, and
    // so does every field when there is no current row.
    qint32 asInteger(const QString& field) const;
    QString asString(const QString& field) const;
    bool isNull(const QString& field) const;
    // Writing needs the edit or insert state. Text is kept as the code page
    // holds it and cut to the field's width; a number outside the field's
    // range, or text that is no integer for a number field, raises an Error
    // and leaves the field as it was. Empty text makes a number field empty.
    void setInteger(const QString& field, qint32 value);
    void setString(const QString& field, const QString& value);
    void setNull(const QString& field);

    // The same through the typed field constants.
    qint32 get(IntField field) const { return asInteger(field.text()); }
    QString get(TextField field) const { return asString(field.text()); }
    void set(IntField field, qint32 value) { setInteger(field.text(), value); }
    void set(TextField field, const QString& value) { setString(field.text(), value); }
    bool locate(IntField field, qint32 value) { return locate(field.text(), value); }

    // Visits every row from the first, editing each and posting it after
    // `change`, with bound views held back meanwhile and refreshed once at
    // the end; the row current before stays current.
    template <typename Change>
    void editEveryRow(Change change);

    // Makes the first row whose field equals the value exactly current;
    // false, with the current row kept, when there is none.
    bool locate(const QString& field, qint32 value);
    bool locate(const QString& field, const QString& value);

    Bookmark bookmark() const;
    // False, with the current row kept, when the row no longer exists.
    bool gotoBookmark(Bookmark bookmark);

    // Nests; views follow again, refreshed, when every disable is undone.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disabledCount_ > 0; }
    // Commits a pending row and makes bound views show the present contents.
    void refresh();

    // Any row's stored field, as int or QString; an invalid QVariant when
    // the field is empty or the row does not exist.
    QVariant value(int row, int field) const;
    qint32 recIdAt(int row) const;

    // The table file: TAB-separated code page 1254 text with a header line.
    // Saving a closed table does nothing; loading replaces every row.
    void SaveTableFile(const QString& path);
    void LoadTableFile(const QString& path);

    // Listeners are not owned and must leave before the table is destroyed.
    void addListener(TableListener* listener);
    void removeListener(TableListener* listener);

private:
    using Value = std::variant<std::monostate, qint32, QString>;

    struct Row {
        qint32 recId = 0;
        std::vector<Value> values;
    };

    // The stored field's index, or kRecId; an unknown name raises an Error.
    static constexpr int kRecId = -1;
    int resolve(const QString& field) const;
    const Row* current() const;
    Value integerValue(const FieldDef& def, qint32 value) const;
    Value textValue(const FieldDef& def, const QString& text) const;
    qint32 parseInteger(const QString& text) const;
    template <typename MakeValue>
    void assign(const QString& field, MakeValue makeValue);
    bool locateWhere(int field, const Value& wanted);
    void requireOpen() const;
    void commitPending();
    void setCurrent(int row);
    template <typename Change>
    void resetting(Change change);
    template <typename Call>
    void notify(Call call);

    QString name_;
    std::vector<FieldDef> fields_;
    std::vector<Row> rows_;
    State state_ = State::Inactive;
    int current_ = -1;
    bool eof_ = true;
    qint32 nextRecId_ = 1;
    std::optional<Row> beforeEdit_;
    int currentBeforeInsert_ = -1;
    int disabledCount_ = 0;
    std::vector<TableListener*> listeners_;
};

template <typename Change>
void Table::editEveryRow(Change change)
{
    const DisabledControls quiet(*this);
    const Bookmark mark = bookmark();
    for (first(); !eof(); next()) {
        edit();
        change(*this);
        post();
    }
    gotoBookmark(mark);
}

}  // namespace tavlo
