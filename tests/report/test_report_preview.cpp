// Tests of the preview window and the print dialog through the dialogs seam:
// caption and modality, the buttons by PreviewButtons with their hints, zoom,
// finding text across sheets, saving and opening a prepared report, printing
// to the virtual printer with page selection, copies and collation.
#include "ScriptedDialogs.h"
#include "TestMain.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrPreviewForm.h"
#include "TfrPrintForm.h"
#include "TfrReport.h"
#include "TfrReportPreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <sys/stat.h>

namespace {

// A report of three sheets: "甲" on the first, "目标" on the second and third.
void buildReport(TfrReport &report)
{
    const char *texts[] = {"甲 [PAGE#]", "乙 目标", "丙 目标"};
    for (const char *t : texts) {
        TfrPage &page = report.Pages().Add();
        page.LeftMargin = page.TopMargin = page.RightMargin = page.BottomMargin = 50;
        auto *m = new TfrMemoView;
        m->Name = QStringLiteral("M");
        m->FontName = QStringLiteral("宋体");
        m->SetBounds(100, 100, 300, 30);
        m->SetText(QString::fromUtf8(t));
        page.Add(m);
    }
}

int pdfPages(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return QString::fromLatin1(f.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")));
}

QStringList buttonNames(QWidget *form)
{
    QStringList names;
    for (QToolButton *b : form->findChildren<QToolButton *>())
        if (b->objectName().startsWith(QLatin1String("btn")))
            names.append(b->objectName() + QLatin1Char('=') + b->toolTip());
    return names;
}

} // namespace

class TestReportPreview : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitReportEngine(); }
    void showPreviewRunsModally_data();
    void showPreviewRunsModally();
    void zoom();
    void findTextAcrossSheets();
    void findCommandReportsMisses();
    void saveAndOpen();
    void openDamagedFileKeepsSheets();
    void printDialogDefaults();
    void printToVirtualPrinter_data();
    void printToVirtualPrinter();
    void badPageSelectionIsRefused();
    void filesAreRegularFilesOnly();
};

void TestReportPreview::showPreviewRunsModally_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("zoom, print and close") << int(pbZoom | pbPrint | pbExit)
                                           << QStringList{"btnZoom=放缩", "btnPrint=打印报表", "btnExit=关闭预览"};
    QTest::newRow("all seven") << frAllPreviewButtons
                               << QStringList{"btnZoom=放缩",     "btnLoad=打开报表", "btnSave=保存报表",
                                              "btnPrint=打印报表", "btnFind=查找文本", "btnHelp=显示帮助",
                                              "btnExit=关闭预览"};
}

void TestReportPreview::showPreviewRunsModally()
{
    QFETCH(int, buttons);
    QFETCH(QStringList, shown);
    ScriptedDialogs dialogs;
    TfrReport report;
    buildReport(report);
    report.setPreviewButtonBits(buttons);
    QStringList seen;
    int sheets = 0;
    dialogs.modalHandlers.enqueue([&](QDialog *window) {
        auto *form = qobject_cast<TfrPreviewForm *>(window);
        if (form) {
            seen = buttonNames(form);
            sheets = int(form->sheets().size());
        }
        return int(QDialog::Rejected);
    });
    report.ShowPreview();
    QCOMPARE(dialogs.modalWindows, QStringList{QStringLiteral("预览")});
    QCOMPARE(seen, shown);
    QCOMPARE(sheets, 3);
    QVERIFY(dialogs.messages.isEmpty());
}

void TestReportPreview::zoom()
{
    ScriptedDialogs dialogs;
    TfrReport report;
    buildReport(report);
    report.PrepareReport();
    TfrPreviewForm form(report);
    QCOMPARE(TfrPreviewForm::zoomTexts(),
             QStringList({"200%", "150%", "100%", "75%", "50%", "25%", "10%", "页宽", "整页", "双页"}));
    QCOMPARE(form.zoom(), TfrPreviewForm::Zoom100); // pzDefault
    auto *view = form.findChild<QPrintPreviewWidget *>();
    QVERIFY(view);
    const QList<std::pair<TfrPreviewForm::Zoom, double>> factors{
        {TfrPreviewForm::Zoom200, 2.0}, {TfrPreviewForm::Zoom75, 0.75}, {TfrPreviewForm::Zoom10, 0.1}};
    for (const auto &[zoom, factor] : factors) {
        form.setZoom(zoom);
        QCOMPARE(form.zoomFactor(), factor);
        QCOMPARE(view->viewMode(), QPrintPreviewWidget::SinglePageView);
    }
    form.setZoom(TfrPreviewForm::PageWidth);
    QCOMPARE(view->zoomMode(), QPrintPreviewWidget::FitToWidth);
    form.setZoom(TfrPreviewForm::WholePage);
    QCOMPARE(view->zoomMode(), QPrintPreviewWidget::FitInView);
    form.setZoom(TfrPreviewForm::TwoPages);
    QCOMPARE(view->viewMode(), QPrintPreviewWidget::FacingPagesView);
    // The zoom button's menu holds the ten choices.
    auto *button = form.findChild<QToolButton *>(QStringLiteral("btnZoom"));
    QVERIFY(button && button->menu());
    QCOMPARE(button->menu()->actions().size(), 10);
    button->menu()->actions()[4]->trigger();
    QCOMPARE(form.zoom(), TfrPreviewForm::Zoom50);
}

void TestReportPreview::findTextAcrossSheets()
{
    ScriptedDialogs dialogs;
    TfrReport report;
    buildReport(report);
    report.PrepareReport();
    TfrPreviewForm form(report);
    QVERIFY(form.findText(QStringLiteral("目标"), false));
    QCOMPARE(form.foundSheet(), 1);
    QCOMPARE(form.currentSheet(), 1);
    QVERIFY(form.findText(QStringLiteral("目标"), false));
    QCOMPARE(form.foundSheet(), 2);
    QVERIFY(form.findText(QStringLiteral("目标"), false)); // wraps around
    QCOMPARE(form.foundSheet(), 1);
    // The expanded text is searched, not the template's.
    QVERIFY(form.findText(QStringLiteral("甲 1"), false));
    QCOMPARE(form.foundSheet(), 0);
    QVERIFY(!form.findText(QStringLiteral("没有"), false));
    QCOMPARE(form.foundSheet(), -1);
}

void TestReportPreview::findCommandReportsMisses()
{
    ScriptedDialogs dialogs;
    TfrReport report;
    buildReport(report);
    report.PrepareReport();
    TfrPreviewForm form(report);
    auto answer = [](const QString &text) {
        return [text](QDialog *window) {
            window->findChild<QLineEdit *>(QStringLiteral("edtFindText"))->setText(text);
            return int(QDialog::Accepted);
        };
    };
    dialogs.modalHandlers.enqueue(answer(QStringLiteral("丙")));
    form.findTextCommand();
    QCOMPARE(form.foundSheet(), 2);
    QVERIFY(dialogs.messages.isEmpty());
    dialogs.modalHandlers.enqueue(answer(QStringLiteral("没有")));
    form.findTextCommand();
    QCOMPARE(dialogs.modalWindows, QStringList({"查找文本", "查找文本"}));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("未找到“没有”。"));
}

void TestReportPreview::saveAndOpen()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    TfrReport report;
    buildReport(report);
    report.PrepareReport();
    const QString file = dir.filePath(QStringLiteral("报表.frp"));
    {
        TfrPreviewForm form(report);
        dialogs.saveFiles.enqueue(file);
        form.saveReport();
        QVERIFY(QFile::exists(file));
        QCOMPARE(dialogs.fileRequests.last().caption, QStringLiteral("保存报表"));
    }
    TfrReport other;
    TfrMemoView *m = new TfrMemoView;
    m->SetText(QStringLiteral("另一份"));
    other.Pages().Add().Add(m);
    other.PrepareReport();
    TfrPreviewForm form(other);
    QCOMPARE(form.sheets().size(), 1);
    dialogs.openFiles.enqueue(file);
    form.openReport();
    QCOMPARE(dialogs.fileRequests.last().caption, QStringLiteral("打开报表"));
    QCOMPARE(form.sheets().size(), 3);
    QCOMPARE(form.sheets()[1].plainText(), report.PreparedSheets()[1].plainText());
    QVERIFY(form.findText(QStringLiteral("丙 目标"), true));
    QVERIFY(dialogs.messages.isEmpty());
    // Cancelling the dialog changes nothing.
    form.openReport();
    QCOMPARE(form.sheets().size(), 3);
}

void TestReportPreview::openDamagedFileKeepsSheets()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    const QString file = dir.filePath(QStringLiteral("坏.frp"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("DZSBFRP\x01\x05\0\0\0garbage");
    f.close();
    TfrReport report;
    buildReport(report);
    report.PrepareReport();
    TfrPreviewForm form(report);
    dialogs.openFiles.enqueue(file);
    dialogs.openFiles.enqueue(dir.filePath(QStringLiteral("不存在.frp")));
    form.openReport();
    form.openReport();
    QCOMPARE(form.sheets().size(), 3);
    QCOMPARE(dialogs.messages.size(), 2);
    QCOMPARE(dialogs.messages[0].caption, QStringLiteral("错误"));
    QVERIFY(dialogs.messages[0].text.contains(QStringLiteral("坏.frp")));
    QVERIFY(dialogs.messages[1].text.contains(QStringLiteral("无法打开")));
}

void TestReportPreview::printDialogDefaults()
{
    TfrReport report;
    TfrPrintForm form(report, 5, 2);
    QCOMPARE(form.windowTitle(), QStringLiteral("打印"));
    auto *printers = form.findChild<QComboBox *>(QStringLiteral("cbxPrinter"));
    QVERIFY(printers->count() >= 1);
    QCOMPARE(printers->itemText(printers->count() - 1), QStringLiteral("虚拟打印机"));
    QCOMPARE(TfrPrintForm::printerNames().last(), QStringLiteral("虚拟打印机"));
    QCOMPARE(form.copies(), 1);
    QVERIFY(form.collate());
    QVERIFY(form.findChild<QRadioButton *>(QStringLiteral("rbAll"))->isChecked());
    QCOMPARE(form.selectedSheets(), QList<int>({0, 1, 2, 3, 4}));
    form.findChild<QRadioButton *>(QStringLiteral("rbCurrent"))->setChecked(true);
    QCOMPARE(form.selectedSheets(), QList<int>({2}));
}

void TestReportPreview::printToVirtualPrinter_data()
{
    QTest::addColumn<QString>("range"); // empty: all pages
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<int>("pages");
    QTest::newRow("all") << QString() << 1 << true << 3;
    QTest::newRow("1,3") << "1,3" << 1 << true << 2;
    QTest::newRow("2-3, two copies collated") << "2-3" << 2 << true << 4;
    QTest::newRow("three copies, not collated") << "1" << 3 << false << 3;
}

void TestReportPreview::printToVirtualPrinter()
{
    QFETCH(QString, range);
    QFETCH(int, copies);
    QFETCH(bool, collate);
    QFETCH(int, pages);
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    TfrReport report;
    buildReport(report);
    report.PrepareReport();
    TfrPreviewForm form(report);
    const QString pdf = dir.filePath(QStringLiteral("虚拟.pdf"));
    dialogs.modalHandlers.enqueue([&](QDialog *window) {
        auto *print = qobject_cast<TfrPrintForm *>(window);
        auto *printers = print->findChild<QComboBox *>(QStringLiteral("cbxPrinter"));
        printers->setCurrentIndex(printers->count() - 1);
        if (!range.isEmpty()) {
            print->findChild<QRadioButton *>(QStringLiteral("rbRange"))->setChecked(true);
            print->findChild<QLineEdit *>(QStringLiteral("edtRange"))->setText(range);
        }
        print->findChild<QSpinBox *>(QStringLiteral("spnCopies"))->setValue(copies);
        print->findChild<QCheckBox *>(QStringLiteral("ckbCollate"))->setChecked(collate);
        print->accept();
        return print->result();
    });
    dialogs.saveFiles.enqueue(pdf);
    form.printReport();
    QCOMPARE(dialogs.modalWindows, QStringList{QStringLiteral("打印")});
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(pdfPages(pdf), pages);
}

void TestReportPreview::badPageSelectionIsRefused()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    TfrReport report;
    buildReport(report);
    report.PrepareReport();
    TfrPreviewForm form(report);
    dialogs.modalHandlers.enqueue([&](QDialog *window) {
        auto *print = qobject_cast<TfrPrintForm *>(window);
        auto *printers = print->findChild<QComboBox *>(QStringLiteral("cbxPrinter"));
        printers->setCurrentIndex(printers->count() - 1);
        print->findChild<QRadioButton *>(QStringLiteral("rbRange"))->setChecked(true);
        print->findChild<QLineEdit *>(QStringLiteral("edtRange"))->setText(QStringLiteral("1-x"));
        print->accept(); // refused: the dialog stays open
        return print->result();
    });
    dialogs.saveFiles.enqueue(dir.filePath(QStringLiteral("不应写出.pdf")));
    form.printReport();
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].kind, MessageKind::Warning);
    QVERIFY(dialogs.messages[0].text.contains(QStringLiteral("1,3,5-12")));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("不应写出.pdf"))));
}

// The virtual printer, Save and Open of the preview write and read regular
// files only: a link at the chosen name is neither followed nor replaced, a
// named pipe is neither replaced nor waited on.
void TestReportPreview::filesAreRegularFilesOnly()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    TfrReport report;
    buildReport(report);
    report.PrepareReport();
    TfrPreviewForm form(report);
    const QString target = dir.filePath(QStringLiteral("别人的文件.txt"));
    QFile keep(target);
    QVERIFY(keep.open(QIODevice::WriteOnly));
    keep.write("unchanged");
    keep.close();
    const QString link = dir.filePath(QStringLiteral("链接.pdf"));
    QVERIFY(QFile::link(target, link));
    const QString pipe = dir.filePath(QStringLiteral("管道.frp"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

    dialogs.modalHandlers.enqueue([&](QDialog *window) {
        auto *print = qobject_cast<TfrPrintForm *>(window);
        auto *printers = print->findChild<QComboBox *>(QStringLiteral("cbxPrinter"));
        printers->setCurrentIndex(printers->count() - 1);
        print->accept();
        return print->result();
    });
    dialogs.saveFiles.enqueue(link);
    form.printReport();
    dialogs.saveFiles.enqueue(pipe);
    form.saveReport();
    dialogs.openFiles.enqueue(pipe);
    form.openReport();

    QCOMPARE(dialogs.messages.size(), 3);
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("无法写入文件“%1”：是符号链接，为安全起见不经它写入（它和它指向的文件都保持原样）").arg(link));
    QCOMPARE(dialogs.messages[1].text, QStringLiteral("无法写入文件“%1”：是命名管道，不是普通文件").arg(pipe));
    QCOMPARE(dialogs.messages[2].text, QStringLiteral("无法打开文件“%1”：不是普通文件").arg(pipe));
    QCOMPARE(QFileInfo(link).symLinkTarget(), target);
    QVERIFY(keep.open(QIODevice::ReadOnly));
    QCOMPARE(keep.readAll(), QByteArray("unchanged"));
    struct stat st {};
    QVERIFY(::lstat(QFile::encodeName(pipe).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
    QCOMPARE(form.sheets().size(), 3);
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden | QDir::System).size(), 3);
}

DZSB_TEST_MAIN(TestReportPreview)
#include "test_report_preview.moc"
