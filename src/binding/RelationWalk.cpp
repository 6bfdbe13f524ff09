#include "RelationWalk.h"

#include "BindingMessages.h"
#include "ConfigDocument.h"
#include "ControlAdapter.h"
#include "DatePicker.h"
#include "Helpers.h"
#include "ItemWords.h"
#include "TUIHelper.h"

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QWidget>

using namespace ItemWords;

namespace {


bool isButtonKind(const QObject *control)
{
    const ControlKind kind = Controls::kindOf(control);
    return kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

bool explicitlyDisabled(const QObject *control)
{
    const auto *widget = qobject_cast<const QWidget *>(control);
    return widget && widget->testAttribute(Qt::WA_ForceDisabled);
}

// True when DisableControl would change nothing about the control.
bool isDisabledState(QObject *control)
{
    if (!explicitlyDisabled(control))
        return false;
    auto *widget = static_cast<QWidget *>(control);
    switch (Controls::kindOf(control)) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        return !Controls::isChecked(control);
    case ControlKind::DatePicker:
        return !static_cast<DatePicker *>(control)->hasDate();
    case ControlKind::Memo:
        return static_cast<QPlainTextEdit *>(control)->document()->isEmpty()
            && Controls::background(widget) == Controls::buttonFaceColour();
    case ControlKind::Edit:
        return Controls::text(control).isEmpty() && Controls::background(widget) == Controls::buttonFaceColour();
    case ControlKind::ComboBox:
        return Controls::selectedIndex(control) == -1;
    case ControlKind::Other:
        return true;
    }
    return false;
}

// True when EnableControl would change nothing about the control.
bool isEnabledState(QObject *control)
{
    auto *widget = qobject_cast<QWidget *>(control);
    if (!widget || widget->testAttribute(Qt::WA_ForceDisabled))
        return false;
    const ControlKind kind = Controls::kindOf(control);
    if (kind == ControlKind::Edit || kind == ControlKind::Memo)
        return Controls::background(widget) == Controls::windowColour();
    return true;
}

} // namespace

RelationWalk::RelationWalk(TUIHelper &helper) : FHelper(helper) {}

RelationWalk::~RelationWalk() = default;

void RelationWalk::Reset()
{
    FChildPlans.clear();
    FNamedControls.clear();
    FGroupNames.clear();
    FDoneChildren.clear();
    FDoneDependents.clear();
}

// ---------------------------------------------------------------------------
// Entry points

void RelationWalk::ApplyRelation(const ConfigNode &node)
{
    Frame frame{Step::Apply};
    frame.node = node.handle();
    start(std::move(frame));
}

void RelationWalk::CheckBoxClick(QAbstractButton *sender)
{
    Frame frame{Step::Dependents};
    frame.control = sender;
    start(std::move(frame));
}

void RelationWalk::RadioButtonClick(QAbstractButton *sender)
{
    Frame frame{Step::Radio};
    frame.control = sender;
    start(std::move(frame));
}

void RelationWalk::start(Frame frame)
{
    if (FRunning) {
        // Raised by a step (a control it disabled was checked): runs next.
        FPending.append(std::move(frame));
        return;
    }
    FStack.push_back(std::move(frame));
    run();
}

void RelationWalk::run()
{
    FRunning = true;
    // Nothing of an interrupted walk may be taken up by the next one.
    const auto done = qScopeGuard([this] {
        FRunning = false;
        FStack.clear();
        FPending.clear();
        FInProgress.clear();
    });
    while (!FStack.empty()) {
        step();
        // Handlers raised during the step run before anything that follows
        // it, in the order they were raised.
        while (!FPending.isEmpty())
            FStack.push_back(FPending.takeLast());
    }
}

void RelationWalk::step()
{
    switch (FStack.back().step) {
    case Step::Apply:
        stepApply();
        break;
    case Step::Children:
        stepChildren();
        break;
    case Step::DisableDependents:
        stepDisableDependents();
        break;
    case Step::Dependents:
        stepDependents();
        break;
    case Step::Radio:
        stepRadio();
        break;
    }
}

void RelationWalk::finish()
{
    Frame done = std::move(FStack.back());
    FStack.pop_back();
    if (!done.mergeUp || FStack.empty())
        return;
    Frame &below = FStack.back();
    below.complete = below.complete && done.complete;
    if (!below.recordEffects)
        return;
    for (auto it = done.effects.cbegin(); it != done.effects.cend(); ++it) {
        Effect &effect = below.effects[it.key()];
        if (it->action != NoAction)
            effect.action = it->action;
        if (it->handler >= 0)
            effect.handler = it->handler;
    }
}

// ---------------------------------------------------------------------------
// Steps

// ApplyRelation (relation node N): install the handler of N's controller,
// then disable N's children, each with its own relation applied.
void RelationWalk::stepApply()
{
    Frame &frame = FStack.back();
    if (frame.phase == 1) {
        finish();
        return;
    }
    const ConfigNode node(frame.node);
    if (!node.hasChildElements() || !node.hasAttribute(kType) || !node.hasAttribute(kName)) {
        finish();
        return;
    }
    const QString name = node.attributeText(kName);
    QObject *control = FHelper.FindControl(name);
    if (!control) {
        finish();
        return;
    }
    switch (Controls::kindOf(control)) {
    case ControlKind::RadioButton: {
        const ConfigNode item = FHelper.FindNamedNode(ConfigSection::UiData, name);
        if (!item) {
            FHelper.Warn(TUIHelper::Message::RadioNotInData, name, BindingMessages::RadioNotInData(name));
            finish();
            return;
        }
        for (QObject *button : namedControls(item.parent().handle()))
            install(frame, button, int(TUIHelper::Handler::RadioButton));
        break;
    }
    case ControlKind::CheckBox:
        install(frame, control, int(TUIHelper::Handler::CheckBox));
        break;
    default:
        // Any other kind controls nothing: the node's dependents are left alone.
        finish();
        return;
    }
    frame.phase = 1;
    startChildren(frame.node);
}

void RelationWalk::install(Frame &frame, QObject *control, int handler)
{
    FHelper.InstallHandler(control, TUIHelper::Handler(handler));
    if (frame.recordEffects)
        frame.effects[control].handler = qint8(handler);
}

void RelationWalk::startChildren(_xmlNode *node)
{
    Frame &caller = FStack.back();
    const auto done = FDoneChildren.constFind(node);
    if (done != FDoneChildren.cend()) {
        const Effects effects = *done;
        reapply(effects);
        if (caller.recordEffects) {
            for (auto it = effects.cbegin(); it != effects.cend(); ++it) {
                Effect &effect = caller.effects[it.key()];
                if (it->action != NoAction)
                    effect.action = it->action;
                if (it->handler >= 0)
                    effect.handler = it->handler;
            }
        }
        return;
    }
    if (FInProgress.contains(node)) {
        // Asked for again by a handler it raised itself: the run under way
        // disables the same controls; what the caller did is then not all
        // known, so nothing above it is remembered.
        caller.complete = false;
        return;
    }
    FInProgress.insert(node);
    Frame children{Step::Children};
    children.node = node;
    children.mergeUp = true;
    // Kept only where it may be asked for again: DisableDependents finds the
    // first relation node of a name.
    children.recordEffects = caller.recordEffects || isFirstOfItsName(node);
    FStack.push_back(std::move(children));
}

// Disables each child of the node (first child per control) and applies the
// relation of each child that has children of its own.
void RelationWalk::stepChildren()
{
    Frame &frame = FStack.back();
    const QList<ChildEntry> &plan = childPlan(frame.node);
    if (frame.index >= plan.size()) {
        FInProgress.remove(frame.node);
        if (frame.complete && isFirstOfItsName(frame.node))
            FDoneChildren.insert(frame.node, frame.effects);
        finish();
        return;
    }
    const ChildEntry entry = plan.at(frame.index++);
    if (frame.recordEffects)
        frame.effects[entry.control].action = Disable;
    const bool record = frame.recordEffects;
    // A check box unchecked here raises its handler, which runs next.
    DisableControl(entry.control);
    if (entry.active) {
        Frame apply{Step::Apply};
        apply.node = entry.active;
        apply.mergeUp = true;
        apply.recordEffects = record;
        FStack.push_back(std::move(apply));
    }
}

// DisableDependents (control Y): disables the children of Y's first relation
// node, if that node could control anything.
void RelationWalk::stepDisableDependents()
{
    Frame &frame = FStack.back();
    if (frame.phase == 1) {
        finish();
        return;
    }
    frame.phase = 1;
    const ConfigNode node = FHelper.FindNamedNode(ConfigSection::UiRelation, frame.control->objectName());
    if (!node || !node.hasChildElements() || !node.hasAttribute(kType) || !node.hasAttribute(kName)
        || !FHelper.FindControl(node.attributeText(kName))) {
        finish();
        return;
    }
    startChildren(node.handle());
}

// UpdateDependents (controller by name) and the check-box click handler
// (controller by sender): each dependent of the controller's first relation
// node is enabled while the controller is checked, otherwise disabled with
// its own dependents.
void RelationWalk::stepDependents()
{
    Frame &frame = FStack.back();
    if (frame.phase == 0) {
        frame.phase = 1;
        const QString name = frame.byName ? frame.name : frame.control->objectName();
        const ConfigNode node = FHelper.FindNamedNode(ConfigSection::UiRelation, name);
        if (!node) {
            finish();
            return;
        }
        frame.node = node.handle();
        if (frame.byName) {
            // Without the controller every dependent is skipped.
            frame.control = FHelper.FindControl(frame.name);
            if (!frame.control) {
                finish();
                return;
            }
            frame.enable = isButtonKind(frame.control) && Controls::isChecked(frame.control);
        } else {
            frame.enable = Controls::isChecked(frame.control);
        }
        const auto done = FDoneDependents.constFind({frame.node, frame.enable});
        if (done != FDoneDependents.cend()) {
            const Effects effects = *done;
            finish();
            reapply(effects);
            return;
        }
        frame.recordEffects = true;
    }
    const QList<QObject *> &plan = namedControls(frame.node);
    if (frame.enable) {
        // Enabling raises nothing: the whole list at once.
        for (QObject *target : plan) {
            if (FHelper.FLocked.contains(target))
                continue;
            frame.effects[target].action = Enable;
            EnableControl(target);
        }
        frame.index = int(plan.size());
    }
    if (frame.index >= plan.size()) {
        if (frame.complete)
            FDoneDependents.insert({frame.node, frame.enable}, frame.effects);
        finish();
        return;
    }
    QObject *target = plan.at(frame.index++);
    frame.effects[target].action = Disable;
    DisableControl(target);
    Frame disable{Step::DisableDependents};
    disable.control = target;
    disable.mergeUp = true;
    disable.recordEffects = true;
    FStack.push_back(std::move(disable));
}

// The radio-button click handler: UpdateDependents for every other button
// of the sender's group, then for the sender.
void RelationWalk::stepRadio()
{
    Frame &frame = FStack.back();
    if (frame.phase == 0) {
        frame.phase = 1;
        frame.name = frame.control->objectName();
        const ConfigNode item = FHelper.FindNamedNode(ConfigSection::UiData, frame.name);
        if (!item) {
            finish();
            return;
        }
        frame.node = item.parent().handle();
    }
    const QStringList &names = groupNames(frame.node);
    while (frame.index < names.size() && names.at(frame.index) == frame.name)
        ++frame.index;
    Frame update{Step::Dependents};
    update.byName = true;
    if (frame.index < names.size()) {
        update.name = names.at(frame.index++);
    } else if (frame.index == names.size()) {
        // The sender last: what depends on it and on a sibling ends as the
        // sender's state dictates.
        ++frame.index;
        update.name = frame.name;
    } else {
        finish();
        return;
    }
    FStack.push_back(std::move(update));
}

// What repeating a remembered step would change: the controls whose state
// differs from what the step left are set again.
void RelationWalk::reapply(const Effects &effects)
{
    for (auto it = effects.cbegin(); it != effects.cend(); ++it) {
        QObject *control = it.key();
        if (it->action == Disable && !isDisabledState(control))
            DisableControl(control);
        else if (it->action == Enable && !isEnabledState(control))
            EnableControl(control);
        if (it->handler >= 0)
            FHelper.InstallHandler(control, TUIHelper::Handler(it->handler));
    }
}

// ---------------------------------------------------------------------------
// What a node's children come to, worked out once per node

const QList<RelationWalk::ChildEntry> &RelationWalk::childPlan(_xmlNode *node)
{
    auto it = FChildPlans.find(node);
    if (it != FChildPlans.end())
        return *it;
    QList<ChildEntry> plan;
    QSet<QObject *> seen;
    for (const ConfigNode &child : ConfigNode(node).childElements()) {
        const std::optional<QString> name = child.attribute(kName);
        if (!name)
            continue;
        QObject *control = FHelper.FindControl(*name);
        if (!control)
            continue;
        // A child whose relation applies: it has children, "type" and "name".
        const bool active = child.hasChildElements() && child.hasAttribute(kType);
        // Disabling a control a second time changes nothing; a child with
        // children of its own is kept for its relation.
        if (!active && seen.contains(control))
            continue;
        seen.insert(control);
        plan.append({control, active ? child.handle() : nullptr});
    }
    return *FChildPlans.insert(node, plan);
}

// The controls that a node's children name (a relation node's dependents, a
// radio group's buttons), once each and in order.
const QList<QObject *> &RelationWalk::namedControls(_xmlNode *node)
{
    auto it = FNamedControls.find(node);
    if (it != FNamedControls.end())
        return *it;
    QList<QObject *> controls;
    QSet<QObject *> seen;
    for (const ConfigNode &child : ConfigNode(node).childElements()) {
        const std::optional<QString> name = child.attribute(kName);
        if (!name)
            continue;
        QObject *control = FHelper.FindControl(*name);
        if (control && !seen.contains(control)) {
            seen.insert(control);
            controls.append(control);
        }
    }
    return *FNamedControls.insert(node, controls);
}

// The names of a radio group's items that UpdateDependents can act on (a
// control and a relation node of that name), once each.
const QStringList &RelationWalk::groupNames(_xmlNode *group)
{
    auto it = FGroupNames.find(group);
    if (it != FGroupNames.end())
        return *it;
    QStringList names;
    QSet<QString> seen;
    for (const ConfigNode &item : ConfigNode(group).childElements()) {
        const std::optional<QString> name = item.attribute(kName);
        if (!name || seen.contains(*name))
            continue;
        seen.insert(*name);
        if (FHelper.FindControl(*name) && FHelper.FindNamedNode(ConfigSection::UiRelation, *name))
            names.append(*name);
    }
    return *FGroupNames.insert(group, names);
}

bool RelationWalk::isFirstOfItsName(_xmlNode *node)
{
    const std::optional<QString> name = ConfigNode(node).attribute(kName);
    return name && FHelper.FindNamedNode(ConfigSection::UiRelation, *name).handle() == node;
}
