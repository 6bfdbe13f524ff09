#include "DateField.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

// The separator the edit shows between the parts of a date.
const QChar kSeparator(u'/');

bool isSeparator(QChar c)
{
    return c == kSeparator || c == u'-' || c == u'.' || c == u' ' || c == u'年' || c == u'月' ||
           c == u'日' || c == u'／' || c == u'－' || c == u'．';
}

} // namespace

DateField::DateField(QWidget *parent) : QDateEdit(parent)
{
    lineEdit()->installEventFilter(this);
}

void DateField::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    const QChar typed = text.size() == 1 ? text.front() : QChar();
    if (!typed.isNull() && isSeparator(typed)) {
        const bool movedOn = FMovedOn;
        FMovedOn = false;
        if (movedOn || typed == u'日') {
            event->accept();
            return;
        }
        // Every separator acts as the one the edit shows.
        QKeyEvent slash(event->type(), Qt::Key_Slash, event->modifiers(), QString(kSeparator));
        QDateEdit::keyPressEvent(&slash);
        event->setAccepted(slash.isAccepted());
        return;
    }
    const int section = currentSectionIndex();
    QDateEdit::keyPressEvent(event);
    FMovedOn = typed >= u'0' && typed <= u'9' && currentSectionIndex() != section;
}

void DateField::focusInEvent(QFocusEvent *event)
{
    QDateEdit::focusInEvent(event);
    FMovedOn = false;
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        // A date is typed from its year on, whichever way the focus came.
        setCurrentSectionIndex(0);
        setSelectedSection(currentSection());
        break;
    default:
        break;
    }
}

void DateField::focusOutEvent(QFocusEvent *event)
{
    FMovedOn = false;
    QDateEdit::focusOutEvent(event);
}

bool DateField::eventFilter(QObject *watched, QEvent *event)
{
    // After a click has placed the cursor, the part under it is selected; a
    // drag that selected text itself is left as it is.
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && !lineEdit()->hasSelectedText()) {
        FMovedOn = false;
        setSelectedSection(currentSection());
    }
    return QDateEdit::eventFilter(watched, event);
}
