// TUIHelper, data items ("ui-data"): the binders that write a field's value
// into its control or group, and the collectors that read it back.
#include "TUIHelper.h"

#include "BindingMessages.h"
#include "ControlAdapter.h"
#include "DatePicker.h"
#include "Dialogs.h"
#include "Helpers.h"
#include "ValueRules.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

namespace {

const QString kName = QStringLiteral("name");
const QString kType = QStringLiteral("type");
const QString kField = QStringLiteral("Field");
const QString kKey = QStringLiteral("key");
const QString kRadioGroup = QStringLiteral("RadioGroup");
const QString kCheckGroup = QStringLiteral("CheckGroup");
const QString kComboBox = QStringLiteral("ComboBox");

} // namespace

// ---------------------------------------------------------------------------
// Binders

void TUIHelper::BindItem(const ConfigNode &item)
{
    const std::optional<QString> type = item.attribute(kType);
    if (type == kRadioGroup)
        BindRadioGroup(item);
    else if (type == kCheckGroup)
        BindCheckGroup(item);
    else if (type == kComboBox)
        BindComboBox(item);
    else
        BindPlain(item);
}

void TUIHelper::BindPlain(const ConfigNode &item)
{
    const std::optional<QString> field = item.attribute(kField);
    if (!field)
        return;
    const QString value = BoundValue(*field);
    if (!item.hasAttribute(kName))
        return;
    QObject *control = FindControl(item.attributeText(kName));
    if (!control)
        return;
    switch (Controls::kindOf(control)) {
    case ControlKind::Edit:
        Controls::setText(control, value);
        break;
    case ControlKind::DatePicker: {
        auto *picker = static_cast<DatePicker *>(control);
        picker->setShowCheckBox(true);
        if (!ValueRules::IsNonBlank(value)) {
            picker->setHasDate(false);
        } else if (const std::optional<QDate> date = ValueRules::ToDate(value)) {
            picker->setDate(*date);
        } else {
            ShowWarning(BindingMessages::BadDate(value, *field));
            picker->setHasDate(false);
        }
        break;
    }
    case ControlKind::Memo: {
        QString text;
        if (!ValueRules::DecodeMemo(value, text)) {
            // Kept as stored until the user changes what is shown.
            FKeptMemos.insert(control, {value, text});
            FDamagedMemos.append(item.attributeText(kName));
        }
        Controls::setText(control, text);
        break;
    }
    case ControlKind::CheckBox:
        if (!ValueRules::IsNonBlank(value)) {
            Controls::setChecked(control, false);
        } else if (const std::optional<bool> checked = ValueRules::ToBoolean(value)) {
            Controls::setChecked(control, *checked);
        } else {
            ShowWarning(BindingMessages::BadBoolean(*field, value));
            Controls::setChecked(control, false);
        }
        break;
    default:
        // Drop-down lists are filled by their "ComboBox" items; radio buttons
        // by their groups.
        break;
    }
}

// A group or drop-down item without "Field" has the empty value, not that of
// a field named "".
QString TUIHelper::ItemValue(const ConfigNode &item) const
{
    const std::optional<QString> field = item.attribute(kField);
    return field ? BoundValue(*field) : QString();
}

void TUIHelper::BindRadioGroup(const ConfigNode &item)
{
    const QString value = ItemValue(item);
    for (const ConfigNode &child : item.childElements()) {
        const std::optional<QString> key = child.attribute(kKey);
        if (!key || *key != value || !child.hasAttribute(kName))
            continue;
        const QString name = child.attributeText(kName);
        if (QObject *button = FindControl(name))
            Controls::setChecked(button, true);
        else
            ShowWarning(BindingMessages::RadioItemMissing(name));
    }
}

void TUIHelper::BindCheckGroup(const ConfigNode &item)
{
    const ValueRules::KeyList keys(ItemValue(item));
    for (const ConfigNode &child : item.childElements()) {
        const std::optional<QString> key = child.attribute(kKey);
        if (!key) {
            ShowWarning(BindingMessages::ItemWithoutKey(child.attributeText(kName)));
            continue;
        }
        if (!keys.contains(*key))
            continue;
        if (QObject *box = FindControl(child.attributeText(kName)))
            Controls::setChecked(box, true);
    }
}

void TUIHelper::BindComboBox(const ConfigNode &item)
{
    const QString value = ItemValue(item);
    if (!item.hasAttribute(kName))
        return;
    const QString name = item.attributeText(kName);
    QObject *control = FindControl(name);
    if (!control)
        return;
    if (Controls::kindOf(control) != ControlKind::ComboBox) {
        ShowWarning(BindingMessages::NotADropDown(name));
        return;
    }
    Controls::clearItems(control);
    for (const ConfigNode &choice : item.childElements()) {
        if (const std::optional<QString> key = choice.attribute(kKey))
            Controls::addItem(control, *key);
    }
    Controls::setSelectedIndex(control, Controls::findItem(control, value));
}

// ---------------------------------------------------------------------------
// Collectors

void TUIHelper::CollectItem(const ConfigNode &item)
{
    const std::optional<QString> type = item.attribute(kType);
    if (!type)
        return;
    QString value;
    if (*type == kRadioGroup) {
        value = CollectRadioGroup(item);
    } else if (*type == kCheckGroup) {
        value = CollectCheckGroup(item);
    } else {
        if (!item.hasAttribute(kName))
            return;
        value = CollectPlain(item);
    }
    const QString field = item.attributeText(kField);
    if (field.isEmpty())
        return;
    if (!FDoc->SetFieldValue(field, value))
        ShowWarning(BindingMessages::FieldNotFound(field));
}

QString TUIHelper::CollectRadioGroup(const ConfigNode &item) const
{
    QString value;
    for (const ConfigNode &child : item.childElements()) {
        if (!child.hasAttribute(kName))
            continue;
        QObject *button = RequireControl(child.attributeText(kName));
        // The last checked item wins; an item without "key" stores the empty value.
        if (Controls::isChecked(button))
            value = child.attributeText(kKey);
    }
    return value;
}

QString TUIHelper::CollectCheckGroup(const ConfigNode &item) const
{
    QString value;
    for (const ConfigNode &child : item.childElements()) {
        if (!child.hasAttribute(kName))
            continue;
        QObject *box = RequireControl(child.attributeText(kName));
        const std::optional<QString> key = child.attribute(kKey);
        if (key && Controls::isChecked(box))
            value += *key + kMultiChoiceSeparator;
    }
    if (value.endsWith(kMultiChoiceSeparator))
        value.chop(kMultiChoiceSeparator.size());
    return value;
}

QString TUIHelper::CollectPlain(const ConfigNode &item) const
{
    const QObject *control = FindControl(item.attributeText(kName));
    switch (Controls::kindOf(control)) {
    case ControlKind::Edit:
    case ControlKind::ComboBox:
        return Controls::text(control);
    case ControlKind::DatePicker: {
        auto *picker = static_cast<const DatePicker *>(control);
        return picker->hasDate() ? ValueRules::FromDate(picker->date()) : QString();
    }
    case ControlKind::CheckBox:
        return ValueRules::FromBoolean(Controls::isChecked(control));
    case ControlKind::Memo: {
        const QString text = Controls::text(control);
        const auto kept = FKeptMemos.constFind(control);
        if (kept != FKeptMemos.cend() && kept->shown == text)
            return kept->stored;
        return ValueRules::MemoToValue(text);
    }
    default:
        // A missing control, a radio button or another kind stores the empty value.
        return {};
    }
}

// ---------------------------------------------------------------------------
// Controls without a binding

void TUIHelper::DisableUnboundControls()
{
    const ConfigNode data = Section(ConfigSection::UiData);
    const ConfigNode fields = Section(ConfigSection::DataFields);
    if (!data || !fields)
        return;
    // The names whose values a save writes: items with a type and a Field
    // that names an entry; for groups, their items' controls.
    QSet<QString> bound;
    for (const ConfigNode &item : data.childElements()) {
        const std::optional<QString> type = item.attribute(kType);
        const QString field = item.attributeText(kField);
        if (!type || field.isEmpty() || !FDoc->findNamed(fields, field))
            continue;
        if (*type == kRadioGroup || *type == kCheckGroup) {
            for (const ConfigNode &child : item.childElements())
                if (const std::optional<QString> name = child.attribute(kName))
                    bound.insert(name->toCaseFolded());
        } else if (const std::optional<QString> name = item.attribute(kName)) {
            // A plain item saves no radio button's state.
            if (Controls::kindOf(FindControl(*name)) != ControlKind::RadioButton)
                bound.insert(name->toCaseFolded());
        }
    }
    FindControl(QString()); // builds the index of the form's controls
    for (auto it = FControls.cbegin(); it != FControls.cend(); ++it) {
        auto *widget = qobject_cast<QWidget *>(it.value().data());
        if (!widget || bound.contains(it.key()))
            continue;
        const ControlKind kind = Controls::kindOf(widget);
        if (kind == ControlKind::Other)
            continue;
        // Read-only boxes (fixed texts, the check code) take no typing.
        if (auto *edit = qobject_cast<QLineEdit *>(widget); edit && edit->isReadOnly())
            continue;
        if (auto *memo = qobject_cast<QPlainTextEdit *>(widget); memo && memo->isReadOnly())
            continue;
        DisableControl(widget);
        widget->setToolTip(QStringLiteral("本项在数据文件中没有对应的字段，无法填写。"));
        FLocked.insert(widget);
    }
}
