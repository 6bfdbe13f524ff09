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
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption, int image = -1);
    static QIcon image(int index);

    QMdiArea *FMdiArea;
    QToolBar *FToolBar = nullptr;
    QMenu *FNewMenu = nullptr;
    QMenu *FOpenMenu = nullptr;
    CheckPanel *FCheckPanel = nullptr;
    std::array<TEABaseForm *, kFormKindCount> FForms{};
};
