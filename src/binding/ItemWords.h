#pragma once
// The words of a configuration document's item lists (ui-data, ui-relation):
// the attributes of an item and the item types that bind or read controls.
#include <QString>

namespace ItemWords {
inline const QString kName = QStringLiteral("name");
inline const QString kType = QStringLiteral("type");
inline const QString kField = QStringLiteral("Field");
inline const QString kKey = QStringLiteral("key");
inline const QString kRadioGroup = QStringLiteral("RadioGroup");
inline const QString kCheckGroup = QStringLiteral("CheckGroup");
inline const QString kComboBox = QStringLiteral("ComboBox");
} // namespace ItemWords
