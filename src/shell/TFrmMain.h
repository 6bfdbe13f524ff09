#pragma once
// TFrmMain: the main window - a multiple-document frame that hosts the
// application forms. It owns the menu, the tool bar and the status bar, keeps
// the rule that at most one form of each type is open (the open-form
// registry), creates forms on New and Open, hands Save and Print to the
// active form, offers at start the forms an earlier run left unsaved, opens
// the help and about windows, and ends the program.
#include "FormTypes.h"

#include <QMainWindow>
#include <array>

class CheckPanel;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;
class TEABaseForm;

class TFrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrmMain(QWidget *parent = nullptr);
    ~TFrmMain() override;

    // The web address of the site that publishes new versions.
    static QString updateSite();

    // Commands (each runs inside the command guard when chosen from the menu).
    void NewCommand(FormKind kind);
    void OpenCommand(FormKind kind);
    // 导入数据: fills the active form from an earlier data file of any type.
    void mnuImportClick();
    // 打开数据文件: a data file of any type, into the form of its own type.
    void mnuOpenAnyClick();
    // Opens a data file into a form of the type its type field names, under
    // the one-form-per-type rule and its close question; AppError when the
    // file is no data file of the six types.
    void OpenDataFile(const QString &path);
    // 申请表一览: the data files of the program's folder; the chosen one is
    // opened or printed.
    void mnuFileListClick();
    // Opens the data file into its form and prints it: with the check code
    // the file holds (the paper matches that file; no new code, no new file),
    // or, when the file holds no valid code, as the Print command does.
    void PrintDataFile(const QString &path);
    // The files named on the command line, each into the form of its type;
    // a file that cannot be opened is reported and the next one tried.
    void OpenFiles(const QStringList &paths);
    void mnuSaveNoExitClick();
    void mnuReportClick();
    void Q1Click();
    void CloseAllWindows();
    void N9Click();
    void N10Click();
    void mnuHelpClick();
    void N11Click();
    // Offers each recovery copy that an earlier run left (the program ended
    // without closing its forms): restore it into a form of its type,
    // discard it, or keep it for the next start.
    void OfferRecovery();

    // The open form of a type, or nullptr (the registry reference).
    TEABaseForm *registered(FormKind kind) const { return FForms[size_t(kind)]; }
    QMdiArea *mdiArea() const { return FMdiArea; }
    QToolBar *toolBar() const { return FToolBar; }
    QAction *action(const QString &name) const; // by component name, e.g. "N9"
    // The 检查填写 panel, docked at the bottom.
    CheckPanel *checkPanel() const { return FCheckPanel; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    void buildToolBar();
    void buildStatusBar();
    TEABaseForm *createForm(FormKind kind);
    // The commands that act on a form are enabled while a form is open.
    void updateFormCommands();
    // Open, once the file is chosen: the close question for an open form of
    // the type, then a new form opens the file.
    void OpenInForm(FormKind kind, const QString &path);
    // The active child window when it is an application form, else nullptr.
    TEABaseForm *activeForm() const;
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption, int image = -1);
    static QIcon image(int index);

    QMdiArea *FMdiArea;
    QToolBar *FToolBar = nullptr;
    QMenu *FNewMenu = nullptr;
    QMenu *FOpenMenu = nullptr;
    CheckPanel *FCheckPanel = nullptr;
    std::array<TEABaseForm *, kFormKindCount> FForms{};
};
