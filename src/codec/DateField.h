#pragma once
// DateField: the date edit inside a DatePicker. It takes a date typed in one
// go as a user types it on paper: the digits fill the part at the cursor,
// and a separator ("/", "-", ".", a blank, 年, 月 or 日) moves on to the next
// part - except right after the digits have filled a part, when the edit has
// already moved on by itself (so "1996/12/17" gives 1996/12/17, not
// 1996/<month>/12). Focus from the keyboard, forwards or backwards, selects
// the year; a click selects the part under the mouse, so that what is typed
// replaces it instead of being refused as a longer number.
#include <QDateEdit>

class DateField : public QDateEdit {
    Q_OBJECT
public:
    explicit DateField(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The last digit filled its part and the edit moved on to the next.
    bool FMovedOn = false;
};
