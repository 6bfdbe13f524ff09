#pragma once
// TEABaseForm: the base of the six application forms. A multiple-document
// child window that carries the whole document lifecycle - new document from
// the type's configuration document, open a data file, save the local
// backup, save the submission file and print, and the close question - and
// builds the printed output (report filling, check code, attachment page).
// The derived classes only supply their form type.
#include "FormTypes.h"

#include <QHash>
#include <QMdiSubWindow>
#include <functional>

class QLineEdit;
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

    void NewDocument();
    void OpenDocument(const QString &path);
    void LoadDocument(const QString &path);
    void SaveBackup();
    void SubmitAndPrint();
    void PrintReport();
    // The report as Print shows it: filled from the document and the
    // controls, with the check code and the attachment page; nothing is saved.
    void FillPrintedForm();
    // Asks the close question; true when the user agreed and the form is closed.
    bool AskClose();
    // Asks the close question as the window's close control does (nothing
    // while loading or once agreed) without closing; true when it may close.
    bool CloseQuery();
    // Closes the form without a question, once the user has agreed.
    void CloseAgreed();

    // DataFileDirectory + prefix + "_" + check code + ".MRT".
    QString DataFileName() const;

    // True once the form has agreed to close (it may still exist briefly).
    bool isClosed() const { return FClosed; }
    bool opened() const { return FOpened; }
    bool closing() const { return FClosing; }
    QLineEdit *verifyCodeEdit() const { return FVerifyCodeEdit; }
    TUIHelper *helper() const { return FHelper; }
    TfrReport *report() const { return FReportComp; }
    QTabWidget *pageControl() const { return FPageControl; }

signals:
    // Emitted from FormClose: the main window clears its reference to the form.
    void formClosed(TEABaseForm *form);

protected:
    explicit TEABaseForm(const FormType &type, QWidget *parent = nullptr);

    void closeEvent(QCloseEvent *event) override;
    void FormCloseQuery(QObject *sender, bool &canClose);
    void FormClose(QObject *sender);

    // The one rule of the print hooks: over-long memo texts of the type's hook
    // entries move to the attachment text; the report shows "(见附页)".
    void FormBeforePrintDoc(QObject *sender, TfrReport *&report, QString &attachment);

private:
    void FormCreate();
    void buildContents();
    // Reports a document that is not there and closes the form before it
    // is ever shown; true when it did.
    bool RefuseMissingDocument(const QString &path);
    void RenewInvalidCheckCode();
    // AppError unless a document was loaded and kept.
    void RequireDocument() const;
    // Gives the keyboard focus to the first control of the current page.
    void FocusFirstControl();

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
    QTabWidget *FPageControl = nullptr;
    // Attachment headings of the data controls, for values too long for their boxes.
    QHash<QString, QString> FPrintHeadings;
};
