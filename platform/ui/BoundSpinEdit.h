#pragma once

#include "platform/ui/FieldLink.h"
#include "store/Fields.h"

#include <QAbstractSpinBox>

#include <optional>

namespace tavlo {

class Table;

// An integer spin editor bound to a number field of a table's current row.
// It may be empty, as the field may: empty text empties the field. Its range
// is the field's (signed 32 or 16 bits), with no other minimum or maximum.
// It shows the field when it is shown and follows the current row while
// shown; a typed number or a step goes into the row at once (a browsing
// table starts editing it). A number typed another way ("007", "-0") stays
// as typed while the operator is in the editor; text that is no number yet
// ("-") writes nothing. Leaving the editor shows the field's value plainly.
class BoundSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    BoundSpinEdit(Table& table, IntField field, QWidget* parent = nullptr);
    ~BoundSpinEdit() override;

    // The number shown; nothing when the editor is empty or not a number.
    std::optional<qint32> value() const;
    qint32 minimum() const { return minimum_; }
    qint32 maximum() const { return maximum_; }

    // Follows the field of the current row: shows its value unless the text
    // already means it.
    void refresh();

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

protected:
    StepEnabled stepEnabled() const override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    std::optional<qint32> held() const;
    void showField();
    void textTyped(const QString& text);
    void store(std::optional<qint32> value);

    FieldLink link_;
    qint32 minimum_;
    qint32 maximum_;
};

}  // namespace tavlo
