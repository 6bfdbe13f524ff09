#include "ControlAdapter.h"

#include "DatePicker.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextDocument>

namespace Controls {

ControlKind kindOf(const QObject *control)
{
    if (!control) return ControlKind::Other;
    if (qobject_cast<const QLineEdit *>(control)) return ControlKind::Edit;
    if (qobject_cast<const QPlainTextEdit *>(control)) return ControlKind::Memo;
    if (qobject_cast<const QComboBox *>(control)) return ControlKind::ComboBox;
    if (qobject_cast<const QCheckBox *>(control)) return ControlKind::CheckBox;
    if (qobject_cast<const QRadioButton *>(control)) return ControlKind::RadioButton;
    if (qobject_cast<const DatePicker *>(control)) return ControlKind::DatePicker;
    return ControlKind::Other;
}

QString text(const QObject *control)
{
    if (auto *e = qobject_cast<const QLineEdit *>(control)) return e->text();
    if (auto *m = qobject_cast<const QPlainTextEdit *>(control)) {
        // A memo's lines joined by CR LF, as the stored texts have them. The
        // raw text keeps no-break spaces and line separators as typed (the
        // plain text would turn them into blanks and line breaks); only the
        // breaks between its lines (paragraph separators) become CR LF.
        QString t = m->document()->toRawText();
        t.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
        return t;
    }
    if (auto *c = qobject_cast<const QComboBox *>(control)) return c->currentText();
    return {};
}

void setText(QObject *control, const QString &value)
{
    if (auto *e = qobject_cast<QLineEdit *>(control)) {
        // An edit box cuts a longer text at its maximum length without a word.
        if (value.size() > e->maxLength())
            e->setMaxLength(kNoLengthLimit);
        e->setText(value);
        e->setCursorPosition(0);
    } else if (auto *m = qobject_cast<QPlainTextEdit *>(control)) {
        QString t = value;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        m->setPlainText(t);
    }
}

bool isChecked(const QObject *control)
{
    if (auto *b = qobject_cast<const QAbstractButton *>(control)) return b->isChecked();
    return false;
}

void setChecked(QObject *control, bool checked)
{
    auto *b = qobject_cast<QAbstractButton *>(control);
    if (!b) return;
    if (checked || !qobject_cast<QRadioButton *>(b) || !b->isChecked()) {
        b->setChecked(checked);
        return;
    }
    // An exclusive group refuses to uncheck its checked button.
    QButtonGroup *group = b->group();
    const bool groupExclusive = group && group->exclusive();
    const bool autoExclusive = b->autoExclusive();
    if (group) group->setExclusive(false);
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(autoExclusive);
    if (group) group->setExclusive(groupExclusive);
}

void clearItems(QObject *control)
{
    if (auto *c = qobject_cast<QComboBox *>(control)) c->clear();
}

void addItem(QObject *control, const QString &item)
{
    if (auto *c = qobject_cast<QComboBox *>(control)) c->addItem(item);
}

int findItem(const QObject *control, const QString &item)
{
    auto *c = qobject_cast<const QComboBox *>(control);
    if (!c) return -1;
    for (int i = 0; i < c->count(); ++i)
        if (c->itemText(i).compare(item, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void setSelectedIndex(QObject *control, int index)
{
    if (auto *c = qobject_cast<QComboBox *>(control)) c->setCurrentIndex(index);
}

int selectedIndex(const QObject *control)
{
    if (auto *c = qobject_cast<const QComboBox *>(control)) return c->currentIndex();
    return -1;
}

void setBackground(QWidget *control, const QColor &colour)
{
    QPalette pal = control->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::Base, colour);
    control->setPalette(pal);
}

QColor background(const QWidget *control)
{
    return control->palette().color(QPalette::Active, QPalette::Base);
}

QColor buttonFaceColour()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Button);
}

QColor windowColour()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Base);
}

} // namespace Controls
