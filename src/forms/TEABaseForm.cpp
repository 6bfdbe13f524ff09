#include "TEABaseForm.h"

#include "AppError.h"
#include "BindingMessages.h"
#include "CatalogueBuilder.h"
#include "CatalogueParser.h"
#include "Dialogs.h"
#include "ControlAdapter.h"
#include "Helpers.h"
#include "TUIHelper.h"
#include "CodePage.h"
#include "TfrBandView.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrReport.h"
#include "PrintOverflow.h"
#include "ValueRules.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollArea>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kCloseCaption = QStringLiteral("提示:");
const QString kCloseQuestion = QStringLiteral("您要退出正在填写的文件吗?");
const QString kCRLF = QStringLiteral("\r\n");
const QString kAttachmentPage = QStringLiteral("newadd");
// A memo text longer than this many code-page bytes moves to the attachment page.
constexpr qsizetype kLongTextBytes = 70;

// The contents of a form type whose catalogue is not written yet: the check
// code field alone (in red on the import registration form, as there).
QString placeholderCatalogue(FormKind kind)
{
    return QStringLiteral("form - \"\"\npage TabSheet1 \"第一页\"\ngroup GroupBox1 \"申请事项\"\nrow\n"
                          "edit VerifyCode \"数据核对码\" readonly skyblue width=100") +
           (kind == FormKind::YPZCSQ_JK ? QStringLiteral(" red\n") : QStringLiteral("\n"));
}

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
        catalogue = CatalogueParser::parse(placeholderCatalogue(FType.kind));

    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("ClientArea"));
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    FPageControl = CatalogueBuilder::build(catalogue, content);
    FPrintHeadings = PrintOverflow::Headings(catalogue);
    layout->addWidget(FPageControl);
    setWidget(content);
    setWindowTitle(catalogue.caption.isEmpty() ? FType.title : catalogue.caption);
    resize(800, 560);
}

void TEABaseForm::FormCreate()
{
    // The print template is compiled in; a type without one cannot print yet.
    QFile templateStream(FType.reportTemplate);
    if (templateStream.open(QIODevice::ReadOnly)) {
        auto *frReport1 = new TfrReport(this);
        frReport1->setObjectName(QStringLiteral("frReport1"));
        frReport1->setStoreInDFM(true);
        frReport1->setInitialZoom(pzDefault);
        frReport1->setPreviewButtons(TfrPreviewButtons(FType.previewButtons));
        frReport1->LoadFromStream(templateStream.readAll());
        FReportComp = frReport1;
    }
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
    const QString path = ProgramDirectory() + FConfigFileName;
    if (RefuseMissingDocument(path))
        return;
    show();
    raise();
    setWindowTitle(QStringLiteral("新建") + FTitle);
    showMaximized();
    LoadDocument(path);
    FVerifyCodeEdit->setText(NewCheckCode());
    FOpened = false;
    FocusFirstControl();
}

void TEABaseForm::OpenDocument(const QString &path)
{
    if (RefuseMissingDocument(path))
        return;
    show();
    raise();
    setWindowTitle(QStringLiteral("编辑") + FTitle);
    showMaximized();
    LoadDocument(path);
    FOpened = true;
    if (!isHidden())
        RenewInvalidCheckCode();
    FocusFirstControl();
}

// A stored check code becomes part of the data file's name; any other text
// read from a file (a path, separators) could name a file elsewhere, so it is
// replaced.
void TEABaseForm::RenewInvalidCheckCode()
{
    // A document that binds no check code leaves the field empty; only a
    // stored text that is not a code is replaced.
    const QString stored = FVerifyCodeEdit->text();
    if (stored.isEmpty() || IsCheckCode(stored))
        return;
    const QString code = NewCheckCode();
    FVerifyCodeEdit->setText(code);
    ShowWarning(QStringLiteral("文件中的数据核对码无效（应为八位十六进制数），已生成新的数据核对码：") + code);
}

bool TEABaseForm::RefuseMissingDocument(const QString &path)
{
    // The loader refuses such a path too, but only after the form has been
    // shown; here the user gets the same message, with the file it lacks,
    // and no empty window first.
    QString message = BindingMessages::BadFileName();
    if (ValueRules::IsNonBlank(path)) {
        if (QFileInfo(path).isFile())
            return false;
        message += kCRLF + QStringLiteral("缺少文件：") + QDir::toNativeSeparators(path);
    }
    ShowWarning(message);
    FClosing = true;
    close();
    return true;
}

void TEABaseForm::FocusFirstControl()
{
    if (FClosed || !FPageControl || !FPageControl->currentWidget())
        return;
    // The first control in the page's tab order that takes the focus; the
    // page's scroll area is a container, not a control.
    QWidget *page = FPageControl->currentWidget();
    for (QWidget *w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (!page->isAncestorOf(w) || qobject_cast<QScrollArea *>(w))
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(page)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void TEABaseForm::LoadDocument(const QString &path)
{
    FClosing = true;
    delete FHelper;
    FHelper = new TUIHelper(this);
    FHelper->FFileName = path;
    FHelper->LoadConfig(FTypeTag);
    if (!FClosed && FHelper->Document())
        FHelper->DisableUnboundControls();
    FClosing = false;
}

QString TEABaseForm::DataFileName() const
{
    const QString code = FVerifyCodeEdit->text();
    if (!code.isEmpty() && !IsCheckCode(code))
        throw AppError(QStringLiteral("数据核对码无效，未生成文件。"));
    return DataFileDirectory() + FFilePrefix + QStringLiteral("_") + FVerifyCodeEdit->text() +
           QStringLiteral(".MRT");
}

void TEABaseForm::RequireDocument() const
{
    // After a refused load the form may stay open, but there is nothing to
    // save: a file written then could not be opened again.
    if (!FHelper || !FHelper->Document())
        throw AppError(BindingMessages::NothingLoaded());
}

void TEABaseForm::SaveBackup()
{
    RequireDocument();
    const QString fileName = DataFileName();
    FHelper->SaveToFile(fileName);
    ShowMessage(QStringLiteral("已成功生成备份文件:") + fileName + kCRLF +
                QStringLiteral("数据核对码为：") + FVerifyCodeEdit->text() + kCRLF + kCRLF +
                QStringLiteral("注意:本文件只用于本地备份,只有打印报送时才产生正式的报送文件！"));
}

void TEABaseForm::SubmitAndPrint()
{
    RequireDocument();
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
    FillPrintedForm();
    FHelper->ShowReport();
}

void TEABaseForm::FillPrintedForm()
{
    if (!FHelper || !FReportComp)
        throw AppError(QStringLiteral("本表没有可打印的文件或打印模板。"));
    RequireDocument();
    FHelper->SetReport(FReportComp);
    FHelper->FillReport();

    const QString code = FVerifyCodeEdit->text();
    for (int i = 1; i <= 5; ++i)
        if (TfrView *object = FReportComp->FindObject(QStringLiteral("VerifyCode%1").arg(i))) {
            // A code such as "00000000" is no zero to hide.
            object->Flags &= ~flHideZeros;
            object->SetText(code);
        }

    QString attachment;
    if (FOnBeforePrint)
        FOnBeforePrint(this, FReportComp, attachment);
    // Whatever would still be cut off in its box moves to the attachment too;
    // a form type that prints no attachment page names those items instead.
    if (FType.hasPrintHook) {
        PrintOverflow::MoveToAttachment(*FReportComp, FPrintHeadings, attachment, kAttachmentPage);
    } else {
        QStringList cut;
        for (const TfrMemoView *memo : PrintOverflow::Overflowing(*FReportComp, FPrintHeadings, kAttachmentPage))
            cut << FPrintHeadings.value(memo->Name.toLower());
        if (!cut.isEmpty())
            ShowWarning(QStringLiteral("下列填写内容超出打印位置，打印件上显示不全，请精简后重新打印：") + kCRLF +
                        cut.join(kCRLF));
    }

    // Attachment pages left by an earlier print of this form go first.
    TfrPages &pages = FReportComp->Pages();
    for (int i = pages.Count() - 1; i >= 0; --i)
        if (pages[i].Name == kAttachmentPage)
            pages.Delete(i);

    if (!attachment.isEmpty()) {
        TfrPage &page = pages.Add();
        page.LeftMargin = 90;
        page.TopMargin = 79;
        page.RightMargin = 54;
        page.BottomMargin = 54;
        page.Name = kAttachmentPage;

        // A master data band of one record that may break over sheets and
        // grows with its memo.
        auto *band = new TfrBandView;
        band->SetBounds(90, 79, 0, 100);
        band->SetBandType(btMasterData);
        band->SetDataSource(QStringLiteral("1"));
        band->SetPropertyByName(QStringLiteral("BREAKED"), 8);
        band->SetPropertyByName(QStringLiteral("STRETCHED"), 1);
        page.Add(band);

        auto *memo = new TfrMemoView;
        memo->SetBounds(91, 80, 60, 90);
        memo->BandAlign = baWidth;
        memo->SetPropertyByName(QStringLiteral("Alignment"), 0);
        memo->SetPropertyByName(QStringLiteral("TEXTONLY"), 16);
        memo->SetPropertyByName(QStringLiteral("Font.Size"), 9);
        memo->SetPropertyByName(QStringLiteral("STRETCHED"), 1);
        // One memo line per line of the text, so that its empty lines stay.
        memo->SetText(attachment);
        page.Add(memo);
    }
}

void TEABaseForm::FormBeforePrintDoc(QObject *sender, TfrReport *&report, QString &attachment)
{
    Q_UNUSED(sender);
    attachment.clear();
    for (const HookEntry &entry : FType.hookEntries) {
        QObject *memo = FHelper ? FHelper->FindControl(entry.memo) : nullptr;
        const QString text = memo ? Controls::text(memo) : QString();
        if (CodePage::byteLength(text) <= kLongTextBytes)
            continue;
        TfrView *object = report ? report->FindObject(entry.memo) : nullptr;
        if (!object) {
            ShowWarning(QStringLiteral("报表控件未找到！ ") + entry.memo);
            return;
        }
        object->SetText(QStringLiteral("(见附页)"));
        if (attachment.isEmpty())
            attachment = QStringLiteral("附页：") + kCRLF + kCRLF;
        attachment += entry.heading + kCRLF + kCRLF;
        attachment += text + kCRLF + kCRLF;
    }
}

bool TEABaseForm::AskClose()
{
    if (!dialogs().confirm(kCloseCaption, kCloseQuestion))
        return false;
    CloseAgreed();
    return true;
}

bool TEABaseForm::CloseQuery()
{
    if (FClosed)
        return true;
    bool canClose = false;
    FormCloseQuery(this, canClose);
    return canClose;
}

void TEABaseForm::CloseAgreed()
{
    FClosing = true;
    close();
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
