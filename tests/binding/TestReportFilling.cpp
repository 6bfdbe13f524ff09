#include "TestReportFilling.h"

#include "BindingFixture.h"
#include "ControlAdapter.h"
#include "DatePicker.h"
#include "ScriptedDialogs.h"
#include "TUIHelper.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrReport.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QtTest>

namespace {

// A one-page report with a memo of each given name, holding its name as text.
void addObjects(TfrReport &report, const QStringList &names)
{
    if (report.Pages().Count() == 0)
        report.Pages().Add();
    int top = 10;
    for (const QString &n : names) {
        auto *m = new TfrMemoView;
        m->Name = n;
        m->SetBounds(10, top, 300, 18);
        top += 20;
        m->SetText(QStringLiteral("tpl-") + n);
        report.Pages()[0].Add(m);
    }
}

QString textOf(const TfrReport &report, const QString &name)
{
    TfrView *v = report.FindObject(name);
    return v ? v->Text() : QStringLiteral("<none>");
}

const QString kRadioItems = QStringLiteral(
    "<group type=\"RadioGroup\" name=\"grpSex\" %1>"
    "<item key=\"男\" name=\"rdbMale\"/><item key=\"%2\" name=\"rdbFemale\"/><item key=\"其他\" name=\"rdbOther\"/>"
    "</group>");
const QString kCheckItems = QStringLiteral(
    "<group type=\"CheckGroup\" name=\"grpOpt\" Field=\"opt\">"
    "<item key=\"A\" name=\"ckbOptA\"/><item key=\"%1\" name=\"ckbOptB\"/><item name=\"ckbOptC\"/>"
    "</group>");

} // namespace

void TestReportFilling::marks_data()
{
    QTest::addColumn<QString>("items");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QStringList>("expected"); // texts of rdbMale, rdbFemale, rdbOther, ckbOptA, ckbOptB, ckbOptC
    const QString radio = kRadioItems.arg(QStringLiteral("Field=\"sex\""), QStringLiteral("女"));
    const QString sameKey = kRadioItems.arg(QStringLiteral("Field=\"sex\""), QStringLiteral("男"));
    const QString noField = kRadioItems.arg(QString(), QStringLiteral("女"));
    const QString check = kCheckItems.arg(QStringLiteral("b"));
    const QString emptyKey = kCheckItems.arg(QString());
    QTest::newRow("radio value matching no key")
        << radio + check << "<f name=\"sex\" value=\"未知\"/><f name=\"opt\" value=\"\"/>"
        << QStringList{"○", "○", "○", "□", "□", "tpl-ckbOptC"};
    QTest::newRow("radio key and check keys, any case")
        << radio + check << "<f name=\"sex\" value=\"女\"/><f name=\"opt\" value=\"B|$$|a\"/>"
        << QStringList{"○", "●", "○", "■", "■", "tpl-ckbOptC"};
    QTest::newRow("two radio items with one key")
        << sameKey + check << "<f name=\"sex\" value=\"男\"/><f name=\"opt\" value=\"A\"/>"
        << QStringList{"●", "●", "○", "■", "□", "tpl-ckbOptC"};
    QTest::newRow("empty check value, no empty key")
        << radio + check << "<f name=\"sex\" value=\"\"/><f name=\"opt\" value=\"\"/>"
        << QStringList{"○", "○", "○", "□", "□", "tpl-ckbOptC"};
    QTest::newRow("empty check value, an empty key")
        << radio + emptyKey << "<f name=\"sex\" value=\"\"/><f name=\"opt\" value=\"\"/>"
        << QStringList{"○", "○", "○", "□", "■", "tpl-ckbOptC"};
    QTest::newRow("radio group without Field keeps the template")
        << noField + check << "<f name=\"opt\" value=\"A\"/>"
        << QStringList{"tpl-rdbMale", "tpl-rdbFemale", "tpl-rdbOther", "■", "□", "tpl-ckbOptC"};
}

void TestReportFilling::marks()
{
    QFETCH(QString, items);
    QFETCH(QString, fields);
    QFETCH(QStringList, expected);
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    TestForm form;
    TUIHelper helper(&form);
    QVERIFY(loadDocument(helper, dir, makeDocument(QString(), items, fields).toUtf8()));
    // Loading said that ckbOptC has no key; the fill itself says nothing.
    QCOMPARE(dlg.texts(), QStringList{QStringLiteral("CheckBoxItem:\"ckbOptC\"没有Key。")});
    dlg.messages.clear();
    TfrReport report;
    const QStringList names{"rdbMale", "rdbFemale", "rdbOther", "ckbOptA", "ckbOptB", "ckbOptC"};
    addObjects(report, names);
    helper.SetReport(&report);
    helper.FillReport();
    QStringList texts;
    for (const QString &n : names)
        texts << textOf(report, n);
    QCOMPARE(texts, expected);
    // Marks are written without the text-only flag.
    QVERIFY(!(report.FindObject(QStringLiteral("rdbMale"))->Flags & 0x10));
    QVERIFY(dlg.messages.isEmpty());
}

void TestReportFilling::plainItems()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    TestForm form;
    TUIHelper helper(&form);
    const QString items = QStringLiteral(
        "<i type=\"Edit\" name=\"edtName\" Field=\"name\"/>"
        "<i type=\"Memo\" name=\"memNote\" Field=\"note\"/>"
        "<i type=\"CheckBox\" name=\"ckbUrgent\" Field=\"urgent\"/>"
        "<i type=\"Date\" name=\"dtpDate\" Field=\"date\"/>"
        "<i type=\"ComboBox\" name=\"cbxKind\" Field=\"kind\"><c key=\"甲\"/><c key=\"乙\"/></i>"
        "<i name=\"edtDep1\" Field=\"dep\"/>"      // no type: not printed
        "<i type=\"Edit\" name=\"edtDep2\"/>");    // no Field: printed empty
    const QString fields = QStringLiteral(
        "<f name=\"name\" value=\"[PAGE#] 药\"/><f name=\"note\" value=\"\"/>"
        "<f name=\"urgent\" value=\"-1\"/><f name=\"date\" value=\"\"/><f name=\"kind\" value=\"乙\"/>"
        "<f name=\"dep\" value=\"x\"/>");
    QVERIFY(loadDocument(helper, dir, makeDocument(QString(), items, fields).toUtf8()));
    // The controls differ from the document: a memo and a check box print
    // their current state, the others the stored value.
    Controls::setText(form.control(QStringLiteral("memNote")), QStringLiteral("第一行\r\n第二行"));
    Controls::setChecked(form.control(QStringLiteral("ckbUrgent")), false);
    Controls::setText(form.control(QStringLiteral("edtName")), QStringLiteral("not saved yet"));
    TfrReport report;
    addObjects(report, {"edtName", "memNote", "ckbUrgent", "dtpDate", "cbxKind", "edtDep1", "edtDep2"});
    helper.SetReport(&report);
    helper.FillReport();
    QCOMPARE(textOf(report, "edtName"), QStringLiteral("[PAGE#] 药"));
    QCOMPARE(report.FindObject("memNote")->Memo(), (QStringList{"第一行", "第二行"}));
    QCOMPARE(textOf(report, "ckbUrgent"), QStringLiteral("□"));
    QCOMPARE(textOf(report, "dtpDate"), QString());
    QCOMPARE(textOf(report, "cbxKind"), QStringLiteral("乙"));
    QCOMPARE(textOf(report, "edtDep1"), QStringLiteral("tpl-edtDep1"));
    QCOMPARE(textOf(report, "edtDep2"), QString());
    for (const char *n : {"edtName", "memNote", "ckbUrgent", "dtpDate", "cbxKind", "edtDep2"})
        QVERIFY2(report.FindObject(QLatin1String(n))->Flags & 0x10, n); // text only
    QVERIFY(!(report.FindObject("edtDep1")->Flags & 0x10));
    // The brackets print literally once prepared.
    QVERIFY(report.PrepareReport());
    QVERIFY(report.PreparedSheets().first().plainText().contains(QStringLiteral("[PAGE#] 药")));
    QVERIFY(dlg.messages.isEmpty());
}

void TestReportFilling::missingObjects()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    TestForm form;
    TUIHelper helper(&form);
    const QString items = kRadioItems.arg(QStringLiteral("Field=\"sex\""), QStringLiteral("女")) +
                          QStringLiteral("<i type=\"Edit\" name=\"edtName\" Field=\"name\"/>"
                                         "<i type=\"Edit\" name=\"edtGone\" Field=\"name\"/>"
                                         "<i type=\"Edit\" name=\"edtSub\" Field=\"name\"/>");
    QVERIFY(loadDocument(helper, dir, makeDocument(QString(), items, QStringLiteral("<f name=\"name\" value=\"v\"/>")).toUtf8()));
    TfrReport report;
    // rdbFemale and edtName have no report object; edtGone has no control.
    addObjects(report, {"rdbMale", "rdbOther", "edtGone", "edtSub"});
    helper.SetReport(&report);
    helper.FillReport();
    // One message per kind, the first in full, with how often and for what.
    QCOMPARE(dlg.texts(), (QStringList{QStringLiteral("控件未找到！ rdbFemale\r\n\r\n"
                                                      "（同类提示共2条，不再逐条显示；涉及：rdbFemale、edtGone。）"),
                                       QStringLiteral("报表控件未找到！ edtName")}));
    // Filling went on past each of them.
    QCOMPARE(textOf(report, "rdbOther"), QStringLiteral("○"));
    QCOMPARE(textOf(report, "edtSub"), QStringLiteral("v"));
    QCOMPARE(textOf(report, "edtGone"), QStringLiteral("tpl-edtGone"));
}

void TestReportFilling::fillChangesOnlyTheReport()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    TestForm form;
    TUIHelper helper(&form);
    const QString items = kCheckItems.arg(QStringLiteral("b")) +
                          QStringLiteral("<i type=\"Memo\" name=\"memNote\" Field=\"note\"/>"
                                         "<i type=\"CheckBox\" name=\"ckbUrgent\" Field=\"urgent\"/>");
    QVERIFY(loadDocument(helper, dir, makeDocument(QString(), items,
                                                   QStringLiteral("<f name=\"opt\" value=\"A\"/><f name=\"note\"/><f name=\"urgent\" value=\"0\"/>")).toUtf8()));
    Controls::setText(form.control(QStringLiteral("memNote")), QStringLiteral("新的"));
    Controls::setChecked(form.control(QStringLiteral("ckbUrgent")), true);
    const QByteArray before = helper.Document()->serialize();
    TfrReport report;
    addObjects(report, {"ckbOptA", "ckbOptB", "memNote", "ckbUrgent"});
    helper.SetReport(&report);
    helper.FillReport();
    helper.FillReport(); // a second fill overwrites the first
    QCOMPARE(helper.Document()->serialize(), before);
    QCOMPARE(Controls::text(form.control(QStringLiteral("memNote"))), QStringLiteral("新的"));
    QVERIFY(Controls::isChecked(form.control(QStringLiteral("ckbUrgent"))));
    QVERIFY(Controls::isChecked(form.control(QStringLiteral("ckbOptA"))));
    QCOMPARE(textOf(report, "ckbUrgent"), QStringLiteral("■"));
    QCOMPARE(textOf(report, "memNote"), QStringLiteral("新的"));
}
