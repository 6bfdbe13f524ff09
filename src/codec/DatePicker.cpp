#include "DatePicker.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLocale>

DatePicker::DatePicker(QWidget *parent)
    : QWidget(parent), FCheck(new QCheckBox(this)), FEdit(new QDateEdit(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(FCheck);
    layout->addWidget(FEdit, 1);
    FCheck->setObjectName(QStringLiteral("holdsDate"));
    FEdit->setObjectName(QStringLiteral("date"));
    FEdit->setCalendarPopup(true);
    FEdit->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    FEdit->setDate(QDate::currentDate());
    FCheck->setChecked(false);
    setFocusProxy(FEdit);
    connect(FCheck, &QCheckBox::toggled, this, [this] {
        syncEditState();
        emit changed();
    });
    connect(FEdit, &QDateEdit::dateChanged, this, &DatePicker::changed);
    syncEditState();
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
    FCheck->setChecked(holds);
    syncEditState();
}

QDate DatePicker::date() const
{
    return FEdit->date();
}

void DatePicker::setDate(const QDate &date)
{
    FEdit->setDate(date);
    FCheck->setChecked(true);
    syncEditState();
}

void DatePicker::syncEditState()
{
    // Without a date the edit is shown greyed, as the picker's own check box says.
    FEdit->setEnabled(hasDate());
}
