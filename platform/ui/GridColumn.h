#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace tavlo {

// One column of a data grid: which field it shows, under which caption, and
// how. Grids on the same table each have their own columns.
struct GridColumn {
    enum class Kind {
        Plain,
        CheckBox,     // ticked when the field holds 1; a tick writes 1, an untick 0
        ProgressBar,  // an integer percentage drawn as a bar with its value as text
        ValueList,    // a value shown as the text the list gives it
    };

    struct Value {
        qint32 value = 0;
        QString text;
    };

    QString objectName;  // e.g. "v_CihazTableCihazNo"
    QString caption;     // header text; empty shows the field name
    QString field;       // a stored field, or RecId
    Kind kind = Kind::Plain;
    QList<Value> values;  // ValueList only
    bool visible = true;
    bool editable = false;
};

}  // namespace tavlo
