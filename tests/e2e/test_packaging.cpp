// End-to-end tests of the packaging-material re-registration form with its
// configuration document: the never-shown third button of the standard
// group (loaded, cleared by a visible choice, printed without a message,
// while a missing object of any shown button is still reported), the
// relations of the document, and a grid value too long for its box.
#include "ControlAdapter.h"
#include "FormClasses.h"
#include "Helpers.h"
#include "PrintFixture.h"
#include "ScriptedDialogs.h"
#include "TFrmMain.h"
#include "TUIHelper.h"
#include "TestMain.h"
#include "TfrPage.h"
#include "TfrReport.h"
#include "TfrView.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

template <typename T>
T *control(TEABaseForm *form, const char *name)
{
    T *w = form->findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

// The form type's configuration document with one field's value set.
QByteArray documentWith(const QByteArray &field, const QByteArray &value)
{
    QFile f(ProgramDirectory() + formType(FormKind::YBCZZCSQB).configFileName);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read the configuration document");
    QByteArray bytes = f.readAll();
    const QByteArray empty = "<field name=\"" + field + "\" value=\"\"/>";
    if (!bytes.contains(empty))
        qFatal("no field %s", field.constData());
    return bytes.replace(empty, "<field name=\"" + field + "\" value=\"" + value + "\"/>");
}

// Removes the named object from the template's pages.
void dropObject(TfrReport *report, const QString &name)
{
    TfrPages &pages = report->Pages();
    for (int p = 0; p < pages.Count(); ++p) {
        const auto &objects = pages[p].Objects();
        for (int i = 0; i < objects.size(); ++i)
            if (objects[i]->Name.compare(name, Qt::CaseInsensitive) == 0) {
                pages[p].Delete(i);
                return;
            }
    }
    qFatal("no object %s", qPrintable(name));
}

} // namespace

class TestPackaging : public QObject {
    Q_OBJECT
private slots:
    void hiddenStandardButton();
    void missingObjectsOfShownButtonsAreReported();
    void relations();
    void overlongGridValueIsNamed();
};

void TestPackaging::hiddenStandardButton()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hidden.MRT"));
    {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(documentWith("ZXBZ", "3"));
    }
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    dlg.openFiles.enqueue(path);
    main.OpenCommand(FormKind::YBCZZCSQB);
    TEABaseForm *form = main.registered(FormKind::YBCZZCSQB);
    QVERIFY(form);
    QVERIFY2(dlg.messages.isEmpty(), qPrintable(dlg.texts().join(QLatin1Char('|'))));
    main.mdiArea()->setActiveSubWindow(form);

    // The stored key switches the never-shown button on; neither shown
    // button of item 7 is on, and nothing on screen shows the choice.
    auto *hidden = control<QRadioButton>(form, "rdbZGYD");
    auto *national = control<QRadioButton>(form, "rdbJBg");
    auto *enterprise = control<QRadioButton>(form, "rdbJB");
    QVERIFY(hidden->isChecked());
    QVERIFY(!national->isChecked() && !enterprise->isChecked());
    QVERIFY(hidden->isHidden());
    QVERIFY(!hidden->isVisible() && national->isVisible());
    QCOMPARE(hidden->group(), national->group());
    QVERIFY(!control<QLineEdit>(form, "edtZGYD")->isEnabled());

    // Printing: the button has no object and no message; both shown marks empty.
    dlg.messages.clear();
    form->SubmitAndPrint();
    dlg.dropPrintQuestion();
    const QString printed = form->DataFileName();
    QCOMPARE(dlg.messages.size(), 1); // the submission message alone
    QVERIFY(!form->report()->FindObject(QStringLiteral("rdbZGYD")));
    QCOMPARE(form->report()->FindObject(QStringLiteral("rdbJBg"))->Text(), QStringLiteral("○"));
    QCOMPARE(form->report()->FindObject(QStringLiteral("rdbJB"))->Text(), QStringLiteral("○"));

    // Choosing a shown button clears the hidden one, and the file keeps that choice.
    national->click();
    QVERIFY(!hidden->isChecked());
    QVERIFY(control<QLineEdit>(form, "edtZGYD")->isEnabled());
    form->SaveBackup();
    QCOMPARE(form->helper()->Document()->FieldValue(QStringLiteral("ZXBZ")), QStringLiteral("1"));
    QFile::remove(form->DataFileName());
    QFile::remove(printed);
}

void TestPackaging::missingObjectsOfShownButtonsAreReported()
{
    // A button on the current page and one on a page not shown at the moment:
    // both are shown controls, so their missing objects are named.
    FormFixture f(FormKind::YBCZZCSQB);
    QVERIFY(f.form);
    QVERIFY(!control<QRadioButton>(f.form, "rdbJG4T")->isVisible());
    dropObject(f.form->report(), QStringLiteral("rdbJB"));
    dropObject(f.form->report(), QStringLiteral("rdbJG4T"));
    f.print();
    // Both are named in one message of their kind.
    QCOMPARE(f.warnings(), QStringList({QStringLiteral("控件未找到！ rdbJB\r\n\r\n（同类提示共2条，不再逐条显示；涉及：rdbJB、rdbJG4T。）")}));
}

void TestPackaging::relations()
{
    FormFixture f(FormKind::YBCZZCSQB);
    TEABaseForm *form = f.form;
    QVERIFY(form);
    QVERIFY(f.dlg.messages.isEmpty());

    // Item 7: each shown button opens its own number and closes the other's.
    auto *national = control<QLineEdit>(form, "edtZGYD");
    auto *enterprise = control<QLineEdit>(form, "edtJB");
    QVERIFY(!national->isEnabled() && !enterprise->isEnabled());
    control<QRadioButton>(form, "rdbJBg")->click();
    national->setText(QStringLiteral("YBB00012002"));
    control<QRadioButton>(form, "rdbJB")->click();
    QVERIFY(!national->isEnabled() && enterprise->isEnabled());
    QCOMPARE(national->text(), QString());

    // Item 10: three separate pairs.
    control<QRadioButton>(form, "rdbBGXMCFT")->click();
    control<QRadioButton>(form, "rdbBGXMGYF")->click();
    control<QRadioButton>(form, "rdbBGXMBZT")->click();
    QVERIFY(control<QRadioButton>(form, "rdbBGXMCFT")->isChecked());
    QVERIFY(control<QRadioButton>(form, "rdbBGXMGYF")->isChecked());

    // Item 11: the fifteen lines open with "是" and close, emptied, with "否";
    // there is no sixteenth line.
    auto *first = control<QLineEdit>(form, "edtQTSLH1");
    auto *state = control<QComboBox>(form, "edtQTSP15");
    QVERIFY(!first->isEnabled() && !state->isEnabled());
    control<QRadioButton>(form, "rdbBQTBGT")->click();
    QVERIFY(first->isEnabled() && state->isEnabled());
    QVERIFY(state->count() > 1);
    first->setText(QStringLiteral("CXB20040123"));
    Controls::setSelectedIndex(state, 1);
    control<QRadioButton>(form, "rdbQTBGF")->click();
    QVERIFY(!first->isEnabled() && !state->isEnabled());
    QCOMPARE(first->text(), QString());
    QVERIFY(!form->findChild<QWidget *>(QStringLiteral("edtQTSLH16")));

    // Items 12 to 14: the applicant's two kinds exclude each other, the
    // payment box is apart; the manufacturer is always open; the agent's
    // fields wait for "有".
    control<QRadioButton>(form, "rdbJG1F")->click();
    control<QCheckBox>(form, "ckbJG1JF")->click();
    control<QRadioButton>(form, "rdbJG1T")->click();
    QVERIFY(!control<QRadioButton>(form, "rdbJG1F")->isChecked());
    QVERIFY(control<QCheckBox>(form, "ckbJG1JF")->isChecked());
    QVERIFY(control<QLineEdit>(form, "edtJG2MC")->isEnabled());
    QVERIFY(!control<QLineEdit>(form, "edtJG4MC")->isEnabled());
    QVERIFY(!control<QCheckBox>(form, "ckbJG4JF")->isEnabled());
    control<QRadioButton>(form, "rdbJG4T")->click();
    QVERIFY(control<QLineEdit>(form, "edtJG4MC")->isEnabled());
    QVERIFY(control<QCheckBox>(form, "ckbJG4JF")->isEnabled());
}

void TestPackaging::overlongGridValueIsNamed()
{
    // No print hook: a value too long for its box stays on the sheet and the
    // user is told which one it is; no attachment page is added.
    FormFixture f(FormKind::YBCZZCSQB);
    control<QRadioButton>(f.form, "rdbBQTBGT")->click();
    // Over the two lines of the grid's cell.
    control<QLineEdit>(f.form, "edtQTSX5")
        ->setText(QStringLiteral("变更直接接触药品的包装材料或者容器的生产地址及生产工艺、质量标准，"
                                 "并相应修订药包材注册标准"));
    control<QLineEdit>(f.form, "edtQTSX6")->setText(QStringLiteral("变更注册地址"));
    f.print();
    QCOMPARE(f.attachmentPages(), 0);
    QCOMPARE(f.sheets().size(), f.templatePages());
    QCOMPARE(f.warnings().size(), 1);
    const QStringList lines = f.warnings()[0].split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].startsWith(QStringLiteral("下列填写内容超出打印位置")));
    QVERIFY2(lines[1].startsWith(QStringLiteral("11.")) && lines[1].contains(QStringLiteral("第5行")) &&
                 lines[1].contains(QStringLiteral("补充申请事项或其他变更申请")),
             qPrintable(lines[1]));
}

DZSB_TEST_MAIN(TestPackaging)
#include "test_packaging.moc"
