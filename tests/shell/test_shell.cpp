// Tests of the main window and the help and about windows, driven through
// the scripted dialogs: the menu and tool bar, New/Open/Save/Print with the
// open-form registry, Exit and closing, the view toggles, the help files,
// and where the help and about windows open.
#include "CatalogueParser.h"
#include "FormClasses.h"
#include "FormTypes.h"
#include "Helpers.h"
#include "ScriptedDialogs.h"
#include "TFrmKVAbout.h"
#include "TFrmFileList.h"
#include "TFrmKVHelp.h"
#include "CheckPanel.h"
#include "ControlAdapter.h"
#include "TFrmMain.h"
#include "TUIHelper.h"
#include "TestDocuments.h"
#include "TfrReport.h"
#include "TfrView.h"
#include "TestMain.h"
#include "CodePage.h"
#include "RecoveryCopy.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QCheckBox>
#include <QProcess>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <sys/stat.h>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <sys/stat.h>

namespace {

const QString kExitQuestion = QStringLiteral("你确定要退出系统吗?");
const QString kCloseQuestion = QStringLiteral("您要退出正在填写的文件吗?");

// Opens a form of the kind through the Open command, from a minimal data file
// of that type; answers the close question with `agree` if one comes.
TEABaseForm *openForm(TFrmMain &main, ScriptedDialogs &dlg, const QTemporaryDir &dir, FormKind kind)
{
    const FormType &t = formType(kind);
    const QString path = TestDocuments::write(dir, t.filePrefix + QStringLiteral("_TEST.MRT"),
                                              TestDocuments::minimal(t.typeTag));
    dlg.openFiles.enqueue(path);
    main.OpenCommand(kind);
    return main.registered(kind);
}

// The help and about windows open in the middle of the screen, not over
// the main window.
bool centredOnScreen(const QWidget *w)
{
    const QPoint offset = w->frameGeometry().center() - w->screen()->availableGeometry().center();
    return offset.manhattanLength() <= 2;
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void menuItems_data();
    void menuItems();
    void toolBarAndStatusBar();
    void viewTogglesRestoreTick();
    void exitWithNoForm();
    void exitWithTwoFormsAgreeing();
    void exitWithOneFormRefusing();
    void closeControlStopsAtFirstRefusal();
    void newOnOpenTypeCancelledKeepsForm();
    void openAsksForFileFirst();
    void openMissingFileShowsNoWindow();
    void openAnyFileByItsTypeField();
    void commandLineOpensEachFile();
    void fileListShowsEveryDataFile();
    void fileListOpensAndPrints();
    void firstControlHasFocus();
    void saveAndPrintWithoutActiveForm();
    void formCommandsNeedAForm();
    void checkPanelFollowsTheUser();
    void closeShortcutAsksFirst();
    void recoveryCopySurvivesAKill();
    void damagedRecoveryCopies();
    void helpFiles();
    void shippedHelpMatchesForms();
    void aboutWindow();
};

void TestShell::menuItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("hasImage");
    QTest::addColumn<QString>("shortcut");
    QTest::newRow("F1") << "F1" << "文件(&F)" << false << "";
    QTest::newRow("N1") << "N1" << "新建(&N)" << true << "";
    QTest::newRow("N2") << "N2" << "药品注册申请表-境内" << false << "";
    QTest::newRow("N3") << "N3" << "药品补充申请表-境内" << false << "";
    QTest::newRow("N4") << "N4" << "药品再注册申请表" << false << "";
    QTest::newRow("N12") << "N12" << "药品注册申请表-进口" << false << "";
    QTest::newRow("N13") << "N13" << "药品补充申请表-进口" << false << "";
    QTest::newRow("N17") << "N17" << "药包材再注册申请" << false << "";
    QTest::newRow("mnuOpen") << "mnuOpen" << "打开(&O)" << true << "";
    QTest::newRow("mnuOpenAny") << "mnuOpenAny" << "打开数据文件…" << false << "";
    QTest::newRow("N6") << "N6" << "药品注册申请表-境内" << false << "";
    QTest::newRow("N18") << "N18" << "药包材再注册申请" << false << "";
    QTest::newRow("import") << "mnuImport" << "导入数据…" << true << "";
    QTest::newRow("save") << "mnuSaveNoExit" << "保存(&S)" << true << "Ctrl+S";
    QTest::newRow("print") << "mnuReport" << "打印(&P)" << true << "Ctrl+P";
    QTest::newRow("check") << "mnuCheck" << "检查填写" << true << "F7";
    QTest::newRow("close") << "mnuClose" << "关闭(&C)" << false << "Ctrl+W";
    QTest::newRow("P1") << "P1" << "打印设置...(&T)" << false << "";
    QTest::newRow("Q1") << "Q1" << "退出(&Q)" << false << "";
    QTest::newRow("V1") << "V1" << "查看(&V)" << false << "";
    QTest::newRow("N10") << "N10" << "状态栏" << false << "";
    QTest::newRow("N9") << "N9" << "工具栏" << false << "";
    QTest::newRow("H1") << "H1" << "帮助(&H)" << false << "";
    QTest::newRow("mnuHelp") << "mnuHelp" << "填写帮助" << true << "F1";
    QTest::newRow("N11") << "N11" << "关于..." << false << "";
}

void TestShell::menuItems()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, hasImage);
    QFETCH(QString, shortcut);
    TFrmMain main;
    QCOMPARE(main.windowTitle(), QStringLiteral("电子申报"));
    QAction *a = main.action(name);
    QVERIFY2(a, qPrintable(name));
    QCOMPARE(a->text(), caption);
    QCOMPARE(!a->icon().isNull(), hasImage);
    QCOMPARE(a->isVisible(), name != QLatin1String("P1"));
    const bool ticked = name == QLatin1String("N9") || name == QLatin1String("N10");
    QCOMPARE(a->isCheckable(), ticked);
    QCOMPARE(a->isChecked(), ticked);
    // The menus show the shortcut beside the caption.
    QCOMPARE(a->shortcut().toString(), shortcut);
}

void TestShell::toolBarAndStatusBar()
{
    TFrmMain main;
    main.show();
    QVERIFY(main.windowState() & Qt::WindowMaximized);
    QToolBar *bar = main.toolBar();
    QCOMPARE(bar->iconSize(), QSize(64, 64));
    QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonIconOnly);
    QStringList order;
    for (QAction *a : bar->actions()) {
        if (a->isSeparator()) {
            order << QStringLiteral("-");
            continue;
        }
        order << a->objectName();
        auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(a));
        QVERIFY(button);
        QCOMPARE(button->size(), QSize(82, 78));
        const bool dropsDown = a->objectName() == QLatin1String("N1") || a->objectName() == QLatin1String("mnuOpen");
        QMenu *dropDown = button->defaultAction()->menu();
        QCOMPARE(dropDown != nullptr, dropsDown);
        if (dropsDown) {
            QCOMPARE(button->popupMode(), QToolButton::InstantPopup);
            QList<QAction *> items = dropDown->actions();
            // Open begins with 打开数据文件… and a separator.
            if (a->objectName() == QLatin1String("mnuOpen")) {
                QCOMPARE(items.takeFirst()->objectName(), QStringLiteral("mnuOpenAny"));
                QVERIFY(items.takeFirst()->isSeparator());
            }
            QCOMPARE(items.size(), 6);
        }
    }
    QCOMPARE(order, (QStringList{"N1", "-", "mnuOpen", "-", "mnuImport", "-", "mnuSaveNoExit", "-", "mnuReport", "-",
                                 "mnuCheck", "-", "mnuHelp", "-"}));

    auto *p1 = main.statusBar()->findChild<QLabel *>(QStringLiteral("Panel1"));
    auto *p2 = main.statusBar()->findChild<QLabel *>(QStringLiteral("Panel2"));
    QVERIFY(p1 && p2);
    QCOMPARE(p1->text(), QStringLiteral("版本日期：[2004年6月10日]"));
    QCOMPARE(p1->width(), 200);
    QVERIFY(p2->text().startsWith(QStringLiteral("   在填写申请表前请务必确认本软件为最新版本！ 最新版本请到")));
    QVERIFY(p2->text().endsWith(TFrmMain::updateSite() + QStringLiteral("网站下载")));
    QCOMPARE(main.statusBar()->height(), 19);
    // 700 pixels where the window has room; in a narrow window the notice
    // gives way and the filling summary beside it stays readable.
    auto *p3 = main.statusBar()->findChild<QLabel *>(QStringLiteral("Panel3"));
    QVERIFY(p3);
    main.setWindowState(Qt::WindowNoState);
    main.resize(1280, 600);
    QTRY_COMPARE(p2->width(), 700);
    main.resize(808, 577);
    QTRY_VERIFY(p2->width() < 700);
    QVERIFY(p2->geometry().right() < p3->geometry().left());
    QVERIFY(p3->geometry().right() <= main.statusBar()->width());
}

void TestShell::viewTogglesRestoreTick()
{
    TFrmMain main;
    main.show();
    QAction *tool = main.action(QStringLiteral("N9"));
    QAction *status = main.action(QStringLiteral("N10"));
    tool->trigger();
    QVERIFY(!tool->isChecked());
    QVERIFY(!main.toolBar()->isVisible());
    tool->trigger();
    QVERIFY(tool->isChecked());
    QVERIFY(main.toolBar()->isVisible());
    // Hidden from the toolkit's own pop-up on the bars, the tick follows.
    main.toolBar()->toggleViewAction()->trigger();
    QVERIFY(!main.toolBar()->isVisible());
    QVERIFY(!tool->isChecked());
    tool->trigger();
    QVERIFY(tool->isChecked());
    QVERIFY(main.toolBar()->isVisible());
    status->trigger();
    QVERIFY(!status->isChecked());
    QVERIFY(!main.statusBar()->isVisible());
    status->trigger();
    QVERIFY(status->isChecked());
    QVERIFY(main.statusBar()->isVisible());
}

void TestShell::exitWithNoForm()
{
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    dlg.answers.enqueue(false); // Cancel: nothing happens
    main.action(QStringLiteral("Q1"))->trigger();
    QVERIFY(main.isVisible());
    dlg.answers.enqueue(true);
    main.action(QStringLiteral("Q1"))->trigger();
    QVERIFY(!main.isVisible());
    QCOMPARE(dlg.messages.size(), 2);
    QCOMPARE(dlg.messages[1].caption, QStringLiteral("警告"));
    QCOMPARE(dlg.messages[1].text, kExitQuestion);
    QVERIFY(dlg.messages[1].question);
}

void TestShell::exitWithTwoFormsAgreeing()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    TFrmMain main;
    main.show();
    QPointer<TEABaseForm> a = openForm(main, dlg, dir, FormKind::YPZCSQ);
    QPointer<TEABaseForm> b = openForm(main, dlg, dir, FormKind::YPBCSQ);
    QVERIFY(a && b);
    dlg.messages.clear();
    dlg.answer({true, true, true});
    main.Q1Click();
    QCOMPARE(dlg.texts(), (QStringList{kExitQuestion, kCloseQuestion, kCloseQuestion}));
    QVERIFY(!main.isVisible());
    QVERIFY(!main.registered(FormKind::YPZCSQ));
    QVERIFY(!main.registered(FormKind::YPBCSQ));
    settle();
    QVERIFY(!a && !b);
}

void TestShell::exitWithOneFormRefusing()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    TFrmMain main;
    main.show();
    QPointer<TEABaseForm> first = openForm(main, dlg, dir, FormKind::YPZCSQ);
    QPointer<TEABaseForm> second = openForm(main, dlg, dir, FormKind::YPZZCSQ);
    dlg.messages.clear();
    // Exit OK; the last child is asked first and refuses; the first agrees.
    dlg.answer({true, false, true});
    main.Q1Click();
    QCOMPARE(dlg.texts(), (QStringList{kExitQuestion, kCloseQuestion, kCloseQuestion,
                                       QStringLiteral("还有1个窗体没关闭！")}));
    QCOMPARE(dlg.messages.last().kind, MessageKind::Plain);
    QVERIFY(main.isVisible());
    settle();
    QVERIFY(!first);
    QVERIFY(second);
    QCOMPARE(main.registered(FormKind::YPZZCSQ), second.data());
    QVERIFY(!main.registered(FormKind::YPZCSQ));
}

void TestShell::closeControlStopsAtFirstRefusal()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    TFrmMain main;
    main.show();
    QPointer<TEABaseForm> first = openForm(main, dlg, dir, FormKind::YPZCSQ);
    QPointer<TEABaseForm> second = openForm(main, dlg, dir, FormKind::YPBCSQ);
    QPointer<TEABaseForm> third = openForm(main, dlg, dir, FormKind::YPZZCSQ);
    dlg.messages.clear();
    // First agrees, second refuses: closing stops, the third is not asked,
    // and all three stay open, the one that agreed included.
    dlg.answer({true, false});
    QVERIFY(!main.close());
    QCOMPARE(dlg.texts(), (QStringList{kCloseQuestion, kCloseQuestion}));
    QVERIFY(main.isVisible());
    settle();
    QVERIFY(first && second && third);
    QVERIFY(!first->isClosed());
    QCOMPARE(main.registered(FormKind::YPZCSQ), first.data());
    // The form that had agreed still asks its question next time.
    dlg.messages.clear();
    dlg.answer({true, true, true});
    QVERIFY(main.close());
    QCOMPARE(dlg.texts(), (QStringList{kCloseQuestion, kCloseQuestion, kCloseQuestion}));
    settle();
    QVERIFY(!first && !second && !third);
}

void TestShell::newOnOpenTypeCancelledKeepsForm()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    TFrmMain main;
    main.show();
    TEABaseForm *form = openForm(main, dlg, dir, FormKind::YPZCSQ);
    QVERIFY(form);
    form->verifyCodeEdit()->setText(QStringLiteral("1234ABCD"));
    const QString caption = form->windowTitle();
    QCOMPARE(caption, QStringLiteral("编辑药品注册申请表[*]"));
    dlg.messages.clear();
    dlg.answers.enqueue(false);
    main.NewCommand(FormKind::YPZCSQ);
    QCOMPARE(dlg.texts(), QStringList{kCloseQuestion});
    QCOMPARE(dlg.messages[0].caption, QStringLiteral("提示:"));
    QCOMPARE(main.registered(FormKind::YPZCSQ), form);
    QCOMPARE(form->windowTitle(), caption);
    QCOMPARE(form->verifyCodeEdit()->text(), QStringLiteral("1234ABCD"));
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);
}

void TestShell::openAsksForFileFirst()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    TFrmMain main;
    main.show();
    TEABaseForm *form = openForm(main, dlg, dir, FormKind::YPBCSQ);
    QVERIFY(form);
    QCOMPARE(dlg.fileRequests.size(), 1);
    QCOMPARE(dlg.fileRequests[0].filter, QStringLiteral("药品企业申请表报盘文件(*.MRT)|*.MRT"));
    QCOMPARE(dlg.fileRequests[0].fileName, QStringLiteral("补充注册"));
    QCOMPARE(dlg.fileRequests[0].directory, DataFileDirectory());
    dlg.messages.clear();

    // The dialog comes first; cancelling it changes nothing and asks nothing.
    main.action(QStringLiteral("N5"))->trigger();
    QCOMPARE(dlg.fileRequests.size(), 2);
    QCOMPARE(dlg.fileRequests[1].fileName, QStringLiteral("补充注册"));
    QVERIFY(dlg.messages.isEmpty());
    QCOMPARE(main.registered(FormKind::YPBCSQ), form);

    // A file chosen, then Cancel at the close question: the file is not opened.
    const QString other = TestDocuments::write(dir, QStringLiteral("other.MRT"),
                                               TestDocuments::minimal(QStringLiteral("药品补充申请")));
    dlg.openFiles.enqueue(other);
    dlg.answers.enqueue(false);
    main.action(QStringLiteral("N5"))->trigger();
    QCOMPARE(dlg.texts(), QStringList{kCloseQuestion});
    QCOMPARE(main.registered(FormKind::YPBCSQ), form);
    QCOMPARE(main.mdiArea()->subWindowList().size(), 1);

    // Each type proposes its own prefix.
    for (const FormType &t : formTypes()) {
        main.OpenCommand(t.kind);
        QCOMPARE(dlg.fileRequests.last().fileName, t.filePrefix);
    }
}

void TestShell::openMissingFileShowsNoWindow()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    TFrmMain main;
    main.show();
    int shown = 0;
    connect(main.mdiArea(), &QMdiArea::subWindowActivated, this, [&](QMdiSubWindow *w) { shown += w != nullptr; });
    const QString missing = dir.filePath(QStringLiteral("注册_GONE.MRT"));
    dlg.openFiles.enqueue(missing);
    main.action(QStringLiteral("N6"))->trigger();
    QCOMPARE(dlg.texts(), QStringList{QStringLiteral("配置文件名不正确，请检查！\r\n缺少文件：") +
                                      QDir::toNativeSeparators(missing)});
    QCOMPARE(shown, 0);
    QVERIFY(!main.registered(FormKind::YPZCSQ));
    settle();
    QVERIFY(main.mdiArea()->subWindowList().isEmpty());
}

// 打开数据文件… opens any data file into the form of the type its type field
// names, whatever the file is called, under the one-form-per-type rule.
void TestShell::openAnyFileByItsTypeField()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    TFrmMain main;
    main.show();
    for (const FormType &t : formTypes()) {
        const QString path = TestDocuments::write(dir, QStringLiteral("上月的文件_%1.MRT").arg(int(t.kind)),
                                                  TestDocuments::minimal(t.typeTag));
        dlg.openFiles.enqueue(path);
        main.action(QStringLiteral("mnuOpenAny"))->trigger();
        TEABaseForm *form = main.registered(t.kind);
        QVERIFY2(form, qPrintable(t.menuCaption));
        QCOMPARE(form->windowTitle(), QStringLiteral("编辑") + t.title + QStringLiteral("[*]"));
        QVERIFY(form->opened());
    }
    QVERIFY(dlg.messages.isEmpty());
    QCOMPARE(dlg.fileRequests.last().directory, ProgramDirectory());
    QCOMPARE(main.mdiArea()->subWindowList().size(), kFormKindCount);

    // A second file of an open type: the close question; Cancel keeps the form.
    TEABaseForm *open = main.registered(FormKind::YPBCSQ);
    dlg.openFiles.enqueue(TestDocuments::write(dir, QStringLiteral("second.MRT"),
                                               TestDocuments::minimal(formType(FormKind::YPBCSQ).typeTag)));
    dlg.answers.enqueue(false);
    main.action(QStringLiteral("mnuOpenAny"))->trigger();
    QCOMPARE(dlg.texts(), QStringList{kCloseQuestion});
    QCOMPARE(main.registered(FormKind::YPBCSQ), open);

    // Files that are no data files of the six types: a message, no form.
    dlg.messages.clear();
    const QString foreign = TestDocuments::write(dir, QStringLiteral("foreign.MRT"), TestDocuments::minimal(QStringLiteral("其他申请")));
    const QString damaged = TestDocuments::write(dir, QStringLiteral("damaged.MRT"), QByteArray("<?xml version=\"1.0\"?><config><config-type"));
    const QString notype = TestDocuments::write(dir, QStringLiteral("notype.MRT"), QByteArray("<config><ui-data/></config>"));
    for (const QString &path : {foreign, damaged, notype}) {
        dlg.openFiles.enqueue(path);
        main.action(QStringLiteral("mnuOpenAny"))->trigger();
    }
    QCOMPARE(dlg.messages.size(), 3);
    QVERIFY(dlg.messages[0].text.contains(QStringLiteral("其他申请")));
    QVERIFY(dlg.messages[1].text.contains(QStringLiteral("XML")));
    QVERIFY(dlg.messages[2].text.contains(QStringLiteral("类型字段")));
    QCOMPARE(main.mdiArea()->subWindowList().size(), kFormKindCount);
}

// The program opens the files named on its command line as 打开数据文件 does;
// one that cannot be opened is reported and the next one opened all the same.
void TestShell::commandLineOpensEachFile()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    TFrmMain main;
    main.show();
    const QString reg = TestDocuments::write(dir, QStringLiteral("a.MRT"),
                                             TestDocuments::minimal(formType(FormKind::YPZZCSQ).typeTag));
    const QString pack = TestDocuments::write(dir, QStringLiteral("b.mrt"),
                                              TestDocuments::minimal(formType(FormKind::YBCZZCSQB).typeTag));
    const QString oldCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    main.OpenFiles({QStringLiteral("a.MRT"), dir.filePath(QStringLiteral("missing.MRT")), pack});
    QDir::setCurrent(oldCurrent);
    QCOMPARE(dlg.messages.size(), 1);
    QVERIFY(dlg.messages[0].text.contains(QStringLiteral("missing.MRT")));
    QVERIFY(main.registered(FormKind::YPZZCSQ));
    QVERIFY(main.registered(FormKind::YBCZZCSQB));
    QVERIFY(dlg.fileRequests.isEmpty());
    Q_UNUSED(reg);
}

namespace {

// A data file of the type with a drug, an applicant and a bound check code.
QByteArray listedDocument(const QString &typeTag, const QString &drug, const QString &applicant, const QString &code)
{
    return TestDocuments::minimal(
        typeTag, {},
        QStringLiteral("<item type=\"Edit\" name=\"VerifyCode\" Field=\"VerifyCode\"/>"
                       "<item type=\"Edit\" name=\"edtYPTYMC\" Field=\"edtYPTYMC\"/>"),
        QStringLiteral("<field name=\"VerifyCode\" value=\"%3\"/><field name=\"edtYPTYMC\" value=\"%1\"/>"
                       "<field name=\"edtJG1MC\" value=\"%2\"/>")
            .arg(drug, applicant, code));
}

// The texts of a row of the list as shown (after sorting and filtering).
QStringList shownRow(const TFrmFileList &list, int row)
{
    QStringList out;
    const QAbstractItemModel *m = list.table()->model();
    for (int c = 0; c < m->columnCount(); ++c)
        out << m->index(row, c).data().toString();
    return out;
}

int shownRowOf(const TFrmFileList &list, const QString &fileName)
{
    const QAbstractItemModel *m = list.table()->model();
    for (int r = 0; r < m->rowCount(); ++r)
        if (m->index(r, 5).data().toString() == fileName)
            return r;
    return -1;
}

} // namespace

// The list shows every data file of its folder, of all six types, and lists
// what it cannot read as unreadable with the reason, never failing on it.
void TestShell::fileListShowsEveryDataFile()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    for (const FormType &t : formTypes()) {
        const int n = int(t.kind) + 1;
        TestDocuments::write(dir, t.filePrefix + QStringLiteral("_%1.MRT").arg(n, 8, 10, QLatin1Char('0')),
                             listedDocument(t.typeTag, QStringLiteral("药品%1").arg(n), QStringLiteral("公司%1").arg(n),
                                            QStringLiteral("%1").arg(n, 8, 10, QLatin1Char('0'))));
    }
    TestDocuments::write(dir, QStringLiteral("damaged.MRT"), listedDocument(formType(FormKind::YPZCSQ).typeTag, QStringLiteral("坏"), {}, {}).left(60));
    TestDocuments::write(dir, QStringLiteral("empty.mrt"), QByteArray());
    TestDocuments::write(dir, QStringLiteral("foreign.MRT"), TestDocuments::minimal(QStringLiteral("其他申请")));
    TestDocuments::write(dir, QStringLiteral("entities.MRT"),
                         QByteArray("<?xml version=\"1.0\"?><!DOCTYPE c [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>"
                                    "<c><config-type value=\"&b;\"/></c>"));
    TestDocuments::write(dir, QStringLiteral("notes.txt"), QByteArray("not listed"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.MRT")));
    QVERIFY(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe.MRT"))).constData(), 0600) == 0);
    {
        QFile huge(dir.filePath(QStringLiteral("huge.MRT")));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(qint64(40) * 1024 * 1024));
    }

    TFrmFileList list(dir.path());
    QCOMPARE(list.entries().size(), 12);
    QCOMPARE(list.table()->model()->rowCount(), 12);
    QVERIFY(dlg.messages.isEmpty());
    const QAbstractItemModel *m = list.table()->model();
    for (const FormType &t : formTypes()) {
        const int n = int(t.kind) + 1;
        const int row = shownRowOf(list, t.filePrefix + QStringLiteral("_%1.MRT").arg(n, 8, 10, QLatin1Char('0')));
        QVERIFY2(row >= 0, qPrintable(t.menuCaption));
        QCOMPARE(shownRow(list, row).mid(0, 4), (QStringList{t.title, QStringLiteral("药品%1").arg(n),
                                                            QStringLiteral("公司%1").arg(n),
                                                            QStringLiteral("%1").arg(n, 8, 10, QLatin1Char('0'))}));
    }
    const QMap<QString, QString> reasons{{QStringLiteral("damaged.MRT"), QStringLiteral("XML")},
                                         {QStringLiteral("empty.mrt"), QStringLiteral("空")},
                                         {QStringLiteral("foreign.MRT"), QStringLiteral("其他申请")},
                                         {QStringLiteral("entities.MRT"), QStringLiteral("文档类型")},
                                         {QStringLiteral("pipe.MRT"), QString()},
                                         {QStringLiteral("huge.MRT"), QStringLiteral("过大")}};
    for (auto it = reasons.begin(); it != reasons.end(); ++it) {
        const int row = shownRowOf(list, it.key());
        QVERIFY2(row >= 0, qPrintable(it.key()));
        QCOMPARE(m->index(row, 0).data().toString(), QStringLiteral("无法读取"));
        const QString tip = m->index(row, 0).data(Qt::ToolTipRole).toString();
        QVERIFY2(tip.contains(QStringLiteral("无法读取：")) && tip.contains(it.value()), qPrintable(tip));
        // Chosen anyway: the reason, and the window stays.
        list.choose(row, TFrmFileList::Action::Open);
        QCOMPARE(dlg.messages.size(), 1);
        QVERIFY(dlg.messages[0].text.contains(it.key()));
        dlg.messages.clear();
        QCOMPARE(list.result(), int(QDialog::Rejected));
    }

    // Sorted by a column; narrowed by the filter, in any column.
    list.table()->sortByColumn(3, Qt::AscendingOrder);
    QCOMPARE(shownRow(list, 0)[3], QString());
    list.table()->sortByColumn(3, Qt::DescendingOrder);
    QCOMPARE(shownRow(list, 0)[3], QStringLiteral("00000006"));
    list.filter()->setText(QStringLiteral("公司3"));
    QCOMPARE(m->rowCount(), 1);
    QCOMPARE(shownRow(list, 0)[0], formType(FormKind::YPBCSQ).title);
    list.filter()->setText(QStringLiteral("再注册"));
    QCOMPARE(m->rowCount(), 2);
    list.filter()->setText(QStringLiteral("无法读取"));
    QCOMPARE(m->rowCount(), 6);
    list.filter()->clear();
    QCOMPARE(m->rowCount(), 12);
}

// Double-click opens the file into its form; 打印 prints it with the check
// code it holds, making no new file, or as Print does when it holds none.
void TestShell::fileListOpensAndPrints()
{
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    const QString folder = ProgramDirectory();
    const QString name = QStringLiteral("再注册_5EC0DE01.MRT");
    const QString path = folder + name;
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(listedDocument(formType(FormKind::YPZZCSQ).typeTag, QStringLiteral("一览药"), QStringLiteral("一览公司"),
                               QStringLiteral("5EC0DE01")));
    }
    auto pick = [&](TFrmFileList::Action action) {
        dlg.modalHandlers.enqueue([=](QDialog *w) {
            auto *list = qobject_cast<TFrmFileList *>(w);
            if (!list || list->windowTitle() != QStringLiteral("申请表一览"))
                return int(QDialog::Rejected);
            const int row = shownRowOf(*list, name);
            if (row < 0)
                return int(QDialog::Rejected);
            if (action == TFrmFileList::Action::Open) {
                list->show();
                if (!QTest::qWaitForWindowExposed(list))
                    return int(QDialog::Rejected);
                QTableView *table = list->table();
                table->scrollTo(table->model()->index(row, 1));
                const QRect cell = table->visualRect(table->model()->index(row, 1));
                // A click first: the view opens a row on a double-click of the row it pressed.
                QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
                QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
            } else {
                list->table()->selectRow(row);
                list->findChild<QPushButton *>(QStringLiteral("btnPrint"))->click();
            }
            return list->result();
        });
    };
    pick(TFrmFileList::Action::Open);
    main.action(QStringLiteral("mnuFileList"))->trigger();
    TEABaseForm *form = main.registered(FormKind::YPZZCSQ);
    QVERIFY(form);
    QCOMPARE(form->helper()->FFileName, path);
    QCOMPARE(form->verifyCodeEdit()->text(), QStringLiteral("5EC0DE01"));
    QVERIFY(dlg.messages.isEmpty());

    // Print: the open form of the type is asked to close; the paper carries
    // the file's own code and no file is written.
    // (Other suites write into the same folder meanwhile: the file itself is
    // compared, and the code is the one it holds, so no other file was made.)
    auto bytesOf = [](const QString &file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray before = bytesOf(path);
    const QDateTime writtenAt = QFileInfo(path).lastModified();
    dlg.modalWindows.clear();
    pick(TFrmFileList::Action::Print);
    dlg.answer({true});
    main.action(QStringLiteral("mnuFileList"))->trigger();
    QCOMPARE(dlg.texts(), QStringList{kCloseQuestion});
    QCOMPARE(dlg.modalWindows, (QStringList{QStringLiteral("申请表一览"), QStringLiteral("预览")}));
    TEABaseForm *printed = main.registered(FormKind::YPZZCSQ);
    QVERIFY(printed && printed != form);
    QCOMPARE(printed->verifyCodeEdit()->text(), QStringLiteral("5EC0DE01"));
    QCOMPARE(printed->report()->FindObject(QStringLiteral("VerifyCode"))->Text(), QStringLiteral("5EC0DE01"));
    QCOMPARE(bytesOf(path), before);
    QCOMPARE(QFileInfo(path).lastModified(), writtenAt);

    // A file without a valid code prints as Print does: a new code, a new file.
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(listedDocument(formType(FormKind::YPZZCSQ).typeTag, QStringLiteral("一览药"), QStringLiteral("一览公司"), {}));
    }
    dlg.messages.clear();
    pick(TFrmFileList::Action::Print);
    dlg.answer({true});
    main.action(QStringLiteral("mnuFileList"))->trigger();
    TEABaseForm *renewed = main.registered(FormKind::YPZZCSQ);
    QVERIFY(renewed);
    const QString code = renewed->verifyCodeEdit()->text();
    QVERIFY(IsCheckCode(code));
    QCOMPARE(dlg.messages.size(), 2);
    QVERIFY(dlg.messages[1].text.startsWith(QStringLiteral("已成功生成报盘文件:") + renewed->DataFileName()));
    QFile::remove(renewed->DataFileName());
    QFile::remove(path);
}

void TestShell::firstControlHasFocus()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    TFrmMain main;
    main.show();
    // Open, then New over it: each time the form's first control has the focus.
    // The opened file binds the form's controls (a copy of the shipped
    // document): a control that no item binds is disabled and takes no focus.
    const QString path = dir.filePath(QStringLiteral("注册_FOCUS.MRT"));
    QVERIFY(QFile::copy(ProgramDirectory() + formType(FormKind::YPZCSQ).configFileName, path));
    dlg.openFiles.enqueue(path);
    main.OpenCommand(FormKind::YPZCSQ);
    TEABaseForm *opened = main.registered(FormKind::YPZCSQ);
    QVERIFY(opened && opened->focusWidget());
    QCOMPARE(opened->focusWidget()->objectName(), QStringLiteral("rdbXY"));
    main.NewCommand(FormKind::YPZCSQ);
    TEABaseForm *fresh = main.registered(FormKind::YPZCSQ);
    QVERIFY(fresh && fresh != opened && fresh->focusWidget());
    QCOMPARE(fresh->focusWidget()->objectName(), QStringLiteral("rdbXY"));
}

void TestShell::saveAndPrintWithoutActiveForm()
{
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    main.action(QStringLiteral("mnuSaveNoExit"))->trigger();
    main.action(QStringLiteral("mnuReport"))->trigger();
    // An active child of another class is ignored as well.
    auto *foreign = main.mdiArea()->addSubWindow(new QWidget);
    foreign->show();
    main.mdiArea()->setActiveSubWindow(foreign);
    main.action(QStringLiteral("mnuSaveNoExit"))->trigger();
    main.action(QStringLiteral("mnuReport"))->trigger();
    QVERIFY(dlg.messages.isEmpty());
    // Import needs a form to fill: without one it is disabled with Save and Print.
    QVERIFY(!main.action(QStringLiteral("mnuImport"))->isEnabled());
    main.action(QStringLiteral("mnuImport"))->trigger();
    QVERIFY(dlg.messages.isEmpty());
    QVERIFY(dlg.fileRequests.isEmpty());
}

// Save and Print, in the menu and on the tool bar, are enabled only while a
// form is open. Print leaves the form unmodified, and its code is on paper:
// a later change is saved over the printed file only on the user's word.
void TestShell::formCommandsNeedAForm()
{
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    auto enabled = [&] {
        QStringList out;
        for (const char *name : {"mnuSaveNoExit", "mnuReport", "mnuImport", "mnuCheck", "mnuClose"}) {
            QAction *a = main.action(QLatin1String(name));
            QWidget *button = main.toolBar()->widgetForAction(a); // 关闭 has none
            if (a->isEnabled() && (!button || button->isEnabled()))
                out << a->objectName();
        }
        return out;
    };
    QCOMPARE(enabled(), QStringList());
    main.action(QStringLiteral("N2"))->trigger();
    QPointer<TEABaseForm> form = main.registered(FormKind::YPZCSQ);
    QVERIFY(form && !form->isWindowModified());
    QCOMPARE(enabled(), (QStringList{"mnuSaveNoExit", "mnuReport", "mnuImport", "mnuCheck", "mnuClose"}));

    form->findChild<QLineEdit *>(QStringLiteral("edtYPTYMC"))->setText(QStringLiteral("甲药"));
    QVERIFY(form->isWindowModified());
    main.mdiArea()->setActiveSubWindow(form);
    dlg.messages.clear();
    main.action(QStringLiteral("mnuReport"))->trigger();
    QVERIFY(dlg.dropPrintQuestion()); // the form is far from filled
    QCOMPARE(dlg.messages.size(), 1);
    QVERIFY(dlg.messages[0].text.startsWith(QStringLiteral("已成功生成报盘文件:")));
    const QString printed = form->DataFileName();
    const QString code = form->verifyCodeEdit()->text();
    QVERIFY(!form->isWindowModified());
    QVERIFY(form->mayBeOnPaper());

    form->findChild<QLineEdit *>(QStringLiteral("edtYPTYMC"))->setText(QStringLiteral("乙药"));
    dlg.messages.clear();
    main.action(QStringLiteral("mnuSaveNoExit"))->trigger();
    QCOMPARE(dlg.messages.size(), 2);
    QCOMPARE(dlg.messages[0].buttons.first(), QStringLiteral("另存为新数据核对码"));
    QVERIFY(form->verifyCodeEdit()->text() != code);
    QVERIFY(QFile::remove(printed));
    QVERIFY(QFile::remove(form->DataFileName()));

    dlg.answer({true});
    QVERIFY(form->AskClose());
    QCOMPARE(enabled(), QStringList());
}

// Starts the helper program that is killed after its form wrote a recovery
// copy; the check code of that form, or empty when it failed.
static QString startChildWithCopy(QProcess &child)
{
    child.start(QStringLiteral(DZSB_RECOVERY_CHILD), {QCoreApplication::applicationName()});
    if (!child.waitForStarted(30000))
        return {};
    while (!child.canReadLine())
        if (!child.waitForReadyRead(120000))
            return {};
    const QByteArray line = child.readLine().trimmed();
    return line.startsWith("READY ") ? QString::fromLatin1(line.mid(6)) : QString();
}

static QStringList recoveryFiles()
{
    return QDir(RecoveryCopy::folder()).entryList(QDir::Files, QDir::Name);
}

// A program killed after an edit leaves its form's recovery copy, which no
// other program offers while the first still runs. The next start offers
// it: "以后再说" keeps it, "恢复" brings it back as an edited form with its
// values and check code, "丢弃" deletes it.
// 检查填写: the panel lists the active form's problems and follows the user's
// finished edits; the status bar sums them up, and counts an attachment
// memo's bytes while it has the focus.
void TestShell::checkPanelFollowsTheUser()
{
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    CheckPanel *panel = main.checkPanel();
    auto *status = main.statusBar()->findChild<QLabel *>(QStringLiteral("Panel3"));
    QVERIFY(status && status->text().isEmpty());
    QVERIFY(!panel->isVisible());

    main.action(QStringLiteral("N2"))->trigger();
    TEABaseForm *form = main.registered(FormKind::YPZCSQ);
    QVERIFY(form);
    QTRY_COMPARE(status->text(), QStringLiteral("已填 0/22 项，22 处问题"));
    QVERIFY(!panel->isVisible()); // the panel waits for the command
    main.action(QStringLiteral("mnuCheck"))->trigger();
    QVERIFY(panel->isVisible());
    QListWidget *list = panel->list();
    QCOMPARE(list->count(), 22);
    QCOMPARE(list->item(2)->text(), QStringLiteral("第一页 · 4.药品名称：必须填写"));

    // A fixed entry leaves the list once the edit is finished, not before.
    auto *name = form->findChild<QLineEdit *>(QStringLiteral("edtYPTYMC"));
    name->setText(QStringLiteral("阿莫西林胶囊"));
    QCoreApplication::processEvents();
    QCOMPARE(list->count(), 22);
    emit name->editingFinished();
    QTRY_COMPARE(list->count(), 21);
    QCOMPARE(status->text(), QStringLiteral("已填 1/22 项，21 处问题"));
    // A choice brings in the details of the chosen button.
    form->findChild<QRadioButton *>(QStringLiteral("rdbZJT"))->click();
    QTRY_COMPARE(status->text(), QStringLiteral("已填 2/25 项，23 处问题"));
    QVERIFY(list->findItems(QStringLiteral("第一页 · 12.制剂 剂型：必须填写"), Qt::MatchExactly).size() == 1);
    // A malformed value is a problem of its own.
    auto *months = form->findChild<QLineEdit *>(QStringLiteral("edtYPYXQ"));
    months->setText(QStringLiteral("两年abc"));
    emit months->editingFinished();
    QTRY_VERIFY(!list->findItems(QStringLiteral("第一页 · 14.药品有效期：应为1到120之间的整数（月数）"), Qt::MatchExactly)
                     .isEmpty());

    // The attachment memo's bytes while it has the focus: line breaks count two.
    auto *memo = form->findChild<QPlainTextEdit *>(QStringLiteral("edtHXCF"));
    memo->setFocus();
    QTRY_COMPARE(status->text(), QStringLiteral("已输入 0/70 字节，超过后移至附页"));
    Controls::setText(memo, QStringLiteral("阿莫西林 250g\r\n克拉维酸钾 62.5g"));
    QCOMPARE(status->text(), QStringLiteral("已输入 31/70 字节，超过后移至附页"));
    // A memo without the attachment rule shows the summary.
    form->findChild<QPlainTextEdit *>(QStringLiteral("edtQTSM"))->setFocus();
    QTRY_VERIFY(status->text().startsWith(QStringLiteral("已填 ")));

    // Without a form, nothing to sum up.
    form->CloseAgreed();
    settle();
    QTRY_COMPARE(status->text(), QString());
    QCOMPARE(list->count(), 0);
}

// Ctrl+W closes the active form through its close question.
void TestShell::closeShortcutAsksFirst()
{
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    main.action(QStringLiteral("N3"))->trigger();
    QPointer<TEABaseForm> form = main.registered(FormKind::YPBCSQ);
    QVERIFY(form);
    main.mdiArea()->setActiveSubWindow(form);
    dlg.messages.clear();
    dlg.answer({false});
    main.action(QStringLiteral("mnuClose"))->trigger();
    QCOMPARE(dlg.texts(), QStringList{kCloseQuestion});
    QVERIFY(form && !form->isClosed());
    dlg.answer({true});
    main.action(QStringLiteral("mnuClose"))->trigger();
    settle();
    QVERIFY(!form);
    QVERIFY(!main.registered(FormKind::YPBCSQ));
    QVERIFY(!main.action(QStringLiteral("mnuClose"))->isEnabled());
}

void TestShell::recoveryCopySurvivesAKill()
{
    ScriptedDialogs dlg;
    QProcess child;
    const QString code = startChildWithCopy(child);
    QVERIFY2(IsCheckCode(code), child.readAllStandardError().constData());
    {
        TFrmMain main;
        main.OfferRecovery();
        QVERIFY(dlg.messages.isEmpty());
    }
    child.kill();
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    const QStringList left = recoveryFiles();
    QCOMPARE(left.filter(QStringLiteral(".MRT")).size(), 1);
    const QString copy = RecoveryCopy::folder() + QLatin1Char('/') + left.filter(QStringLiteral(".MRT")).first();

    TFrmMain main;
    main.show();
    dlg.choices.enqueue(-1); // 以后再说
    main.OfferRecovery();
    QCOMPARE(dlg.messages.size(), 1);
    const RecordedMessage offer = dlg.messages[0];
    QVERIFY(offer.question);
    QCOMPARE(offer.caption, QStringLiteral("恢复未保存的申请表"));
    QCOMPARE(offer.buttons, (QStringList{"恢复", "丢弃", "以后再说"}));
    QVERIFY2(offer.text.startsWith(QStringLiteral("发现上次未正常关闭时保存的“药品注册申请表”（数据核对码 ") + code +
                                   QStringLiteral("，")),
             qPrintable(offer.text));
    QVERIFY(offer.text.endsWith(QStringLiteral("），要恢复吗？")));
    QVERIFY(!main.registered(FormKind::YPZCSQ));
    QVERIFY(QFile::exists(copy));

    dlg.messages.clear();
    dlg.choices.enqueue(0); // 恢复
    main.OfferRecovery();
    QCOMPARE(dlg.messages.size(), 1);
    QPointer<TEABaseForm> form = main.registered(FormKind::YPZCSQ);
    QVERIFY(form);
    QCOMPARE(form->windowTitle(), QStringLiteral("编辑药品注册申请表[*]"));
    QVERIFY(form->isModified());
    QCOMPARE(form->verifyCodeEdit()->text(), code);
    QCOMPARE(form->findChild<QLineEdit *>(QStringLiteral("edtYPTYMC"))->text(), QStringLiteral("Jiayao"));
    QVERIFY(form->findChild<QCheckBox *>(QStringLiteral("ckbFCFY"))->isChecked());
    QVERIFY(!form->mayBeOnPaper());
    QVERIFY(main.action(QStringLiteral("mnuSaveNoExit"))->isEnabled());
    // The form keeps a copy of its own; the one it came from is gone.
    QVERIFY(!QFile::exists(copy));
    QVERIFY(QFile::exists(form->recoveryCopy()));
    // A new document that was never saved: Save asks nothing.
    dlg.messages.clear();
    form->SaveBackup();
    QCOMPARE(dlg.messages.size(), 1);
    QVERIFY(QFile::remove(form->DataFileName()));
    dlg.answer({true});
    QVERIFY(form->AskClose());
    settle();
    QCOMPARE(recoveryFiles(), QStringList());

    // Killed once more; this time the copy is discarded.
    QProcess second;
    QVERIFY(IsCheckCode(startChildWithCopy(second)));
    second.kill();
    QVERIFY(second.waitForFinished(30000));
    QVERIFY(!recoveryFiles().isEmpty());
    dlg.messages.clear();
    dlg.choices.enqueue(1); // 丢弃
    main.OfferRecovery();
    QCOMPARE(dlg.messages.size(), 1);
    QVERIFY(!main.registered(FormKind::YPZCSQ));
    QCOMPARE(recoveryFiles(), QStringList());
}

// A recovery copy that cannot be restored is named with the reason and
// kept or discarded as the user says; the start goes on.
void TestShell::damagedRecoveryCopies()
{
    ScriptedDialogs dlg;
    QVERIFY(QDir().mkpath(RecoveryCopy::folder()));
    auto put = [](const QString &name, const QByteArray &bytes) {
        QFile f(RecoveryCopy::folder() + QLatin1Char('/') + name);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    const QString head = QStringLiteral("上次未正常关闭时保存的恢复副本“") +
                         QDir::toNativeSeparators(RecoveryCopy::folder() + QStringLiteral("/"));
    struct Case {
        QString name;
        QByteArray bytes;
        QString reason;
    };
    const QList<Case> cases{
        {QStringLiteral("注册_cut.MRT"), QByteArray("<?xml version=\"1.0\"?><config><config-type value=\"x\"/>"),
         QStringLiteral("XML文件格式错误")},
        {QStringLiteral("注册_foreign.MRT"), TestDocuments::minimal(QStringLiteral("别的申请")),
         QStringLiteral("文件的类型“别的申请”不是本程序的申请表类型。")},
        {QStringLiteral("注册_empty.MRT"), QByteArray(), QString()},
    };
    TFrmMain main;
    for (const Case &c : cases) {
        QVERIFY(put(c.name, c.bytes));
        for (bool discard : {false, true}) {
            dlg.messages.clear();
            dlg.answer({discard});
            main.OfferRecovery();
            QCOMPARE(dlg.messages.size(), 1);
            const QString text = dlg.messages[0].text;
            QVERIFY2(text.startsWith(head + c.name + QStringLiteral("”已损坏，无法恢复：\r\n") + c.reason), qPrintable(text));
            QVERIFY(text.endsWith(QStringLiteral("\r\n\r\n要丢弃它吗？")));
            QCOMPARE(QFile::exists(RecoveryCopy::folder() + QLatin1Char('/') + c.name), !discard);
        }
        QVERIFY(main.mdiArea()->subWindowList().isEmpty());
    }
    QCOMPARE(recoveryFiles(), QStringList());
}

void TestShell::helpFiles()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    const QString oldCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    auto write = [&](const QString &name, const QString &text) {
        TestDocuments::write(dir, name, CodePage::fromUnicode(text));
    };
    auto texts = [] {
        TFrmKVHelp help;
        QStringList out;
        for (const char *m : {"Memo4", "Memo1", "Memo2", "Memo3", "Memo5"})
            out << help.memo(QString::fromLatin1(m))->toPlainText();
        return out;
    };
    const QString none = QStringLiteral("无可用帮助！");

    // No files at all.
    QCOMPARE(texts(), (QStringList{none, none, none, none, none}));

    // Only "Help.txt" missing; an empty file gives an empty tab.
    write(QStringLiteral("Help1.txt"), QStringLiteral("第一行\r\n第二行\r\n"));
    write(QStringLiteral("Help2.txt"), QStringLiteral("补充"));
    write(QStringLiteral("Help3.txt"), QString());
    write(QStringLiteral("Help4.txt"), QStringLiteral("药包材"));
    QCOMPARE(texts(), (QStringList{none, QStringLiteral("第一行\n第二行"), QStringLiteral("补充"), QString(),
                                   QStringLiteral("药包材")}));

    // A file changed between two openings shows its new text.
    write(QStringLiteral("Help.txt"), QStringLiteral("旧"));
    QCOMPARE(texts().first(), QStringLiteral("旧"));
    write(QStringLiteral("Help.txt"), QStringLiteral("新的帮助"));
    QCOMPARE(texts().first(), QStringLiteral("新的帮助"));

    // A named pipe or a folder of a help file's name is no help file (a pipe
    // would keep the window waiting for a writer); a link to a file is read.
    QVERIFY(QFile::remove(QStringLiteral("Help1.txt")));
    QCOMPARE(::mkfifo("Help1.txt", 0600), 0);
    QVERIFY(QFile::remove(QStringLiteral("Help2.txt")));
    QVERIFY(QDir().mkdir(QStringLiteral("Help2.txt")));
    QVERIFY(QFile::remove(QStringLiteral("Help4.txt")));
    QVERIFY(QFile::link(QStringLiteral("Help.txt"), QStringLiteral("Help4.txt")));
    QCOMPARE(texts(), (QStringList{QStringLiteral("新的帮助"), none, none, QString(), QStringLiteral("新的帮助")}));

    // The window itself, opened from the menu.
    TFrmMain main;
    int seen = 0;
    dlg.modalHandlers.enqueue([&seen](QDialog *w) {
        seen = -1;
        auto *help = qobject_cast<TFrmKVHelp *>(w);
        if (!help || help->size() != QSize(642, 486) || help->pageControl()->currentIndex() != 0)
            return -1;
        if (!centredOnScreen(help))
            return -1;
        QStringList captions;
        for (int i = 0; i < help->pageControl()->count(); ++i)
            captions << help->pageControl()->tabText(i);
        if (captions == QStringList{"★使用帮助", "药品注册申请表", "药品补充申请表", "药品再注册申请表",
                                    "药包材再注册申请表"})
            seen = 1;
        return 0;
    });
    main.action(QStringLiteral("mnuHelp"))->trigger();
    QCOMPARE(dlg.modalWindows, QStringList{QStringLiteral("填写说明")});
    QCOMPARE(seen, 1);
    QVERIFY(dlg.modalHandlers.isEmpty());
    QVERIFY(dlg.messages.isEmpty());
    QDir::setCurrent(oldCurrent);
}

// The shipped help texts decode cleanly and tell each form's own attachment
// rule: every item its print hook moves is named on that form's tab, and the
// form without a hook is said to have no attachment page.
void TestShell::shippedHelpMatchesForms()
{
    auto shipped = [](const QString &name) {
        QFile f(ProgramDirectory() + name);
        if (!f.open(QIODevice::ReadOnly))
            return QString();
        return CodePage::toUnicode(f.readAll());
    };
    const QString general = shipped(QStringLiteral("Help.txt"));
    QVERIFY(general.contains(QStringLiteral("70个字节")));
    QVERIFY(general.contains(QStringLiteral("数据核对码")));
    const QMap<FormKind, QString> tabFile{
        {FormKind::YPZCSQ, QStringLiteral("Help1.txt")},  {FormKind::YPZCSQ_JK, QStringLiteral("Help1.txt")},
        {FormKind::YPBCSQ, QStringLiteral("Help2.txt")},  {FormKind::YPBCSQ_JK, QStringLiteral("Help2.txt")},
        {FormKind::YPZZCSQ, QStringLiteral("Help3.txt")}, {FormKind::YBCZZCSQB, QStringLiteral("Help4.txt")},
    };
    for (const FormType &type : formTypes()) {
        const QString text = shipped(tabFile.value(type.kind));
        QVERIFY2(!text.isEmpty() && !text.contains(QChar::ReplacementCharacter), qPrintable(type.menuCaption));
        const Catalogue catalogue = CatalogueParser::load(type.catalogue);
        const QList<const CatalogueEntry *> attached = catalogue.attachedMemos();
        for (const CatalogueEntry *entry : attached) {
            const QString item = QStringLiteral("第%1项").arg(entry->heading.section(QLatin1Char('.'), 0, 0));
            QVERIFY2(text.contains(item), qPrintable(type.menuCaption + QLatin1Char(' ') + item));
        }
        if (attached.isEmpty())
            QVERIFY(text.contains(QStringLiteral("没有附页")));
    }
}

void TestShell::aboutWindow()
{
    ScriptedDialogs dlg;
    TFrmMain main;
    int seen = 0;
    dlg.modalHandlers.enqueue([&](QDialog *w) {
        seen = w->size() == QSize(317, 293) && centredOnScreen(w) ? 1 : -1;
        auto *greeting = w->findChild<QLabel *>(QStringLiteral("Label1"));
        if (!greeting || greeting->text() != QStringLiteral("谢谢使用本软件!") || greeting->pos() != QPoint(113, 64))
            seen = -1;
        // Every text is whole inside its label, and none is a stand-in.
        for (QLabel *label : w->findChildren<QLabel *>()) {
            if (label->text().isEmpty())
                continue;
            if (label->heightForWidth(label->width()) > label->height() ||
                label->text().contains(QLatin1String("example")))
                seen = -2;
        }
        return 0;
    });
    main.action(QStringLiteral("N11"))->trigger();
    QCOMPARE(dlg.modalWindows, QStringList{QStringLiteral("关于...")});
    QCOMPARE(seen, 1);

    // The release site is configuration beside the program; without it the
    // texts name the regulator's site.
    const QString ini = ProgramDirectory() + QStringLiteral("dzsb.ini");
    QVERIFY(!QFile::exists(ini));
    QCOMPARE(TFrmMain::updateSite(), QStringLiteral("ZQX"));
    {
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Release]\nSite=www.example.org\n");
    }
    const QString configured = TFrmMain::updateSite();
    QFile::remove(ini);
    QCOMPARE(configured, QStringLiteral("www.example.org"));
}

DZSB_TEST_MAIN(TestShell)
#include "test_shell.moc"
