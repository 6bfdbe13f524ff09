// End-to-end tests of the import drug registration form's own points: the
// one-button application class, the hidden agent pair that starts on, the date
// pickers without check boxes, the relations of the controls that differ from
// the domestic form, and the empty signature objects of its template.
#include "CodePage.h"
#include "ControlAdapter.h"
#include "DatePicker.h"
#include "FormClasses.h"
#include "Helpers.h"
#include "ScriptedDialogs.h"
#include "TFrmMain.h"
#include "TestMain.h"
#include "TfrReport.h"
#include "TfrView.h"

#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QRadioButton>
#include <QtTest>

namespace {

const QStringList kDatePickers{"dtpZLDQR", "dtpYBJZ", "dtpZYJZ", "dtpYXBHJZ",
                               "dtpXYQS",  "dtpXYZZ", "dtpCTSRQ", "edtJWSSRQ"};

template <typename T>
T *control(TEABaseForm *form, const QString &name)
{
    T *w = form->findChild<T *>(name);
    if (!w)
        qFatal("no control %s", qPrintable(name));
    return w;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT
private slots:
    void designStateBeforeLoading();
    void newFormButtonsAndRelations();
    void loadedValuesSwitchTheFixedButtons();
    void signatureObjectsPrintEmpty();
};

void TestImport::designStateBeforeLoading()
{
    TFrmYPZCSQ_JK form;
    for (const QString &name : kDatePickers) {
        auto *picker = control<DatePicker>(&form, name);
        QVERIFY2(!picker->showCheckBox() && picker->hasDate(), qPrintable(name));
    }
    auto *dlf = control<QRadioButton>(&form, QStringLiteral("rdbDLF"));
    auto *dlt = control<QRadioButton>(&form, QStringLiteral("rdbDLT"));
    QVERIFY(dlf->isHidden() && dlt->isHidden());
    QVERIFY(dlt->isChecked() && !dlf->isChecked());
    QVERIFY(!control<QRadioButton>(&form, QStringLiteral("rdbJKSQ"))->isChecked());
}

void TestImport::newFormButtonsAndRelations()
{
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    main.NewCommand(FormKind::YPZCSQ_JK);
    TEABaseForm *form = main.registered(FormKind::YPZCSQ_JK);
    QVERIFY(form);
    QVERIFY(dlg.messages.isEmpty());
    QCOMPARE(form->windowTitle(), QStringLiteral("新建药品注册申请表-进口[*]"));

    // The one button of item 1 cannot be switched off by the user.
    auto *jksq = control<QRadioButton>(form, QStringLiteral("rdbJKSQ"));
    jksq->click();
    jksq->click();
    QVERIFY(jksq->isChecked());

    // The agent's fields never wait for a button; the hidden "有" stays on.
    QVERIFY(control<QRadioButton>(form, QStringLiteral("rdbDLT"))->isChecked());
    for (const char *n : {"edtDLMC", "edtDLLXR", "edtJG1MC", "edtJG2MC"}) {
        auto *edit = control<QLineEdit>(form, QLatin1String(n));
        QVERIFY2(edit->isEnabled(), n);
        QCOMPARE(Controls::background(edit), Controls::windowColour());
    }

    // Bound pickers show their check box, cleared for the empty default.
    for (const QString &name : kDatePickers) {
        auto *picker = control<DatePicker>(form, name);
        QVERIFY2(picker->showCheckBox() && !picker->hasDate(), qPrintable(name));
    }

    // Both edits in the blank runs of "局颁" follow it; the English trade
    // name follows "使用"; the packaging plant's fields its "有".
    auto *jb = control<QLineEdit>(form, QStringLiteral("edtJB"));
    auto *jbc = control<QLineEdit>(form, QStringLiteral("edtJBC"));
    QVERIFY(!jb->isEnabled() && !jbc->isEnabled());
    control<QRadioButton>(form, QStringLiteral("rdbJB"))->click();
    QVERIFY(jb->isEnabled() && jbc->isEnabled());
    jbc->setText(QStringLiteral("十二"));
    control<QRadioButton>(form, QStringLiteral("rdbBZZN"))->click();
    QVERIFY(!jbc->isEnabled());
    QCOMPARE(jbc->text(), QString());
    auto *spmce = control<QLineEdit>(form, QStringLiteral("edtSPMCE"));
    QVERIFY(!spmce->isEnabled());
    control<QRadioButton>(form, QStringLiteral("rdbSPMT"))->click();
    QVERIFY(spmce->isEnabled());
    auto *plant = control<QLineEdit>(form, QStringLiteral("edtJG3GJ"));
    QVERIFY(!plant->isEnabled());
    control<QRadioButton>(form, QStringLiteral("rdbJG3T"))->click();
    QVERIFY(plant->isEnabled());
}

void TestImport::loadedValuesSwitchTheFixedButtons()
{
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    main.NewCommand(FormKind::YPZCSQ_JK);
    QPointer<TEABaseForm> form = main.registered(FormKind::YPZCSQ_JK);
    control<QRadioButton>(form, QStringLiteral("rdbJKSQ"))->click();
    form->SaveBackup();
    const QString file = form->DataFileName();
    QByteArray bytes = readFile(file);
    QVERIFY(bytes.contains(CodePage::fromUnicode(QStringLiteral("name=\"SQFL\" value=\"进口药品\""))));
    QVERIFY(bytes.contains(CodePage::fromUnicode(QStringLiteral("name=\"DL\" value=\"有\""))));
    dlg.answer({true});
    QVERIFY(form->AskClose());
    settle();

    // Only a loaded value switches the class off or the agent's "无" on.
    bytes.replace(CodePage::fromUnicode(QStringLiteral("name=\"SQFL\" value=\"进口药品\"")), "name=\"SQFL\" value=\"\"");
    bytes.replace(CodePage::fromUnicode(QStringLiteral("name=\"DL\" value=\"有\"")),
                  CodePage::fromUnicode(QStringLiteral("name=\"DL\" value=\"无\"")));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();
    dlg.openFiles.enqueue(file);
    main.OpenCommand(FormKind::YPZCSQ_JK);
    TEABaseForm *reopened = main.registered(FormKind::YPZCSQ_JK);
    QVERIFY(reopened);
    QVERIFY(!control<QRadioButton>(reopened, QStringLiteral("rdbJKSQ"))->isChecked());
    QVERIFY(control<QRadioButton>(reopened, QStringLiteral("rdbDLF"))->isChecked());
    QVERIFY(!control<QRadioButton>(reopened, QStringLiteral("rdbDLT"))->isChecked());
    QVERIFY(control<QLineEdit>(reopened, QStringLiteral("edtDLMC"))->isEnabled());
    QFile::remove(file);
}

void TestImport::signatureObjectsPrintEmpty()
{
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    main.NewCommand(FormKind::YPZCSQ_JK);
    TEABaseForm *form = main.registered(FormKind::YPZCSQ_JK);
    main.mdiArea()->setActiveSubWindow(form);
    form->SubmitAndPrint();
    dlg.dropPrintQuestion();
    QFile::remove(form->DataFileName());
    QCOMPARE(dlg.messages.size(), 1); // the submission message: no object is missing
    TfrReport *report = form->report();
    for (const char *n : {"edtJG1QZ", "edtJG2QZ", "edtDLLXRQZ"}) {
        TfrView *v = report->FindObject(QLatin1String(n));
        QVERIFY2(v && v->Text().isEmpty(), n);
    }
    QCOMPARE(report->FindObject(QStringLiteral("rdbDLT"))->Text(), QStringLiteral("●"));
    QCOMPARE(report->FindObject(QStringLiteral("rdbDLF"))->Text(), QStringLiteral("○"));
    QCOMPARE(report->FindObject(QStringLiteral("rdbJKSQ"))->Text(), QStringLiteral("○"));
    QCOMPARE(report->PreparedSheets().size(), 3);
}

DZSB_TEST_MAIN(TestImport)
#include "test_import.moc"
