#include "TfrObject.h"

TfrObject::~TfrObject() = default;

bool TfrObject::variantFlag(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (ok)
        return number != 0;
    const QString text = value.toString().trimmed();
    return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

qint32 TfrObject::variantInt(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || number != number)
        return 0;
    if (number >= 2147483647.0)
        return 2147483647;
    if (number <= -2147483648.0)
        return qint32(-2147483647 - 1);
    return qint32(number);
}
