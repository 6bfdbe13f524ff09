#pragma once
// TFrmKVAbout: the about window - a fixed dialog with the product's picture,
// a greeting, the maker's slogan, name and web address, the support
// telephone and e-mail, and a close button.
#include <QDialog>

class TFrmKVAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFrmKVAbout(QWidget *parent = nullptr);

private:
    static QPixmap picture();
};
