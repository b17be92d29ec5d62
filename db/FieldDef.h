#pragma once

#include <QString>

namespace db {

enum class FieldType { Integer, Decimal, Float, Text, Boolean, DateTime };

enum class FieldKind { Data, Calculated, Lookup };

// Description of one column of a dataset. Data fields come from the result set,
// calculated and lookup fields are added by the owner of the dataset.
struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    FieldKind kind = FieldKind::Data;
    int size = 0; // text length or numeric precision, 0 when unknown
    int scale = 0;
};

} // namespace db
