#pragma once
// DatePicker: the date picker control kind. A check box beside a QDateEdit
// with a drop-down calendar in the short date format of QLocale(): the picker
// "holds a date" while its box is ticked. With the box hidden ("no check
// box") it always holds a date.
#include <QDate>
#include <QWidget>

class QCheckBox;
class QDateEdit;

class DatePicker : public QWidget {
    Q_OBJECT
public:
    explicit DatePicker(QWidget *parent = nullptr);

    bool showCheckBox() const { return FShowCheckBox; }
    void setShowCheckBox(bool show);

    bool hasDate() const;
    void setHasDate(bool holds);

    QDate date() const;
    // Sets the date; the picker then holds it (its box is ticked).
    void setDate(const QDate &date);

    QCheckBox *checkBox() const { return FCheck; }
    QDateEdit *dateEdit() const { return FEdit; }

signals:
    void changed();

private:
    void syncEditState();

    QCheckBox *FCheck;
    QDateEdit *FEdit;
    bool FShowCheckBox = true;
};
