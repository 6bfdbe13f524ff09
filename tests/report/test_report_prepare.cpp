// Tests of preparing, rendering and the prepared report file: objects on no
// band, record counts, the attachment page continuing over sheets within its
// margins, expressions and text-only memos, the template left unchanged, PDF
// output, frames and clipping as pixels, page selections.
#include "PrintedForm.h"
#include "ReportTestSupport.h"
#include "ScriptedDialogs.h"
#include "TestMain.h"
#include "TfrBandView.h"
#include "TfrLineView.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrPageRanges.h"
#include "TfrPreparedFile.h"
#include "TfrPreparer.h"
#include "TfrRenderer.h"
#include "TfrReport.h"
#include "TestDocuments.h"

#include <QFontInfo>
#include <algorithm>
#include <QProcess>
#include <climits>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

TfrMemoView *memo(TfrPage &page, const QString &name, int x, int y, int w, int h, const QString &text)
{
    auto *m = new TfrMemoView;
    m->Name = name;
    m->SetBounds(x, y, w, h);
    m->SetText(text);
    page.Add(m);
    return m;
}

// The attachment page as the print routine builds it; its memo.
TfrMemoView *addAttachmentPage(TfrReport &report, const QString &text)
{
    TfrPage &page = PrintedForm::AddAttachmentPage(report, text, QStringLiteral("1A2B3C4D"));
    return dynamic_cast<TfrMemoView *>(page.Objects()[1]);
}

QList<TfrSheet> prepareExact(const TfrReport &report, const QDateTime &moment = {})
{
    TfrPreparer preparer(report);
    if (moment.isValid())
        preparer.setMoment(moment);
    preparer.setMeasureFactory([](const TfrMemoView &) { return TfrMeasure(fixedWidth); });
    return preparer.prepare();
}

QStringList sheetTexts(const TfrSheet &sheet, const QString &name)
{
    QStringList texts;
    for (const TfrPreparedObject &o : sheet.objects)
        if (o.name == name) {
            QStringList lines;
            for (const TfrTextLine &l : o.lines)
                lines.append(l.text);
            texts.append(lines.join(QLatin1Char('|')));
        }
    return texts;
}

bool dark(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

} // namespace

class TestReportPrepare : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void objectsOnNoBandPrintOnEverySheet();
    void recordCount_data();
    void recordCount();
    void attachmentContinuesWithinMargins();
    void attachmentWithRealFonts();
    void expressions_data();
    void expressions();
    void hideZeros();
    void templateStaysUnchanged();
    void dialogPagesAndMargins();
    void runawayTemplateStops();
    void hostileTemplatesAreCapped();
    void pdfOutput();
    void frameSides_data();
    void frameSides();
    void textIsClippedAtTheRightEdge();
    void hairlinesAndFittedSheets();
    void chineseTextFitsItsLine();
    void preparedFile();
    void preparedFileWithHugeValues();
    void pageRanges_data();
    void pageRanges();
    void fontSubstitutions();
    void textLayerOfEveryFace_data();
    void textLayerOfEveryFace();
};

void TestReportPrepare::initTestCase()
{
    InstallReportFonts();
}

void TestReportPrepare::objectsOnNoBandPrintOnEverySheet()
{
    TfrReport report;
    TfrPage &plain = marginPage(report);
    memo(plain, QStringLiteral("Title"), 280, 108, 200, 34, QStringLiteral("药品注册申请表"));
    auto *line = new TfrLineView;
    line->SetBounds(96, 300, 604, 0);
    plain.Add(line);

    // A page whose data band prints on two sheets: its loose object is on both.
    TfrPage &banded = marginPage(report);
    memo(banded, QStringLiteral("Footer"), 82, 1000, 548, 18, QStringLiteral("数据核对码："));
    auto *band = new TfrBandView;
    band->SetBounds(90, 79, 0, 500);
    band->SetBandType(btMasterData);
    band->SetDataSource(QStringLiteral("2"));
    banded.Add(band);
    memo(banded, QStringLiteral("InBand"), 100, 90, 100, 20, QStringLiteral("x"));

    const QList<TfrSheet> sheets = prepareExact(report);
    QCOMPARE(sheets.size(), 3);
    QCOMPARE(sheets[0].templatePage, 0);
    QCOMPARE(sheets[0].objects.size(), 2);
    const TfrPreparedObject &title = sheets[0].objects[0];
    QCOMPARE(QList<int>({title.x, title.y, title.dx, title.dy}), QList<int>({280, 108, 200, 34}));
    QCOMPARE(title.lines, (QList<TfrTextLine>{{QStringLiteral("药品注册申请表"), true}}));
    QCOMPARE(sheets[0].objects[1].kind, TfrPreparedObject::Line);
    for (int s = 1; s <= 2; ++s) {
        QCOMPARE(sheets[s].templatePage, 1);
        QCOMPARE(sheetTexts(sheets[s], QStringLiteral("Footer")), QStringList{QStringLiteral("数据核对码：")});
        QCOMPARE(sheetTexts(sheets[s], QStringLiteral("InBand")).size(), 1);
    }
}

void TestReportPrepare::recordCount_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("prints");
    QTest::newRow("1") << "1" << 1;
    QTest::newRow("3") << "3" << 3;
    QTest::newRow("none") << "" << 1;
    QTest::newRow("a data set name") << "frDBDataSet1" << 1;
}

void TestReportPrepare::recordCount()
{
    QFETCH(QString, source);
    QFETCH(int, prints);
    TfrReport report;
    TfrPage &page = marginPage(report);
    auto *band = new TfrBandView;
    band->SetBounds(90, 200, 0, 40);
    band->SetBandType(btMasterData);
    band->SetDataSource(source);
    page.Add(band);
    memo(page, QStringLiteral("Row"), 100, 210, 200, 20, QStringLiteral("行"));
    const QList<TfrSheet> sheets = prepareExact(report);
    QCOMPARE(sheets.size(), 1);
    QList<int> tops;
    for (const TfrPreparedObject &o : sheets[0].objects)
        tops.append(o.y);
    QList<int> expected;
    // Bands print from the top margin down, one band height apart; the object
    // keeps its place within the band.
    for (int i = 0; i < prints; ++i)
        expected.append(79 + i * 40 + 10);
    QCOMPARE(tops, expected);
}

void TestReportPrepare::attachmentContinuesWithinMargins()
{
    TfrReport report;
    memo(marginPage(report), QStringLiteral("VerifyCode"), 630, 1000, 96, 18, QStringLiteral("1A2B3C4D"));
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines.append(QStringLiteral("第%1行 [PAGE#]").arg(i, 3, 10, QLatin1Char('0')));
    addAttachmentPage(report, lines.join(QStringLiteral("\r\n")));

    const QList<TfrSheet> sheets = prepareExact(report);
    // Font 9: height 12, line step 14; the 915 units between the top margin
    // and the footer line (6 units above the check code at 1000) hold 65
    // lines (with gap y 1 above and below).
    QCOMPARE(sheets.size(), 1 + 3);
    QList<int> perSheet;
    QStringList printed;
    for (int s = 1; s < sheets.size(); ++s) {
        const TfrSheet &sheet = sheets[s];
        QCOMPARE(sheet.templatePage, 1);
        QCOMPARE(sheet.objects.size(), 2);
        // The check code where the form's last page has it, on every sheet.
        const auto code = std::find_if(sheet.objects.begin(), sheet.objects.end(),
                                       [](const TfrPreparedObject &o) { return o.name == QLatin1String("AttachmentCode"); });
        QVERIFY(code != sheet.objects.end());
        QCOMPARE(QList<int>({code->x, code->y, code->dx, code->dy}), QList<int>({630, 1000, 96, 18}));
        QCOMPARE(code->lines.value(0).text, QStringLiteral("1A2B3C4D"));
        const TfrPreparedObject &part = sheet.objects[code == sheet.objects.begin() ? 1 : 0];
        // The memo takes the band's width: the page between its margins.
        QCOMPARE(part.x, 90);
        QCOMPARE(part.dx, 756 - 90 - 54);
        QCOMPARE(part.y, s == 1 ? 80 : 79);
        QVERIFY2(part.y + part.dy <= 1000 - 6, qPrintable(QString::number(part.y + part.dy)));
        QCOMPARE(part.dy, int(part.lines.size()) * 14 + 2);
        perSheet.append(int(part.lines.size()));
        for (const TfrTextLine &l : part.lines)
            printed.append(l.text);
    }
    QCOMPARE(perSheet, QList<int>({65, 65, 20}));
    // Every line once, in order, printed literally (text only).
    QCOMPARE(printed, lines);
}

void TestReportPrepare::attachmentWithRealFonts()
{
    TfrReport report;
    marginPage(report);
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("主要成分：本品每片含盐酸二甲双胍0.25克，辅料为淀粉、硬脂酸镁等。Excipients include starch. ");
    text += QStringLiteral("\r\n结束");
    addAttachmentPage(report, text);
    QVERIFY(report.PrepareReport());
    const QList<TfrSheet> &sheets = report.PreparedSheets();
    QVERIFY2(sheets.size() >= 3, qPrintable(QString::number(sheets.size())));
    const TfrMeasure measure = TfrRenderer::measureFor(TfrRenderer::reportFont(QStringLiteral("Arial"), 9, 0));
    QString joined;
    for (int s = 1; s < sheets.size(); ++s) {
        const TfrPreparedObject &part = sheets[s].objects.value(0);
        QVERIFY(part.x >= 90 && part.x + part.dx <= 756 - 54);
        QVERIFY(part.y >= 79 && part.y + part.dy <= 1069 - 54);
        for (const TfrTextLine &l : part.lines) {
            QVERIFY2(measure(l.text) <= part.dx - 2 * part.gapx, qPrintable(l.text));
            joined += l.text;
        }
    }
    QVERIFY(joined.endsWith(QStringLiteral("结束")));
    QCOMPARE(joined.count(QStringLiteral("硬脂酸镁")), 200);
}

void TestReportPrepare::expressions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("textOnly");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("page numbers") << "[PAGE#]/[TOTALPAGES]" << false << "1/2" << "2/2";
    QTest::newRow("text only prints brackets") << "[PAGE#]/[TOTALPAGES]" << true << "[PAGE#]/[TOTALPAGES]"
                                               << "[PAGE#]/[TOTALPAGES]";
    // The date as the forms print dates, whatever the locale.
    QTest::newRow("date and time") << "[DATE] [time]" << false << "2024/3/5 08:09:10" << "2024/3/5 08:09:10";
    QTest::newRow("unknown name prints nothing") << "a[edtXYZ]b[ PAGE# ]" << false << "ab1" << "ab2";
    QTest::newRow("unclosed bracket") << "[未闭合" << false << "[未闭合" << "[未闭合";
}

void TestReportPrepare::expressions()
{
    QFETCH(QString, text);
    QFETCH(bool, textOnly);
    QFETCH(QString, first);
    QFETCH(QString, second);
    TfrReport report;
    for (int p = 0; p < 2; ++p) {
        TfrMemoView *m = memo(marginPage(report), QStringLiteral("M"), 100, 100, 400, 20, QString());
        m->SetPropertyByName(QStringLiteral("TEXTONLY"), textOnly ? 16 : 0);
        m->SetText(text);
    }
    const QList<TfrSheet> sheets = prepareExact(report, QDateTime(QDate(2024, 3, 5), QTime(8, 9, 10)));
    QCOMPARE(sheets.size(), 2);
    QCOMPARE(sheetTexts(sheets[0], QStringLiteral("M")), QStringList{first});
    QCOMPARE(sheetTexts(sheets[1], QStringLiteral("M")), QStringList{second});
}

void TestReportPrepare::hideZeros()
{
    // Only a plain decimal number equal to zero is hidden.
    const struct {
        const char *text;
        bool hidden;
    } rows[] = {{"0", true}, {"0.00", true}, {"-0", true}, {" 0 ", true}, {"0E512345", false},
                {"00000001", false}, {"0x0", false}, {"0,0", false}, {"0 0", false}, {"零", false}};
    TfrReport report;
    TfrPage &page = marginPage(report);
    int y = 100;
    for (const auto &row : rows) {
        memo(page, QString::fromLatin1(row.text), 100, y, 100, 20, QString::fromUtf8(row.text));
        y += 22;
    }
    TfrMemoView *shown = memo(page, QStringLiteral("Shown"), 100, y, 100, 20, QStringLiteral("0"));
    shown->SetPropertyByName(QStringLiteral("HIDEZEROS"), 0);
    const QList<TfrSheet> sheets = prepareExact(report);
    for (const auto &row : rows)
        QCOMPARE(sheetTexts(sheets[0], QString::fromLatin1(row.text)),
                 QStringList{row.hidden ? QString() : QString::fromUtf8(row.text)});
    QCOMPARE(sheetTexts(sheets[0], QStringLiteral("Shown")), QStringList{QStringLiteral("0")});
}

void TestReportPrepare::templateStaysUnchanged()
{
    TfrReport report;
    TfrMemoView *value = memo(marginPage(report), QStringLiteral("edtSYZ"), 100, 100, 300, 20,
                              QStringLiteral("第 [PAGE#] 页"));
    TfrMemoView *attachment = addAttachmentPage(report, QString(8000, QChar(0x836F)));
    const QByteArray before = report.SaveToStream();
    QVERIFY(report.PrepareReport());
    QVERIFY(report.PreparedSheets().size() > 2);
    QCOMPARE(report.SaveToStream().toHex(), before.toHex());
    // The objects the program holds are the same and keep their texts and size.
    QCOMPARE(report.FindObject(QStringLiteral("edtsyz")), value);
    QCOMPARE(value->Memo(), QStringList{QStringLiteral("第 [PAGE#] 页")});
    QCOMPARE(attachment->dy, 90);
    QCOMPARE(attachment->dx, 60);
    QCOMPARE(report.Pages()[1].Objects().size(), 2);
    // A second prepare gives the same sheets.
    const int count = int(report.PreparedSheets().size());
    QVERIFY(report.PrepareReport());
    QCOMPARE(int(report.PreparedSheets().size()), count);
}

void TestReportPrepare::dialogPagesAndMargins()
{
    TfrReport report;
    TfrPage &dialog = report.Pages().Add();
    dialog.PageType = 1;
    memo(dialog, QStringLiteral("D"), 0, 0, 10, 10, QStringLiteral("d"));
    TfrPage &page = marginPage(report);
    page.UseMargins = false;
    auto *band = new TfrBandView;
    band->SetBounds(0, 300, 0, 20);
    band->SetBandType(btReportTitle);
    page.Add(band);
    TfrMemoView *m = memo(page, QStringLiteral("T"), 0, 300, 10, 20, QStringLiteral("t"));
    m->BandAlign = baWidth;
    const QList<TfrSheet> sheets = prepareExact(report);
    QCOMPARE(sheets.size(), 1);
    QCOMPARE(sheets[0].objects.size(), 1);
    // Without margins the band starts at the paper's edge and spans its width.
    QCOMPARE(sheets[0].objects[0].y, 0);
    QCOMPARE(sheets[0].objects[0].x, 0);
    QCOMPARE(sheets[0].objects[0].dx, 756);
}

void TestReportPrepare::runawayTemplateStops()
{
    TfrReport report;
    TfrPage &page = marginPage(report);
    auto *band = new TfrBandView;
    band->SetBounds(90, 79, 0, 800);
    band->SetBandType(btMasterData);
    band->SetDataSource(QStringLiteral("99999999"));
    page.Add(band);
    TfrPreparer preparer(report);
    preparer.setMeasureFactory([](const TfrMemoView &) { return TfrMeasure(fixedWidth); });
    const QList<TfrSheet> sheets = preparer.prepare();
    QCOMPARE(int(sheets.size()), TfrPreparer::MaxSheets);
    QVERIFY(!preparer.errorString().isEmpty());
}

void TestReportPrepare::hostileTemplatesAreCapped()
{
    // Objects on no band copied onto thousands of sheets: capped by count.
    {
        TfrReport report;
        TfrPage &page = marginPage(report);
        auto *band = new TfrBandView;
        band->SetBounds(90, 79, 0, 900);
        band->SetBandType(btMasterData);
        band->SetDataSource(QStringLiteral("99999"));
        page.Add(band);
        for (int i = 0; i < 100; ++i)
            memo(page, QStringLiteral("M%1").arg(i), 90, 990, 60, 20, QStringLiteral("名称"));
        TfrPreparer preparer(report);
        preparer.setMeasureFactory([](const TfrMemoView &) { return TfrMeasure(fixedWidth); });
        const QList<TfrSheet> sheets = preparer.prepare();
        qint64 objects = 0;
        for (const TfrSheet &s : sheets)
            objects += s.objects.size();
        QCOMPARE(objects, TfrPreparer::MaxObjects);
        QVERIFY2(preparer.errorString().contains(QStringLiteral("对象")), qPrintable(preparer.errorString()));
    }
    // A long text on no band copied onto every sheet: capped by text size.
    {
        TfrReport report;
        TfrPage &page = marginPage(report);
        auto *band = new TfrBandView;
        band->SetBounds(90, 79, 0, 900);
        band->SetBandType(btMasterData);
        band->SetDataSource(QStringLiteral("99999"));
        page.Add(band);
        memo(page, QStringLiteral("Long"), 90, 990, 600, 20, QString(200000, QLatin1Char('x')));
        TfrPreparer preparer(report);
        preparer.setMeasureFactory([](const TfrMemoView &) { return TfrMeasure(fixedWidth); });
        const QList<TfrSheet> sheets = preparer.prepare();
        qint64 chars = 0;
        for (const TfrSheet &s : sheets)
            for (const TfrPreparedObject &o : s.objects)
                for (const TfrTextLine &l : o.lines)
                    chars += l.text.size();
        QVERIFY(chars * 2 <= TfrPreparer::MaxTextBytes);
        QVERIFY(chars * 2 > TfrPreparer::MaxTextBytes / 2);
        QVERIFY2(preparer.errorString().contains(QStringLiteral("文字")), qPrintable(preparer.errorString()));
    }
    // Empty bands of many records: capped by band prints, no sheet is added.
    {
        TfrReport report;
        TfrPage &page = marginPage(report);
        for (int i = 0; i < 20; ++i) {
            auto *band = new TfrBandView;
            band->SetBounds(90, 79, 0, 0);
            band->SetBandType(btMasterData);
            band->SetDataSource(QStringLiteral("99999"));
            page.Add(band);
        }
        TfrPreparer preparer(report);
        const QList<TfrSheet> sheets = preparer.prepare();
        QCOMPARE(sheets.size(), 1);
        QVERIFY2(preparer.errorString().contains(QStringLiteral("数据带")), qPrintable(preparer.errorString()));
    }
    // A form-sized page with a megabyte of attachment text stays far below
    // every cap and prepares whole.
    {
        TfrReport report;
        TfrPage &page = marginPage(report);
        for (int i = 0; i < 600; ++i)
            memo(page, QStringLiteral("edt%1").arg(i), 90 + (i % 10) * 60, 100 + (i / 10) * 15, 60, 15,
                 QStringLiteral("申请人名称及地址"));
        QString text;
        while (text.size() < 500000)
            text += QStringLiteral("处方内药物活性成份阿莫西林250g，克拉维酸钾62.5g；\r\n");
        addAttachmentPage(report, text);
        TfrPreparer preparer(report);
        preparer.setMeasureFactory([](const TfrMemoView &) { return TfrMeasure(fixedWidth); });
        const QList<TfrSheet> sheets = preparer.prepare();
        QVERIFY2(preparer.errorString().isEmpty(), qPrintable(preparer.errorString()));
        qsizetype paragraphEnds = 0;
        for (const TfrSheet &s : sheets.mid(1))
            for (const TfrPreparedObject &o : s.objects)
                for (const TfrTextLine &l : o.lines)
                    paragraphEnds += l.paragraphEnd;
        QVERIFY(paragraphEnds >= text.count(QStringLiteral("\r\n")));
        QVERIFY(sheets.size() > 100);
    }
}

void TestReportPrepare::pdfOutput()
{
    QTemporaryDir dir;
    TfrReport report;
    memo(marginPage(report), QStringLiteral("A"), 100, 100, 300, 30, QStringLiteral("宋体文字"));
    addAttachmentPage(report, QString(4000, QChar(0x836F)));
    QVERIFY(report.PrepareReport());
    const QString file = dir.filePath(QStringLiteral("报表.pdf"));
    QVERIFY2(report.ExportPdf(file), qPrintable(report.errorString()));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    QVERIFY(pdf.startsWith("%PDF"));
    const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page[^s]"));
    QCOMPARE(QString::fromLatin1(pdf).count(pageObject), int(report.PreparedSheets().size()));

    // A file that cannot be written is reported, and nothing is left behind.
    const QString bad = dir.filePath(QStringLiteral("没有这个目录/报表.pdf"));
    QVERIFY(!report.ExportPdf(bad));
    QVERIFY(!QFile::exists(bad));
    // The reason is named in Chinese: a missing folder, a folder in the way.
    QVERIFY2(report.errorString().contains(QStringLiteral("”不存在")), qPrintable(report.errorString()));
    QVERIFY(!report.ExportPdf(dir.path()));
    QVERIFY2(report.errorString().contains(QStringLiteral("是目录")), qPrintable(report.errorString()));
}

void TestReportPrepare::frameSides_data()
{
    QTest::addColumn<int>("frame");
    for (int f : {0x01, 0x02, 0x04, 0x08, 0x0F, 0x00})
        QTest::newRow(qPrintable(QString::number(f, 16))) << f;
}

void TestReportPrepare::frameSides()
{
    QFETCH(int, frame);
    TfrSheet sheet;
    sheet.width = 200;
    sheet.height = 100;
    TfrPreparedObject o;
    o.x = 20;
    o.y = 20;
    o.dx = 100;
    o.dy = 50;
    o.frameTyp = quint16(frame);
    o.frameWidth = 2;
    sheet.objects.append(o);
    // At 91.44 dots per inch one dot is one report unit.
    const QImage image = TfrRenderer::renderImage(sheet, TfrRenderer::UnitsPerInch);
    QCOMPARE(image.size(), QSize(200, 100));
    QCOMPARE(dark(image, 120, 45), bool(frame & frbRight));
    QCOMPARE(dark(image, 70, 70), bool(frame & frbBottom));
    QCOMPARE(dark(image, 20, 45), bool(frame & frbLeft));
    QCOMPARE(dark(image, 70, 20), bool(frame & frbTop));
    QVERIFY(!dark(image, 70, 45));
}

void TestReportPrepare::hairlinesAndFittedSheets()
{
    TfrSheet sheet;
    sheet.width = 756;
    sheet.height = 1069;
    TfrPreparedObject rule;
    rule.kind = TfrPreparedObject::Line;
    rule.x = 100;
    rule.y = 500;
    rule.dx = 500;
    rule.dy = 0;
    rule.frameWidth = 1;
    sheet.objects.append(rule);
    TfrPreparedObject corner = rule;
    corner.kind = TfrPreparedObject::Memo;
    corner.x = 700;
    corner.y = 1000;
    corner.dx = 50;
    corner.dy = 60;
    corner.frameTyp = 0x0F;
    sheet.objects.append(corner);
    // A page at a fifth of its size: the one-unit rule stays a dark pixel
    // line with hairlines, and fades without.
    auto render = [&](bool hairlines, const QSizeF &page, double dpi) {
        QImage image(page.toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        TfrRenderer::drawSheetOnPage(painter, sheet, dpi, page, hairlines);
        return image;
    };
    const double dpi = TfrRenderer::UnitsPerInch / 5;
    const QSizeF fifth(756 / 5.0, 1069 / 5.0);
    auto darkest = [](const QImage &image, const QRect &area) {
        int best = 255;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (image.valid(x, y))
                    best = qMin(best, qGray(image.pixel(x, y)));
        return best;
    };
    QVERIFY(darkest(render(true, fifth, dpi), QRect(60, 98, 1, 5)) < 80);
    QVERIFY(darkest(render(false, fifth, dpi), QRect(60, 98, 1, 5)) > 120);
    // On a smaller paper the sheet is reduced, its lower right corner still on it.
    const QSizeF half(fifth.width() / 2, fifth.height() / 2);
    const QImage reduced = render(true, half, dpi);
    QVERIFY(darkest(reduced, QRect(int(half.width()) - 8, int(half.height()) - 10, 8, 10)) < 80);
}

void TestReportPrepare::textIsClippedAtTheRightEdge()
{
    TfrReport report;
    TfrPage &page = report.Pages().Add();
    TfrMemoView *m = memo(page, QStringLiteral("Long"), 10, 10, 100, 30, QString(60, QLatin1Char('W')));
    m->SetPropertyByName(QStringLiteral("WORDWRAP"), 0);
    m->FillColor = clNone;
    m->FontSize = 20;
    QVERIFY(report.PrepareReport());
    const TfrSheet &sheet = report.PreparedSheets()[0];
    QCOMPARE(sheet.objects[0].lines.size(), 1);
    const QImage image = TfrRenderer::renderImage(sheet, TfrRenderer::UnitsPerInch);
    int inside = 0, outside = 0;
    for (int y = 10; y < 40; ++y) {
        for (int x = 11; x < 108; ++x)
            inside += dark(image, x, y);
        for (int x = 110; x < 300; ++x)
            outside += dark(image, x, y);
    }
    QVERIFY(inside > 100);
    QCOMPARE(outside, 0);
}

void TestReportPrepare::chineseTextFitsItsLine()
{
    // A 24-point title (font height 32) in a tall box: its ink stays within the
    // line height, so a box of 34 units as the templates have holds it whole.
    TfrSheet sheet;
    sheet.width = 300;
    sheet.height = 200;
    TfrPreparedObject o;
    o.x = 10;
    o.y = 10;
    o.dx = 280;
    o.dy = 180;
    o.gapy = 1;
    o.fontName = QStringLiteral("宋体");
    o.fontSize = 24;
    o.fontStyle = fsBold;
    o.lines = {{QStringLiteral("药品注册申请表"), true}};
    sheet.objects.append(o);
    const QImage image = TfrRenderer::renderImage(sheet, TfrRenderer::UnitsPerInch);
    int inLine = 0, below = 0;
    for (int y = 10; y < 190; ++y)
        for (int x = 10; x < 290; ++x)
            (y < 10 + 34 - 1 ? inLine : below) += dark(image, x, y);
    QVERIFY(inLine > 500);
    QCOMPARE(below, 0);
}

void TestReportPrepare::preparedFile()
{
    TfrReport report;
    memo(marginPage(report), QStringLiteral("A"), 100, 100, 300, 30, QStringLiteral("第一行\r\n第二行"));
    addAttachmentPage(report, QString(2000, QChar(0x836F)));
    const QList<TfrSheet> sheets = prepareExact(report);
    const QByteArray bytes = TfrPreparedFile::encode(sheets);
    TfrPreparedFile file;
    QList<TfrSheet> loaded;
    QVERIFY(file.decode(bytes, loaded));
    QCOMPARE(loaded.size(), sheets.size());
    for (int i = 0; i < sheets.size(); ++i) {
        QCOMPARE(loaded[i].plainText(), sheets[i].plainText());
        QCOMPARE(loaded[i].objects.size(), sheets[i].objects.size());
        QCOMPARE(loaded[i].objects[0].y, sheets[i].objects[0].y);
        QCOMPARE(loaded[i].objects[0].lines, sheets[i].objects[0].lines);
    }
    QCOMPARE(TfrPreparedFile::encode(loaded), bytes);
    // Damaged files: cut short, a wrong signature, an absurd count.
    for (qsizetype n = 0; n < bytes.size(); n += 97) {
        QList<TfrSheet> kept = loaded;
        QVERIFY(!file.decode(bytes.left(n), kept));
        QCOMPARE(kept.size(), loaded.size());
    }
    QByteArray wrong = bytes;
    wrong[0] = 'X';
    QVERIFY(!file.decode(wrong, loaded));
    QByteArray huge = bytes.left(8);
    huge.append(QByteArray("\xFF\xFF\xFF\x7F", 4));
    QVERIFY(!file.decode(huge, loaded));
    QVERIFY(!file.errorString().isEmpty());
}

void TestReportPrepare::preparedFileWithHugeValues()
{
    // A hand-made file with positions, sizes, gaps and fonts at the ends of
    // the integer range: it opens with sane values and renders.
    TfrSheet sheet;
    sheet.width = INT_MAX;
    sheet.height = INT_MIN;
    sheet.leftMargin = INT_MIN;
    for (const qint32 edge : {INT_MAX, INT_MIN, INT_MAX - 1}) {
        for (const int alignment : {0, 0x01 | 0x10, 0x02 | 0x08, 0x03, 0x04}) {
            TfrPreparedObject o;
            o.x = edge;
            o.y = edge;
            o.dx = INT_MAX;
            o.dy = INT_MAX;
            o.gapx = INT_MIN;
            o.gapy = INT_MAX;
            o.fontSize = INT_MAX;
            o.lineSpacing = INT_MIN;
            o.charSpacing = INT_MAX;
            o.alignment = alignment;
            o.frameTyp = 0x0F;
            o.fillColor = clBlack;
            o.flags = flUnderlines;
            o.lines = {{QStringLiteral("巨大 坐标"), false}, {QStringLiteral("text"), true}};
            sheet.objects.append(o);
        }
    }
    TfrPreparedObject line;
    line.kind = TfrPreparedObject::Line;
    line.x = INT_MIN;
    line.dx = INT_MAX;
    sheet.objects.append(line);

    TfrPreparedFile file;
    QList<TfrSheet> loaded;
    QVERIFY2(file.decode(TfrPreparedFile::encode({sheet}), loaded), qPrintable(file.errorString()));
    QCOMPARE(loaded.size(), 1);
    QVERIFY(loaded[0].width > 0 && loaded[0].height > 0);
    for (const TfrPreparedObject &o : loaded[0].objects) {
        for (const qint32 v : {o.x, o.y, o.dx, o.dy})
            QVERIFY(qAbs(qint64(v)) <= 1000000);
        QVERIFY(qAbs(qint64(o.gapx)) <= 1000000 && qAbs(qint64(o.lineSpacing)) <= 1000000);
    }
    QVERIFY(!TfrRenderer::renderImage(loaded[0], 20).isNull());
    // Sheets held in memory draw as safely, their clip rectangle included.
    QVERIFY(!TfrRenderer::renderImage(sheet, 20).isNull());
    const QRect clip = TfrMemoLayout::ClipRect(TfrMemoBox{INT_MAX, INT_MIN, INT_MAX, INT_MAX});
    QVERIFY(clip.left() <= clip.right() + 1 && clip.width() >= 0);
}

void TestReportPrepare::pageRanges_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QList<int>>("pages");
    QTest::newRow("numbers and ranges") << "1,3,5-12" << true << QList<int>{1, 3, 5, 6, 7, 8, 9, 10, 11, 12};
    QTest::newRow("blanks") << " 2 , 4 - 5 " << true << QList<int>{2, 4, 5};
    QTest::newRow("reversed range") << "4-2" << true << QList<int>{2, 3, 4};
    QTest::newRow("each page once") << "1,1,1-2" << true << QList<int>{1, 2};
    QTest::newRow("beyond the last page") << "19-30,40" << true << QList<int>{19, 20};
    QTest::newRow("full-width comma") << "1，3" << true << QList<int>{1, 3};
    QTest::newRow("empty") << "" << false << QList<int>{};
    QTest::newRow("letters") << "a" << false << QList<int>{};
    QTest::newRow("zero") << "0" << false << QList<int>{};
    QTest::newRow("open range") << "1-" << false << QList<int>{};
    QTest::newRow("empty item") << "1,,2" << false << QList<int>{};
}

void TestReportPrepare::pageRanges()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QList<int>, pages);
    bool parsed = !ok;
    QCOMPARE(TfrPageRanges::Parse(text, 20, &parsed), pages);
    QCOMPARE(parsed, ok);
}

void TestReportPrepare::fontSubstitutions()
{
    // Every face the templates name prints in one of the program's own faces,
    // whatever else the machine has.
    const struct {
        const char *face;
        const char *family;
    } table[] = {{"宋体", "DZSB Serif"}, {"黑体", "DZSB Sans"}, {"Arial", "DZSB Arial"}, {"", "DZSB Arial"}};
    for (const auto &row : table) {
        const QFont font = TfrRenderer::reportFont(QString::fromUtf8(row.face), 10, fsBold);
        QCOMPARE(font.pixelSize(), 13);
        QVERIFY(font.bold());
        QCOMPARE(QFontInfo(font).family(), QString::fromLatin1(row.family));
    }
    // Chinese in an Arial memo comes from the program's sans face, and a face
    // no template knows falls back to the serif face.
    const QFont arial = TfrRenderer::reportFont(QStringLiteral("Arial"), 10, 0);
    QCOMPARE(arial.families().mid(0, 2).join(QLatin1Char('|')).toLower(), QStringLiteral("dzsb arial|dzsb sans"));
    QCOMPARE(QFontInfo(TfrRenderer::reportFont(QStringLiteral("无此字体"), 10, 0)).family(), QStringLiteral("DZSB Serif"));
}

void TestReportPrepare::textLayerOfEveryFace_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("style");
    for (const char *face : {"宋体", "黑体", "Arial"}) {
        QTest::newRow(face) << QString::fromUtf8(face) << 0;
        QTest::newRow(qPrintable(QString::fromUtf8(face) + QStringLiteral(" bold"))) << QString::fromUtf8(face) << int(fsBold);
    }
}

void TestReportPrepare::textLayerOfEveryFace()
{
    // Every character of GBK printed in the face reads back from the PDF's
    // text layer as itself, never as another character that shares its glyph
    // (胶 U+80F6 and 㬵 U+3B35, ／ U+FF0F and ∕ U+2215, ～ U+FF5E and 〜 U+301C,
    // 壿 U+58FF and 墫 U+58AB). Characters outside GBK that share glyphs with
    // GBK characters in the source fonts follow; they read back as themselves too.
    QFETCH(QString, face);
    QFETCH(int, style);
    const QString gbk = TestDocuments::gbkCharacters();
    QCOMPARE(gbk.size(), 94 + 1 + 21791);
    const QString shared = QStringLiteral("\u3B35\u301C\u2F64\u2F00\u2EDA\u2E8E\uF9A8");
    // The characters in a scattered order: Qt's PDF writer garbles a font's
    // ToUnicode map once it needs more than 100 ranges, which runs of
    // consecutive code points in consecutive glyphs would make it do (printed
    // forms never come near that). For the same reason each file holds a part.
    // The extraction reads any space, the ideographic one (U+3000) too, as a
    // gap between words, so spaces are not compared.
    QString all;
    for (qsizetype i = 0, n = gbk.size(); i < n; ++i)
        if (const QChar c = gbk[(i * 7919) % n]; !c.isSpace())
            all += c;
    all += shared;
    const int perLine = 56, fontSize = 9, step = 2 * TfrMemoLayout::FontHeight(fontSize), perFile = 7300;
    QTemporaryDir dir;
    QStringList wrong;
    for (qsizetype from = 0; from < all.size(); from += perFile) {
        const QString part = all.mid(from, perFile);
        QList<TfrSheet> sheets;
        QList<int> indices;
        for (qsizetype i = 0; i < part.size(); i += perLine) {
            if (sheets.isEmpty() || (sheets.last().objects.size() + 2) * step > sheets.last().height - 80) {
                sheets.append(TfrSheet());
                indices << int(sheets.size() - 1);
            }
            TfrPreparedObject o;
            o.x = 40;
            o.y = 40 + int(sheets.last().objects.size()) * step;
            o.dx = 700;
            o.dy = step;
            o.fontName = face;
            o.fontSize = fontSize;
            o.fontStyle = quint16(style);
            o.lines.append(TfrTextLine{part.mid(i, perLine), true});
            sheets.last().objects.append(o);
        }
        const QString pdf = dir.filePath(QStringLiteral("part%1.pdf").arg(from));
        QString error;
        QVERIFY2(TfrRenderer::writePdf(sheets, indices, pdf, &error), qPrintable(error));
        QProcess extract;
        extract.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
        QVERIFY2(extract.waitForFinished(120000) && extract.exitCode() == 0, "pdftotext (poppler-utils) is needed");
        // The extraction breaks lines, puts blanks where glyphs stand apart
        // and a form feed after each sheet; the printed text has none of these.
        QString read = QString::fromUtf8(extract.readAllStandardOutput());
        read.remove(QLatin1Char(' ')).remove(QLatin1Char('\n')).remove(QLatin1Char('\f'));
        for (qsizetype k = 0; k < qMin(read.size(), part.size()); ++k) {
            if (read[k] == part[k])
                continue;
            wrong << QStringLiteral("%1 U+%2 → %3 U+%4")
                         .arg(part[k]).arg(part[k].unicode(), 4, 16, QLatin1Char('0'))
                         .arg(read[k]).arg(read[k].unicode(), 4, 16, QLatin1Char('0'));
            if (read.size() != part.size()) {
                // A character read as none or as several: the rest is out of step.
                wrong.last() += QStringLiteral(" in “%1” read as “%2”").arg(part.mid(k - 8, 24), read.mid(k - 8, 24));
                break;
            }
        }
        // Every face in the file is one of the program's own.
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        for (const char *other : {"Noto", "DejaVu", "Nimbus", "WenQuanYi", "Droid", "Liberation"})
            if (bytes.contains(other))
                wrong << QString::fromLatin1(other);
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("%1 wrong: ").arg(wrong.size()) + wrong.mid(0, 80).join(QStringLiteral("; "))));
}

DZSB_TEST_MAIN(TestReportPrepare)
#include "test_report_prepare.moc"
