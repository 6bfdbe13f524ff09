#include "EditWatch.h"

#include "ControlAdapter.h"
#include "DatePicker.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

EditWatch::EditWatch(QWidget *form) : QObject(form)
{
    // The controls below the form, without their inner parts (the line edit
    // of a list or date picker, a memo's viewport).
    QList<QObject *> pending(form->children().rbegin(), form->children().rend());
    while (!pending.isEmpty()) {
        auto *widget = qobject_cast<QWidget *>(pending.takeLast());
        if (!widget)
            continue;
        if (Controls::kindOf(widget) != ControlKind::Other) {
            watch(widget);
            continue;
        }
        const QObjectList &kids = widget->children();
        for (auto it = kids.rbegin(); it != kids.rend(); ++it)
            pending.append(*it);
    }
}

void EditWatch::watch(QWidget *control)
{
    switch (Controls::kindOf(control)) {
    case ControlKind::Edit: {
        auto *edit = static_cast<QLineEdit *>(control);
        if (edit->isReadOnly())
            return;
        connect(edit, &QLineEdit::textChanged, this, &EditWatch::changed);
        connect(edit, &QLineEdit::editingFinished, this, &EditWatch::finished);
        break;
    }
    case ControlKind::Memo: {
        auto *memo = static_cast<QPlainTextEdit *>(control);
        if (memo->isReadOnly())
            return;
        connect(memo, &QPlainTextEdit::textChanged, this, &EditWatch::changed);
        // A memo has no signal of its own for a finished edit: leaving it is one.
        memo->installEventFilter(this);
        break;
    }
    case ControlKind::ComboBox:
        connect(static_cast<QComboBox *>(control), &QComboBox::currentIndexChanged, this, [this] {
            changed();
            finished();
        });
        break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton: {
        // The click comes after the state change and after the relations it
        // set off, so the edit is complete with everything that followed it.
        auto *button = static_cast<QAbstractButton *>(control);
        connect(button, &QAbstractButton::toggled, this, &EditWatch::changed);
        connect(button, &QAbstractButton::clicked, this, &EditWatch::finished);
        break;
    }
    case ControlKind::DatePicker:
        connect(static_cast<DatePicker *>(control), &DatePicker::changed, this, [this] {
            changed();
            finished();
        });
        break;
    case ControlKind::Other:
        break;
    }
}

bool EditWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut)
        finished();
    return QObject::eventFilter(watched, event);
}

void EditWatch::changed()
{
    if (FPaused == 0)
        emit edited();
}

void EditWatch::finished()
{
    if (FPaused == 0)
        emit completed();
}
