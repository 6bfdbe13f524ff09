#pragma once
// SharedFields: which fields of two form types hold the same item, read from
// the compiled-in table SharedFields.txt. Fields correspond by the table's
// lines; a field on no line corresponds to the field of the same name on the
// other form unless it matches one of the table's "only" patterns (the
// numbered institutions, which stand for different parties on each form).
#include "FormTypes.h"

#include <QString>

namespace SharedFields {

// The field of `source` that holds the item of `target`'s field `field`;
// empty when the source form has none. Forms of one type share every field.
QString counterpart(FormKind target, const QString &field, FormKind source);

// Every field the table names for a form type (for checking the table).
QStringList listedFields(FormKind kind);

// Parses a table's text; AppError with the line and the fault. The program's
// table is parsed once, at the first lookup.
void check(const QString &text);

} // namespace SharedFields
