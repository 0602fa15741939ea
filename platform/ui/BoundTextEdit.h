#pragma once

#include "platform/ui/FieldLink.h"
#include "store/Fields.h"

#include <QLineEdit>

namespace tavlo {

class Table;

// A text editor bound to a text field of a table's current row. It shows the
// field when it is shown and follows the current row while shown; what the
// operator types goes into the row at once (a browsing table starts editing
// it), so the row being edited or inserted always holds what the editor
// shows. It takes no more characters than the field holds, and shows a
// letter the code page lacks as the '?' the field keeps.
class BoundTextEdit : public QLineEdit {
    Q_OBJECT
public:
    BoundTextEdit(Table& table, TextField field, QWidget* parent = nullptr);
    ~BoundTextEdit() override;

    // Shows the field of the current row again.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void store(const QString& text);

    FieldLink link_;
};

}  // namespace tavlo
