#include "TFrmMain.h"

#include "AppError.h"
#include "CheckPanel.h"
#include "CommandGuard.h"
#include "DataFile.h"
#include "DataFileSummary.h"
#include "DataImport.h"
#include "Dialogs.h"
#include "FormClasses.h"
#include "Helpers.h"
#include "RecoveryStore.h"
#include "TFrmFileList.h"
#include "TFrmImport.h"
#include "TUIHelper.h"
#include "TFrmKVAbout.h"
#include "TFrmKVHelp.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {

// The New and Open items of the File menu, in menu order.
struct FormItem {
    const char *newItem;
    const char *openItem;
    FormKind kind;
};
const FormItem kFormItems[] = {
    {"N2", "N6", FormKind::YPZCSQ},    {"N3", "N5", FormKind::YPBCSQ},
    {"N4", "N7", FormKind::YPZZCSQ},   {"N12", "N14", FormKind::YPZCSQ_JK},
    {"N13", "N16", FormKind::YPBCSQ_JK}, {"N17", "N18", FormKind::YBCZZCSQB},
};

// Images of ImageList1 / ImageList2 in their order: open, help, print, save, new.
struct ImageSource {
    const char *theme;
    const char *fallback;
};
const ImageSource kImages[] = {
    {"document-open", ":/icons/open.svg"},
    {"help-contents", ":/icons/help.svg"},
    {"document-print", ":/icons/print.svg"},
    {"document-save", ":/icons/save.svg"},
    {"document-new", ":/icons/new.svg"},
    {"document-import", ":/icons/import.svg"},
};
constexpr int kImportImage = 5;

const QString kOpenFilter = QStringLiteral("药品企业申请表报盘文件(*.MRT)|*.MRT");
const QString kRecoveryCaption = QStringLiteral("恢复未保存的申请表");

// "发现上次未正常关闭时保存的“…”（数据核对码 …，…）" for a copy.
QString describeCopy(const LeftCopy &copy)
{
    QString facts;
    if (!copy.info.checkCode.isEmpty())
        facts = QStringLiteral("数据核对码 ") + copy.info.checkCode + QStringLiteral("，");
    facts += copy.written.toString(QStringLiteral("yyyy年M月d日 HH:mm"));
    QString text = QStringLiteral("发现上次未正常关闭时保存的“") + copy.type->title + QStringLiteral("”（") + facts +
                   QStringLiteral("）");
    if (!copy.info.origin.isEmpty())
        text += QStringLiteral("，打开自文件“") + QDir::toNativeSeparators(copy.info.origin) + QStringLiteral("”");
    return text;
}

} // namespace

TFrmMain::TFrmMain(QWidget *parent) : QMainWindow(parent), FMdiArea(new QMdiArea(this))
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("电子申报"));
    // Child windows show the program's own icon too: the one installed in
    // the icon theme, else the same picture compiled in.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("dzsb"), QIcon(QStringLiteral(":/icons/dzsb.svg"))));
    FMdiArea->setObjectName(QStringLiteral("ClientArea"));
    FMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    FMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(FMdiArea);
    FCheckPanel = new CheckPanel(FMdiArea, this);
    addDockWidget(Qt::BottomDockWidgetArea, FCheckPanel);
    buildMenu();
    buildToolBar();
    buildStatusBar();
    updateFormCommands();
    setGeometry(58, 88, 808, 577);
    setWindowState(Qt::WindowMaximized);
}

TFrmMain::~TFrmMain() = default;

// The site that publishes new versions is set by whoever hands the program
// out, in "dzsb.ini" beside the program ([Release] Site=...). Without it the
// texts name the regulator's site, which is where the forms come from, rather
// than an address nobody has checked.
QString TFrmMain::updateSite()
{
    const QSettings ini(ProgramDirectory() + QStringLiteral("dzsb.ini"), QSettings::IniFormat);
    const QString site = ini.value(QStringLiteral("Release/Site")).toString().trimmed();
    return site.isEmpty() ? QStringLiteral("ZQX") : site;
}

QIcon TFrmMain::image(int index)
{
    const ImageSource &src = kImages[index];
    return QIcon::fromTheme(QString::fromLatin1(src.theme), QIcon(QString::fromLatin1(src.fallback)));
}

QAction *TFrmMain::addItem(QMenu *menu, const QString &name, const QString &caption, int image)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(name);
    if (image >= 0)
        a->setIcon(TFrmMain::image(image));
    return a;
}

QAction *TFrmMain::action(const QString &name) const
{
    return findChild<QAction *>(name);
}

void TFrmMain::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto guarded = [](auto f) { return [f] { RunGuarded(f); }; };

    QMenu *file = bar->addMenu(QStringLiteral("文件(&F)"));
    file->menuAction()->setObjectName(QStringLiteral("F1"));

    FNewMenu = file->addMenu(image(4), QStringLiteral("新建(&N)"));
    FNewMenu->menuAction()->setObjectName(QStringLiteral("N1"));
    for (const FormItem &item : kFormItems) {
        const FormKind kind = item.kind;
        QAction *a = addItem(FNewMenu, QString::fromLatin1(item.newItem), formType(kind).menuCaption);
        connect(a, &QAction::triggered, this, guarded([this, kind] { NewCommand(kind); }));
    }

    FOpenMenu = file->addMenu(image(0), QStringLiteral("打开(&O)"));
    FOpenMenu->menuAction()->setObjectName(QStringLiteral("mnuOpen"));
    QAction *openAny = addItem(FOpenMenu, QStringLiteral("mnuOpenAny"), QStringLiteral("打开数据文件…"));
    connect(openAny, &QAction::triggered, this, guarded([this] { mnuOpenAnyClick(); }));
    FOpenMenu->addSeparator();
    for (const FormItem &item : kFormItems) {
        const FormKind kind = item.kind;
        QAction *a = addItem(FOpenMenu, QString::fromLatin1(item.openItem), formType(kind).menuCaption);
        connect(a, &QAction::triggered, this, guarded([this, kind] { OpenCommand(kind); }));
    }

    QAction *import = addItem(file, QStringLiteral("mnuImport"), QStringLiteral("导入数据…"), kImportImage);
    import->setIconText(QStringLiteral("导入"));
    import->setToolTip(QStringLiteral("导入数据：用以前的数据文件填写本表"));
    connect(import, &QAction::triggered, this, guarded([this] { mnuImportClick(); }));
    QAction *list = addItem(file, QStringLiteral("mnuFileList"), QStringLiteral("申请表一览"));
    connect(list, &QAction::triggered, this, guarded([this] { mnuFileListClick(); }));

    QAction *save = addItem(file, QStringLiteral("mnuSaveNoExit"), QStringLiteral("保存(&S)"), 3);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QAction::triggered, this, guarded([this] { mnuSaveNoExitClick(); }));
    QAction *print = addItem(file, QStringLiteral("mnuReport"), QStringLiteral("打印(&P)"), 2);
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(print, &QAction::triggered, this, guarded([this] { mnuReportClick(); }));
    QAction *check = FCheckPanel->checkAction();
    file->addAction(check);
    connect(check, &QAction::triggered, this, guarded([this] { FCheckPanel->showProblems(); }));
    // Closes the active form through its own close question.
    QAction *closeForm = addItem(file, QStringLiteral("mnuClose"), QStringLiteral("关闭(&C)"));
    closeForm->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    connect(closeForm, &QAction::triggered, this, guarded([this] {
        if (QMdiSubWindow *active = FMdiArea->activeSubWindow())
            active->close();
    }));
    file->addSeparator();
    QAction *setup = addItem(file, QStringLiteral("P1"), QStringLiteral("打印设置...(&T)"));
    setup->setVisible(false);
    QAction *exit = addItem(file, QStringLiteral("Q1"), QStringLiteral("退出(&Q)"));
    connect(exit, &QAction::triggered, this, guarded([this] { Q1Click(); }));

    QMenu *view = bar->addMenu(QStringLiteral("查看(&V)"));
    view->menuAction()->setObjectName(QStringLiteral("V1"));
    QAction *statusItem = addItem(view, QStringLiteral("N10"), QStringLiteral("状态栏"));
    statusItem->setCheckable(true);
    statusItem->setChecked(true);
    connect(statusItem, &QAction::triggered, this, guarded([this] { N10Click(); }));
    QAction *toolItem = addItem(view, QStringLiteral("N9"), QStringLiteral("工具栏"));
    toolItem->setCheckable(true);
    toolItem->setChecked(true);
    connect(toolItem, &QAction::triggered, this, guarded([this] { N9Click(); }));

    QMenu *help = bar->addMenu(QStringLiteral("帮助(&H)"));
    help->menuAction()->setObjectName(QStringLiteral("H1"));
    QAction *helpItem = addItem(help, QStringLiteral("mnuHelp"), QStringLiteral("填写帮助"), 1);
    helpItem->setShortcut(QKeySequence(Qt::Key_F1));
    connect(helpItem, &QAction::triggered, this, guarded([this] { mnuHelpClick(); }));
    help->addSeparator();
    QAction *about = addItem(help, QStringLiteral("N11"), QStringLiteral("关于..."));
    connect(about, &QAction::triggered, this, guarded([this] { N11Click(); }));
}

void TFrmMain::buildToolBar()
{
    FToolBar = new QToolBar(QStringLiteral("工具栏"), this);
    FToolBar->setObjectName(QStringLiteral("ToolBar1"));
    FToolBar->setIconSize(QSize(64, 64));
    FToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    FToolBar->setCursor(Qt::PointingHandCursor);
    FToolBar->setMovable(true);
    FToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    // Pale ("money") green, a one-pixel border on all four edges, flat buttons
    // of 82 x 78, separators 8 wide.
    FToolBar->setStyleSheet(QStringLiteral(
        "QToolBar#ToolBar1 { background: #C0DCC0; border: 1px solid #8FAF8F; spacing: 0px; }"
        "QToolBar#ToolBar1::separator { width: 8px; }"
        "QToolBar#ToolBar1 QToolButton { border: 1px solid transparent; background: transparent;"
        "  min-width: 80px; max-width: 80px; min-height: 76px; max-height: 76px; }"
        "QToolBar#ToolBar1 QToolButton:hover { border: 1px solid #6F8F6F; background: #D6EBD6; }"
        "QToolBar#ToolBar1 QToolButton:pressed { background: #A9C9A9; }"
        "QToolBar#ToolBar1 QToolButton::menu-indicator { image: none; width: 0px; }"));
    addToolBar(Qt::TopToolBarArea, FToolBar);
    // The bar can also be hidden from the toolkit's own pop-up on the menu
    // and tool bars; the tick of 查看 -> 工具栏 follows it either way.
    connect(FToolBar, &QToolBar::visibilityChanged, action(QStringLiteral("N9")), &QAction::setChecked);

    // A button tied to an item with a submenu drops that submenu down under it.
    auto addButton = [this](QAction *item) {
        FToolBar->addAction(item);
        if (auto *button = qobject_cast<QToolButton *>(FToolBar->widgetForAction(item))) {
            button->setFixedSize(82, 78);
            if (item->menu())
                button->setPopupMode(QToolButton::InstantPopup);
        }
        FToolBar->addSeparator();
    };
    addButton(FNewMenu->menuAction());
    addButton(FOpenMenu->menuAction());
    addButton(action(QStringLiteral("mnuImport")));
    addButton(action(QStringLiteral("mnuSaveNoExit")));
    addButton(action(QStringLiteral("mnuReport")));
    addButton(FCheckPanel->checkAction());
    addButton(action(QStringLiteral("mnuHelp")));
}

namespace {
// The status bar's update notice: 700 pixels wide where the window has room,
// narrower (clipped) where it has not, so that it never draws over the
// filling summary beside it.
class NoticePanel : public QLabel
{
public:
    NoticePanel(const QString &text, QWidget *parent) : QLabel(text, parent)
    {
        setMaximumWidth(700);
    }
    QSize sizeHint() const override { return {700, QLabel::sizeHint().height()}; }
    QSize minimumSizeHint() const override { return {120, QLabel::minimumSizeHint().height()}; }
};
} // namespace

void TFrmMain::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setFixedHeight(19);
    bar->setSizeGripEnabled(false);
    auto *panel1 = new QLabel(QStringLiteral("版本日期：[2004年6月10日]"), bar);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFixedWidth(200);
    auto *panel2 = new NoticePanel(QStringLiteral("   在填写申请表前请务必确认本软件为最新版本！ 最新版本请到") +
                                  updateSite() + QStringLiteral("网站下载"),
                              bar);
    panel2->setObjectName(QStringLiteral("Panel2"));
    for (QLabel *p : {panel1, static_cast<QLabel *>(panel2)}) {
        p->setFrameShape(QFrame::Panel);
        p->setFrameShadow(QFrame::Sunken);
    }
    bar->addWidget(panel1);
    bar->addWidget(panel2);
    bar->addWidget(FCheckPanel->statusPanel(), 1);
}

TEABaseForm *TFrmMain::createForm(FormKind kind)
{
    TEABaseForm *form = CreateForm(kind);
    FMdiArea->addSubWindow(form);
    FForms[size_t(kind)] = form;
    FCheckPanel->watch(form);
    connect(form, &TEABaseForm::formClosed, this, [this](TEABaseForm *closed) {
        for (auto &slot : FForms)
            if (slot == closed)
                slot = nullptr;
        updateFormCommands();
    });
    updateFormCommands();
    return form;
}

void TFrmMain::updateFormCommands()
{
    const bool anyForm = std::any_of(FForms.begin(), FForms.end(), [](const TEABaseForm *f) { return f; });
    for (const char *name : {"mnuSaveNoExit", "mnuReport", "mnuImport", "mnuCheck", "mnuClose", "P1"})
        action(QString::fromLatin1(name))->setEnabled(anyForm);
}

void TFrmMain::NewCommand(FormKind kind)
{
    if (TEABaseForm *open = registered(kind)) {
        if (!open->AskClose())
            return;
    }
    createForm(kind)->NewDocument();
}

void TFrmMain::OpenCommand(FormKind kind)
{
    FileRequest request;
    request.caption = QStringLiteral("打开");
    request.filter = kOpenFilter;
    request.defaultSuffix = QStringLiteral("*.MRT");
    request.fileName = formType(kind).filePrefix;
    // Where Save and Print write the data files.
    request.directory = DataFileDirectory();
    const QString path = dialogs().chooseOpenFile(request);
    if (path.isEmpty())
        return;
    OpenInForm(kind, path);
}

void TFrmMain::OpenInForm(FormKind kind, const QString &path)
{
    if (TEABaseForm *open = registered(kind)) {
        if (!open->AskClose())
            return;
    }
    createForm(kind)->OpenDocument(path);
}

void TFrmMain::mnuOpenAnyClick()
{
    FileRequest request;
    request.caption = QStringLiteral("打开数据文件");
    request.filter = kOpenFilter;
    request.defaultSuffix = QStringLiteral("*.MRT");
    request.directory = DataFileDirectory();
    const QString path = dialogs().chooseOpenFile(request);
    if (!path.isEmpty())
        OpenDataFile(path);
}

void TFrmMain::OpenDataFile(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    // Only the type field is read here; the form's loader reads the rest.
    const DataFileSummary summary = DataFileSummary::read(path, {}, DataFile::MaxDocumentSize);
    if (!summary.ok)
        throw AppError(QStringLiteral("无法打开文件“%1”：%2。").arg(shown, summary.error));
    for (const FormType &t : formTypes())
        if (t.typeTag == summary.typeTag) {
            OpenInForm(t.kind, path);
            return;
        }
    throw AppError(QStringLiteral("文件“%1”的类型“%2”不是本程序的六种申请表之一，无法打开。").arg(shown, summary.typeTag));
}

void TFrmMain::mnuFileListClick()
{
    TFrmFileList list(DataFileDirectory(), this);
    if (dialogs().runModal(&list) != QDialog::Accepted)
        return;
    if (list.action() == TFrmFileList::Action::Open)
        OpenDataFile(list.chosenPath());
    else if (list.action() == TFrmFileList::Action::Print)
        PrintDataFile(list.chosenPath());
}

void TFrmMain::PrintDataFile(const QString &path)
{
    const DataFileEntry entry = DataFileList::read(path);
    OpenDataFile(path);
    if (!entry.type)
        return;
    TEABaseForm *form = registered(entry.type->kind);
    // Cancelled at the close question, or refused by the loader.
    if (!form || form->isClosed() || !form->helper() || form->helper()->FFileName != path ||
        !form->helper()->Document())
        return;
    FMdiArea->setActiveSubWindow(form);
    if (IsCheckCode(entry.checkCode) && form->verifyCodeEdit()->text() == entry.checkCode)
        form->PrintReport();
    else
        form->SubmitAndPrint();
}

void TFrmMain::OpenFiles(const QStringList &paths)
{
    for (const QString &path : paths)
        RunGuarded([&] { OpenDataFile(QFileInfo(path).absoluteFilePath()); });
}

TEABaseForm *TFrmMain::activeForm() const
{
    FormKind kind;
    if (!FormKindOf(FMdiArea->activeSubWindow(), kind))
        return nullptr;
    TEABaseForm *form = registered(kind);
    return form && !form->isClosed() ? form : nullptr;
}

void TFrmMain::mnuImportClick()
{
    TEABaseForm *form = activeForm();
    if (!form) {
        ShowMessage(QStringLiteral("请先新建或打开要填写的申请表，再导入数据。"));
        return;
    }
    FileRequest request;
    request.caption = QStringLiteral("导入数据");
    request.filter = kOpenFilter;
    request.defaultSuffix = QStringLiteral("*.MRT");
    request.directory = DataFileDirectory();
    const QString path = dialogs().chooseOpenFile(request);
    if (path.isEmpty())
        return;
    DataImport import(form, path);
    if (import.fields().isEmpty()) {
        ShowMessage(QStringLiteral("文件“%1”（%2）与本表没有共同的项目，没有可导入的内容。")
                        .arg(QDir::toNativeSeparators(path), import.sourceType().title));
        return;
    }
    TFrmImport dialog(import, form->type().title, this);
    if (dialogs().runModal(&dialog) != QDialog::Accepted)
        return;
    const QStringList skipped = import.apply(dialog.chosen());
    if (!skipped.isEmpty())
        ShowWarning(QStringLiteral("下列项目须先选中其所属的选项才能填写，未导入：\r\n") + skipped.join(QStringLiteral("\r\n")));
}

void TFrmMain::mnuSaveNoExitClick()
{
    FormKind kind;
    if (!FormKindOf(FMdiArea->activeSubWindow(), kind))
        return;
    if (TEABaseForm *form = registered(kind))
        form->SaveBackup();
}

void TFrmMain::mnuReportClick()
{
    FormKind kind;
    if (!FormKindOf(FMdiArea->activeSubWindow(), kind))
        return;
    if (TEABaseForm *form = registered(kind))
        form->SubmitAndPrint();
}

void TFrmMain::OfferRecovery()
{
    for (LeftCopy &copy : RecoveryStore::leftCopies()) {
        if (!copy.damage.isEmpty()) {
            if (dialogs().confirm(kRecoveryCaption,
                                  QStringLiteral("上次未正常关闭时保存的恢复副本“") + QDir::toNativeSeparators(copy.path) +
                                      QStringLiteral("”已损坏，无法恢复：") + QStringLiteral("\r\n") + copy.damage +
                                      QStringLiteral("\r\n\r\n要丢弃它吗？")))
                copy.discard();
            continue;
        }
        const FormKind kind = copy.type->kind;
        if (registered(kind)) {
            // One form per type: a second copy of an open type waits.
            if (dialogs().choose(kRecoveryCaption,
                                 describeCopy(copy) + QStringLiteral("。同类申请表已经打开，要恢复这一份，请先保存并关闭已打开的申请表，下次启动时再恢复。"),
                                 {QStringLiteral("丢弃")}, -1, QStringLiteral("以后再说")) == 0)
                copy.discard();
            continue;
        }
        const int answer = dialogs().choose(kRecoveryCaption, describeCopy(copy) + QStringLiteral("，要恢复吗？"),
                                            {QStringLiteral("恢复"), QStringLiteral("丢弃")}, 0,
                                            QStringLiteral("以后再说"));
        if (answer == 1) {
            copy.discard();
        } else if (answer == 0) {
            QPointer<TEABaseForm> form;
            RunGuarded([&] {
                form = createForm(kind);
                form->RestoreDocument(copy.path, copy.info);
            });
            if (form && !form->isClosed() && form->hasDocument()) {
                // The copy goes once the form keeps its own copy of it.
                if (!form->recoveryCopy().isEmpty())
                    copy.discard();
                continue;
            }
            // Not restored (its message has been shown): a half-loaded form
            // goes, and the copy stays unless the user discards it.
            if (form && !form->isClosed())
                form->CloseAgreed();
            if (dialogs().confirm(kRecoveryCaption, QStringLiteral("恢复副本“") + QDir::toNativeSeparators(copy.path) +
                                                        QStringLiteral("”未能恢复。要丢弃它吗？")))
                copy.discard();
        }
    }
}

void TFrmMain::Q1Click()
{
    if (dialogs().confirm(QStringLiteral("警告"), QStringLiteral("你确定要退出系统吗?")))
        CloseAllWindows();
}

void TFrmMain::CloseAllWindows()
{
    const QList<QMdiSubWindow *> children = FMdiArea->subWindowList(QMdiArea::CreationOrder);
    for (qsizetype i = children.size() - 1; i >= 0; --i)
        children[i]->close();
    int open = 0;
    for (QMdiSubWindow *child : FMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        auto *form = qobject_cast<TEABaseForm *>(child);
        if (!form || !form->isClosed())
            ++open;
    }
    if (open > 0) {
        ShowMessage(QStringLiteral("还有") + QString::number(open) + QStringLiteral("个窗体没关闭！"));
        return;
    }
    close();
}

void TFrmMain::closeEvent(QCloseEvent *event)
{
    // Every form is asked first, first to last; the first refusal stops the
    // closing and leaves every form open, those that had agreed included.
    // Only when all have agreed is any of them closed.
    const QList<QMdiSubWindow *> children = FMdiArea->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow *child : children) {
        auto *form = qobject_cast<TEABaseForm *>(child);
        if (form && !form->CloseQuery()) {
            event->ignore();
            return;
        }
    }
    for (QMdiSubWindow *child : children) {
        if (auto *form = qobject_cast<TEABaseForm *>(child))
            form->CloseAgreed();
        else if (!child->close()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

// The view items are checkable actions: a click has inverted the tick before
// the handler runs, which then shows the bar exactly when the item is ticked.
void TFrmMain::N9Click()
{
    FToolBar->setVisible(action(QStringLiteral("N9"))->isChecked());
}

void TFrmMain::N10Click()
{
    statusBar()->setVisible(action(QStringLiteral("N10"))->isChecked());
}

void TFrmMain::mnuHelpClick()
{
    TFrmKVHelp help(this);
    dialogs().runModal(&help);
}

void TFrmMain::N11Click()
{
    TFrmKVAbout about(this);
    dialogs().runModal(&about);
}
