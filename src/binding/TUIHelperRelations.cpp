// TUIHelper, control relations: the click handlers on the buttons that
// control others ("ui-relation"); the relations themselves are walked by
// RelationWalk.
#include "TUIHelper.h"

#include "CommandGuard.h"
#include "RelationWalk.h"

#include <QAbstractButton>

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
                             [this, button](bool) { RunHandler(&RelationWalk::CheckBoxClick, button); });
    } else {
        // Unchecking a radio button raises nothing: only the newly checked one acts.
        connection = connect(button, &QAbstractButton::toggled, this, [this, button](bool checked) {
            if (checked)
                RunHandler(&RelationWalk::RadioButtonClick, button);
        });
    }
    FHandlers.insert(button, {handler, connection});
}

void TUIHelper::RunHandler(void (RelationWalk::*handler)(QAbstractButton *), QAbstractButton *sender)
{
    // A handler may run from the event loop (a user's click); nothing it
    // raises may cross it. Its messages are one batch, unless it runs within
    // a load (whose batch takes them).
    RunGuarded([&] { Batched([&] { (FRelations.get()->*handler)(sender); }); });
}
