#include "TFrmKVHelp.h"

#include "AppError.h"
#include "CentreOnScreen.h"
#include "CodePage.h"
#include "FileErrors.h"

#include <QFile>
#include <QFont>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
struct Tab {
    const char *memo;
    const char *caption;
};
// Display order of the tabs.
const Tab kTabs[] = {
    {"Memo4", "★使用帮助"},     {"Memo1", "药品注册申请表"},   {"Memo2", "药品补充申请表"},
    {"Memo3", "药品再注册申请表"}, {"Memo5", "药包材再注册申请表"},
};
}

TFrmKVHelp::TFrmKVHelp(QWidget *parent) : QDialog(parent), FPages(new QTabWidget(this))
{
    setObjectName(QStringLiteral("FrmKVHelp"));
    setWindowTitle(QStringLiteral("填写说明"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(642, 486);
    CentreOnScreen(this);

    auto *strip = new QWidget(this);
    strip->setGeometry(0, 0, 642, 41);
    auto *ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                               QStringLiteral("确定(&O)"), strip);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setGeometry(8, 8, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    FPages->setObjectName(QStringLiteral("PageControl1"));
    FPages->setGeometry(0, 41, 642, 486 - 41);
    QFont tabFont(QStringLiteral("宋体"));
    tabFont.setPixelSize(12);
    FPages->tabBar()->setFont(tabFont);
    QFont memoFont(QStringLiteral("宋体"));
    memoFont.setPixelSize(14);
    for (const Tab &tab : kTabs) {
        auto *memo = new QPlainTextEdit;
        memo->setObjectName(QString::fromLatin1(tab.memo));
        memo->setReadOnly(true);
        memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->setFont(memoFont);
        FPages->addTab(memo, QString::fromUtf8(tab.caption));
    }
    FPages->setCurrentIndex(0);
    FormCreate();
}

QString TFrmKVHelp::noHelpText()
{
    return QStringLiteral("无可用帮助！");
}

QPlainTextEdit *TFrmKVHelp::memo(const QString &name) const
{
    return FPages->findChild<QPlainTextEdit *>(name);
}

void TFrmKVHelp::FormCreate()
{
    loadFile(QStringLiteral("Help1.txt"), memo(QStringLiteral("Memo1")));
    loadFile(QStringLiteral("Help2.txt"), memo(QStringLiteral("Memo2")));
    loadFile(QStringLiteral("Help.txt"), memo(QStringLiteral("Memo4")));
    loadFile(QStringLiteral("Help3.txt"), memo(QStringLiteral("Memo3")));
    loadFile(QStringLiteral("Help4.txt"), memo(QStringLiteral("Memo5")));
}

void TFrmKVHelp::loadFile(const QString &fileName, QPlainTextEdit *memo)
{
    // Looked up by its bare name, so in the current directory. Only a
    // regular file is read: a named pipe or a device of that name would
    // keep the window waiting.
    QFile file;
    if (!FileErrors::openForReading(file, fileName).isEmpty()) {
        memo->setPlainText(noHelpText());
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError(QStringLiteral("读取帮助文件“%1”时出错：%2").arg(fileName, FileErrors::readReason(fileName, file.error())));
    QString text = CodePage::toUnicode(bytes);
    // One memo line per file line, whatever the line ends.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    memo->setPlainText(text);
}
