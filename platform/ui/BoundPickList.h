#pragma once

#include "platform/ui/FieldLink.h"
#include "platform/ui/GridColumn.h"
#include "store/Fields.h"

#include <QComboBox>

#include <optional>

namespace tavlo {

class Table;

// A pick list bound to a number field of a table's current row: it shows
// the description of the field's value and offers the list's descriptions;
// an empty field, or a value the list lacks, shows no choice. It shows the
// field when it is shown and follows the current row while shown; a choice
// goes into the row at once (a browsing table starts editing it).
class BoundPickList : public QComboBox {
    Q_OBJECT
public:
    BoundPickList(Table& table, IntField field, const QList<GridColumn::Value>& values,
                  QWidget* parent = nullptr);
    ~BoundPickList() override;

    // The value of the entry chosen; nothing when none is.
    std::optional<qint32> value() const;
    // Chooses the entry of that value and writes it into the row, as a
    // choice of the operator does. A value the list lacks raises an Error.
    void setValue(qint32 value);

    // Shows the field of the current row again.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void chosen(int index);

    FieldLink link_;
};

}  // namespace tavlo
