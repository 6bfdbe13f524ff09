#include "TEABaseForm.h"

#include "AppError.h"
#include "BindingMessages.h"
#include "CatalogueBuilder.h"
#include "CatalogueParser.h"
#include "Dialogs.h"
#include "ConfigDocument.h"
#include "ControlAdapter.h"
#include "EditWatch.h"
#include "Helpers.h"
#include "TUIHelper.h"
#include "PrintedForm.h"
#include "TfrReport.h"
#include "ValueRules.h"

#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QLayout>
#include <QPointer>
#include <QTimer>
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
// Marks the place of the "*" that the caption shows while the form is modified.
const QString kModifiedMark = QStringLiteral("[*]");
// How long a control the user was taken to stays marked, in milliseconds.
constexpr int kMarkMilliseconds = 2000;

// The contents of a form type whose catalogue is not written yet: the check
// code field alone (in red on the import registration form, as there).
QString placeholderCatalogue(FormKind kind)
{
    return QStringLiteral("form - \"\"\npage TabSheet1 \"第一页\"\ngroup GroupBox1 \"申请事项\"\nrow\n"
                          "edit VerifyCode \"数据核对码\" readonly skyblue width=100") +
           (kind == FormKind::YPZCSQ_JK ? QStringLiteral(" red\n") : QStringLiteral("\n"));
}

// "（数据核对码…）" after a file, or nothing for a document without a code.
QString codeInBrackets(const QString &code)
{
    return code.isEmpty() ? QString() : QStringLiteral("（数据核对码") + code + QStringLiteral("）");
}

// The question before edits go over a file whose check code may be on paper.
QString overwriteQuestion(const QString &file, const QString &code)
{
    return QStringLiteral("本表已修改。文件“") + QDir::toNativeSeparators(file) + QStringLiteral("”") +
           codeInBrackets(code) + QStringLiteral("可能已随申请表打印报送。") + kCRLF + kCRLF +
           QStringLiteral("另存为新数据核对码：原文件不变，仍与已打印的申请表一致；修改后的内容以新的数据核对码另存为新文件。") +
           kCRLF +
           QStringLiteral("覆盖原文件：修改后的内容写入原文件，原文件将与已打印的申请表不一致。");
}

} // namespace

TEABaseForm::TEABaseForm(const FormType &type, QWidget *parent)
    : QMdiSubWindow(parent), FType(type)
{
    setObjectName(type.instanceName);
    buildContents();
    FormCreate();
}

// A form destroyed without closing (the program ends some other way) keeps
// its recovery copy; only the lock goes.
TEABaseForm::~TEABaseForm()
{
    // The controls go after this: what they report on their way out (a
    // memo losing the focus) is no edit of this form.
    delete FEditWatch;
    FEditWatch = nullptr;
}

void TEABaseForm::buildContents()
{
    if (QFile::exists(FType.catalogue))
        FCatalogue = CatalogueParser::load(FType.catalogue);
    else
        FCatalogue = CatalogueParser::parse(placeholderCatalogue(FType.kind));

    FCheck = std::make_unique<SubmissionCheck>(FCatalogue);

    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("ClientArea"));
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    FPageControl = CatalogueBuilder::build(FCatalogue, content);
    layout->addWidget(FPageControl);
    setWidget(content);
    setWindowTitle(FCatalogue.caption.isEmpty() ? FType.title : FCatalogue.caption);
    resize(800, 560);
    FEditWatch = new EditWatch(content);
    connect(FEditWatch, &EditWatch::edited, this, &TEABaseForm::Edited);
    connect(FEditWatch, &EditWatch::completed, this, &TEABaseForm::EditCompleted);
}

void TEABaseForm::FormCreate()
{
    // The print template is compiled in; a type without one cannot print yet.
    // The report reads it when first needed (LoadTemplate).
    if (QFile::exists(FType.reportTemplate)) {
        auto *frReport1 = new TfrReport(this);
        frReport1->setObjectName(QStringLiteral("frReport1"));
        frReport1->setStoreInDFM(true);
        frReport1->setInitialZoom(pzDefault);
        frReport1->setPreviewButtons(TfrPreviewButtons(FType.previewButtons));
        FReportComp = frReport1;
        FPrinted = std::make_unique<PrintedForm>(FCatalogue, *FReportComp);
    }
    FVerifyCodeEdit = findChild<QLineEdit *>(QStringLiteral("VerifyCode"));
    if (!FVerifyCodeEdit)
        throw AppError(QStringLiteral("表单目录缺少数据核对码字段：") + FType.instanceName);
    FConfigFileName = FType.configFileName;
    FTitle = FType.title;
    FFilePrefix = FType.filePrefix;
    FTypeTag = FType.typeTag;
    // The types whose catalogue marks memos for the attachment page have a hook.
    if (FPrinted && FPrinted->hasAttachmentPage())
        FOnBeforePrint = [this](QObject *sender, TfrReport *&report, QString &attachment) {
            FormBeforePrintDoc(sender, report, attachment);
        };
}

TfrReport *TEABaseForm::report() const
{
    LoadTemplate();
    return FReportComp;
}

void TEABaseForm::LoadTemplate() const
{
    if (FTemplateLoaded || !FReportComp)
        return;
    FTemplateLoaded = true;
    QFile templateStream(FType.reportTemplate);
    if (templateStream.open(QIODevice::ReadOnly))
        FReportComp->LoadFromStream(templateStream.readAll());
}

void TEABaseForm::NewDocument()
{
    const QString path = ProgramDirectory() + FConfigFileName;
    if (RefuseMissingDocument(path))
        return;
    // Shown maximized at once: shown first at its own size, the form would
    // be laid out twice.
    setWindowTitle(QStringLiteral("新建") + FTitle + kModifiedMark);
    showMaximized();
    raise();
    LoadDocument(path);
    FVerifyCodeEdit->setText(NewCheckCode());
    FOpened = false;
    FocusFirstControl();
}

void TEABaseForm::OpenDocument(const QString &path)
{
    if (RefuseMissingDocument(path))
        return;
    // Shown maximized at once: shown first at its own size, the form would
    // be laid out twice.
    setWindowTitle(QStringLiteral("编辑") + FTitle + kModifiedMark);
    showMaximized();
    raise();
    LoadDocument(path);
    FOpened = true;
    // Only a file that holds a check code can have been printed; one without
    // (or with a text that is no code, renewed below) matches no paper.
    FMayBeOnPaper = IsCheckCode(FVerifyCodeEdit->text());
    FOrigin = path;
    if (!isHidden())
        RenewInvalidCheckCode();
    FocusFirstControl();
}

void TEABaseForm::RestoreDocument(const QString &copyPath, const RecoveryInfo &info)
{
    if (RefuseMissingDocument(copyPath))
        return;
    show();
    raise();
    setWindowTitle(QStringLiteral("编辑") + FTitle + kModifiedMark);
    showMaximized();
    LoadDocument(copyPath);
    if (FClosed || !FHelper->Document())
        return;
    FOpened = !info.origin.isEmpty();
    FOrigin = info.origin;
    FMayBeOnPaper = info.mayBeOnPaper;
    // A document that binds no check code has it from the description.
    if (FVerifyCodeEdit->text().isEmpty() && IsCheckCode(info.checkCode))
        FVerifyCodeEdit->setText(info.checkCode);
    else if (FVerifyCodeEdit->text().isEmpty())
        FVerifyCodeEdit->setText(NewCheckCode());
    RenewInvalidCheckCode();
    // The restored entries are in no data file: the form is edited, and
    // keeps a copy of its own before the one it came from goes.
    setWindowModified(true);
    FRecoveryPending = true;
    WriteRecoveryCopy();
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
    // What loading puts into the controls is the document, not an edit.
    const EditWatch::Pause loading(*FEditWatch);
    FClosing = true;
    delete FHelper;
    FHelper = new TUIHelper(this);
    FHelper->SetCaptions(FCatalogue.headings()); // messages name items by their captions
    FHelper->FFileName = path;
    FHelper->LoadConfig(FTypeTag);
    if (!FClosed && FHelper->Document())
        FHelper->DisableUnboundControls();
    FClosing = false;
    setWindowModified(false);
    if (!FClosed)
        emit entriesChanged();
}

QString TEABaseForm::DataFileName() const
{
    const QString code = FVerifyCodeEdit->text();
    if (!code.isEmpty() && !IsCheckCode(code))
        throw AppError(QStringLiteral("数据核对码无效，未生成文件。"));
    return DataFileDirectory() + FFilePrefix + QStringLiteral("_") + FVerifyCodeEdit->text() +
           QStringLiteral(".MRT");
}

bool TEABaseForm::hasDocument() const
{
    return FHelper && FHelper->Document();
}

void TEABaseForm::RequireDocument() const
{
    // After a refused load the form may stay open, but there is nothing to
    // save: a file written then could not be opened again.
    if (!FHelper || !FHelper->Document())
        throw AppError(BindingMessages::NothingLoaded());
}

QString TEABaseForm::SaveUnderNewCode()
{
    // The new check code is saved with the values (its field is bound), but
    // it stays only when the save succeeds: a failed save leaves the form
    // with its earlier code and its document as they were.
    const QString previousCode = FVerifyCodeEdit->text();
    const ConfigDocument::FieldValues previousValues = FHelper->Document()->fieldValues();
    FVerifyCodeEdit->setText(NewCheckCode());
    try {
        const QString fileName = DataFileName();
        FHelper->SaveToFile(fileName);
        return fileName;
    } catch (...) {
        FVerifyCodeEdit->setText(previousCode);
        FHelper->Document()->restoreFieldValues(previousValues);
        throw;
    }
}

void TEABaseForm::SaveBackup()
{
    RequireDocument();
    const QString code = FVerifyCodeEdit->text();
    const QString file = DataFileName();
    // Edits go over a file that may match a printed form only when the user
    // says so; by default they go to a new file under a new check code.
    QString note;
    if (isModified() && FMayBeOnPaper) {
        const int answer = dialogs().choose(kCloseCaption, overwriteQuestion(file, code),
                                            {QStringLiteral("另存为新数据核对码"), QStringLiteral("覆盖原文件")}, 0);
        if (answer < 0)
            return;
        if (answer == 0) {
            SaveUnderNewCode();
            // The new file is a backup that no paper carries yet.
            FMayBeOnPaper = false;
            note = QStringLiteral("原文件“") + QDir::toNativeSeparators(file) + QStringLiteral("”未改动，仍与已打印的申请表") +
                   codeInBrackets(code) + QStringLiteral("一致；修改后的内容保存在上面的新文件中。");
        } else {
            FHelper->SaveToFile(file);
            note = QStringLiteral("原文件“") + QDir::toNativeSeparators(file) +
                   QStringLiteral("”已被修改后的内容覆盖，与此前打印的申请表") + codeInBrackets(code) +
                   QStringLiteral("不再一致；如需报送，请重新打印。");
        }
    } else {
        FHelper->SaveToFile(file);
    }
    DocumentSaved();
    const QString fileName = DataFileName();
    ShowMessage(QStringLiteral("已成功生成备份文件:") + fileName + kCRLF +
                QStringLiteral("数据核对码为：") + FVerifyCodeEdit->text() + kCRLF + kCRLF +
                QStringLiteral("注意:本文件只用于本地备份,只有打印报送时才产生正式的报送文件！") +
                (note.isEmpty() ? QString() : kCRLF + kCRLF + note));
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
    // The entries are checked before anything is made: with problems the
    // user may go back to them, with nothing written and no new check code.
    // Printing is never refused.
    const CheckResult check = CheckFilling();
    if (!check.problems.isEmpty() &&
        dialogs().choose(kCloseCaption,
                         QStringLiteral("本表有 %1 处填写问题，仍要打印吗？").arg(check.problems.size()),
                         {QStringLiteral("打印")}, 0, QStringLiteral("返回修改")) != 0) {
        emit problemsRequested();
        return;
    }
    const QString fileName = SaveUnderNewCode();
    // This code goes on paper now.
    FMayBeOnPaper = true;
    DocumentSaved();
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
    if (!FHelper || !FPrinted)
        throw AppError(QStringLiteral("本表没有可打印的文件或打印模板。"));
    RequireDocument();
    LoadTemplate();
    FPrinted->Fill(*FHelper, FVerifyCodeEdit->text(), [this](QString &attachment) {
        if (FOnBeforePrint)
            FOnBeforePrint(this, FReportComp, attachment);
    });
}

void TEABaseForm::FormBeforePrintDoc(QObject *sender, TfrReport *&report, QString &attachment)
{
    Q_UNUSED(sender);
    if (FPrinted)
        FPrinted->MoveLongMemos(FHelper, report, attachment);
    else
        attachment.clear();
}

void TEABaseForm::Edited()
{
    setWindowModified(true);
    FRecoveryPending = true;
}

void TEABaseForm::EditCompleted()
{
    if (FRecoveryPending)
        WriteRecoveryCopy();
    emit entriesChanged();
}

void TEABaseForm::EntriesApplied()
{
    setWindowModified(true);
    emit entriesChanged();
}

CheckResult TEABaseForm::CheckFilling() const
{
    if (FClosed || !FHelper || !FHelper->Document())
        return {};
    return FCheck->run(*FHelper);
}

void TEABaseForm::ShowControl(const QString &name)
{
    QObject *found = FHelper ? FHelper->FindControl(name) : findChild<QWidget *>(name);
    auto *control = qobject_cast<QWidget *>(found);
    if (!control || !FPageControl)
        return;
    for (int i = 0; i < FPageControl->count(); ++i)
        if (FPageControl->widget(i)->isAncestorOf(control)) {
            FPageControl->setCurrentIndex(i);
            break;
        }
    for (QWidget *p = control->parentWidget(); p; p = p->parentWidget()) {
        if (auto *scroll = qobject_cast<QScrollArea *>(p)) {
            // A page shown for the first time has its layout still to do.
            if (QWidget *content = scroll->widget(); content && content->layout())
                content->layout()->activate();
            scroll->ensureWidgetVisible(control, 40, 40);
            break;
        }
    }
    control->setFocus(Qt::OtherFocusReason);
    // A red frame around the control for a moment, over it and not in its
    // way: the control keeps its own colours (the relations set them).
    delete FMark;
    auto *mark = new QFrame(control->parentWidget());
    FMark = mark;
    mark->setObjectName(QStringLiteral("CheckMark"));
    mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    mark->setStyleSheet(QStringLiteral("QFrame#CheckMark { border: 2px solid #E02020; background: transparent; }"));
    mark->setGeometry(control->geometry().adjusted(-3, -3, 3, 3));
    mark->raise();
    mark->show();
    QTimer::singleShot(kMarkMilliseconds, mark, &QObject::deleteLater);
}

bool TEABaseForm::WriteRecoveryCopy()
{
    if (FClosed || !FHelper || !FHelper->Document())
        return false;
    try {
        if (!FRecovery)
            FRecovery = std::make_unique<RecoveryCopy>(FFilePrefix);
        FRecovery->write(FHelper->CollectedDocument(), {FVerifyCodeEdit->text(), FOrigin, FMayBeOnPaper});
        FRecoveryPending = false;
        FRecoveryWarned = false;
        return true;
    } catch (const AppError &e) {
        if (!FRecoveryWarned) {
            FRecoveryWarned = true;
            ShowWarning(QStringLiteral("无法保存本表的恢复副本：") + e.message() + kCRLF +
                        QStringLiteral("程序意外退出时，未保存的填写内容将无法恢复，请及时保存。"));
        }
    } catch (const std::exception &) {
        if (!FRecoveryWarned) {
            FRecoveryWarned = true;
            ShowWarning(QStringLiteral("无法保存本表的恢复副本。程序意外退出时，未保存的填写内容将无法恢复，请及时保存。"));
        }
    }
    return false;
}

QString TEABaseForm::recoveryCopy() const
{
    return FRecovery && QFileInfo::exists(FRecovery->path()) ? FRecovery->path() : QString();
}

void TEABaseForm::DocumentSaved()
{
    setWindowModified(false);
    FRecoveryPending = false;
    if (FRecovery)
        FRecovery->remove();
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
    // A closed form is destroyed, never hidden; its recovery copy goes.
    setAttribute(Qt::WA_DeleteOnClose);
    FClosed = true;
    if (FRecovery)
        FRecovery->remove();
    FRecovery.reset();
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
