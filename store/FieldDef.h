#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace tavlo {

enum class FieldType {
    Integer,       // signed 32-bit
    SmallInteger,  // signed 16-bit
    Text,          // code page 1254 text of at most `width` characters
};

// One stored field of a table.
struct FieldDef {
    QString name;
    FieldType type = FieldType::Integer;
    int width = 0;                       // text fields only
    std::optional<qint32> defaultValue;  // given to every new row
};

}  // namespace tavlo
