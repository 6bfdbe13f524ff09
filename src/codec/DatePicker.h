#pragma once
// DatePicker: the date picker control kind. A check box beside a date edit
// with a drop-down calendar: the picker "holds a date" while its box is
// ticked. With the box hidden ("no check box") it always holds a date.
//
// Dates show as yyyy/M/d (2011/6/28), as they are stored and printed,
// whatever the locale. A whole date typed in one go ("1996/12/17", also with
// "-", "." or 年月日 between the parts) fills year, month and day; a click
// into the edit selects the part under the mouse, so that typing replaces it.
// The picker holds dates from the year 100 to 9999.
//
// A stored text that could not be read as a date can be kept by the picker
// (keptText) until the picker is changed: ticked or unticked, given a date,
// or cleared by the program.
#include <QDate>
#include <QWidget>

class QCheckBox;
class QDateEdit;

class DatePicker : public QWidget {
    Q_OBJECT
public:
    explicit DatePicker(QWidget *parent = nullptr);

    // How dates show in the edit.
    static QString displayFormat();
    // The first and last date the picker can hold.
    static QDate firstDate();
    static QDate lastDate();
    static bool canHold(const QDate &date);

    bool showCheckBox() const { return FShowCheckBox; }
    void setShowCheckBox(bool show);

    bool hasDate() const;
    void setHasDate(bool holds);

    QDate date() const;
    // Sets the date; the picker then holds it (its box is ticked).
    void setDate(const QDate &date);

    // A text the picker keeps in place of a date it could not show; empty
    // when none. Any change of the picker lets it go.
    QString keptText() const { return FKeptText; }
    void keepText(const QString &text);

    QCheckBox *checkBox() const { return FCheck; }
    QDateEdit *dateEdit() const { return FEdit; }

signals:
    void changed();

private:
    void syncEditState();
    void dropKeptText();

    QCheckBox *FCheck;
    QDateEdit *FEdit;
    bool FShowCheckBox = true;
    QString FKeptText;
    QString FToolTip; // the picker's own tool tip while a text is kept
};
