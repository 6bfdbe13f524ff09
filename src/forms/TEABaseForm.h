#pragma once
// TEABaseForm: the base of the six application forms. A multiple-document
// child window that carries the whole document lifecycle - new document from
// the type's configuration document, open a data file, save the local
// backup, save the submission file and print, and the close question - and
// has its printed form built (PrintedForm) when it prints. It keeps the
// type's parsed catalogue for as long as it lives. It follows the user's
// edits: the caption marks a form whose edits are in no file yet, Save asks
// before such edits go over a file whose check code may already be on paper,
// and every finished edit renews the form's recovery copy, which a save or a
// normal close removes. The derived classes only supply their form type.
#include "Catalogue.h"
#include "FormTypes.h"
#include "RecoveryCopy.h"
#include "SubmissionCheck.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <functional>
#include <memory>

class EditWatch;
class QFrame;
class QLineEdit;
class PrintedForm;
class QTabWidget;
class TUIHelper;
class TfrReport;

class TEABaseForm : public QMdiSubWindow {
    Q_OBJECT
public:
    // The print hook: sender, the form's report (by reference) and the
    // attachment text, which the hook clears and fills.
    using TBeforePrintEvent = std::function<void(QObject *sender, TfrReport *&report, QString &attachment)>;

    ~TEABaseForm() override;

    const FormType &type() const { return FType; }
    // The form's catalogue, parsed once when the form was made.
    const Catalogue &catalogue() const { return FCatalogue; }

    void NewDocument();
    void OpenDocument(const QString &path);
    // Restores a recovery copy left by an earlier run: the form shows it as
    // edited, with the copy's check code, and keeps its own copy of it.
    void RestoreDocument(const QString &copyPath, const RecoveryInfo &info);
    void LoadDocument(const QString &path);
    void SaveBackup();
    void SubmitAndPrint();
    void PrintReport();
    // The report as Print shows it: filled from the document and the
    // controls, with the check code and the attachment page; nothing is saved.
    void FillPrintedForm();
    // The submission check of the entries as the controls hold them: what is
    // missing or malformed, in the order of the form (an empty result while
    // no document is loaded).
    CheckResult CheckFilling() const;
    // A command put values into the controls (an import): the form is edited
    // and what the submission check finds may have changed.
    void EntriesApplied();
    // Takes the user to a control: switches to its page, scrolls it into
    // view, gives it the focus and marks it for a moment.
    void ShowControl(const QString &name);

    // Asks the close question; true when the user agreed and the form is closed.
    bool AskClose();
    // Asks the close question as the window's close control does (nothing
    // while loading or once agreed) without closing; true when it may close.
    bool CloseQuery();
    // Closes the form without a question, once the user has agreed.
    void CloseAgreed();

    // DataFileDirectory + prefix + "_" + check code + ".MRT".
    QString DataFileName() const;

    // True while the user's edits since the document was loaded, saved or
    // printed are in no file; the caption then shows the marker "*".
    bool isModified() const { return isWindowModified(); }
    // True when the file under the current check code may match a printed
    // form: the document was opened from a file, or printed under this code.
    bool mayBeOnPaper() const { return FMayBeOnPaper; }

    // Renews the recovery copy from the controls; false (after one message
    // per series of failures) when it could not be written.
    bool WriteRecoveryCopy();
    // The form's recovery copy; empty while it has none.
    QString recoveryCopy() const;

    // True once the form has agreed to close (it may still exist briefly).
    bool isClosed() const { return FClosed; }
    bool opened() const { return FOpened; }
    bool closing() const { return FClosing; }
    QLineEdit *verifyCodeEdit() const { return FVerifyCodeEdit; }
    // True when a document was loaded and kept (Save and Print can work).
    bool hasDocument() const;
    TUIHelper *helper() const { return FHelper; }
    // The form's report with its print template; null for a type without one.
    TfrReport *report() const;
    QTabWidget *pageControl() const { return FPageControl; }

signals:
    // Emitted from FormClose: the main window clears its reference to the form.
    void formClosed(TEABaseForm *form);
    // A document was loaded or the user finished an edit: what the submission
    // check finds may have changed.
    void entriesChanged();
    // The user answered the Print question with 返回修改: the problems are
    // to be shown.
    void problemsRequested();

protected:
    explicit TEABaseForm(const FormType &type, QWidget *parent = nullptr);

    void closeEvent(QCloseEvent *event) override;
    void FormCloseQuery(QObject *sender, bool &canClose);
    void FormClose(QObject *sender);

    // The print hook: over-long texts of the memos the catalogue marks move
    // to the attachment text; the report shows "(见附页)" (PrintedForm).
    void FormBeforePrintDoc(QObject *sender, TfrReport *&report, QString &attachment);

private:
    void FormCreate();
    void buildContents();
    // Reads the print template into the report, once: not before the form
    // prints or its report is asked for, so that New waits for none of it.
    void LoadTemplate() const;
    // Reports a document that is not there and closes the form before it
    // is ever shown; true when it did.
    bool RefuseMissingDocument(const QString &path);
    void RenewInvalidCheckCode();
    // Saves the document under a new check code and returns the file's
    // name; a failed save leaves the form's code and document as they were.
    QString SaveUnderNewCode();
    // AppError unless a document was loaded and kept.
    void RequireDocument() const;
    // Gives the keyboard focus to the first control of the current page.
    void FocusFirstControl();
    // The user changed a value.
    void Edited();
    // The user finished an edit: the recovery copy is renewed.
    void EditCompleted();
    // The document is in a file now: the form is unmodified.
    void DocumentSaved();

    const FormType &FType;
    TfrReport *FReportComp = nullptr;
    TUIHelper *FHelper = nullptr;
    QString FConfigFileName;
    QLineEdit *FVerifyCodeEdit = nullptr;
    QString FTitle;
    QString FTypeTag;
    bool FOpened = false;
    QString FFilePrefix;
    bool FClosing = false;
    TBeforePrintEvent FOnBeforePrint;

    bool FClosed = false;
    // The file under the current check code may match a printed form.
    bool FMayBeOnPaper = false;
    // The file the document was opened from; empty for a new document.
    QString FOrigin;
    std::unique_ptr<RecoveryCopy> FRecovery;
    // Edits since the recovery copy was last written.
    bool FRecoveryPending = false;
    // A failed write of the recovery copy was reported.
    bool FRecoveryWarned = false;
    QTabWidget *FPageControl = nullptr;
    mutable bool FTemplateLoaded = false;
    Catalogue FCatalogue;
    std::unique_ptr<SubmissionCheck> FCheck;
    // Builds the printed form; null without a print template.
    std::unique_ptr<PrintedForm> FPrinted;
    EditWatch *FEditWatch = nullptr;
    // The mark on the control the user was last taken to, while it shows.
    QPointer<QFrame> FMark;
};
