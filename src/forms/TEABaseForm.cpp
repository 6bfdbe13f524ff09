#include "TEABaseForm.h"

#include "AppError.h"
#include "CatalogueBuilder.h"
#include "CatalogueParser.h"
#include "Dialogs.h"
#include "Helpers.h"
#include "TUIHelper.h"

#include <QCloseEvent>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kCloseCaption = QStringLiteral("提示:");
const QString kCloseQuestion = QStringLiteral("您要退出正在填写的文件吗?");
const QString kCRLF = QStringLiteral("\r\n");

// The contents of a form type whose catalogue is not written yet: the check
// code field alone.
const char kPlaceholderCatalogue[] =
    "form - \"\"\n"
    "page TabSheet1 \"第一页\"\n"
    "group GroupBox1 \"申请事项\"\n"
    "row\n"
    "edit VerifyCode \"数据核对码\" readonly skyblue width=100\n";

} // namespace

TEABaseForm::TEABaseForm(const FormType &type, QWidget *parent)
    : QMdiSubWindow(parent), FType(type)
{
    setObjectName(type.instanceName);
    buildContents();
    FormCreate();
}

TEABaseForm::~TEABaseForm() = default;

void TEABaseForm::buildContents()
{
    Catalogue catalogue;
    if (QFile::exists(FType.catalogue))
        catalogue = CatalogueParser::load(FType.catalogue);
    else
        catalogue = CatalogueParser::parse(QString::fromUtf8(kPlaceholderCatalogue));

    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("ClientArea"));
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    FPageControl = CatalogueBuilder::build(catalogue, content);
    layout->addWidget(FPageControl);
    setWidget(content);
    setWindowTitle(catalogue.caption.isEmpty() ? FType.title : catalogue.caption);
    resize(800, 560);
}

void TEABaseForm::FormCreate()
{
    FReportComp = nullptr; // the print template comes with the report engine
    FVerifyCodeEdit = findChild<QLineEdit *>(QStringLiteral("VerifyCode"));
    if (!FVerifyCodeEdit)
        throw AppError(QStringLiteral("表单目录缺少数据核对码字段：") + FType.instanceName);
    FConfigFileName = FType.configFileName;
    FTitle = FType.title;
    FFilePrefix = FType.filePrefix;
    FTypeTag = FType.typeTag;
    if (FType.hasPrintHook)
        FOnBeforePrint = [this](QObject *sender, TfrReport *&report, QString &attachment) {
            FormBeforePrintDoc(sender, report, attachment);
        };
}

void TEABaseForm::NewDocument()
{
    show();
    raise();
    setWindowTitle(QStringLiteral("新建") + FTitle);
    showMaximized();
    LoadDocument(ProgramDirectory() + FConfigFileName);
    FVerifyCodeEdit->setText(NewCheckCode());
    FOpened = false;
}

void TEABaseForm::OpenDocument(const QString &path)
{
    show();
    raise();
    setWindowTitle(QStringLiteral("编辑") + FTitle);
    showMaximized();
    LoadDocument(path);
    FOpened = true;
}

void TEABaseForm::LoadDocument(const QString &path)
{
    FClosing = true;
    delete FHelper;
    FHelper = new TUIHelper(this);
    FHelper->FFileName = path;
    FHelper->LoadConfig(FTypeTag);
    FClosing = false;
}

QString TEABaseForm::DataFileName() const
{
    return ProgramDirectory() + FFilePrefix + QStringLiteral("_") + FVerifyCodeEdit->text() +
           QStringLiteral(".MRT");
}

void TEABaseForm::SaveBackup()
{
    if (!FHelper)
        return;
    const QString fileName = DataFileName();
    FHelper->SaveToFile(fileName);
    ShowMessage(QStringLiteral("已成功生成备份文件:") + fileName + kCRLF +
                QStringLiteral("数据核对码为：") + FVerifyCodeEdit->text() + kCRLF + kCRLF +
                QStringLiteral("注意:本文件只用于本地备份,只有打印报送时才产生正式的报送文件！"));
}

void TEABaseForm::SubmitAndPrint()
{
    if (!FHelper)
        return;
    if (!FReportComp) {
        // Without a print template nothing could be printed; no submission
        // file is made, so that none exists without its paper form.
        ShowMessage(QStringLiteral("本表的打印功能尚未提供，未生成报盘文件。"));
        return;
    }
    FVerifyCodeEdit->setText(NewCheckCode());
    const QString fileName = DataFileName();
    FHelper->SaveToFile(fileName);
    ShowMessage(QStringLiteral("已成功生成报盘文件:") + fileName + kCRLF +
                QStringLiteral("数据核对码为：") + FVerifyCodeEdit->text() + kCRLF + kCRLF +
                QStringLiteral("请打印后将本文件发送至ZQX!"));
    PrintReport();
}

void TEABaseForm::PrintReport()
{
}

void TEABaseForm::FormBeforePrintDoc(QObject *sender, TfrReport *&report, QString &attachment)
{
    Q_UNUSED(sender);
    Q_UNUSED(report);
    attachment.clear();
}

bool TEABaseForm::AskClose()
{
    if (!dialogs().confirm(kCloseCaption, kCloseQuestion))
        return false;
    FClosing = true;
    close();
    return true;
}

void TEABaseForm::FormCloseQuery(QObject *sender, bool &canClose)
{
    Q_UNUSED(sender);
    canClose = FClosing || dialogs().confirm(kCloseCaption, kCloseQuestion);
}

void TEABaseForm::FormClose(QObject *sender)
{
    Q_UNUSED(sender);
    // A closed form is destroyed, never hidden.
    setAttribute(Qt::WA_DeleteOnClose);
    FClosed = true;
    emit formClosed(this);
}

void TEABaseForm::closeEvent(QCloseEvent *event)
{
    if (FClosed) {
        event->accept();
        return;
    }
    bool canClose = false;
    FormCloseQuery(this, canClose);
    if (!canClose) {
        event->ignore();
        return;
    }
    FormClose(this);
    QMdiSubWindow::closeEvent(event);
}
