#pragma once
// TfrFindDialog: asks the preview window's "find text" question: the text and
// whether letter case matters.
#include <QDialog>

class QLineEdit;
class QCheckBox;

class TfrFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit TfrFindDialog(QWidget *parent = nullptr);
    QString text() const;
    void setText(const QString &text);
    bool caseSensitive() const;

private:
    QLineEdit *FText;
    QCheckBox *FCase;
};
