#pragma once
// CheckPanel: the 检查填写 command and what it shows. A panel docked at the
// bottom of the main window lists the problems the submission check finds in
// the active form, in the order of the form ("第一页 · 4.药品名称：必须填写");
// double-click or Enter on a line takes the user to its control. The list
// follows the user: it is made again whenever another form becomes active, a
// document is loaded or an edit is finished. A panel of the status bar sums
// it up ("已填 N/M 项，K 处问题"); while a memo whose long text moves to the
// attachment page has the focus, it counts that memo's bytes against the
// limit instead.
#include <QDockWidget>
#include <QPointer>

class QAction;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMdiArea;
class QPlainTextEdit;
class TEABaseForm;

class CheckPanel : public QDockWidget {
    Q_OBJECT
public:
    // Follows the forms of the area; the panel starts hidden.
    CheckPanel(QMdiArea *area, QWidget *parent);

    // The command: "检查填写" (F7), for the menu and the tool bar. Run through
    // the main window's command guard; it shows the panel with the active
    // form's problems.
    QAction *checkAction() const { return FAction; }
    // The status bar panel with the summary or the memo's byte count.
    QLabel *statusPanel() const { return FStatus; }
    QListWidget *list() const { return FList; }

    // Shows the panel, its list made for the active form.
    void showProblems();
    // Follows a new form: its finished edits and loads, and the Print
    // question's 返回修改.
    void watch(TEABaseForm *form);
    // Makes the list and the summary again for the active form.
    void refresh();

private:
    TEABaseForm *currentForm() const;
    // Asks for one refresh once the current event is done.
    void scheduleRefresh();
    void jump(QListWidgetItem *item);
    void focusChanged(QWidget *now);
    void showSummary();
    void showMemoBytes();

    QMdiArea *FArea;
    QAction *FAction;
    QListWidget *FList;
    QLabel *FStatus;
    QString FSummary;
    bool FRefreshPending = false;
    // The attachment memo that has the focus, while it has.
    QPointer<QPlainTextEdit> FMemo;
};
