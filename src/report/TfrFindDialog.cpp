#include "TfrFindDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrFindDialog::TfrFindDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("查找文本"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("要查找的文本："), this));
    FText = new QLineEdit(this);
    FText->setObjectName(QStringLiteral("edtFindText"));
    layout->addWidget(FText);
    FCase = new QCheckBox(QStringLiteral("区分大小写"), this);
    FCase->setObjectName(QStringLiteral("ckbCaseSensitive"));
    layout->addWidget(FCase);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("查找"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString TfrFindDialog::text() const
{
    return FText->text();
}

void TfrFindDialog::setText(const QString &text)
{
    FText->setText(text);
}

bool TfrFindDialog::caseSensitive() const
{
    return FCase->isChecked();
}
