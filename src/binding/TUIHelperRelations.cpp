// TUIHelper, control relations: which controls are enabled only while a given
// radio button or check box is checked ("ui-relation").
#include "TUIHelper.h"

#include "BindingMessages.h"
#include "CommandGuard.h"
#include "ControlAdapter.h"
#include "Dialogs.h"
#include "Helpers.h"

#include <QAbstractButton>

namespace {

const QString kName = QStringLiteral("name");
const QString kType = QStringLiteral("type");

bool isButtonKind(const QObject *control)
{
    const ControlKind kind = Controls::kindOf(control);
    return kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

} // namespace

void TUIHelper::ApplyRelation(const ConfigNode &node)
{
    if (!node.hasChildElements() || !node.hasAttribute(kType) || !node.hasAttribute(kName))
        return;
    const QString name = node.attributeText(kName);
    QObject *control = FindControl(name);
    if (!control)
        return;
    switch (Controls::kindOf(control)) {
    case ControlKind::RadioButton: {
        const ConfigNode item = FindNamedNode(ConfigSection::UiData, name);
        if (!item) {
            ShowWarning(BindingMessages::RadioNotInData(name));
            return;
        }
        for (const ConfigNode &sibling : item.parent().childElements()) {
            if (!sibling.hasAttribute(kName))
                continue;
            if (QObject *button = FindControl(sibling.attributeText(kName)))
                InstallHandler(button, Handler::RadioButton);
        }
        break;
    }
    case ControlKind::CheckBox:
        InstallHandler(control, Handler::CheckBox);
        break;
    default:
        return;
    }
    DisableChildren(node);
}

void TUIHelper::InstallHandler(QObject *control, Handler handler)
{
    auto *button = qobject_cast<QAbstractButton *>(control);
    if (!button)
        return;
    // A button has one click handler: installing the same one again changes
    // nothing, installing the other one replaces it.
    auto it = FHandlers.find(button);
    if (it != FHandlers.end()) {
        if (it->kind == handler)
            return;
        disconnect(it->connection);
    } else {
        connect(button, &QObject::destroyed, this, [this](QObject *gone) { FHandlers.remove(gone); });
    }
    QMetaObject::Connection connection;
    if (handler == Handler::CheckBox) {
        connection = connect(button, &QAbstractButton::toggled, this,
                             [this, button](bool) { RunHandler(&TUIHelper::CheckBoxClick, button); });
    } else {
        // Unchecking a radio button raises nothing: only the newly checked one acts.
        connection = connect(button, &QAbstractButton::toggled, this, [this, button](bool checked) {
            if (checked)
                RunHandler(&TUIHelper::RadioButtonClick, button);
        });
    }
    FHandlers.insert(button, {handler, connection});
}

void TUIHelper::RunHandler(void (TUIHelper::*handler)(QAbstractButton *), QAbstractButton *sender)
{
    // A handler may run from the event loop (a user's click); nothing it
    // raises may cross it.
    RunGuarded([&] { (this->*handler)(sender); });
}

void TUIHelper::CheckBoxClick(QAbstractButton *sender)
{
    const ConfigNode node = FindNamedNode(ConfigSection::UiRelation, sender->objectName());
    if (!node)
        return;
    const bool checked = Controls::isChecked(sender);
    for (const ConfigNode &dependent : node.childElements()) {
        if (!dependent.hasAttribute(kName))
            continue;
        QObject *target = FindControl(dependent.attributeText(kName));
        if (!target)
            continue;
        if (checked) {
            if (!FLocked.contains(target))
                EnableControl(target);
        } else {
            DisableControl(target);
            DisableDependents(target);
        }
    }
}

void TUIHelper::RadioButtonClick(QAbstractButton *sender)
{
    const QString name = sender->objectName();
    const ConfigNode item = FindNamedNode(ConfigSection::UiData, name);
    if (!item)
        return;
    // Siblings first and the sender last, so that a control depending on the
    // sender and on a sibling ends up as the sender's state dictates.
    for (const ConfigNode &sibling : item.parent().childElements()) {
        const std::optional<QString> siblingName = sibling.attribute(kName);
        if (siblingName && *siblingName != name)
            UpdateDependents(*siblingName);
    }
    UpdateDependents(name);
}

void TUIHelper::UpdateDependents(const QString &controllerName)
{
    const ConfigNode node = FindNamedNode(ConfigSection::UiRelation, controllerName);
    if (!node)
        return;
    for (const ConfigNode &dependent : node.childElements()) {
        if (!dependent.hasAttribute(kName))
            continue;
        QObject *target = FindControl(dependent.attributeText(kName));
        QObject *controller = FindControl(controllerName);
        if (!target || !controller)
            continue;
        if (isButtonKind(controller) && Controls::isChecked(controller)) {
            if (!FLocked.contains(target))
                EnableControl(target);
        } else {
            DisableControl(target);
            DisableDependents(target);
        }
    }
}

void TUIHelper::DisableDependents(QObject *control)
{
    const ConfigNode node = FindNamedNode(ConfigSection::UiRelation, control->objectName());
    if (!node || !node.hasChildElements() || !node.hasAttribute(kType) || !node.hasAttribute(kName))
        return;
    if (!FindControl(node.attributeText(kName)))
        return;
    DisableChildren(node);
}

// Every named child of node whose control exists is disabled, and its own
// relation applied in turn, so that a whole subtree starts (or ends) disabled.
void TUIHelper::DisableChildren(const ConfigNode &node)
{
    for (const ConfigNode &dependent : node.childElements()) {
        if (!dependent.hasAttribute(kName))
            continue;
        QObject *target = FindControl(dependent.attributeText(kName));
        if (!target)
            continue;
        DisableControl(target);
        ApplyRelation(dependent);
    }
}
