// Tests of the report object model: defaults of new objects, pages and reports,
// properties by name with their conversions, FindObject, page add and delete,
// and memo texts.
#include "ReportTestSupport.h"
#include "TestMain.h"
#include "TfrBandView.h"
#include "TfrLineView.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrReport.h"

#include <QtTest>

class TestReportModel : public QObject {
    Q_OBJECT
private slots:
    void newObjectDefaults();
    void newPageAndReportDefaults();
    void properties_data();
    void properties();
    void propertyNamesIgnoreCase();
    void unknownPropertyChangesNothing();
    void findObject();
    void deleteAttachmentPages_data();
    void deleteAttachmentPages();
    void memoText_data();
    void memoText();
};

void TestReportModel::newObjectDefaults()
{
    TfrMemoView memo;
    QCOMPARE(memo.Flags, quint16(0x43));
    QCOMPARE(memo.FontName, QStringLiteral("Arial"));
    QCOMPARE(memo.FontSize, 10);
    QCOMPARE(memo.FontColor, clBlack);
    QCOMPARE(memo.Alignment, 0);
    QCOMPARE(memo.LineSpacing, 2);
    QCOMPARE(memo.ObjectVersion, quint8(2));
    QCOMPARE(memo.Typ(), quint8(gtMemo));
    QVERIFY(memo.Memo().isEmpty());

    TfrBandView band;
    QCOMPARE(band.Flags, quint16(0x30));
    QCOMPARE(band.Columns, 1);
    QCOMPARE(band.ColumnWidth, 200);
    QCOMPARE(band.ColumnGap, 20);
    QCOMPARE(band.Typ(), quint8(gtBand));
    QCOMPARE(band.RecordCount(), 1);
    band.SetBandType(btMasterData);
    QCOMPARE(band.FrameTyp, quint16(5));
    band.SetDataSource(QStringLiteral("1"));
    QCOMPARE(band.FormatStr, QStringLiteral("1"));
    band.SetDataSource(QStringLiteral("12abc"));
    QCOMPARE(band.RecordCount(), 12);
    band.SetDataSource(QStringLiteral("frDBDataSet1"));
    QCOMPARE(band.RecordCount(), 1);

    TfrLineView line;
    QCOMPARE(line.Typ(), quint8(gtLine));
    line.SetBounds(1, 2, 3, 4);
    QCOMPARE(QList<int>({line.x, line.y, line.dx, line.dy}), QList<int>({1, 2, 3, 4}));
}

void TestReportModel::newPageAndReportDefaults()
{
    TfrReport report;
    QVERIFY(report.ShowProgress);
    QVERIFY(report.ModalPreview);
    QVERIFY(report.ModifyPrepared);
    QCOMPARE(report.DefaultCopies, 1);
    QVERIFY(report.DefaultCollate);
    QVERIFY(report.Title().isEmpty());
    QCOMPARE(report.InitialZoom(), int(pzDefault));
    QCOMPARE(int(report.PreviewButtons()), frAllPreviewButtons);
    // The published properties are reachable through Qt's property system.
    QVERIFY(report.setProperty("PreviewButtons", int(pbZoom | pbPrint | pbExit)));
    QCOMPARE(report.PreviewButtons(), pbZoom | pbPrint | pbExit);
    QVERIFY(report.setProperty("StoreInDFM", true));
    QVERIFY(report.StoreInDFM());

    TfrPage &page = report.Pages().Add();
    QCOMPARE(page.pgSize, 9);
    QCOMPARE(page.pgWidth, 2100);
    QCOMPARE(page.pgHeight, 2970);
    QCOMPARE(page.pgOr, quint8(0));
    QCOMPARE(QList<int>({page.LeftMargin, page.TopMargin, page.RightMargin, page.BottomMargin}),
             QList<int>({0, 0, 0, 0}));
    QVERIFY(page.UseMargins);
    QVERIFY(page.Name.isEmpty());
    QCOMPARE(page.WidthUnits(), 756);
    QCOMPARE(page.HeightUnits(), 1069);

    // New pages take the paper found at start.
    frSetDefaultPaper({1, 2159, 2794});
    TfrPage &letter = report.Pages().Add();
    frSetDefaultPaper({});
    QCOMPARE(letter.pgSize, 1);
    QCOMPARE(letter.pgWidth, 2159);
    QCOMPARE(report.Pages().Add().pgSize, 9);
    QCOMPARE(report.Pages().Count(), 3);
}

void TestReportModel::properties_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("expected"); // what GetPropertyByName gives afterwards
    QTest::addColumn<int>("flags");         // the flags afterwards, -1: not checked

    // Every object.
    QTest::newRow("NAME") << "line" << "NAME" << QVariant(QStringLiteral("Line9")) << QVariant(QStringLiteral("Line9")) << -1;
    QTest::newRow("LEFT") << "line" << "LEFT" << QVariant(12) << QVariant(12) << -1;
    QTest::newRow("TOP") << "line" << "TOP" << QVariant(13) << QVariant(13) << -1;
    QTest::newRow("WIDTH") << "line" << "WIDTH" << QVariant(14) << QVariant(14) << -1;
    QTest::newRow("HEIGHT from text") << "line" << "HEIGHT" << QVariant(QStringLiteral("15")) << QVariant(15) << -1;
    QTest::newRow("FLAGS") << "line" << "FLAGS" << QVariant(0x41) << QVariant(0x41) << 0x41;
    QTest::newRow("FRAMETYP") << "line" << "FRAMETYP" << QVariant(15) << QVariant(15) << -1;
    QTest::newRow("FRAMEWIDTH") << "line" << "FRAMEWIDTH" << QVariant(1.5) << QVariant(1.5) << -1;
    QTest::newRow("FRAMECOLOR") << "line" << "FRAMECOLOR" << QVariant(255) << QVariant(255) << -1;
    QTest::newRow("FRAMESTYLE") << "line" << "FRAMESTYLE" << QVariant(2) << QVariant(2) << -1;
    QTest::newRow("FILLCOLOR") << "line" << "FILLCOLOR" << QVariant(0xFFFFFF) << QVariant(0xFFFFFF) << -1;
    QTest::newRow("VISIBLE 0") << "line" << "VISIBLE" << QVariant(0) << QVariant(false) << -1;
    QTest::newRow("MEMO") << "line" << "MEMO" << QVariant(QStringLiteral("a\r\nb")) << QVariant(QStringLiteral("a\r\nb")) << -1;
    QTest::newRow("GAPX") << "line" << "GAPX" << QVariant(3) << QVariant(3) << -1;
    QTest::newRow("GAPY") << "line" << "GAPY" << QVariant(4) << QVariant(4) << -1;
    QTest::newRow("STRETCHED 1") << "line" << "STRETCHED" << QVariant(1) << QVariant(true) << 0x01;
    QTest::newRow("BANDALIGN") << "line" << "BANDALIGN" << QVariant(4) << QVariant(4) << -1;
    QTest::newRow("DATAFIELD") << "line" << "DATAFIELD" << QVariant(QStringLiteral("F")) << QVariant(QStringLiteral("F")) << -1;
    QTest::newRow("TAG") << "line" << "TAG" << QVariant(QStringLiteral("t")) << QVariant(QStringLiteral("t")) << -1;

    // Memo: font, alignment, spacing and the flag bits (any non-zero number is true).
    QTest::newRow("FONT.NAME") << "memo" << "FONT.NAME" << QVariant(QStringLiteral("宋体")) << QVariant(QStringLiteral("宋体")) << 0x43;
    QTest::newRow("FONT.SIZE") << "memo" << "FONT.SIZE" << QVariant(9) << QVariant(9) << 0x43;
    QTest::newRow("FONT.STYLE") << "memo" << "FONT.STYLE" << QVariant(2) << QVariant(2) << 0x43;
    QTest::newRow("FONT.COLOR") << "memo" << "FONT.COLOR" << QVariant(0xFF) << QVariant(0xFF) << 0x43;
    QTest::newRow("ALIGNMENT") << "memo" << "ALIGNMENT" << QVariant(0) << QVariant(0) << 0x43;
    QTest::newRow("LINESPACING") << "memo" << "LINESPACING" << QVariant(5) << QVariant(5) << 0x43;
    QTest::newRow("CHARSPACING") << "memo" << "CHARSPACING" << QVariant(1) << QVariant(1) << 0x43;
    QTest::newRow("WORDWRAP 0") << "memo" << "WORDWRAP" << QVariant(0) << QVariant(false) << 0x41;
    QTest::newRow("WORDBREAK") << "memo" << "WORDBREAK" << QVariant(4) << QVariant(true) << 0x47;
    QTest::newRow("AUTOWIDTH") << "memo" << "AUTOWIDTH" << QVariant(true) << QVariant(true) << 0x4B;
    QTest::newRow("TEXTONLY 16") << "memo" << "TEXTONLY" << QVariant(16) << QVariant(true) << 0x53;
    QTest::newRow("SUPPRESS") << "memo" << "SUPPRESS" << QVariant(1) << QVariant(true) << 0x63;
    QTest::newRow("HIDEZEROS 0") << "memo" << "HIDEZEROS" << QVariant(0) << QVariant(false) << 0x03;
    QTest::newRow("UNDERLINES") << "memo" << "UNDERLINES" << QVariant(128) << QVariant(true) << 0xC3;
    QTest::newRow("memo STRETCHED 0") << "memo" << "STRETCHED" << QVariant(0) << QVariant(false) << 0x42;

    // Band.
    QTest::newRow("CHILDBAND") << "band" << "CHILDBAND" << QVariant(QStringLiteral("Child1")) << QVariant(QStringLiteral("Child1")) << 0x30;
    QTest::newRow("MASTER") << "band" << "MASTER" << QVariant(QStringLiteral("Band1")) << QVariant(QStringLiteral("Band1")) << 0x30;
    QTest::newRow("FORMNEWPAGE") << "band" << "FORMNEWPAGE" << QVariant(1) << QVariant(true) << 0x32;
    QTest::newRow("PRINTIFSUBSETEMPTY") << "band" << "PRINTIFSUBSETEMPTY" << QVariant(1) << QVariant(true) << 0x34;
    QTest::newRow("BREAKED 8") << "band" << "BREAKED" << QVariant(8) << QVariant(true) << 0x38;
    QTest::newRow("ONFIRSTPAGE 0") << "band" << "ONFIRSTPAGE" << QVariant(0) << QVariant(false) << 0x20;
    QTest::newRow("ONLASTPAGE 0") << "band" << "ONLASTPAGE" << QVariant(0) << QVariant(false) << 0x10;
    QTest::newRow("REPEATHEADER") << "band" << "REPEATHEADER" << QVariant(1) << QVariant(true) << 0x70;
    QTest::newRow("PRINTCHILDIFINVISIBLE") << "band" << "PRINTCHILDIFINVISIBLE" << QVariant(1) << QVariant(true) << 0xB0;
    QTest::newRow("band STRETCHED") << "band" << "STRETCHED" << QVariant(1) << QVariant(true) << 0x31;
    QTest::newRow("CONDITION") << "band" << "CONDITION" << QVariant(QStringLiteral("[A]")) << QVariant(QStringLiteral("[A]")) << 0x30;
    QTest::newRow("COLUMNS") << "band" << "COLUMNS" << QVariant(2) << QVariant(2) << 0x30;
    QTest::newRow("COLUMNGAP") << "band" << "COLUMNGAP" << QVariant(7) << QVariant(7) << 0x30;
    QTest::newRow("COLUMNWIDTH") << "band" << "COLUMNWIDTH" << QVariant(99) << QVariant(99) << 0x30;
    QTest::newRow("NEWCOLUMNAFTER") << "band" << "NEWCOLUMNAFTER" << QVariant(3) << QVariant(3) << 0x30;
}

void TestReportModel::properties()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    QFETCH(QVariant, expected);
    QFETCH(int, flags);
    std::unique_ptr<TfrView> view;
    if (kind == QLatin1String("memo"))
        view = std::make_unique<TfrMemoView>();
    else if (kind == QLatin1String("band"))
        view = std::make_unique<TfrBandView>();
    else
        view = std::make_unique<TfrLineView>();
    QVERIFY(view->SetPropertyByName(name, value));
    const QVariant got = view->GetPropertyByName(name);
    if (expected.typeId() == QMetaType::Int)
        QCOMPARE(got.toLongLong(), expected.toLongLong());
    else if (expected.typeId() == QMetaType::Double)
        QCOMPARE(got.toDouble(), expected.toDouble());
    else
        QCOMPARE(got, expected);
    if (flags >= 0)
        QCOMPARE(int(view->Flags), flags);
}

void TestReportModel::propertyNamesIgnoreCase()
{
    TfrMemoView memo;
    QVERIFY(memo.SetPropertyByName(QStringLiteral("Font.Size"), 9));
    QVERIFY(memo.SetPropertyByName(QStringLiteral("textonly"), 16));
    QVERIFY(memo.SetPropertyByName(QStringLiteral("Alignment"), 2));
    QCOMPARE(memo.FontSize, 9);
    QVERIFY(memo.TextOnly());
    QCOMPARE(memo.Alignment, 2);
    QCOMPARE(memo.GetPropertyByName(QStringLiteral("font.size")).toInt(), 9);
    TfrBandView band;
    QVERIFY(band.SetPropertyByName(QStringLiteral("Breaked"), 8));
    QVERIFY(band.Breaked());
}

void TestReportModel::unknownPropertyChangesNothing()
{
    TfrBandView band;
    TfrMemoView memo;
    // A memo property on a band, a band property on a memo and a made-up name.
    QVERIFY(!band.SetPropertyByName(QStringLiteral("TEXTONLY"), 16));
    QVERIFY(!memo.SetPropertyByName(QStringLiteral("BREAKED"), 8));
    QVERIFY(!memo.SetPropertyByName(QStringLiteral("NOSUCHPROPERTY"), 1));
    QCOMPARE(band.Flags, quint16(0x30));
    QCOMPARE(memo.Flags, quint16(0x43));
    QVERIFY(!memo.GetPropertyByName(QStringLiteral("NOSUCHPROPERTY")).isValid());
}

void TestReportModel::findObject()
{
    TfrReport report;
    TfrPage &first = report.Pages().Add();
    TfrPage &second = report.Pages().Add();
    auto make = [](const char *name) {
        auto *m = new TfrMemoView;
        m->Name = QString::fromUtf8(name);
        return m;
    };
    TfrMemoView *code1 = make("VerifyCode1");
    TfrMemoView *duplicate = make("VERIFYCODE1");
    TfrMemoView *other = make("edtHXCF");
    TfrMemoView *chinese = make("制剂中间体");
    first.Add(other);
    first.Add(chinese);
    second.Add(code1);
    second.Add(duplicate);
    QCOMPARE(report.FindObject(QStringLiteral("verifycode1")), code1);
    QCOMPARE(report.FindObject(QStringLiteral("VerifyCode1")), code1);
    QCOMPARE(report.FindObject(QStringLiteral("EDTHXCF")), other);
    QCOMPARE(report.FindObject(QStringLiteral("制剂中间体")), chinese);
    QCOMPARE(report.FindObject(QStringLiteral("VerifyCode4")), nullptr);
    QCOMPARE(report.FindObject(QString()), nullptr);
    // The first page's object comes before a later page's of the same name.
    first.Add(make("verifyCODE1"));
    QCOMPARE(report.FindObject(QStringLiteral("VerifyCode1"))->Name, QStringLiteral("verifyCODE1"));
}

void TestReportModel::deleteAttachmentPages_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("two newadd pages") << QStringList{"", "Page1", "newadd", "Page2", "newadd"}
                                      << QStringList{"", "Page1", "Page2"};
    QTest::newRow("none") << QStringList{"", "Page1", "Page2"} << QStringList{"", "Page1", "Page2"};
    QTest::newRow("only newadd") << QStringList{"newadd", "newadd"} << QStringList{};
}

void TestReportModel::deleteAttachmentPages()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, left);
    TfrReport report;
    for (const QString &name : names) {
        TfrPage &page = report.Pages().Add();
        page.Name = name;
        page.Add(new TfrMemoView);
    }
    // As the print routine does it: from the last page to the first.
    for (int i = report.Pages().Count() - 1; i >= 0; --i)
        if (report.Pages()[i].Name == QLatin1String("newadd"))
            report.Pages().Delete(i);
    QStringList remaining;
    for (int i = 0; i < report.Pages().Count(); ++i)
        remaining.append(report.Pages()[i].Name);
    QCOMPARE(remaining, left);
    report.Pages().Delete(99); // out of range: nothing happens
    report.Pages().Delete(-1);
    QCOMPARE(report.Pages().Count(), int(left.size()));
}

void TestReportModel::memoText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << "一\r\n二" << QStringList{"一", "二"};
    QTest::newRow("LF") << "a\nb\nc" << QStringList{"a", "b", "c"};
    QTest::newRow("CR") << "a\rb" << QStringList{"a", "b"};
    QTest::newRow("empty line kept") << "a\r\n\r\nb" << QStringList{"a", "", "b"};
    QTest::newRow("trailing break") << "a\r\n" << QStringList{"a"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("brackets") << "[PAGE#]" << QStringList{"[PAGE#]"};
}

void TestReportModel::memoText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    TfrMemoView memo;
    memo.AddLine(QStringLiteral("old"));
    memo.SetText(text);
    QCOMPARE(memo.Memo(), lines);
    memo.AddLine(QStringLiteral("x\r\ny"));
    QCOMPARE(memo.Memo().last(), QStringLiteral("x\r\ny"));
    QCOMPARE(memo.Memo().size(), lines.size() + 1);
}

DZSB_TEST_MAIN(TestReportModel)
#include "test_report_model.moc"
