// Tests of the main window and the help and about windows, driven through
// the scripted dialogs: the menu and tool bar, New/Open/Save/Print with the
// open-form registry, Exit and closing, the view toggles, the help files,
// and where the help and about windows open.
#include "FormClasses.h"
#include "FormTypes.h"
#include "Helpers.h"
#include "ScriptedDialogs.h"
#include "TFrmKVAbout.h"
#include "TFrmKVHelp.h"
#include "TFrmMain.h"
#include "TestDocuments.h"
#include "TestMain.h"
#include "CodePage.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

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
    void firstControlHasFocus();
    void saveAndPrintWithoutActiveForm();
    void helpFiles();
    void shippedHelpMatchesForms();
    void aboutWindow();
};

void TestShell::menuItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("hasImage");
    QTest::newRow("F1") << "F1" << "文件(&F)" << false;
    QTest::newRow("N1") << "N1" << "新建(&N)" << true;
    QTest::newRow("N2") << "N2" << "药品注册申请表-境内" << false;
    QTest::newRow("N3") << "N3" << "药品补充申请表-境内" << false;
    QTest::newRow("N4") << "N4" << "药品再注册申请表" << false;
    QTest::newRow("N12") << "N12" << "药品注册申请表-进口" << false;
    QTest::newRow("N13") << "N13" << "药品补充申请表-进口" << false;
    QTest::newRow("N17") << "N17" << "药包材再注册申请" << false;
    QTest::newRow("mnuOpen") << "mnuOpen" << "打开(&O)" << true;
    QTest::newRow("N6") << "N6" << "药品注册申请表-境内" << false;
    QTest::newRow("N18") << "N18" << "药包材再注册申请" << false;
    QTest::newRow("save") << "mnuSaveNoExit" << "保存(&S)" << true;
    QTest::newRow("print") << "mnuReport" << "打印(&P)" << true;
    QTest::newRow("P1") << "P1" << "打印设置...(&T)" << false;
    QTest::newRow("Q1") << "Q1" << "退出(&Q)" << false;
    QTest::newRow("V1") << "V1" << "查看(&V)" << false;
    QTest::newRow("N10") << "N10" << "状态栏" << false;
    QTest::newRow("N9") << "N9" << "工具栏" << false;
    QTest::newRow("H1") << "H1" << "帮助(&H)" << false;
    QTest::newRow("mnuHelp") << "mnuHelp" << "填写帮助" << true;
    QTest::newRow("N11") << "N11" << "关于..." << false;
}

void TestShell::menuItems()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, hasImage);
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
            QCOMPARE(dropDown->actions().size(), 6);
        }
    }
    QCOMPARE(order, (QStringList{"N1", "-", "mnuOpen", "-", "mnuSaveNoExit", "-", "mnuReport", "-", "mnuHelp", "-"}));

    auto *p1 = main.statusBar()->findChild<QLabel *>(QStringLiteral("Panel1"));
    auto *p2 = main.statusBar()->findChild<QLabel *>(QStringLiteral("Panel2"));
    QVERIFY(p1 && p2);
    QCOMPARE(p1->text(), QStringLiteral("版本日期：[2004年6月10日]"));
    QCOMPARE(p1->width(), 200);
    QVERIFY(p2->text().startsWith(QStringLiteral("   在填写申请表前请务必确认本软件为最新版本！ 最新版本请到")));
    QVERIFY(p2->text().endsWith(TFrmMain::updateSite() + QStringLiteral("网站下载")));
    QCOMPARE(p2->width(), 700);
    QCOMPARE(main.statusBar()->height(), 19);
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
    QCOMPARE(caption, QStringLiteral("编辑药品注册申请表"));
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
        for (const HookEntry &entry : type.hookEntries) {
            const QString item = QStringLiteral("第%1项").arg(entry.heading.section(QLatin1Char('.'), 0, 0));
            QVERIFY2(text.contains(item), qPrintable(type.menuCaption + QLatin1Char(' ') + item));
        }
        if (!type.hasPrintHook)
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
