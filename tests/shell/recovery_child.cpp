// recovery_child: a program for the recovery test of test_shell, not a test.
// It runs the main window as the program does, starts a new domestic
// registration form, types a drug name and ticks a box as a user would,
// says "READY <check code>" on its standard output once the form has written
// its recovery copy, and then waits to be killed.
// Usage: recovery_child <application name>   (the parent's, so that both
// use the same recovery folder)
#include "FormClasses.h"
#include "ScriptedDialogs.h"
#include "TEABaseForm.h"
#include "TFrmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 1)
        QCoreApplication::setApplicationName(QString::fromLocal8Bit(argv[1]));
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    main.NewCommand(FormKind::YPZCSQ);
    TEABaseForm *form = main.registered(FormKind::YPZCSQ);
    if (!form)
        return 2;
    main.activateWindow();
    if (!QTest::qWaitForWindowActive(&main))
        return 3;
    auto *name = form->findChild<QLineEdit *>(QStringLiteral("edtYPTYMC"));
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("Jiayao"));
    QTest::keyClick(name, Qt::Key_Return);
    auto *box = form->findChild<QCheckBox *>(QStringLiteral("ckbFCFY"));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    if (form->recoveryCopy().isEmpty() || !dlg.messages.isEmpty())
        return 4;
    std::printf("READY %s\n", qPrintable(form->verifyCodeEdit()->text()));
    std::fflush(stdout);
    return app.exec();
}
