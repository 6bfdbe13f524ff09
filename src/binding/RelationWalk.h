#pragma once
// RelationWalk: the control relations of one binding object ("ui-relation"):
// ApplyRelation at load, the check-box and radio-button click handlers, and
// UpdateDependents, DisableDependents and the disabling of a node's children
// below them. They run as a loop over an explicit stack of steps rather than
// by recursion, so that neither a deeply nested document nor a long chain of
// handlers (a check box unchecked by a walk runs its own handler) can exhaust
// the call stack: a handler raised while a walk runs is queued as the very
// next step, which keeps the order of the recursive description.
//
// The work stays near linear in the size of the document however its
// relations repeat themselves:
// - a node's children are taken once per control (a second child naming the
//   same control changes nothing more);
// - what disabling a node's children did, and what the dependents of a
//   controller received, is remembered per node; asked for again, only the
//   controls whose state has changed since are set again, which is exactly
//   what repeating the steps would change.
#include "ConfigNode.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <vector>

class QAbstractButton;
class QObject;
class TUIHelper;
struct _xmlNode;

class RelationWalk {
public:
    explicit RelationWalk(TUIHelper &helper);
    ~RelationWalk();
    RelationWalk(const RelationWalk &) = delete;
    RelationWalk &operator=(const RelationWalk &) = delete;

    // ApplyRelation on a top-level relation node (load).
    void ApplyRelation(const ConfigNode &node);
    // The click handlers; called from the buttons' toggled signal.
    void CheckBoxClick(QAbstractButton *sender);
    void RadioButtonClick(QAbstractButton *sender);
    // Forgets what was learnt about the document and the controls: called for
    // a new document and when controls are locked.
    void Reset();

private:
    enum class Step { Apply, Children, DisableDependents, Dependents, Radio };
    enum : qint8 { NoAction, Disable, Enable };
    // What a step did to one control: its enabled state and its handler kind.
    struct Effect {
        qint8 action = NoAction;
        qint8 handler = -1;
    };
    using Effects = QHash<QObject *, Effect>;
    struct Frame {
        explicit Frame(Step kind) : step(kind) {}
        Step step;
        _xmlNode *node = nullptr;   // Apply, Children: the relation node; Dependents: the controller's
                                    // node; Radio: the group
        QObject *control = nullptr; // DisableDependents: the control; Dependents: the controller;
                                    // Radio: the sender
        QString name;               // Dependents by name (UpdateDependents), Radio: the sender's name
        bool byName = false;
        int phase = 0;
        int index = 0;
        bool enable = false;       // Dependents: the controller is checked
        bool mergeUp = false;      // the effects belong to the frame below as well
        bool recordEffects = false;
        bool complete = true;      // the effects are all this frame did
        Effects effects;
    };
    struct ChildEntry {
        QObject *control;
        _xmlNode *active; // a child whose own relation applies, or null
    };
    struct Dependents {
        _xmlNode *node;
        bool enable;
        bool operator==(const Dependents &other) const { return node == other.node && enable == other.enable; }
    };
    friend size_t qHash(const Dependents &key, size_t seed) { return qHashMulti(seed, key.node, key.enable); }

    void start(Frame frame);
    void run();
    void step();
    void stepApply();
    void stepChildren();
    void stepDisableDependents();
    void stepDependents();
    void stepRadio();
    void finish();
    // Disables node's children below the top frame, or repeats what an
    // earlier run did to the controls changed since.
    void startChildren(_xmlNode *node);
    void install(Frame &frame, QObject *control, int handler);
    void reapply(const Effects &effects);

    const QList<ChildEntry> &childPlan(_xmlNode *node);
    const QList<QObject *> &namedControls(_xmlNode *node);
    const QStringList &groupNames(_xmlNode *group);
    bool isFirstOfItsName(_xmlNode *node);

    TUIHelper &FHelper;
    std::vector<Frame> FStack;
    QList<Frame> FPending; // handlers raised during the current step
    bool FRunning = false;
    QHash<_xmlNode *, QList<ChildEntry>> FChildPlans;
    QHash<_xmlNode *, QList<QObject *>> FNamedControls;
    QHash<_xmlNode *, QStringList> FGroupNames;
    QHash<_xmlNode *, Effects> FDoneChildren;
    QHash<Dependents, Effects> FDoneDependents;
    QSet<_xmlNode *> FInProgress;
};
