// TUIHelper, import: a value taken from another data file goes into a data
// item's control or group through the item's own binder, so that it shows
// exactly as loading a file holding that value would show it.
#include "TUIHelper.h"

#include "ControlAdapter.h"

QString TUIHelper::BoundValue(const QString &field) const
{
    return FImportValue ? *FImportValue : FDoc->FieldValue(field);
}

void TUIHelper::ApplyItemValue(const ConfigNode &item, const QString &value)
{
    if (!FDoc)
        return;
    // A check group's binder only ticks; the group is to show the imported
    // keys and no others.
    if (item.attribute(QStringLiteral("type")) == QStringLiteral("CheckGroup")) {
        for (const ConfigNode &child : item.childElements())
            if (QObject *box = FindControl(child.attributeText(QStringLiteral("name"))))
                Controls::setChecked(box, false);
    }
    struct Restore {
        const QString *&slot;
        ~Restore() { slot = nullptr; }
    } restore{FImportValue};
    FImportValue = &value;
    BindItem(item);
}
