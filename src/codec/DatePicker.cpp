#include "DatePicker.h"

#include "DateField.h"

#include <QCheckBox>
#include <QHBoxLayout>

DatePicker::DatePicker(QWidget *parent)
    : QWidget(parent), FCheck(new QCheckBox(this)), FEdit(new DateField(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(FCheck);
    layout->addWidget(FEdit, 1);
    FCheck->setObjectName(QStringLiteral("holdsDate"));
    FEdit->setObjectName(QStringLiteral("date"));
    FEdit->setCalendarPopup(true);
    FEdit->setDisplayFormat(displayFormat());
    // QDateEdit's own first date is 1752-09-14; earlier dates would be moved to it.
    FEdit->setDateRange(firstDate(), lastDate());
    FEdit->setDate(QDate::currentDate());
    FCheck->setChecked(false);
    setFocusProxy(FEdit);
    connect(FCheck, &QCheckBox::toggled, this, [this] {
        dropKeptText();
        syncEditState();
        emit changed();
    });
    connect(FEdit, &QDateEdit::dateChanged, this, [this] {
        dropKeptText();
        emit changed();
    });
    syncEditState();
}

QString DatePicker::displayFormat()
{
    return QStringLiteral("yyyy/M/d");
}

QDate DatePicker::firstDate()
{
    return QDate(100, 1, 1);
}

QDate DatePicker::lastDate()
{
    return QDate(9999, 12, 31);
}

bool DatePicker::canHold(const QDate &date)
{
    return date.isValid() && date >= firstDate() && date <= lastDate();
}

void DatePicker::setShowCheckBox(bool show)
{
    FShowCheckBox = show;
    // Showing a box that shows already would lay out the whole form again.
    if (FCheck->isHidden() == show)
        FCheck->setVisible(show);
    syncEditState();
}

bool DatePicker::hasDate() const
{
    return !FShowCheckBox || FCheck->isChecked();
}

void DatePicker::setHasDate(bool holds)
{
    dropKeptText();
    FCheck->setChecked(holds);
    syncEditState();
}

QDate DatePicker::date() const
{
    return FEdit->date();
}

void DatePicker::setDate(const QDate &date)
{
    dropKeptText();
    FEdit->setDate(date);
    FCheck->setChecked(true);
    syncEditState();
}

void DatePicker::keepText(const QString &text)
{
    if (FKeptText.isEmpty())
        FToolTip = toolTip();
    FKeptText = text;
    if (!text.isEmpty())
        setToolTip(QStringLiteral("文件中保存的日期“%1”无法识别，在您修改这个日期之前，保存时原样保留文件中的内容。")
                       .arg(text));
    else
        setToolTip(FToolTip);
}

void DatePicker::dropKeptText()
{
    if (!FKeptText.isEmpty())
        keepText(QString());
}

void DatePicker::syncEditState()
{
    // Without a date the edit is shown greyed, as the picker's own check box says.
    FEdit->setEnabled(hasDate());
}
