// End-to-end tests of printing the domestic registration form: the compiled
// template, the print routine (check codes, submission files, attachment
// page), the print hook and its 70-byte rule, and the printed sheets.
#include "AppError.h"
#include "CodePage.h"
#include "ControlAdapter.h"
#include "FormClasses.h"
#include "FormDriver.h"
#include "PrintFixture.h"
#include "Helpers.h"
#include "ScriptedDialogs.h"
#include "TFrmMain.h"
#include "TUIHelper.h"
#include "TestMain.h"
#include "TfrBandView.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrReport.h"

#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString memoText(TEABaseForm *form, const QString &name)
{
    return Controls::text(form->findChild<QPlainTextEdit *>(name));
}

QString objectText(TEABaseForm *form, const QString &name)
{
    TfrView *v = form->report()->FindObject(name);
    return v ? v->Text() : QStringLiteral("<none>");
}

// Everything printed on a sheet, one string.
QString sheetText(const TfrSheet &sheet)
{
    return sheet.plainText();
}

QString chinese(int count)
{
    QString s;
    for (int i = 0; i < count; ++i)
        s += QChar(0x836F + i % 7); // 药...
    return s;
}

// The domestic form, its messages before printing cleared.
struct PrintFixture : FormFixture {
    PrintFixture() : FormFixture(FormKind::YPZCSQ) { dlg.messages.clear(); }
};

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void twoPrintsTwoCodesTwoFiles();
    void printThenSave();
    void attachmentThenNone();
    void longTextThreshold_data();
    void longTextThreshold();
    void sectionsInTableOrder();
    void missingObjectEndsTheHook();
    void longAttachmentOverSeveralSheets();
    void valuesTooLongForTheirBoxesMoveToTheAttachment();
    void zeroLikeValuesPrint_data();
    void zeroLikeValuesPrint();
    void pdfTextLayerAndFaces();
};

void TestPrinting::twoPrintsTwoCodesTwoFiles()
{
    PrintFixture f;
    const QString first = f.print();
    const QString firstFile = f.form->DataFileName();
    QCOMPARE(f.dlg.messages.size(), 1);
    QCOMPARE(f.dlg.messages[0].text, QStringLiteral("已成功生成报盘文件:") + firstFile +
                                         QStringLiteral("\r\n数据核对码为：") + first +
                                         QStringLiteral("\r\n\r\n请打印后将本文件发送至ZQX!"));
    const QString second = f.print();
    QVERIFY(first != second);
    QVERIFY(QFile::exists(firstFile));
    QVERIFY(QFile::exists(f.form->DataFileName()));
    QVERIFY(firstFile != f.form->DataFileName());
}

void TestPrinting::printThenSave()
{
    PrintFixture f;
    const QString code = f.print();
    const QString file = f.form->DataFileName();
    QFile::remove(file);
    f.dlg.messages.clear();
    f.main.action(QStringLiteral("mnuSaveNoExit"))->trigger();
    QCOMPARE(f.dlg.messages.size(), 1);
    QVERIFY(f.dlg.messages[0].text.startsWith(QStringLiteral("已成功生成备份文件:") + file +
                                              QStringLiteral("\r\n数据核对码为：") + code));
    QVERIFY(QFile::exists(file));
}

void TestPrinting::attachmentThenNone()
{
    PrintFixture f;
    const QString text = chinese(36) + QStringLiteral("\r\n第二行");
    f.setMemo("edtHXCF", text);
    f.print();
    QCOMPARE(f.attachmentPages(), 1);
    const TfrPages &pages = f.form->report()->Pages();
    QCOMPARE(pages[pages.Count() - 1].Name, QStringLiteral("newadd"));
    QCOMPARE(objectText(f.form, QStringLiteral("edtHXCF")), QStringLiteral("(见附页)"));
    const TfrPage &attachment = pages[pages.Count() - 1];
    QCOMPARE(QList<int>({attachment.LeftMargin, attachment.TopMargin, attachment.RightMargin, attachment.BottomMargin}),
             QList<int>({90, 79, 54, 54}));
    // A breaked, stretched master data band of one record; a stretched,
    // text-only memo of font size 9 taking the band's width.
    auto *band = dynamic_cast<TfrBandView *>(attachment.Objects()[0]);
    auto *memo = dynamic_cast<TfrMemoView *>(attachment.Objects()[1]);
    QVERIFY(band && memo);
    QCOMPARE(band->BandType(), 5);
    QCOMPARE(band->DataSource(), QStringLiteral("1"));
    QCOMPARE(band->RecordCount(), 1);
    QCOMPARE(band->Flags, quint16(0x39));
    QCOMPARE(QList<int>({band->x, band->y, band->dx, band->dy}), QList<int>({90, 79, 0, 100}));
    QCOMPARE(memo->BandAlign, quint8(4));
    QCOMPARE(memo->FontSize, 9);
    QCOMPARE(memo->Alignment, 0);
    QCOMPARE(memo->Flags, quint16(0x53));
    QCOMPARE(QList<int>({memo->x, memo->y, memo->dx, memo->dy}), QList<int>({91, 80, 60, 90}));
    // One memo line per line of the attachment text, its empty lines kept.
    QCOMPARE(memo->Memo(), (QStringList{QStringLiteral("附页："), QString(),
                                        QStringLiteral("15.处方内药物活性成份或者中药药味(均含处方量)："), QString(),
                                        chinese(36), QStringLiteral("第二行"), QString()}));
    QCOMPARE(f.sheets().size(), 4);
    QVERIFY(sheetText(f.sheets()[3]).contains(QStringLiteral("第二行")));

    // Shortened again: the next print has no attachment page and the text in place.
    f.setMemo("edtHXCF", QStringLiteral("短文本"));
    f.print();
    QCOMPARE(f.attachmentPages(), 0);
    QCOMPARE(f.sheets().size(), 3);
    QCOMPARE(objectText(f.form, QStringLiteral("edtHXCF")), QStringLiteral("短文本"));
}

void TestPrinting::longTextThreshold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("moves");
    QTest::newRow("35 Chinese characters, 70 bytes") << chinese(35) << false;
    QTest::newRow("36 Chinese characters, 72 bytes") << chinese(36) << true;
    QTest::newRow("70 single bytes") << QString(70, QLatin1Char('a')) << false;
    QTest::newRow("71 single bytes") << QString(71, QLatin1Char('a')) << true;
    QTest::newRow("a line break counts two") << chinese(33) + QStringLiteral("\r\nab") << false;
    QTest::newRow("two line breaks count four") << chinese(33) + QStringLiteral("\r\n\r\nab") << true;
}

void TestPrinting::longTextThreshold()
{
    QFETCH(QString, text);
    QFETCH(bool, moves);
    PrintFixture f;
    f.setMemo("edtCFFL", text);
    QCOMPARE(CodePage::byteLength(memoText(f.form, QStringLiteral("edtCFFL"))) > 70, moves);
    f.print();
    QCOMPARE(f.attachmentPages(), moves ? 1 : 0);
    QCOMPARE(objectText(f.form, QStringLiteral("edtCFFL")), moves ? QStringLiteral("(见附页)") : text);
}

void TestPrinting::sectionsInTableOrder()
{
    PrintFixture f;
    // Filled in the opposite order of the hook's table.
    const QString gytj = chinese(40), syz = QString(80, QLatin1Char('s')), hxcf = chinese(50);
    f.setMemo("edtGYTJ", gytj);
    f.setMemo("edtSYZ", syz);
    f.setMemo("edtCFFL", QStringLiteral("短"));
    f.setMemo("edtHXCF", hxcf);
    f.print();
    const TfrPages &pages = f.form->report()->Pages();
    const QString attachment = pages[pages.Count() - 1].Objects()[1]->Text() + QStringLiteral("\r\n");
    QCOMPARE(attachment, QStringLiteral("附页：\r\n\r\n") +
                             QStringLiteral("15.处方内药物活性成份或者中药药味(均含处方量)：\r\n\r\n") + hxcf +
                             QStringLiteral("\r\n\r\n20.主要适应症或者功能主治：\r\n\r\n") + syz +
                             QStringLiteral("\r\n\r\n21.给药途径及特殊用法：\r\n\r\n") + gytj + QStringLiteral("\r\n\r\n"));
    QCOMPARE(objectText(f.form, QStringLiteral("edtCFFL")), QStringLiteral("短"));
    QVERIFY(f.dlg.messages.size() == 1); // the submission message only
}

void TestPrinting::missingObjectEndsTheHook()
{
    PrintFixture f;
    // A template without the first long memo's object.
    TfrPage &page = f.form->report()->Pages()[0];
    for (int i = 0; i < page.Objects().size(); ++i)
        if (page.Objects()[i]->Name == QLatin1String("edtHXCF")) {
            page.Delete(i);
            break;
        }
    // Over the hook's 70 bytes, yet two lines that fit item 20's box.
    const QString syz = chinese(36);
    f.setMemo("edtHXCF", chinese(40));
    f.setMemo("edtSYZ", syz);
    f.print();
    QStringList texts = f.dlg.texts();
    texts.removeFirst(); // the submission message
    QCOMPARE(texts, (QStringList{QStringLiteral("报表控件未找到！ edtHXCF"), QStringLiteral("报表控件未找到！ edtHXCF")}));
    QCOMPARE(f.attachmentPages(), 0);
    QCOMPARE(f.sheets().size(), 3);
    QCOMPARE(objectText(f.form, QStringLiteral("edtSYZ")), syz);
}

void TestPrinting::longAttachmentOverSeveralSheets()
{
    PrintFixture f;
    QString text;
    for (int i = 0; i < 160; ++i)
        text += QStringLiteral("第%1行：处方内药物活性成份的说明文字。\r\n").arg(i + 1);
    f.setMemo("edtHXCF", text);
    f.print();
    QVERIFY(f.sheets().size() >= 6);
    for (int s = 3; s < f.sheets().size(); ++s) {
        const TfrSheet &sheet = f.sheets()[s];
        QCOMPARE(sheet.leftMargin, 90);
        for (const TfrPreparedObject &o : sheet.objects) {
            if (o.name.startsWith(QLatin1String("Attachment")))
                continue; // the footer line, where the form's sheets have it
            QVERIFY(o.x >= 90 && o.y >= 79);
            QVERIFY(o.x + o.dx <= sheet.width - 54);
            QVERIFY(o.y + o.dy <= sheet.height - 54);
        }
    }
    QVERIFY(sheetText(f.sheets().last()).contains(QStringLiteral("第160行")));
    QVERIFY(sheetText(f.sheets()[3]).contains(QStringLiteral("附页：")));
}

void TestPrinting::valuesTooLongForTheirBoxesMoveToTheAttachment()
{
    PrintFixture f;
    // Under the 70-byte rule, but eight lines in a five-line box; and a
    // one-line field far wider than its box.
    QStringList lines;
    for (int i = 1; i <= 8; ++i)
        lines << QStringLiteral("料%1 1g").arg(i);
    const QString excipients = lines.join(QStringLiteral("\r\n"));
    QVERIFY(CodePage::byteLength(excipients) <= 70);
    f.setMemo("edtCFFL", excipients);
    auto *name = f.form->findChild<QLineEdit *>(QStringLiteral("edtYPTYMC"));
    const QString longName = chinese(60);
    name->setText(longName);
    f.print();
    QCOMPARE(objectText(f.form, QStringLiteral("edtCFFL")), QStringLiteral("(见附页)"));
    QCOMPARE(objectText(f.form, QStringLiteral("edtYPTYMC")), QStringLiteral("(见附页)"));
    const TfrPages &pages = f.form->report()->Pages();
    QCOMPARE(pages[pages.Count() - 1].Name, QStringLiteral("newadd"));
    // The items in the order they stand on the template, under their captions.
    const QStringList expected = QStringList{QStringLiteral("附页："), QString(), QStringLiteral("4.药品名称："),
                                             QString(), longName, QString(),
                                             QStringLiteral("16.处方内辅料(含处方量)："), QString()} +
                                 lines + QStringList{QString()};
    QCOMPARE(pages[pages.Count() - 1].Objects()[1]->Memo(), expected);
    QCOMPARE(f.sheets().size(), 4);
    QVERIFY(f.sheets()[3].plainText().contains(QStringLiteral("料8 1g")));
    QCOMPARE(f.dlg.texts().size(), 1); // the submission message only
}

void TestPrinting::zeroLikeValuesPrint_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("value");
    QTest::newRow("scientific zero") << "0E512345" << "0";
    QTest::newRow("all zeros") << "00000000" << "0.00";
}

void TestPrinting::zeroLikeValuesPrint()
{
    QFETCH(QString, code);
    QFETCH(QString, value);
    PrintFixture f;
    f.form->verifyCodeEdit()->setText(code);
    f.form->findChild<QLineEdit *>(QStringLiteral("edtYPTYMC"))->setText(value);
    f.form->SaveBackup(); // the document holds the code and the value
    f.files << f.form->DataFileName();
    f.form->FillPrintedForm();
    f.form->report()->PrepareReport();
    QStringList codes;
    QString drugName;
    for (const TfrSheet &sheet : f.sheets())
        for (const TfrPreparedObject &o : sheet.objects) {
            const QString text = o.lines.isEmpty() ? QString() : o.lines.first().text;
            if (o.name.startsWith(QLatin1String("VerifyCode")))
                codes << text;
            if (o.name == QLatin1String("edtYPTYMC"))
                drugName = text;
        }
    QCOMPARE(codes, (QStringList{code, code, code}));
    QCOMPARE(drugName, value);
}

void TestPrinting::pdfTextLayerAndFaces()
{
    PrintFixture f;
    const QString name = QStringLiteral("一次用药页码");
    f.form->findChild<QLineEdit *>(QStringLiteral("edtYPTYMC"))->setText(name);
    f.print();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("form.pdf"));
    QVERIFY(f.form->report()->ExportPdf(pdf));
    // The text layer gives the ideographs themselves, not the radicals that
    // share their glyphs (⼀ U+2F00, ⽤ U+2F64, ⻚ U+2EDA).
    QProcess extract;
    extract.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    QVERIFY2(extract.waitForFinished(30000) && extract.exitCode() == 0, "pdftotext (poppler-utils) is needed");
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    QVERIFY(text.contains(name));
    QVERIFY(text.contains(QStringLiteral("药品注册申请表")));
    for (const QChar radical : QStringLiteral("\u2F00\u2F64\u2EDA"))
        QVERIFY(!text.contains(radical));
    // Every face in the file is one of the program's own.
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains("DZSBSerif"));
    for (const char *other : {"Noto", "DejaVu", "Nimbus", "WenQuanYi", "Droid"})
        QVERIFY2(!bytes.contains(other), other);
}

DZSB_TEST_MAIN(TestPrinting)
#include "test_printing.moc"
