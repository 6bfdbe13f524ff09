// Tests of the value binding on real widgets: every data item kind from the
// document into its controls and back, and the control relations.
#include "TestControlBinding.h"

#include "AppError.h"
#include "Base64.h"
#include "BindingFixture.h"
#include "CodePage.h"
#include "CommandGuard.h"
#include "ControlAdapter.h"
#include "DatePicker.h"
#include "ScriptedDialogs.h"
#include "TUIHelper.h"
#include "ValueRules.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QLocale>
#include <QTextCursor>
#include <QtTest>

namespace {

const QString kRadioItems = QStringLiteral(
    "<g type=\"RadioGroup\" Field=\"sex\" name=\"grpSex\"><r key=\"M\" name=\"rdbMale\"/>"
    "<r key=\"F\" name=\"rdbFemale\"/><r key=\"O\" name=\"rdbOther\"/></g>");
const QString kCheckItems = QStringLiteral(
    "<g type=\"CheckGroup\" Field=\"opt\" name=\"grpOpt\"><c key=\"A\" name=\"ckbOptA\"/>"
    "<c key=\"B\" name=\"ckbOptB\"/><c key=\"C\" name=\"ckbOptC\"/></g>");

// "name:state;name:state" applied in order.
void applyStates(TestForm &form, const QString &states)
{
    for (const QString &entry : states.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype colon = entry.indexOf(QLatin1Char(':'));
        applyState(form.control(entry.left(colon)), entry.mid(colon + 1));
    }
}

// "radio=MFO check=ABC" as 0/1 digits.
QString groupState(const TestForm &form)
{
    QString radio, check;
    for (const char *n : {"rdbMale", "rdbFemale", "rdbOther"})
        radio += Controls::isChecked(form.control(QLatin1String(n))) ? u'1' : u'0';
    for (const char *n : {"ckbOptA", "ckbOptB", "ckbOptC"})
        check += Controls::isChecked(form.control(QLatin1String(n))) ? u'1' : u'0';
    return QStringLiteral("radio=%1 check=%2").arg(radio, check);
}

// describe() plus E/D for enabled, and W/G for an edit's window or grey background.
QString fullState(const QObject *control)
{
    auto *w = static_cast<const QWidget *>(control);
    QString s = describe(control) + (w->isEnabled() ? QStringLiteral(" E") : QStringLiteral(" D"));
    if (Controls::kindOf(control) == ControlKind::Edit) {
        const QColor bg = Controls::background(w);
        s += bg == Controls::windowColour() ? QStringLiteral(" W")
            : bg == Controls::buttonFaceColour() ? QStringLiteral(" G") : QString();
    }
    return s;
}

QByteArray utf8(const QString &s) { return s.toUtf8(); }

} // namespace

// ---------------------------------------------------------------------------

void TestControlBinding::plainBinding_data()
{
    QTest::addColumn<QString>("items");
    QTest::addColumn<QString>("value"); // "value" attribute of field "f"; "<absent>" for none
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("messages");

    const QString edit = QStringLiteral("<i type=\"Edit\" Field=\"f\" name=\"edtName\"/>");
    const QString check = QStringLiteral("<i type=\"CheckBox\" Field=\"f\" name=\"ckbOptA\"/>");
    const QString date = QStringLiteral("<i type=\"Date\" Field=\"f\" name=\"dtpDate\"/>");
    const QString memo = QStringLiteral("<i type=\"Memo\" Field=\"f\" name=\"memNote\"/>");
    const QString combo = QStringLiteral(
        "<i type=\"ComboBox\" Field=\"f\" name=\"cbxKind\"><c key=\"甲\"/><c key=\"Beta\"/><c/><c key=\"丙\"/></i>");
    const QString badBool = QStringLiteral("Field\"f\"的值:\"%1\"不是布尔型格式，\r\n正确格式应为：0, -1");
    const QString badDate = QStringLiteral("日期:\"%1\"的日期格式不对，请检查字段:\"f\"，\r\n在您修改这个日期之前，保存时原样保留文件中的内容。");
    const QString old = QStringLiteral("text=old");

    QTest::newRow("edit takes value") << edit << "张三" << "edtName" << old << "text=张三" << QStringList();
    QTest::newRow("edit cleared by empty value") << edit << "" << "edtName" << old << "text=" << QStringList();
    QTest::newRow("absent value reads empty") << edit << "<absent>" << "edtName" << old << "text=" << QStringList();
    QTest::newRow("item without type is plain") << "<i Field=\"f\" name=\"edtName\"/>" << "x" << "edtName" << old << "text=x" << QStringList();
    QTest::newRow("plain item without Field untouched") << "<i type=\"Edit\" name=\"edtName\"/>" << "x" << "edtName" << old << old << QStringList();
    QTest::newRow("plain item without name skipped") << "<i type=\"Edit\" Field=\"f\"/>" << "x" << "edtName" << old << old << QStringList();
    QTest::newRow("missing control, no message") << "<i type=\"Edit\" Field=\"f\" name=\"edtGhost\"/>" << "x" << "edtName" << old << old << QStringList();
    QTest::newRow("name ignores case") << "<i Field=\"f\" name=\"EdtNAME\"/>" << "x" << "edtName" << old << "text=x" << QStringList();
    QTest::newRow("first control of a name wins") << "<i Field=\"f\" name=\"edtname\"/>" << "x" << "EDTNAME" << old << old << QStringList();
    QTest::newRow("Field naming no entry reads empty") << "<i Field=\"fX\" name=\"edtName\"/>" << "x" << "edtName" << old << "text=" << QStringList();

    QTest::newRow("bool 1") << check << "1" << "ckbOptA" << "off" << "on" << QStringList();
    QTest::newRow("bool -1") << check << "-1" << "ckbOptA" << "off" << "on" << QStringList();
    QTest::newRow("bool True") << check << "True" << "ckbOptA" << "off" << "on" << QStringList();
    QTest::newRow("bool tRUE") << check << "tRUE" << "ckbOptA" << "off" << "on" << QStringList();
    QTest::newRow("bool 2.5") << check << "2.5" << "ckbOptA" << "off" << "on" << QStringList();
    QTest::newRow("bool spaced number") << check << " 7 " << "ckbOptA" << "off" << "on" << QStringList();
    QTest::newRow("bool 0") << check << "0" << "ckbOptA" << "on" << "off" << QStringList();
    QTest::newRow("bool 0.000") << check << "0.000" << "ckbOptA" << "on" << "off" << QStringList();
    QTest::newRow("bool FALSE") << check << "FALSE" << "ckbOptA" << "on" << "off" << QStringList();
    QTest::newRow("bool empty") << check << "" << "ckbOptA" << "on" << "off" << QStringList();
    QTest::newRow("bool single space") << check << " " << "ckbOptA" << "on" << "off" << QStringList();
    QTest::newRow("bool control first char is blank") << check << "&#9;1" << "ckbOptA" << "on" << "off" << QStringList();
    QTest::newRow("bool garbage") << check << "garbage" << "ckbOptA" << "on" << "off" << QStringList{badBool.arg("garbage")};
    QTest::newRow("bool two spaces") << check << "  " << "ckbOptA" << "on" << "off" << QStringList{badBool.arg("  ")};
    QTest::newRow("bool padded word") << check << " True" << "ckbOptA" << "on" << "off" << QStringList{badBool.arg(" True")};

    const QString preset = QStringLiteral("date=2000-01-01");
    QTest::newRow("date short format") << date << "2024/5/1" << "dtpDate" << preset << "date=2024-05-01" << QStringList();
    QTest::newRow("date leading zeros") << date << "2024/05/01" << "dtpDate" << preset << "date=2024-05-01" << QStringList();
    QTest::newRow("date empty") << date << "" << "dtpDate" << preset << "nodate" << QStringList();
    QTest::newRow("date single space") << date << " " << "dtpDate" << preset << "nodate" << QStringList();
    QTest::newRow("date ISO") << date << "2024-05-01" << "dtpDate" << preset << "date=2024-05-01" << QStringList();
    QTest::newRow("date impossible") << date << "2024/13/40" << "dtpDate" << preset << "nodate" << QStringList{badDate.arg("2024/13/40")};

    QTest::newRow("memo Base64 with line break") << memo << "tdrSu9DQDQq12rb+0NA=" << "memNote" << old << "text=第一行\r\n第二行" << QStringList();
    QTest::newRow("memo Base64 with foreign characters") << memo << "vNcN Ct&#10;LS" << "memNote" << old << "text=甲\r\n乙" << QStringList();
    QTest::newRow("memo damaged Base64") << memo << "###" << "memNote" << old << "text=" << QStringList();

    QTest::newRow("combo selects ignoring case") << combo << "beta" << "cbxKind" << "" << "items=甲|Beta|丙 sel=Beta" << QStringList();
    QTest::newRow("combo value not a key") << combo << "zz" << "cbxKind" << "" << "items=甲|Beta|丙 sel="
                                           << QStringList{QStringLiteral("选项:\"zz\"不在下拉列表中，请检查字段:\"f\"，\r\n"
                                                                         "在您从列表中选择之前，保存时原样保留文件中的内容。")};
    QTest::newRow("combo without Field") << "<i type=\"ComboBox\" name=\"cbxKind\"><c key=\"x\"/></i>" << "x" << "cbxKind" << "" << "items=x sel=" << QStringList();
    QTest::newRow("combo item on an edit") << "<i type=\"ComboBox\" Field=\"f\" name=\"edtName\"><c key=\"x\"/></i>" << "x" << "edtName" << old << old << QStringList{"edtName不是一个TComboBox"};
    QTest::newRow("plain item on a combo not loaded") << "<i type=\"Edit\" Field=\"f\" name=\"cbxKind\"/>" << "b" << "cbxKind" << "items=a|b" << "items=a|b sel=a" << QStringList();
    QTest::newRow("plain item on a radio not loaded") << "<i Field=\"f\" name=\"rdbMale\"/>" << "-1" << "rdbMale" << "off" << "off" << QStringList();
}

void TestControlBinding::plainBinding()
{
    QFETCH(QString, items);
    QFETCH(QString, value);
    QFETCH(QString, control);
    QFETCH(QString, preset);
    QFETCH(QString, expected);
    QFETCH(QStringList, messages);

    TestForm form;
    applyState(form.control(control), preset);
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    const QString field = value == QLatin1String("<absent>")
        ? QStringLiteral("<f name=\"f\"/>") : QStringLiteral("<f name=\"f\" value=\"%1\"/>").arg(value);
    QVERIFY(loadDocument(*helper, FDir, utf8(makeDocument({}, items, field))));
    QCOMPARE(describe(form.control(control)), expected);
    QCOMPARE(dialogs.texts(), messages);
}

void TestControlBinding::fieldLookup_data()
{
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("expected");
    QTest::newRow("duplicate names: first read") << "<f name=\"f\" value=\"first\"/><f name=\"f\" value=\"second\"/>" << "first";
    QTest::newRow("nested entries are not fields") << "<g name=\"grp\"><f name=\"f\" value=\"deep\"/></g>" << "";
    QTest::newRow("entry without name skipped") << "<f value=\"nameless\"/><f name=\"f\" value=\"named\"/>" << "named";
    QTest::newRow("tag names are not examined") << "<anything name=\"f\" value=\"v\"/>" << "v";
}

void TestControlBinding::fieldLookup()
{
    QFETCH(QString, fields);
    QFETCH(QString, expected);
    TestForm form;
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    QVERIFY(loadDocument(*helper, FDir,
                         utf8(makeDocument({}, "<i Field=\"f\" name=\"edtName\"/>", fields))));
    QCOMPARE(describe(form.control("edtName")), "text=" + expected);
}

void TestControlBinding::groupBinding_data()
{
    QTest::addColumn<QString>("items");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("messages");

    auto sex = [](const char *v) { return QStringLiteral("<f name=\"sex\" value=\"%1\"/>").arg(QLatin1String(v)); };
    auto opt = [](const char *v) { return QStringLiteral("<f name=\"opt\" value=\"%1\"/>").arg(QLatin1String(v)); };

    QTest::newRow("radio checks the matching key") << kRadioItems << sex("F") << "" << "radio=010 check=000" << QStringList();
    QTest::newRow("radio value matching no key leaves the group") << kRadioItems << sex("X") << "rdbMale:on" << "radio=100 check=000" << QStringList();
    QTest::newRow("radio key compared exactly") << kRadioItems << sex("f") << "rdbOther:on" << "radio=001 check=000" << QStringList();
    QTest::newRow("radio without Field matches an empty key")
        << "<g type=\"RadioGroup\"><r key=\"M\" name=\"rdbMale\"/><r key=\"\" name=\"rdbOther\"/></g>" << sex("M") << "" << "radio=001 check=000" << QStringList();
    QTest::newRow("radio without Field ignores a field named \"\"")
        << "<g type=\"RadioGroup\"><r key=\"M\" name=\"rdbMale\"/><r key=\"F\" name=\"rdbFemale\"/></g>"
        << "<f name=\"\" value=\"F\"/>" << "" << "radio=000 check=000" << QStringList();
    QTest::newRow("check group without Field ignores a field named \"\"")
        << "<g type=\"CheckGroup\"><c key=\"A\" name=\"ckbOptA\"/><c key=\"B\" name=\"ckbOptB\"/></g>"
        << "<f name=\"\" value=\"A|$$|B\"/>" << "" << "radio=000 check=000" << QStringList();
    QTest::newRow("radio item naming a missing control")
        << "<g type=\"RadioGroup\" Field=\"sex\"><r key=\"F\" name=\"rdbGhost\"/><r key=\"F\" name=\"rdbFemale\"/></g>" << sex("F") << "" << "radio=010 check=000" << QStringList{"rdbGhost"};

    QTest::newRow("check keys in the opposite order") << kCheckItems << opt("B|$$|A") << "" << "radio=000 check=110" << QStringList();
    QTest::newRow("check keys ignore case") << kCheckItems << opt("c|$$|a") << "" << "radio=000 check=101" << QStringList();
    QTest::newRow("check trailing separator") << kCheckItems << opt("A|$$|") << "" << "radio=000 check=100" << QStringList();
    QTest::newRow("check empty value checks none") << kCheckItems << opt("") << "" << "radio=000 check=000" << QStringList();
    QTest::newRow("check items not listed are left alone") << kCheckItems << opt("A") << "ckbOptC:on" << "radio=000 check=101" << QStringList();
    QTest::newRow("check empty key matches an empty value")
        << "<g type=\"CheckGroup\" Field=\"opt\"><c key=\"A\" name=\"ckbOptA\"/><c key=\"\" name=\"ckbOptB\"/></g>" << opt("") << "" << "radio=000 check=010" << QStringList();
    QTest::newRow("check item without key")
        << "<g type=\"CheckGroup\" Field=\"opt\"><c name=\"ckbOptC\"/><c key=\"A\" name=\"ckbOptA\"/></g>" << opt("A") << "" << "radio=000 check=100"
        << QStringList{"CheckBoxItem:\"ckbOptC\"没有Key。"};
    QTest::newRow("check item naming a missing control")
        << "<g type=\"CheckGroup\" Field=\"opt\"><c key=\"A\" name=\"ckbGhost\"/><c key=\"B\" name=\"ckbOptB\"/></g>" << opt("A|$$|B") << "" << "radio=000 check=010" << QStringList();
    // Thirteen items without key, twelve names: one message for them all.
    QString keyless;
    for (int i = 0; i < 12; ++i)
        keyless += QStringLiteral("<c name=\"n%1\"/>").arg(i);
    QTest::newRow("many items without key: one message")
        << "<g type=\"CheckGroup\" Field=\"opt\">" + keyless + "<c name=\"n0\"/><c key=\"A\" name=\"ckbOptA\"/></g>"
        << opt("A") << "" << "radio=000 check=100"
        << QStringList{"CheckBoxItem:\"n0\"没有Key。\r\n\r\n（同类提示共13条，不再逐条显示；"
                       "涉及：n0、n1、n2、n3、n4、n5、n6、n7、n8、n9等12项。）"};
    QTest::newRow("messages of two kinds, each kind once, in order of first occurrence")
        << "<g type=\"RadioGroup\" Field=\"sex\"><r key=\"F\" name=\"rdbGhost\"/><r key=\"F\" name=\"rdbGone\"/></g>"
           "<g type=\"CheckGroup\" Field=\"opt\"><c name=\"\"/></g>"
           "<g type=\"RadioGroup\" Field=\"sex\"><r key=\"F\" name=\"rdbGhost\"/></g>"
        << opt("") + sex("F") << "" << "radio=000 check=000"
        << QStringList{"rdbGhost\r\n\r\n（同类提示共3条，不再逐条显示；涉及：rdbGhost、rdbGone。）",
                       "CheckBoxItem:\"\"没有Key。"};
    QTest::newRow("first ui-data counts")
        << kCheckItems + "</ui-data><ui-data>" + kRadioItems << opt("A") + sex("M") << "" << "radio=000 check=100" << QStringList();
}

void TestControlBinding::groupBinding()
{
    QFETCH(QString, items);
    QFETCH(QString, fields);
    QFETCH(QString, preset);
    QFETCH(QString, expected);
    QFETCH(QStringList, messages);

    TestForm form;
    applyStates(form, preset);
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    QVERIFY(loadDocument(*helper, FDir, utf8(makeDocument({}, items, fields))));
    QCOMPARE(groupState(form), expected);
    QCOMPARE(dialogs.texts(), messages);
}

// ---------------------------------------------------------------------------

void TestControlBinding::collect_data()
{
    QTest::addColumn<QString>("items");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("setup");    // control states after loading
    QTest::addColumn<QString>("expected"); // "field:value;…"; "@text"/"!text": the saved document does/does not contain text
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("error");

    const QString f = QStringLiteral("<f name=\"f\" value=\"old\"/>");
    const QString groups = QStringLiteral("<f name=\"sex\" value=\"\"/><f name=\"opt\" value=\"\"/>");
    const QString missing = QStringLiteral("窗体FrmTest里没有名字为%1的控件，请检查");
    const QString edit = QStringLiteral("<i type=\"Edit\" Field=\"f\" name=\"edtName\"/>");

    QTest::newRow("edit text") << edit << f << "edtName:text=新值" << "f:新值" << QStringList() << "";
    QTest::newRow("check box on") << "<i type=\"CheckBox\" Field=\"f\" name=\"ckbOptA\"/>" << f << "ckbOptA:on" << "f:-1" << QStringList() << "";
    QTest::newRow("check box off") << "<i type=\"CheckBox\" Field=\"f\" name=\"ckbOptA\"/>" << f << "ckbOptA:off" << "f:0" << QStringList() << "";
    QTest::newRow("date") << "<i type=\"Date\" Field=\"f\" name=\"dtpDate\"/>" << f << "dtpDate:date=2024-05-01" << "f:2024/5/1" << QStringList() << "";
    QTest::newRow("no date") << "<i type=\"Date\" Field=\"f\" name=\"dtpDate\"/>" << f << "dtpDate:nodate" << "f:" << QStringList() << "";
    QTest::newRow("memo as Base64 of CR LF lines") << "<i type=\"Memo\" Field=\"f\" name=\"memNote\"/>" << f << "memNote:text=甲\n乙" << "f:vNcNCtLS" << QStringList() << "";
    QTest::newRow("combo selection") << "<i type=\"ComboBox\" Field=\"f\" name=\"cbxKind\"><c key=\"甲\"/><c key=\"乙\"/></i>"
                                     << "<f name=\"f\" value=\"乙\"/>" << "" << "f:乙" << QStringList() << "";
    // A stored value that is none of the entries is saved unchanged until the user chooses one.
    QTest::newRow("combo value not a key kept") << "<i type=\"ComboBox\" Field=\"f\" name=\"cbxKind\"><c key=\"甲\"/></i>"
                                                << "<f name=\"f\" value=\"zz\"/>" << "" << "f:zz" << QStringList() << "";
    QTest::newRow("combo value not a key, then a choice") << "<i type=\"ComboBox\" Field=\"f\" name=\"cbxKind\"><c key=\"甲\"/></i>"
                                                          << "<f name=\"f\" value=\"zz\"/>" << "cbxKind:sel=甲" << "f:甲" << QStringList() << "";
    QTest::newRow("plain item on a combo saved") << "<i type=\"Edit\" Field=\"f\" name=\"cbxKind\"/>" << f << "cbxKind:items=x|y" << "f:x" << QStringList() << "";
    QTest::newRow("plain item on a radio saves empty") << "<i type=\"Edit\" Field=\"f\" name=\"rdbMale\"/>" << f << "rdbMale:on" << "f:" << QStringList() << "";
    QTest::newRow("plain item on a missing control saves empty") << "<i type=\"Edit\" Field=\"f\" name=\"edtGhost\"/>" << f << "" << "f:" << QStringList() << "";
    QTest::newRow("item without type not saved") << "<i Field=\"f\" name=\"edtName\"/>" << f << "edtName:text=new" << "f:old" << QStringList() << "";
    QTest::newRow("item without name not saved") << "<i type=\"Edit\" Field=\"f\"/>" << f << "" << "f:old" << QStringList() << "";
    QTest::newRow("item without Field not saved") << "<i type=\"Edit\" name=\"edtName\"/>" << f << "edtName:text=new" << "f:old" << QStringList() << "";
    QTest::newRow("empty Field not saved") << "<i type=\"Edit\" Field=\"\" name=\"edtName\"/>" << f << "edtName:text=new" << "f:old" << QStringList() << "";
    QTest::newRow("Field naming no entry, save goes on")
        << "<i type=\"Edit\" Field=\"fX\" name=\"edtName\"/><i type=\"Edit\" Field=\"f\" name=\"edtDep1\"/>" << f << "edtDep1:text=b"
        << "f:b;!name=\"fX\"" << QStringList{"Field未找到！ fX"} << "";
    QTest::newRow("duplicate names: first written") << edit << "<f name=\"f\" value=\"1\"/><f name=\"f\" value=\"2\"/>" << "edtName:text=new"
                                                     << "f:new;@<f name=\"f\" value=\"2\"/>" << QStringList() << "";
    QTest::newRow("absent value attribute created") << edit << "<f name=\"f\"/>" << "edtName:text=new"
                                                     << "@<f name=\"f\" value=\"new\"/>" << QStringList() << "";
    QTest::newRow("radio none checked") << kRadioItems << groups << "" << "sex:" << QStringList() << "";
    QTest::newRow("radio checked key") << kRadioItems << groups << "rdbFemale:on" << "sex:F" << QStringList() << "";
    QTest::newRow("radio last checked item wins")
        << "<g type=\"RadioGroup\" Field=\"sex\"><r key=\"A\" name=\"ckbOptA\"/><r key=\"B\" name=\"ckbOptB\"/></g>" << groups
        << "ckbOptA:on;ckbOptB:on" << "sex:B" << QStringList() << "";
    QTest::newRow("check keys in document order") << kCheckItems << groups << "ckbOptC:on;ckbOptA:on" << "opt:A|$$|C" << QStringList() << "";
    QTest::newRow("check none") << kCheckItems << groups << "" << "opt:" << QStringList() << "";
    QTest::newRow("check item without key contributes nothing")
        << "<g type=\"CheckGroup\" Field=\"opt\"><c key=\"A\" name=\"ckbOptA\"/><c name=\"ckbOptB\"/></g>" << groups
        << "ckbOptA:on;ckbOptB:on" << "opt:A" << QStringList() << "";
    QTest::newRow("group naming a missing control stops the save")
        << edit + "<g type=\"RadioGroup\" Field=\"sex\"><r key=\"M\" name=\"rdbGhost\"/></g><i type=\"Edit\" Field=\"f2\" name=\"edtDep1\"/>"
        << f + "<f name=\"f2\" value=\"old\"/>" << "edtName:text=new;edtDep1:text=b" << "f:new;f2:old" << QStringList() << missing.arg("rdbGhost");
    QTest::newRow("check group naming a missing control")
        << "<g type=\"CheckGroup\" Field=\"opt\"><c key=\"A\" name=\"ckbGhost\"/></g>" << groups << "" << "opt:"
        << QStringList() << missing.arg("ckbGhost");
    QTest::newRow("only the first ui-data is collected")
        << edit + "</ui-data><ui-data><i type=\"Edit\" Field=\"f2\" name=\"edtDep1\"/>" << f + "<f name=\"f2\" value=\"old\"/>"
        << "edtName:text=new;edtDep1:text=b" << "f:new;f2:old" << QStringList() << "";
    // A document without "ui-data" is refused when it is loaded (see the
    // data file tests); one without a document at all in collectWithoutDocument.
}

void TestControlBinding::collect()
{
    QFETCH(QString, items);
    QFETCH(QString, fields);
    QFETCH(QString, setup);
    QFETCH(QString, expected);
    QFETCH(QStringList, messages);
    QFETCH(QString, error);

    TestForm form;
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    QVERIFY(loadDocument(*helper, FDir, utf8(makeDocument({}, items, fields))));
    applyStates(form, setup);
    dialogs.clear();
    QString raised;
    try {
        helper->CollectFromControls();
    } catch (const AppError &e) {
        raised = e.message();
    }
    QCOMPARE(raised, error);
    QCOMPARE(dialogs.texts(), messages);
    const QString saved = QString::fromUtf8(helper->Document()->serialize());
    for (const QString &check : expected.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (check.startsWith(QLatin1Char('@'))) {
            QVERIFY2(saved.contains(check.mid(1)), qPrintable(saved));
        } else if (check.startsWith(QLatin1Char('!'))) {
            QVERIFY2(!saved.contains(check.mid(1)), qPrintable(saved));
        } else {
            const qsizetype colon = check.indexOf(QLatin1Char(':'));
            QCOMPARE(helper->Document()->FieldValue(check.left(colon)), check.mid(colon + 1));
        }
    }
}

void TestControlBinding::collectWithoutDocument()
{
    TestForm form;
    TUIHelper helper(&form);
    QVERIFY_THROWS_EXCEPTION(AppError, helper.CollectFromControls());
}

// ---------------------------------------------------------------------------

void TestControlBinding::relations_data()
{
    QTest::addColumn<QString>("relations");
    QTest::addColumn<QString>("items");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("actions");  // "on:x", "off:x", "click:x", in order
    QTest::addColumn<QString>("expected"); // "control:state;…"
    QTest::addColumn<QStringList>("messages");

    const QString urgent = QStringLiteral("<i type=\"CheckBox\" Field=\"urg\" name=\"ckbUrgent\"/>");
    const QString sub = QStringLiteral("<i type=\"CheckBox\" Field=\"sub\" name=\"ckbSubCtl\"/>");
    const QString plain = QStringLiteral("<i Field=\"d1\" name=\"edtDep1\"/><i Field=\"s\" name=\"edtSub\"/>");
    auto values = [](const char *urg, const char *sb) {
        return QStringLiteral("<f name=\"urg\" value=\"%1\"/><f name=\"sub\" value=\"%2\"/>"
                              "<f name=\"d1\" value=\"x\"/><f name=\"s\" value=\"deep\"/>"
                              "<f name=\"sex\" value=\"M\"/>")
            .arg(QLatin1String(urg), QLatin1String(sb));
    };
    const QString simple = QStringLiteral("<r name=\"ckbUrgent\" type=\"c\"><r name=\"edtDep1\"/><r name=\"edtDep2\"/>"
                                          "<r name=\"dtpDate\"/><r name=\"cbxKind\"/></r>");
    const QString nested = QStringLiteral("<r name=\"ckbUrgent\" type=\"c\"><r name=\"ckbSubCtl\" type=\"c\"><r name=\"edtSub\"/></r>"
                                          "<r name=\"edtDep1\"/></r>");
    const QString radios = QStringLiteral("<r name=\"rdbMale\" type=\"r\"><r name=\"edtDep1\"/><r name=\"edtDep2\"/></r>"
                                          "<r name=\"rdbFemale\" type=\"r\"><r name=\"edtDep1\"/></r>");

    QTest::newRow("checked controller enables dependents at load")
        << simple << urgent + plain << values("-1", "0") << ""
        << "ckbUrgent:on E;edtDep1:text=x E W;edtDep2:text= E W;dtpDate:nodate E" << QStringList();
    QTest::newRow("unchecked controller keeps dependents disabled")
        << simple << urgent << values("0", "0") << ""
        << "ckbUrgent:off E;edtDep1:text= D G;edtDep2:text= D G;dtpDate:nodate D;cbxKind:items= sel= D" << QStringList();
    QTest::newRow("unchecking clears and greys dependents and theirs")
        << nested << urgent + sub + plain << values("-1", "-1") << "off:ckbUrgent"
        << "ckbSubCtl:off D;edtSub:text= D G;edtDep1:text= D G" << QStringList();
    QTest::newRow("a user's click acts as the program's change")
        << nested << urgent + sub + plain << values("-1", "-1") << "click:ckbUrgent"
        << "ckbUrgent:off E;ckbSubCtl:off D;edtSub:text= D G;edtDep1:text= D G" << QStringList();
    QTest::newRow("checking again enables but restores nothing")
        << nested << urgent + sub + plain << values("-1", "-1") << "off:ckbUrgent;on:ckbUrgent"
        << "ckbSubCtl:off E;edtSub:text= D G;edtDep1:text= E W" << QStringList();
    QTest::newRow("dependents loaded while enabled keep their values")
        << nested << urgent + sub + plain << values("-1", "-1") << ""
        << "ckbSubCtl:on E;edtSub:text=deep E W;edtDep1:text=x E W" << QStringList();
    QTest::newRow("radio loaded value enables its dependents")
        << radios << kRadioItems << values("0", "0") << ""
        << "rdbMale:on E;edtDep1:text= E W;edtDep2:text= E W" << QStringList();
    QTest::newRow("radio siblings handled before the sender")
        << radios << kRadioItems << values("0", "0") << "on:rdbFemale"
        << "rdbMale:off E;edtDep1:text= E W;edtDep2:text= D G" << QStringList();
    QTest::newRow("radio click by the user")
        << radios << kRadioItems << values("0", "0") << "click:rdbOther"
        << "edtDep1:text= D G;edtDep2:text= D G" << QStringList();
    QTest::newRow("two-node relation: the first node rules")
        << "<r name=\"ckbUrgent\" type=\"c\"><r name=\"ckbSubCtl\"/></r><r name=\"ckbSubCtl\" type=\"c\"><r name=\"edtSub\"/></r>"
        << urgent + sub << values("-1", "-1") << "off:ckbSubCtl;on:ckbSubCtl"
        << "ckbSubCtl:on E;edtSub:text= D G" << QStringList();
    QTest::newRow("radio group without name hides its items")
        << "<r name=\"rdbMale\" type=\"r\"><r name=\"edtDep1\"/></r>"
        << "<g type=\"RadioGroup\" Field=\"sex\"><r key=\"M\" name=\"rdbMale\"/></g>" << values("0", "0") << ""
        << "rdbMale:on E;edtDep1:text= E W" << QStringList{"ui-data内无控件\"rdbMale\""};
    QTest::newRow("relation node without type ignored")
        << "<r name=\"ckbUrgent\"><r name=\"edtDep1\"/></r>" << urgent << values("0", "0") << ""
        << "edtDep1:text= E" << QStringList();
    QTest::newRow("missing controls skipped silently")
        << "<r name=\"ckbGhost\" type=\"c\"><r name=\"edtDep2\"/></r><r name=\"ckbUrgent\" type=\"c\"><r name=\"edtGhost\"/><r name=\"edtDep1\"/></r>"
        << urgent << values("0", "0") << "" << "edtDep1:text= D G;edtDep2:text= E" << QStringList();
    QTest::newRow("controller of another kind leaves dependents alone")
        << "<r name=\"edtName\" type=\"x\"><r name=\"edtDep1\"/></r>" << "" << values("0", "0") << ""
        << "edtDep1:text= E" << QStringList();
    // As deep as a document may be: every level names the check box, the
    // innermost also an edit box, which only the innermost node controls.
    QString chain;
    const int levels = ConfigDocument::MaxDepth - 3;
    for (int i = 0; i < levels; ++i)
        chain += QStringLiteral("<r name=\"ckbUrgent\" type=\"c\">");
    chain += QStringLiteral("<r name=\"edtDep1\"/>") + QStringLiteral("</r>").repeated(levels);
    QTest::newRow("relations nested as deep as a document may be")
        << chain << urgent + plain << values("-1", "0") << "off:ckbUrgent;on:ckbUrgent"
        << "ckbUrgent:on E;edtDep1:text= D G" << QStringList();
    // rdbMale's dependents: thousands of one check box, whose first node has
    // thousands of children of one edit box.
    const int many = 3000;
    const QString repeated = QStringLiteral("<r name=\"rdbMale\" type=\"r\"><r name=\"ckbSubCtl\" type=\"c\">")
        + QStringLiteral("<r name=\"edtSub\"/>").repeated(many) + QStringLiteral("</r>")
        + QStringLiteral("<r name=\"ckbSubCtl\"/>").repeated(many - 1) + QStringLiteral("</r>")
        + QStringLiteral("<r name=\"rdbFemale\" type=\"r\"><r name=\"edtDep2\"/></r>");
    QTest::newRow("many dependents of one name, first node of many children")
        << repeated << kRadioItems + sub + plain << "<f name=\"sex\" value=\"F\"/><f name=\"sub\" value=\"-1\"/>"
        << "on:rdbMale;on:ckbSubCtl;on:rdbFemale"
        << "rdbFemale:on E;ckbSubCtl:off D;edtSub:text= D G;edtDep2:text= E W" << QStringList();
    QTest::newRow("many dependents of one name, enabled again")
        << repeated << kRadioItems + sub + plain << "<f name=\"sex\" value=\"F\"/><f name=\"s\" value=\"deep\"/>"
        << "on:rdbMale;on:ckbSubCtl"
        << "ckbSubCtl:on E;edtSub:text=deep E W;edtDep2:text= D G" << QStringList();
    QTest::newRow("controller found ignoring case, its node only by exact name")
        << "<r name=\"CKBURGENT\" type=\"c\"><r name=\"EDTDEP1\"/></r>" << urgent << values("-1", "0") << ""
        << "edtDep1:text= D G" << QStringList();
}

void TestControlBinding::relations()
{
    QFETCH(QString, relations);
    QFETCH(QString, items);
    QFETCH(QString, fields);
    QFETCH(QString, actions);
    QFETCH(QString, expected);
    QFETCH(QStringList, messages);

    TestForm form;
    form.show();
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    QVERIFY(loadDocument(*helper, FDir, utf8(makeDocument(relations, items, fields))));
    for (const QString &action : actions.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString verb = action.section(QLatin1Char(':'), 0, 0);
        auto *button = qobject_cast<QAbstractButton *>(form.control(action.section(QLatin1Char(':'), 1)));
        QVERIFY(button);
        if (verb == QLatin1String("click"))
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2)); // on the indicator
        else
            button->setChecked(verb == QLatin1String("on"));
    }
    // Each expected state is compared as a prefix of the control's full state.
    for (const QString &check : expected.split(QLatin1Char(';'))) {
        const qsizetype colon = check.indexOf(QLatin1Char(':'));
        const QString state = fullState(form.control(check.left(colon)));
        QVERIFY2(state.startsWith(check.mid(colon + 1)), qPrintable(check + " != " + state));
    }
    QCOMPARE(dialogs.texts(), messages);
}

void TestControlBinding::handlersInstalledOnce()
{
    TestForm form;
    ScriptedDialogs dialogs;
    auto receivers = [&](const char *name) {
        QObject *c = form.control(QLatin1String(name));
        if (auto *b = dynamic_cast<CountingCheckBox *>(c))
            return b->toggledReceivers();
        return static_cast<CountingRadioButton *>(c)->toggledReceivers();
    };
    const int before = receivers("ckbUrgent");
    QCOMPARE(receivers("rdbMale"), before);
    auto *helper = new TUIHelper(&form);
    // ckbUrgent is a controller twice and a dependent controller once; every
    // radio button of the group is reached from two controllers.
    const QString relations = QStringLiteral(
        "<r name=\"ckbUrgent\" type=\"c\"><r name=\"edtDep1\"/></r>"
        "<r name=\"ckbSubCtl\" type=\"c\"><r name=\"ckbUrgent\" type=\"c\"><r name=\"edtDep2\"/></r></r>"
        "<r name=\"ckbUrgent\" type=\"c\"><r name=\"edtSub\"/></r>"
        "<r name=\"rdbMale\" type=\"r\"><r name=\"edtDep1\"/></r><r name=\"rdbFemale\" type=\"r\"><r name=\"edtDep2\"/></r>");
    QVERIFY(loadDocument(*helper, FDir, utf8(makeDocument(relations, kRadioItems, "<f name=\"sex\" value=\"F\"/>"))));
    for (const char *name : {"ckbUrgent", "ckbSubCtl", "rdbMale", "rdbFemale", "rdbOther"})
        QVERIFY2(receivers(name) == before + 1, name);
    delete helper;
    QCOMPARE(receivers("ckbUrgent"), before);
}

void TestControlBinding::readsDates_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected"); // invalid: not read as a date

    const QDate may1(2024, 5, 1);
    const char *everywhere[] = {"zh_CN", "en_US", "C", "de_DE"};
    for (const char *locale : everywhere) {
        auto row = [&](const char *label, const QString &text, const QDate &date) {
            QTest::addRow("%s %s", locale, label) << QString::fromLatin1(locale) << text << date;
        };
        // The year-first forms read the same under every locale.
        row("yyyy/M/d", "2024/5/1", may1);
        row("yyyy/MM/dd", "2024/05/01", may1);
        row("yyyy-M-d", "2024-5-1", may1);
        row("ISO date", "2024-05-01", may1);
        row("yyyy.M.d", "2024.5.1", may1);
        row("Chinese", "2024年5月1日", may1);
        row("Chinese padded", " 2024 年 05 月 01 日 ", may1);
        row("Chinese without 日", "2024年5月1", may1);
        row("ISO basic", "20240501", may1);
        row("ISO with time", "2024-05-01T08:30:00", may1);
        row("ISO with zone", "2024-05-01T08:30:00.5+08:00", may1);
        row("blanks around", " 2024/5/1 ", may1);
        row("before 1752", "1700/1/2", QDate(1700, 1, 2));
        row("year 50", "0050/6/7", QDate(50, 6, 7));
        row("C locale's short format", "8 Nov 2021", QDate(2021, 11, 8));
        row("mixed separators", "2024/5-1", QDate());
        row("month 13", "2024/13/1", QDate());
        row("30 February", "2024/2/30", QDate());
        row("words", "明天", QDate());
        row("three-digit year", "202/5/1", QDate());
    }
    // The system's short format besides.
    QTest::newRow("en_US M/d/yyyy") << "en_US" << "5/1/2024" << may1;
    QTest::newRow("en_US M/d/yy") << "en_US" << "5/1/24" << may1;
    QTest::newRow("zh_CN does not read M/d/yyyy") << "zh_CN" << "5/1/2024" << QDate();
    QTest::newRow("de_DE dd.MM.yyyy") << "de_DE" << "02.01.2080" << QDate(2080, 1, 2);
    // Two-digit years fall within fifty years of today.
    const int year = QDate::currentDate().year();
    const int base = year - 50;
    int y80 = base / 100 * 100 + 80;
    if (y80 < base)
        y80 += 100;
    QTest::newRow("de_DE dd.MM.yy") << "de_DE" << "02.01.80" << QDate(y80, 1, 2);
}

// Dates stored on any machine are read on any other; they are written and
// printed as yyyy/M/d whatever the locale.
void TestControlBinding::readsDates()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    QLocale::setDefault(QLocale(locale));
    const std::optional<QDate> read = ValueRules::ToDate(text);
    const QString written = ValueRules::FromDate(QDate(2024, 5, 1));
    const QString old = ValueRules::FromDate(QDate(100, 1, 2));
    const QString far = ValueRules::FromDate(QDate(9999, 12, 31));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QCOMPARE(read.value_or(QDate()), expected);
    QCOMPARE(written, QStringLiteral("2024/5/1"));
    QCOMPARE(old, QStringLiteral("0100/1/2"));
    QCOMPARE(far, QStringLiteral("9999/12/31"));
}

void TestControlBinding::unreadableDatesKept_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("caption");    // of the picker, handed over by the form
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("change");     // "tick": the user ticks the box; "disable": its controller unticked

    const QString kept = QStringLiteral("，\r\n在您修改这个日期之前，保存时原样保留文件中的内容。");
    QTest::newRow("wrong format, named by caption")
        << "28.06.2011" << "23.专利 专利到期日期："
        << "日期:\"28.06.2011\"的日期格式不对，请检查“23.专利 专利到期日期”" + kept << "tick";
    QTest::newRow("wrong format, named by field")
        << "6/28/2011" << ""
        << "日期:\"6/28/2011\"的日期格式不对，请检查字段:\"day\"" + kept << "tick";
    QTest::newRow("before the year 100")
        << "0050/6/7" << "15.批准日期"
        << "日期:\"0050/6/7\"超出了日期框能显示的范围（公元100年至9999年），请检查“15.批准日期”" + kept << "tick";
    QTest::newRow("cleared by its controller")
        << "明天" << "日期：" << "日期:\"明天\"的日期格式不对，请检查“日期”" + kept << "disable";
}

// A stored date that the picker cannot show is neither replaced by today
// nor dropped: the picker holds no date, the message names the item, and
// the text is saved unchanged until the picker is changed.
void TestControlBinding::unreadableDatesKept()
{
    QFETCH(QString, stored);
    QFETCH(QString, caption);
    QFETCH(QString, message);
    QFETCH(QString, change);

    TestForm form;
    form.show();
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    if (!caption.isEmpty())
        helper->SetCaptions({{QStringLiteral("DTPDATE"), caption}, {QStringLiteral("edtName"), QStringLiteral("1.名称：")}});
    const QString relations = QStringLiteral("<r name=\"ckbUrgent\" type=\"c\"><r name=\"dtpDate\"/></r>");
    const QString items = QStringLiteral("<i type=\"CheckBox\" Field=\"urg\" name=\"ckbUrgent\"/>"
                                         "<i type=\"Date\" Field=\"day\" name=\"dtpDate\"/>");
    const QString fields = QStringLiteral("<f name=\"urg\" value=\"-1\"/><f name=\"day\" value=\"%1\"/>").arg(stored);
    QVERIFY(loadDocument(*helper, FDir, utf8(makeDocument(relations, items, fields))));
    QCOMPARE(dialogs.texts(), QStringList{message});
    auto *picker = static_cast<DatePicker *>(form.control("dtpDate"));
    QCOMPARE(describe(picker), QStringLiteral("nodate"));
    QVERIFY(picker->isEnabled());
    QVERIFY(picker->toolTip().contains(stored));
    helper->CollectFromControls();
    QCOMPARE(helper->Document()->FieldValue("day"), stored);
    helper->CollectFromControls();
    QCOMPARE(helper->Document()->FieldValue("day"), stored);

    if (change == QLatin1String("tick")) {
        QTest::mouseClick(picker->checkBox(), Qt::LeftButton, {}, QPoint(6, picker->checkBox()->height() / 2));
        QVERIFY(picker->hasDate());
        helper->CollectFromControls();
        QCOMPARE(helper->Document()->FieldValue("day"), ValueRules::FromDate(picker->date()));
    } else {
        static_cast<QAbstractButton *>(form.control("ckbUrgent"))->setChecked(false);
        QVERIFY(!picker->isEnabled());
        helper->CollectFromControls();
        QCOMPARE(helper->Document()->FieldValue("day"), QString());
    }
    QVERIFY(!picker->toolTip().contains(stored));
}

void TestControlBinding::damagedMemosKept()
{
    // Two memos whose stored values are not Base64 (length, padding) and an
    // edit box, which holds no Base64: one warning names both memos, and each
    // keeps its stored value on save until its text is changed.
    const QString items = QStringLiteral(
        "<i type=\"Memo\" Field=\"m1\" name=\"memNote\"/><i type=\"Memo\" Field=\"m2\" name=\"edtName\"/>"
        "<i type=\"Memo\" Field=\"m3\" name=\"memOther\"/>");
    const QString fields = QStringLiteral(
        "<f name=\"m1\" value=\"vNcNC\"/><f name=\"m2\" value=\"YQ=b\"/><f name=\"m3\" value=\"v=Nc\"/>");
    TestForm form;
    auto *second = new QPlainTextEdit(&form);
    second->setObjectName(QStringLiteral("memOther"));
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    helper->SetCaptions({{QStringLiteral("memnote"), QStringLiteral("12.备注：")}});
    QVERIFY(loadDocument(*helper, FDir, utf8(makeDocument({}, items, fields))));
    QCOMPARE(dialogs.texts(), QStringList{QStringLiteral(
        "下列文本框在文件中保存的内容已损坏（不是有效的Base64编码），无法完整显示：\r\n12.备注、memOther\r\n"
        "保存时将原样保留这些内容，除非您修改了相应的文本框。")});
    helper->CollectFromControls();
    QCOMPARE(helper->Document()->FieldValue("m1"), QStringLiteral("vNcNC"));
    QCOMPARE(helper->Document()->FieldValue("m3"), QStringLiteral("v=Nc"));
    QCOMPARE(helper->Document()->FieldValue("m2"), QStringLiteral("YQ=b"));
    Controls::setText(form.control("memNote"), QStringLiteral("新内容"));
    helper->CollectFromControls();
    QCOMPARE(ValueRules::MemoFromValue(helper->Document()->FieldValue("m1")), QStringLiteral("新内容"));
}

void TestControlBinding::untouchedValuesKeptExactly_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("stored");   // the field's value as the file holds it
    QTest::addColumn<QString>("expected"); // what is shown and saved once "z" is typed at its end

    auto memo = [](const QString &text) { return QString::fromLatin1(Base64EncodeString(CodePage::fromUnicode(text))); };
    QTest::newRow("memo lone LF") << "memNote" << memo("第一行\n第二行") << "第一行\r\n第二行z";
    QTest::newRow("memo lone CR") << "memNote" << memo("第一行\r第二行") << "第一行\r\n第二行z";
    QTest::newRow("memo mixed breaks") << "memNote" << memo("a\n\rb\r\n\nc\r\n\r\n") << "a\r\n\r\nb\r\n\r\nc\r\n\r\nz";
    QTest::newRow("memo paragraph separator") << "memNote" << memo(u"甲\u2029乙"_qs) << "甲\r\n乙z";
    QTest::newRow("memo line separator") << "memNote" << memo(u"甲\u2028乙"_qs) << u"甲\u2028乙z"_qs;
    QTest::newRow("memo no-break spaces") << "memNote" << memo(u"甲\u00A0乙\u3000丙\u202F"_qs) << u"甲\u00A0乙\u3000丙\u202Fz"_qs;
    QTest::newRow("memo zero-width no-break space") << "memNote" << memo(u"甲\uFEFF乙"_qs) << u"甲\uFEFF乙z"_qs;
    QTest::newRow("memo bytes outside the code page")
        << "memNote" << QString::fromLatin1(Base64EncodeString(QByteArray("\xB0\xA1\x81\x30", 4))) << u"啊\uFFFD0z"_qs;
    const QString longText = QString(40000, u'药') + QStringLiteral("尾");
    QTest::newRow("edit over 32,767 characters") << "edtName" << longText << longText + "z";
    QTest::newRow("edit with line breaks and special spaces")
        << "edtName" << u"\uFEFF甲\r\n乙\n丙\u00A0丁\u2028戊\uFEFF"_qs << u"\uFEFF甲\r\n乙\n丙\u00A0丁\u2028戊\uFEFFz"_qs;
}

// A value that the control cannot show as stored is written back byte for
// byte while the user leaves the control alone; once edited, what the control
// shows is saved.
void TestControlBinding::untouchedValuesKeptExactly()
{
    QFETCH(QString, control);
    QFETCH(QString, stored);
    QFETCH(QString, expected);

    QString escaped = stored.toHtmlEscaped();
    escaped.replace(QLatin1Char('\r'), QStringLiteral("&#13;")).replace(QLatin1Char('\n'), QStringLiteral("&#10;"));
    const QString items = QStringLiteral("<i type=\"Memo\" Field=\"f\" name=\"%1\"/>").arg(control);
    TestForm form;
    form.show();
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    QVERIFY(loadDocument(*helper, FDir, utf8(makeDocument({}, items, QStringLiteral("<f name=\"f\" value=\"%1\"/>").arg(escaped)))));
    QCOMPARE(dialogs.texts(), QStringList());
    helper->CollectFromControls();
    QCOMPARE(helper->Document()->FieldValue("f").toUtf8().toHex(), stored.toUtf8().toHex());
    helper->CollectFromControls(); // a second save too
    QVERIFY(helper->Document()->FieldValue("f") == stored);

    // The user types at the end of the value.
    QWidget *widget = static_cast<QWidget *>(form.control(control));
    widget->setFocus();
    if (auto *memo = qobject_cast<QPlainTextEdit *>(widget))
        memo->moveCursor(QTextCursor::End);
    else
        static_cast<QLineEdit *>(widget)->end(false);
    QTest::keyClicks(widget, "z");
    QCOMPARE(Controls::text(widget).toUtf8().toHex(), expected.toUtf8().toHex());
    helper->CollectFromControls();
    const QString saved = helper->Document()->FieldValue("f");
    QVERIFY((control == "memNote" ? ValueRules::MemoFromValue(saved) : saved) == expected);
}
