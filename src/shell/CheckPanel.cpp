#include "CheckPanel.h"

#include "CodePage.h"
#include "ControlAdapter.h"
#include "PrintedForm.h"
#include "TEABaseForm.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

namespace {

// The control name a line of the list takes the user to.
constexpr int kControlRole = Qt::UserRole;

} // namespace

CheckPanel::CheckPanel(QMdiArea *area, QWidget *parent)
    : QDockWidget(QStringLiteral("检查填写"), parent), FArea(area)
{
    setObjectName(QStringLiteral("CheckPanel"));
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    FList = new QListWidget(this);
    FList->setObjectName(QStringLiteral("CheckList"));
    FList->setToolTip(QStringLiteral("双击或按回车键转到该项"));
    setWidget(FList);
    hide();

    FAction = new QAction(QIcon::fromTheme(QStringLiteral("tools-check-spelling"),
                                           QIcon(QStringLiteral(":/icons/check.svg"))),
                          QStringLiteral("检查填写"), this);
    FAction->setObjectName(QStringLiteral("mnuCheck"));
    FAction->setShortcut(QKeySequence(Qt::Key_F7));
    FAction->setToolTip(QStringLiteral("检查填写 (F7)：列出必填而未填、格式不对的项目"));

    FStatus = new QLabel(this);
    FStatus->setObjectName(QStringLiteral("Panel3"));
    FStatus->setFrameShape(QFrame::Panel);
    FStatus->setFrameShadow(QFrame::Sunken);
    FStatus->setMinimumWidth(260);

    connect(FList, &QListWidget::itemActivated, this, &CheckPanel::jump);
    connect(FArea, &QMdiArea::subWindowActivated, this, &CheckPanel::scheduleRefresh);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusChanged(now); });
}

TEABaseForm *CheckPanel::currentForm() const
{
    auto *form = qobject_cast<TEABaseForm *>(FArea->currentSubWindow());
    return form && !form->isClosed() ? form : nullptr;
}

void CheckPanel::showProblems()
{
    refresh();
    show();
    raise();
}

void CheckPanel::watch(TEABaseForm *form)
{
    connect(form, &TEABaseForm::entriesChanged, this, &CheckPanel::scheduleRefresh);
    connect(form, &TEABaseForm::problemsRequested, this, &CheckPanel::showProblems);
    connect(form, &QObject::destroyed, this, &CheckPanel::scheduleRefresh);
    connect(form, &TEABaseForm::formClosed, this, &CheckPanel::scheduleRefresh);
}

void CheckPanel::scheduleRefresh()
{
    // Edits end in bursts (a click sets off relations, leaving a box is also
    // a click elsewhere): one refresh after the event, and never while the
    // list is in the middle of handling a click of its own.
    if (FRefreshPending)
        return;
    FRefreshPending = true;
    QMetaObject::invokeMethod(this, &CheckPanel::refresh, Qt::QueuedConnection);
}

void CheckPanel::refresh()
{
    FRefreshPending = false;
    TEABaseForm *form = currentForm();
    if (!form || !form->hasDocument()) {
        FList->clear();
        FSummary.clear();
        setWindowTitle(QStringLiteral("检查填写"));
        showSummary();
        return;
    }
    const CheckResult result = form->CheckFilling();
    // The lines, each with its control; an unchanged list stays as it is
    // (its selection, its scrolling, a click on it in progress).
    QList<std::pair<QString, QString>> lines;
    for (const CheckProblem &problem : result.problems)
        lines.append({problem.text(), problem.control});
    if (lines.isEmpty())
        lines.append({QStringLiteral("没有发现填写问题。"), QString()});
    bool same = FList->count() == lines.size();
    for (int i = 0; same && i < FList->count(); ++i)
        same = FList->item(i)->text() == lines[i].first && FList->item(i)->data(kControlRole).toString() == lines[i].second;
    if (!same) {
        const QListWidgetItem *current = FList->currentItem();
        const QString selected = current ? current->data(kControlRole).toString() : QString();
        FList->clear();
        for (const auto &[text, control] : lines) {
            auto *item = new QListWidgetItem(text, FList);
            item->setData(kControlRole, control);
            if (control.isEmpty())
                item->setFlags(Qt::ItemIsEnabled); // nothing to go to
            else if (control == selected)
                FList->setCurrentItem(item);
        }
    }
    FSummary = QStringLiteral("已填 %1/%2 项，%3 处问题").arg(result.met).arg(result.required).arg(result.problems.size());
    setWindowTitle(QStringLiteral("检查填写 - ") + form->windowTitle().remove(QStringLiteral("[*]")) +
                   QStringLiteral("（%1 处问题）").arg(result.problems.size()));
    showSummary();
}

void CheckPanel::jump(QListWidgetItem *item)
{
    const QString control = item ? item->data(kControlRole).toString() : QString();
    TEABaseForm *form = currentForm();
    if (control.isEmpty() || !form)
        return;
    form->ShowControl(control);
}

void CheckPanel::focusChanged(QWidget *now)
{
    auto *memo = qobject_cast<QPlainTextEdit *>(now);
    TEABaseForm *form = currentForm();
    const CatalogueEntry *entry = memo && form && form->isAncestorOf(memo) ? form->catalogue().find(memo->objectName())
                                                                          : nullptr;
    if (!entry || !entry->attach || memo->isReadOnly())
        memo = nullptr;
    if (memo == FMemo)
        return;
    if (FMemo)
        disconnect(FMemo, &QPlainTextEdit::textChanged, this, &CheckPanel::showMemoBytes);
    FMemo = memo;
    if (FMemo) {
        connect(FMemo, &QPlainTextEdit::textChanged, this, &CheckPanel::showMemoBytes);
        showMemoBytes();
    } else {
        showSummary();
    }
}

void CheckPanel::showSummary()
{
    if (!FMemo)
        FStatus->setText(FSummary);
}

void CheckPanel::showMemoBytes()
{
    if (!FMemo)
        return;
    // Counted as the print counts it: line breaks are two bytes.
    const qsizetype bytes = CodePage::byteLength(Controls::text(FMemo));
    FStatus->setText(QStringLiteral("已输入 %1/%2 字节，超过后移至附页").arg(bytes).arg(PrintedForm::LongTextBytes));
}
