// TUIHelper, data items ("ui-data"): the binders that write a field's value
// into its control or group, and the collectors that read it back.
#include "TUIHelper.h"

#include "BindingMessages.h"
#include "CodePage.h"
#include "ControlAdapter.h"
#include "DatePicker.h"
#include "Dialogs.h"
#include "Helpers.h"
#include "ItemWords.h"
#include "RelationWalk.h"
#include "ValueRules.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

using namespace ItemWords;

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
            break;
        }
        const std::optional<QDate> date = ValueRules::ToDate(value);
        if (date && DatePicker::canHold(*date)) {
            picker->setDate(*date);
        } else {
            // Not replaced by some other date: the picker holds none and the
            // stored text is saved unchanged until the user sets the picker.
            picker->setHasDate(false);
            picker->keepText(value);
            const QString caption = Caption(item.attributeText(kName));
            const QString named = caption.isEmpty() ? *field : caption;
            if (date)
                Warn(Message::DateOutOfRange, named, BindingMessages::DateOutOfRange(value, *field, caption));
            else
                Warn(Message::BadDate, named, BindingMessages::BadDate(value, *field, caption));
        }
        break;
    }
    case ControlKind::Memo: {
        QString text;
        QByteArray bytes;
        const bool valid = ValueRules::DecodeMemo(value, text, &bytes);
        Controls::setText(control, text);
        // A value that the memo cannot show as stored - not valid Base64, or
        // a text the memo rewrites (a lone LF or CR becomes CR LF, a paragraph
        // separator a line break, bytes the code page cannot map) - is kept
        // as stored until the user changes what is shown.
        const QString shown = Controls::text(control);
        if (!valid) {
            FKeptMemos.insert(control, {value, shown});
            FDamagedMemos.append(item.attributeText(kName));
        } else if (CodePage::fromUnicode(shown) != bytes) {
            FKeptMemos.insert(control, {value, shown});
        }
        break;
    }
    case ControlKind::CheckBox:
        if (!ValueRules::IsNonBlank(value)) {
            Controls::setChecked(control, false);
        } else if (const std::optional<bool> checked = ValueRules::ToBoolean(value)) {
            Controls::setChecked(control, *checked);
        } else {
            Warn(Message::BadBoolean, *field, BindingMessages::BadBoolean(*field, value));
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
    // Items are keyed uniquely in a sound group, and one of them matches. A
    // group whose items repeat a key checks each matching button once, in
    // the order of its last match, so that the last match stays checked as
    // it would after checking them all in turn - without running the click
    // handler again for every repetition.
    QList<QObject *> buttons;
    for (const ConfigNode &child : item.childElements()) {
        const std::optional<QString> key = child.attribute(kKey);
        if (!key || *key != value || !child.hasAttribute(kName))
            continue;
        const QString name = child.attributeText(kName);
        if (QObject *button = FindControl(name)) {
            buttons.removeOne(button);
            buttons.append(button);
        } else {
            Warn(Message::RadioItemMissing, name, BindingMessages::RadioItemMissing(name));
        }
    }
    for (QObject *button : std::as_const(buttons))
        Controls::setChecked(button, true);
}

void TUIHelper::BindCheckGroup(const ConfigNode &item)
{
    const ValueRules::KeyList keys(ItemValue(item));
    // Each box once, as in a radio group: checking a checked box again does
    // nothing anyway.
    QList<QObject *> boxes;
    for (const ConfigNode &child : item.childElements()) {
        const std::optional<QString> key = child.attribute(kKey);
        if (!key) {
            Warn(Message::ItemWithoutKey, child.attributeText(kName),
                 BindingMessages::ItemWithoutKey(child.attributeText(kName)));
            continue;
        }
        if (!keys.contains(*key))
            continue;
        if (QObject *box = FindControl(child.attributeText(kName))) {
            boxes.removeOne(box);
            boxes.append(box);
        }
    }
    for (QObject *box : std::as_const(boxes))
        Controls::setChecked(box, true);
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
        Warn(Message::NotADropDown, name, BindingMessages::NotADropDown(name));
        return;
    }
    Controls::clearItems(control);
    for (const ConfigNode &choice : item.childElements()) {
        if (const std::optional<QString> key = choice.attribute(kKey))
            Controls::addItem(control, *key);
    }
    const int index = Controls::findItem(control, value);
    Controls::setSelectedIndex(control, index);
    if (index >= 0 || !ValueRules::IsNonBlank(value)) {
        FKeptChoices.remove(control);
        return;
    }
    FKeptChoices.insert(control, value);
    const QString field = item.attributeText(kField);
    const QString caption = Caption(name);
    Warn(Message::ChoiceNotInList, caption.isEmpty() ? field : caption,
         BindingMessages::ChoiceNotInList(value, field, caption));
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
    if (!FDoc->SetFieldValue(field, value) && !FQuiet)
        Warn(Message::FieldNotFound, field, BindingMessages::FieldNotFound(field));
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
        return Controls::text(control);
    case ControlKind::ComboBox: {
        const auto kept = FKeptChoices.constFind(control);
        if (Controls::selectedIndex(control) < 0 && kept != FKeptChoices.cend())
            return *kept;
        return Controls::text(control);
    }
    case ControlKind::DatePicker: {
        auto *picker = static_cast<const DatePicker *>(control);
        if (!picker->keptText().isEmpty())
            return picker->keptText();
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
    // What the relations remembered may enable a control now locked.
    FRelations->Reset();
}
