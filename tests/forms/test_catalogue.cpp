// Tests of the catalogue format and builder: parsing (repeat blocks, grids,
// faults with their line numbers), and the widgets that a catalogue makes,
// including the whole domestic registration form and the two supplementary
// application forms.
#include "AppError.h"
#include "Catalogue.h"
#include "CatalogueBuilder.h"
#include "CatalogueParser.h"
#include "ControlAdapter.h"
#include "DatePicker.h"
#include "FormClasses.h"
#include "TemplateSource.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrReport.h"
#include "TfrView.h"
#include "TestMain.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QtTest>

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void parseFaults_data();
    void parseFaults();
    void checkRules();
    void repeatAndGrid();
    void templateSourceRepeat();
    void builtWidgets();
    void shippedCataloguesBuild();
    void domesticRegistrationForm();
    void radioPanels_data();
    void radioPanels();
    void supplementaryForms_data();
    void supplementaryForms();
    void importSupplementaryApplicants();
};

void TestCatalogue::parseFaults_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString head = QStringLiteral("form F \"\"\npage P \"第一页\"\ngroup G \"组\"\nrow\n");
    QTest::newRow("no form") << "page P \"x\"\n" << "表单目录第1行有误：缺少 form 语句";
    QTest::newRow("unknown statement") << head + "button b1\n" << "表单目录第5行有误：未知的语句：button";
    QTest::newRow("duplicate name, any case")
        << head + "edit edtA\nedit EDTA\n" << "表单目录第6行有误：控件名重复：EDTA（第5行已有）";
    QTest::newRow("radio without panel") << head + "radio rdbA \"甲\"\n" << "表单目录第5行有误：单选按钮缺少 panel：rdbA";
    QTest::newRow("control before row") << "form F \"\"\npage P \"x\"\ngroup G \"g\"\nedit e\n"
                                        << "表单目录第4行有误：控件之前没有 row";
    QTest::newRow("open quote") << head + "label \"abc\n" << "表单目录第5行有误：引号未闭合";
    QTest::newRow("detail of nothing") << head + "edit e detail=rdbX\n" << "表单目录第5行有误：detail 指向不存在的控件：rdbX";
    QTest::newRow("unbalanced repeat") << head + "repeat N=1,2\nedit e{N}\n" << "表单目录第5行有误：repeat 缺少 end";
    QTest::newRow("uneven repeat lists") << head + "repeat N=1,2 M=a\nend\n" << "表单目录第5行有误：repeat 的变量个数不一致：M";
    QTest::newRow("runaway repeat")
        << head + "repeat A=1..1000\nrepeat B=1..1000\nedit e{A}x{B}\nend\nend\n"
        << "表单目录第7行有误：repeat 展开后超过 200000 行";
    QTest::newRow("huge range") << head + "repeat A=1..999999999\nend\n" << "表单目录第5行有误：范围无效：1..999999999";
    QTest::newRow("grid not closed") << head + "grid\nrow\nedit e\n" << "表单目录第5行有误：grid 缺少 endgrid";
    QTest::newRow("bad date mode") << head + "date d check=maybe\n" << "表单目录第5行有误：未知的日期方式：maybe";
    QTest::newRow("attach on an edit") << head + "edit e attach\n" << "表单目录第5行有误：只有多行文本框可以标记 attach：e";
    QTest::newRow("unknown format") << head + "edit e fmt=zip\n" << "表单目录第5行有误：未知的格式：zip";
    QTest::newRow("required label") << head + "label \"甲\" req\n" << "表单目录第5行有误：固定文字不能标记 req 或 opt";
    QTest::newRow("required and optional") << head + "edit e req opt\n" << "表单目录第5行有误：req 与 opt 不能同时标记：e";
    QTest::newRow("format of a date") << head + "date d fmt=year\n"
                                      << "表单目录第5行有误：只有文本框和下拉列表可以标记 fmt 或 fmtfrom：d";
    QTest::newRow("format and its list") << head + "combo k\nedit e fmt=year fmtfrom=k\n"
                                         << "表单目录第6行有误：fmt 与 fmtfrom 不能同时标记：e";
    QTest::newRow("past of an edit") << head + "edit e past\n" << "表单目录第5行有误：只有日期可以标记 past 或 before：e";
    QTest::newRow("before an edit") << head + "date d before=e\nedit e\n" << "表单目录第5行有误：before 应指向另一个日期：e";
    QTest::newRow("before itself") << head + "date d before=D\n" << "表单目录第5行有误：before 应指向另一个日期：D";
    QTest::newRow("format from an edit") << head + "edit e fmtfrom=f\nedit f\n"
                                         << "表单目录第5行有误：fmtfrom 应指向下拉列表：f";
    QTest::newRow("set of edits") << head + "edit e anyof=甲\n" << "表单目录第5行有误：只有复选框可以标记 anyof：e";
    QTest::newRow("unknown group flag") << "form F \"\"\npage P \"第一页\"\ngroup G \"组\" ifempty\n"
                                        << "表单目录第3行有误：无法识别：ifempty";
}

// The rules of the submission check as the parser keeps them, and how the
// check names buttons: a radio button by its panel's item and the fixed text
// before it (also a line of its own above), a check box by its item and caption.
void TestCatalogue::checkRules()
{
    const Catalogue cat = CatalogueParser::parse(QStringLiteral(R"(form F ""
page P "第一页"
group G "申请事项"
row
  label "1.申请分类："
  radio r1 "新药" panel=P1 req
  radio r2 "仿制" panel=P1
row
  label "是否持有证书："
row
  radio r3 "持有" panel=P2
row
  label "23.专利："
  check c1 "有中国专利：" item="23.专利 有中国专利"
  check c2 "药物专利" anyof="23.专利 种类"
row
  radio r4 "11.非制剂：" panel=P3
  label "属于："
  radio r5 "甲" panel=P4
  edit e1 "邮政编码：" fmt=postcode opt
  combo k1 "类别"
  edit e2 fmtfrom=k1 req
  date d1 "批准日期：" past before=d2
  date d2 "截止日期："
group G2 "申请人" iffilled
row
  label "11执行标准：" item="11.执行标准"
  radio r6 "中国药典" panel=P5
)"));
    auto entry = [&](const char *name) { return cat.find(QLatin1String(name)); };
    QVERIFY(entry("r1")->required && !entry("r2")->required);
    QCOMPARE(entry("r1")->choiceHeading, QStringLiteral("1.申请分类"));
    QCOMPARE(entry("r3")->choiceHeading, QStringLiteral("1.申请分类 是否持有证书"));
    QCOMPARE(entry("c1")->choiceHeading, QStringLiteral("23.专利 有中国专利"));
    QCOMPARE(entry("c2")->choiceHeading, QStringLiteral("23.专利 有中国专利 药物专利"));
    QCOMPARE(entry("c2")->anyOf, QStringLiteral("23.专利 种类"));
    QCOMPARE(entry("r4")->choiceHeading, QStringLiteral("11.非制剂"));
    QCOMPARE(entry("r5")->choiceHeading, QStringLiteral("11.非制剂 属于"));
    QCOMPARE(entry("r6")->choiceHeading, QStringLiteral("11.执行标准"));
    QCOMPARE(entry("e1")->format, FieldFormat::Postcode);
    QVERIFY(entry("e1")->optional && !entry("e1")->required);
    QCOMPARE(entry("e2")->formatFrom, QStringLiteral("k1"));
    QVERIFY(entry("e2")->required);
    QVERIFY(entry("d1")->past && !entry("d2")->past);
    QCOMPARE(entry("d1")->before, QStringLiteral("d2"));
    QVERIFY(!cat.pages[0].groups[0].ifFilled && cat.pages[0].groups[1].ifFilled);
}

void TestCatalogue::parseFaults()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    try {
        CatalogueParser::parse(text);
        QFAIL("no error");
    } catch (const AppError &e) {
        QCOMPARE(e.message(), message);
    }
}

void TestCatalogue::repeatAndGrid()
{
    const Catalogue cat = CatalogueParser::parse(QStringLiteral(
        "form F \"标题\"   # a comment\n"
        "page P \"第一页\"\n"
        "repeat N=2,3 G=GroupBox4,GroupBox6 T=\"29.机构 2：\",\"30.机构 3：\"\n"
        "group {G} \"申请人\"\n"
        "row\n"
        "  label \"{T}\"\n"
        "  radio rdbJG{N}F \"无\" panel=P{N}\n"
        "end\n"
        "group Grid \"表\"\n"
        "grid\n"
        "repeat L=1..3\n"
        "row\n"
        "  edit edtQTSX{L}\n"
        "  combo edtQTSP{L}\n"
        "end\n"
        "endgrid\n"
        "row\n"
        "  memo memA \"说明 \\\"引\\\"：\" vscroll line=\"一\" line=\"二\"\n"));
    QCOMPARE(cat.form, QStringLiteral("F"));
    QCOMPARE(cat.caption, QStringLiteral("标题"));
    QCOMPARE(cat.pages.size(), 1);
    const auto &groups = cat.pages[0].groups;
    QCOMPARE(groups.size(), 3);
    QCOMPARE(groups[0].name, QStringLiteral("GroupBox4"));
    QCOMPARE(groups[1].name, QStringLiteral("GroupBox6"));
    QCOMPARE(groups[1].blocks[0].rows[0].entries[0].caption, QStringLiteral("30.机构 3："));
    QCOMPARE(groups[1].blocks[0].rows[0].entries[1].name, QStringLiteral("rdbJG3F"));
    QCOMPARE(groups[1].blocks[0].rows[0].entries[1].panel, QStringLiteral("P3"));
    QCOMPARE(groups[2].blocks.size(), 2);
    QVERIFY(groups[2].blocks[0].grid);
    QCOMPARE(groups[2].blocks[0].rows.size(), 3);
    QCOMPARE(groups[2].blocks[0].rows[2].entries[1].name, QStringLiteral("edtQTSP3"));
    QVERIFY(!groups[2].blocks[1].grid);
    const CatalogueEntry *memo = cat.find(QStringLiteral("MEMA"));
    QVERIFY(memo);
    QCOMPARE(memo->label, QStringLiteral("说明 \"引\"："));
    QVERIFY(memo->vscroll);
    QCOMPARE(memo->lines, (QStringList{"一", "二"}));
    QCOMPARE(cat.entries().size(), 4 + 6 + 1);
}

// The print template source shares the repeat blocks: grid rows are written
// once, flow down the table in order, and a fault inside an expanded body is
// reported on the line where it is written.
void TestCatalogue::templateSourceRepeat()
{
    const QString head = QStringLiteral("template T\nprinter \"\"\npage \"\"\ntable 100 100 600 rowheight=15\n");
    TfrReport report;
    TemplateSource::compile(head + QStringLiteral("repeat n=1..3 c=\"甲\",\"乙\",\"丙\"\nrow\n  t \"{c}\"\n  f edtQTSX{n} 100\nend\nendtable\n"),
                            report);
    QList<int> ys;
    for (int n = 1; n <= 3; ++n) {
        const TfrView *v = nullptr;
        for (TfrView *o : report.Pages()[0].Objects())
            if (o->Name == QStringLiteral("edtQTSX%1").arg(n))
                v = o;
        QVERIFY2(v, qPrintable(QStringLiteral("edtQTSX%1").arg(n)));
        ys << v->y;
    }
    QVERIFY(ys[0] < ys[1] && ys[1] < ys[2]);

    // A row of several lines: its entries stand at the top, its values wrap;
    // an ordinary row centres them and keeps a value on one line.
    TemplateSource::compile(head + QStringLiteral("row 30 top\n  t \"地址：\"\n  r rdbA \"甲\"\n  fill edtA\n"
                                                  "row\n  t \"名称：\"\n  fill edtB\nendtable\n"),
                            report);
    QHash<QString, const TfrMemoView *> memos;
    for (TfrView *o : report.Pages()[0].Objects())
        if (auto *m = dynamic_cast<TfrMemoView *>(o))
            memos.insert(m->Name.startsWith(QLatin1String("Memo")) ? m->Memo().value(0) : m->Name, m);
    QCOMPARE(memos.value(QStringLiteral("地址："))->Alignment & 0x18, 0);
    QCOMPARE(memos.value(QStringLiteral("rdbA"))->Alignment, 2);
    QCOMPARE(memos.value(QStringLiteral("edtA"))->dy, 30);
    QCOMPARE(memos.value(QStringLiteral("edtA"))->Alignment & 0x18, 0);
    QVERIFY(memos.value(QStringLiteral("edtA"))->Flags & 0x02);
    QCOMPARE(memos.value(QStringLiteral("名称："))->Alignment & 0x18, 8);
    QVERIFY(!(memos.value(QStringLiteral("edtB"))->Flags & 0x02));

    try {
        TemplateSource::compile(head + QStringLiteral("repeat n=1,2\nrow\n  f edtA{n} 100\n  bogus\nend\nendtable\n"), report);
        QFAIL("no error");
    } catch (const std::runtime_error &e) {
        QCOMPARE(QString::fromStdString(e.what()), QStringLiteral("第8行：未知的语句：bogus"));
    }
    try {
        TemplateSource::compile(head + QStringLiteral("repeat n=1,2\nrow\nendtable\n"), report);
        QFAIL("no error");
    } catch (const std::runtime_error &e) {
        QCOMPARE(QString::fromStdString(e.what()), QStringLiteral("第5行：repeat 缺少 end"));
    }
}

void TestCatalogue::builtWidgets()
{
    const Catalogue cat = CatalogueParser::parse(QStringLiteral(
        "form F \"\"\npage TabSheet1 \"第一页\"\ngroup GroupBox1 \"组一\"\nrow\n"
        "radio rdbZY \"中药、天然药物      类\" panel=Panel2\n"
        "combo edtZY detail=rdbZY gap\n"
        "radio rdbQT \"其他：\" panel=Panel2\n"
        "edit edtQT detail=rdbQT after=\"个月\"\n"
        "row\n"
        "radio rdbX \"隐\" panel=Panel2 hidden\n"
        "date d1 \"日期：\" check=cleared\ndate d2 check=ticked\ndate d3 check=none\n"
        "check ckbOn \"开\" on\n"
        "edit VerifyCode \"数据核对码\" readonly skyblue red\n"
        "row\nradio rdbJB \"局颁      第      册\" panel=Panel10\n"
        "edit edtJB detail=rdbJB gap\nedit edtJBC gap\nedit edtTail gap\n"
        "group - \"\"\nrow\nedit edtSCJG \"审查机关：\"\n"));
    QWidget host;
    QTabWidget *pages = CatalogueBuilder::build(cat, &host);
    host.show();
    QCOMPARE(pages->objectName(), QStringLiteral("PageControl1"));
    QCOMPARE(pages->count(), 1);
    QCOMPARE(pages->tabText(0), QStringLiteral("第一页"));
    QVERIFY(pages->widget(0)->findChild<QScrollArea *>());
    auto *box = host.findChild<QGroupBox *>(QStringLiteral("GroupBox1"));
    QVERIFY(box);
    QCOMPARE(box->title(), QStringLiteral("组一"));

    // The gap: the list stands between the two parts of the button's caption.
    auto *zy = host.findChild<QRadioButton *>(QStringLiteral("rdbZY"));
    QCOMPARE(zy->text(), QStringLiteral("中药、天然药物"));
    QCOMPARE(zy->property("caption").toString(), QStringLiteral("中药、天然药物      类"));
    auto *list = host.findChild<QComboBox *>(QStringLiteral("edtZY"));
    QVERIFY(!list->isEditable());
    QVERIFY(list->x() > zy->x());
    bool found = false;
    for (auto *l : box->findChildren<QLabel *>())
        if (l->text() == QStringLiteral("类")) {
            QVERIFY(l->x() > list->x());
            found = true;
        }
    QVERIFY(found);
    // Two blank runs: each takes the next gap entry; one entry more than
    // runs stands after the caption's last part.
    auto *jb = host.findChild<QRadioButton *>(QStringLiteral("rdbJB"));
    QCOMPARE(jb->text(), QStringLiteral("局颁"));
    QCOMPARE(jb->property("caption").toString(), QStringLiteral("局颁      第      册"));
    QList<QWidget *> inRow{jb, host.findChild<QLineEdit *>(QStringLiteral("edtJB"))};
    for (const QString &text : {QStringLiteral("第"), QStringLiteral("册")})
        for (auto *l : box->findChildren<QLabel *>())
            if (l->text() == text) {
                inRow << l;
                if (text == QStringLiteral("第"))
                    inRow << host.findChild<QLineEdit *>(QStringLiteral("edtJBC"));
            }
    inRow << host.findChild<QLineEdit *>(QStringLiteral("edtTail"));
    QCOMPARE(inRow.size(), 6);
    for (int i = 1; i < inRow.size(); ++i)
        QVERIFY2(inRow[i]->x() > inRow[i - 1]->x(), qPrintable(QString::number(i)));

    // Radio buttons of one panel form one exclusive group, hidden ones included.
    auto *group = pages->findChild<QButtonGroup *>(QStringLiteral("Panel2"));
    QVERIFY(group);
    QCOMPARE(group->buttons().size(), 3);
    auto *hidden = host.findChild<QRadioButton *>(QStringLiteral("rdbX"));
    QVERIFY(!hidden->isVisible());
    hidden->setChecked(true);
    zy->setChecked(true);
    QVERIFY(!hidden->isChecked());

    auto *d1 = host.findChild<DatePicker *>(QStringLiteral("d1"));
    auto *d2 = host.findChild<DatePicker *>(QStringLiteral("d2"));
    auto *d3 = host.findChild<DatePicker *>(QStringLiteral("d3"));
    QVERIFY(d1->showCheckBox() && !d1->hasDate());
    QVERIFY(d2->showCheckBox() && d2->hasDate());
    QVERIFY(!d3->showCheckBox() && d3->hasDate());
    QVERIFY(host.findChild<QCheckBox *>(QStringLiteral("ckbOn"))->isChecked());

    auto *code = host.findChild<QLineEdit *>(QStringLiteral("VerifyCode"));
    QVERIFY(code->isReadOnly());
    QCOMPARE(Controls::background(code), CatalogueBuilder::skyBlue());
    QCOMPARE(code->palette().color(QPalette::Text), QColor(Qt::red));
    // Rows outside any group box stand directly on the page.
    auto *scj = host.findChild<QLineEdit *>(QStringLiteral("edtSCJG"));
    QVERIFY(scj);
    QVERIFY(!qobject_cast<QGroupBox *>(scj->parentWidget()));
}

void TestCatalogue::shippedCataloguesBuild()
{
    for (const FormType &t : formTypes()) {
        if (!QFile::exists(t.catalogue))
            continue;
        const Catalogue cat = CatalogueParser::load(t.catalogue);
        QCOMPARE(cat.form, t.instanceName);
        std::unique_ptr<TEABaseForm> form(CreateForm(t.kind));
        QCOMPARE(form->objectName(), t.instanceName);
        // Every named entry is a widget of that name on the form.
        for (const CatalogueEntry *e : cat.entries()) {
            if (e->name.isEmpty())
                continue;
            const auto found = form->findChildren<QWidget *>(e->name);
            QVERIFY2(found.size() == 1, qPrintable(t.instanceName + QLatin1Char(' ') + e->name));
        }
        QVERIFY(form->verifyCodeEdit()->isReadOnly());
    }
}

void TestCatalogue::domesticRegistrationForm()
{
    TFrmYPZCSQ form;
    form.show();
    QTabWidget *pages = form.pageControl();
    QCOMPARE(pages->count(), 3);
    QCOMPARE(pages->tabText(0), QStringLiteral("第一页"));
    QCOMPARE(pages->tabText(1), QStringLiteral("第二页"));
    QCOMPARE(pages->tabText(2), QStringLiteral("第三页"));
    QCOMPARE(pages->widget(2)->objectName(), QStringLiteral("TabSheet3"));

    // Group boxes page by page, top to bottom.
    auto titles = [&](int page) {
        QStringList out;
        QList<QGroupBox *> boxes = pages->widget(page)->findChildren<QGroupBox *>();
        std::sort(boxes.begin(), boxes.end(), [](auto *a, auto *b) { return a->y() < b->y(); });
        for (auto *b : boxes)
            out << b->objectName() + QLatin1Char(':') + b->title();
        return out;
    };
    pages->setCurrentIndex(1);
    QCOMPARE(titles(0), (QStringList{"GroupBox1:申请事项", "GroupBox2:药品情况", "GroupBox3:相关情况"}));
    QCOMPARE(titles(1), (QStringList{"GroupBox5:申请人", "GroupBox4:申请人", "GroupBox6:申请人",
                                     "GroupBox7:申请人", "GroupBox8:申请人"}));
    pages->setCurrentIndex(2);
    QCOMPARE(titles(2), (QStringList{"GroupBox9:药品注册代理机构", "GroupBox10:申  明"}));

    // The declaration memo reads as fixed text, in four lines exactly.
    auto *memo4 = form.findChild<QPlainTextEdit *>(QStringLiteral("Memo4"));
    QVERIFY(memo4);
    const QStringList lines = memo4->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0], QStringLiteral("34.我们保证：①本申请遵守《中华人民共和国药品管理法》、《中华人民共和国药品管理法实施条例》和《药品注册管理办法》等法律"));
    QCOMPARE(lines[3], QStringLiteral("    如查有不实之处，我们承担由此导致的一切法律后果。"));
    QCOMPARE(Controls::background(memo4), Controls::buttonFaceColour());
    QCOMPARE(memo4->frameShape(), QFrame::NoFrame);

    // Names that break the prefix pattern are of the kinds the catalogue says.
    QVERIFY(form.findChild<QCheckBox *>(QStringLiteral("edtDLJF")));
    QVERIFY(form.findChild<DatePicker *>(QStringLiteral("edtJWSSRQ")));
    for (const char *n : {"edtZY", "edtHXYP", "edtZLYSWZ", "edtYFYSWZ"})
        QVERIFY(form.findChild<QComboBox *>(QString::fromLatin1(n)));
    for (const char *n : {"rgbGSP1", "rgbGSP2", "rgbGSP3", "rgbGSP4"})
        QVERIFY(form.findChild<QRadioButton *>(QString::fromLatin1(n)));
    QVERIFY(form.findChild<QPlainTextEdit *>(QStringLiteral("edtSYZ"))->verticalScrollBarPolicy() ==
            Qt::ScrollBarAlwaysOn);
    // Date picker modes.
    QVERIFY(!form.findChild<DatePicker *>(QStringLiteral("dtpZLDQR"))->hasDate());
    QVERIFY(form.findChild<DatePicker *>(QStringLiteral("dtpXYZZ"))->hasDate());
    QVERIFY(!form.findChild<DatePicker *>(QStringLiteral("dtpCTSRQ"))->showCheckBox());
    // Applicant 1 alone has the licence number, the production address and the certificate group.
    QVERIFY(form.findChild<QLineEdit *>(QStringLiteral("edtJG1BH")));
    QVERIFY(!form.findChild<QLineEdit *>(QStringLiteral("edtJG2BH")));
    QVERIFY(!form.findChild<QLineEdit *>(QStringLiteral("edtJG3SCDZ")));
    QCOMPARE(form.findChild<QButtonGroup *>(QStringLiteral("Panel18"))->buttons().size(), 4);
}

void TestCatalogue::radioPanels_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("exclusive");
    QTest::newRow("制剂 clears 非制剂") << int(FormKind::YPZCSQ) << "rdbZJF" << "rdbZJT" << true;
    QTest::newRow("Panel5 apart from Panel23") << int(FormKind::YPZCSQ) << "rdbFZJYL" << "rdbZJT" << false;
    QTest::newRow("Panel10 spans two rows") << int(FormKind::YPZCSQ) << "rdbZGYD" << "rdbBZZN" << true;
    QTest::newRow("item 22 pair") << int(FormKind::YPZCSQ) << "rdbTSF" << "rdbTST" << true;
    QTest::newRow("item 22 kinds independent") << int(FormKind::YPZCSQ) << "ckbMZYP" << "rdbTSF" << false;
    QTest::newRow("item 23 pair") << int(FormKind::YPZCSQ) << "rdbYGK" << "rdbYSQ" << true;
    QTest::newRow("item 23 patents independent") << int(FormKind::YPZCSQ) << "ckbZGZL" << "ckbWGZL" << false;
    QTest::newRow("item 26 check apart from Panel15") << int(FormKind::YPZCSQ) << "ckbCCH" << "rdbBCSQWZC" << false;
    QTest::newRow("agent pair") << int(FormKind::YPZCSQ) << "rdbDLF" << "rdbDLT" << true;
    QTest::newRow("applicants apart") << int(FormKind::YPZCSQ) << "rdbJG2T" << "rdbJG3T" << false;
    const int import = int(FormKind::YPZCSQ_JK);
    QTest::newRow("import: 制剂 clears 非制剂") << import << "rdbZJF" << "rdbZJT" << true;
    QTest::newRow("import: Panel5 apart from Panel23") << import << "rdbFZJZJ" << "rdbZJT" << false;
    QTest::newRow("import: Panel10 spans two rows") << import << "rdbZGYD" << "rdbBZZN" << true;
    QTest::newRow("import: 局颁 and 《中国药典》") << import << "rdbJB" << "rdbZGYD" << true;
    QTest::newRow("import: trade name pair") << import << "rdbSPMT" << "rdbSPMF" << true;
    QTest::newRow("import: agent 3 pair") << import << "rdbJG3F" << "rdbJG3T" << true;
    QTest::newRow("import: class apart from item 2") << import << "rdbJKSQ" << "rdbZY" << false;
    for (const FormKind k : {FormKind::YPBCSQ, FormKind::YPBCSQ_JK}) {
        const char *f = k == FormKind::YPBCSQ ? "supplementary" : "import supplementary";
        const int kind = int(k);
        QTest::addRow("%s: 备案 clears 批准", f) << kind << "rdbZQXPJ" << "rdbZQXBA" << true;
        QTest::addRow("%s: matters apart from item 1's buttons", f) << kind << "ckbCYXY" << "rdbZQXBA" << false;
        QTest::addRow("%s: 备案 block apart too", f) << kind << "ckbGBWG" << "rdbZQXPJ" << false;
        QTest::addRow("%s: 药品包装规格等 a box of its own", f) << kind << "YPBZGG" << "ckbBGJKZC" << false;
        QTest::addRow("%s: 剂型 clears 非制剂", f) << kind << "rdbZJF" << "rdbZJT" << true;
        QTest::addRow("%s: Panel4 apart from Panel23", f) << kind << "rdbFZJYL" << "rdbZJT" << false;
        QTest::addRow("%s: item 17 over three rows", f) << kind << "rdbZGYD" << "rdbSX" << true;
        QTest::addRow("%s: item 17 second row", f) << kind << "rdbJB" << "rdbZB" << true;
        QTest::addRow("%s: item 20 kinds independent", f) << kind << "ckbMZYP" << "rdbTSF" << false;
        QTest::addRow("%s: item 23 pair", f) << kind << "rdbXYJCF" << "rdbXYJCT" << true;
        QTest::addRow("%s: agent pair", f) << kind << "rdbDLF" << "rdbDLT" << true;
    }
    QTest::newRow("supplementary: biological standard in item 17")
        << int(FormKind::YPBCSQ) << "rdbswzpgc" << "rdbZC" << true;
    QTest::newRow("supplementary: applicants apart") << int(FormKind::YPBCSQ) << "rdbJG2T" << "rdbJG3T" << false;
    QTest::newRow("import supplementary: applicants apart") << int(FormKind::YPBCSQ_JK) << "rdbJG3T" << "rdbJG4T" << false;
    QTest::newRow("import supplementary: the two standards apart in name only")
        << int(FormKind::YPBCSQ_JK) << "rdbZC" << "rdbSX" << true;
}

void TestCatalogue::radioPanels()
{
    QFETCH(int, kind);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, exclusive);
    std::unique_ptr<TEABaseForm> form(CreateForm(FormKind(kind)));
    auto *a = form->findChild<QAbstractButton *>(first);
    auto *b = form->findChild<QAbstractButton *>(second);
    QVERIFY(a && b);
    a->click();
    QVERIFY(a->isChecked());
    b->click();
    QVERIFY(b->isChecked());
    QCOMPARE(a->isChecked(), !exclusive);
}

void TestCatalogue::supplementaryForms_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("page2Groups");
    QTest::addColumn<QString>("item14");
    QTest::addColumn<QString>("declaration");
    // Date pickers as designed: c = check box cleared, t = ticked, n = none.
    QTest::addColumn<QString>("dateModes");
    QTest::addColumn<QString>("item33");
    QTest::newRow("domestic") << int(FormKind::YPBCSQ)
                              << QStringList{"GroupBox5:申请人", "GroupBox4:申请人", "GroupBox6:申请人",
                                             "GroupBox7:申请人", "GroupBox8:申请人"}
                              << "14.原" << "34. 我们保证：" << "ntcccccc" << "33：所报资料目录：";
    QTest::newRow("import") << int(FormKind::YPBCSQ_JK)
                            << QStringList{"GroupBox5:申请人", "GroupBox4:申请人", "GroupBox6:申请人",
                                           "GroupBox7:申请人", "GroupBox8:申请人"}
                            << "14." << "34.我们保证：" << "nnntcnnn" << "33.所报资料目录：";
}

void TestCatalogue::supplementaryForms()
{
    QFETCH(int, kind);
    QFETCH(QStringList, page2Groups);
    QFETCH(QString, item14);
    QFETCH(QString, declaration);
    QFETCH(QString, dateModes);
    QFETCH(QString, item33);
    std::unique_ptr<TEABaseForm> form(CreateForm(FormKind(kind)));
    form->show();
    QTabWidget *pages = form->pageControl();
    QCOMPARE(pages->count(), 4);
    QCOMPARE(pages->tabText(3), QStringLiteral("第四页"));
    QCOMPARE(pages->widget(3)->objectName(), QStringLiteral("TabSheet4"));
    auto titles = [&](int page) {
        pages->setCurrentIndex(page);
        QStringList out;
        QList<QGroupBox *> boxes = pages->widget(page)->findChildren<QGroupBox *>();
        std::sort(boxes.begin(), boxes.end(), [](auto *a, auto *b) { return a->y() < b->y(); });
        for (auto *b : boxes)
            out << b->objectName() + QLatin1Char(':') + b->title();
        return out;
    };
    QCOMPARE(titles(0), (QStringList{"GroupBox1:申请事项", "GroupBox2:药品情况", "GroupBox3:相关情况"}));
    QCOMPARE(titles(1), page2Groups);
    // Items 30 to 33 stand in group boxes without a caption.
    QCOMPARE(titles(2), (QStringList{"GroupBox9:药品注册代理机构", "GroupBox10:"}));
    QCOMPARE(titles(3), (QStringList{"GroupBox12:", "GroupBox11:申  明"}));

    // Names that break the prefix pattern are of the kinds the catalogue says.
    QVERIFY(form->findChild<QCheckBox *>(QStringLiteral("YPBZGG")));
    QCOMPARE(form->findChild<QCheckBox *>(QStringLiteral("YPBZGG"))->text(), QStringLiteral("药品包装规格等"));
    QVERIFY(form->findChild<QComboBox *>(QStringLiteral("cbxYPPZWH")));
    QVERIFY(form->findChild<DatePicker *>(QStringLiteral("dtpYPpZRQ")));
    for (const char *n : {"edtCFNFL", "memSYZ", "memBC", "memYPZ", "memSQLY", "memSBZLML", "memQTTB"})
        QVERIFY2(form->findChild<QPlainTextEdit *>(QLatin1String(n)), n);
    auto *combo = form->findChild<QComboBox *>(QStringLiteral("cbxYPPZWH"));
    bool found14 = false;
    for (auto *l : form->findChildren<QLabel *>())
        if (l->buddy() == combo)
            found14 = l->text() == item14;
    QVERIFY(found14);
    const QList<QLabel *> labels = form->findChildren<QLabel *>();
    QVERIFY(std::any_of(labels.begin(), labels.end(), [&](QLabel *l) { return l->text() == item33; }));

    const QStringList pickers{"dtpXYPZRQ", "dtpYPpZRQ", "dtpYXJZRQ", "dtpZLDQR",
                              "dtpYBJZ",   "dtpZYJZ",   "dtpYXBHJZ", "dtpXYZZ"};
    QCOMPARE(dateModes.size(), pickers.size());
    for (int i = 0; i < pickers.size(); ++i) {
        auto *d = form->findChild<DatePicker *>(pickers[i]);
        const QChar mode = d->showCheckBox() ? (d->hasDate() ? QLatin1Char('t') : QLatin1Char('c')) : QLatin1Char('n');
        QVERIFY2(mode == dateModes[i], qPrintable(pickers[i]));
    }

    // The declaration reads as fixed text in four lines; the reviewer's
    // fields stand directly on the last page.
    auto *memo7 = form->findChild<QPlainTextEdit *>(QStringLiteral("Memo7"));
    const QStringList lines = memo7->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[0].startsWith(declaration));
    QCOMPARE(lines[3], QStringLiteral("    如查有不实之处，我们承担由此导致的一切法律后果。"));
    QCOMPARE(Controls::background(memo7), Controls::buttonFaceColour());
    for (const char *n : {"edtSCR", "edtSCJG", "edtSCY", "edtSCM", "edtSCD"}) {
        auto *e = form->findChild<QLineEdit *>(QLatin1String(n));
        QVERIFY2(e && !qobject_cast<QGroupBox *>(e->parentWidget()), n);
    }
    // Item 1's two radio buttons exclude each other; item 17 is one group.
    QCOMPARE(form->findChild<QButtonGroup *>(QStringLiteral("Panel17"))->buttons().size(), 2);
    QCOMPARE(form->findChild<QButtonGroup *>(QStringLiteral("Panel6"))->buttons().size(),
             FormKind(kind) == FormKind::YPBCSQ ? 7 : 6);
}

void TestCatalogue::importSupplementaryApplicants()
{
    TFrmYPBCSQ_JK form;
    form.show();
    form.pageControl()->setCurrentIndex(1);
    // The packager's legal representative's position is hidden with its
    // caption, and still a control of the form.
    auto *position = form.findChild<QLineEdit *>(QStringLiteral("edtJG3FRZW"));
    QVERIFY(position && !position->isVisible());
    auto *packager = form.findChild<QGroupBox *>(QStringLiteral("GroupBox6"));
    QStringList shown, hidden;
    for (auto *l : packager->findChildren<QLabel *>())
        (l->isVisible() ? shown : hidden) << l->text();
    QCOMPARE(hidden, QStringList{QStringLiteral("职位：")});
    QVERIFY(shown.contains(QStringLiteral("组织机构代码：")));
    // The company has neither the 无/有 pair nor an organisation code; the
    // manufacturer not even the payment box; the fifth holds only its text.
    for (const char *n : {"rdbJG1F", "rdbJG1T", "edtJG1DM", "edtJG1LXR", "rdbJG2T", "ckbJG2JF", "ckbJG3JF", "edtJG5MC"})
        QVERIFY2(!form.findChild<QWidget *>(QLatin1String(n)), n);
    auto *fifth = form.findChild<QGroupBox *>(QStringLiteral("GroupBox8"));
    QCOMPARE(fifth->findChildren<QWidget *>().size(), 1);
    QCOMPARE(fifth->findChild<QLabel *>()->text(), QStringLiteral("28.机构5（无）："));
    // Item 17: no biological standard, and no trial standard: rdbSX is the
    // registration standard.
    QVERIFY(!form.findChild<QRadioButton *>(QStringLiteral("rdbswzpgc")));
    QCOMPARE(form.findChild<QRadioButton *>(QStringLiteral("rdbSX"))->text(), QStringLiteral("注册标准及标准编号："));
    QCOMPARE(form.findChild<QRadioButton *>(QStringLiteral("rdbZGYD"))->text(), QStringLiteral(" 中国药典"));
}

DZSB_TEST_MAIN(TestCatalogue)
#include "test_catalogue.moc"
