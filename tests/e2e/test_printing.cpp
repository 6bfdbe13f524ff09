// End-to-end tests of printing the domestic registration form: the compiled
// template, the print routine (check codes, submission files, attachment
// page), the print hook and its 70-byte rule, and the printed sheets.
#include "AppError.h"
#include "CodePage.h"
#include "ControlAdapter.h"
#include "FormClasses.h"
#include "FormDriver.h"
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
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The value objects of the template, page by page, in their stored order.
const QList<QStringList> kValueObjects = {
    {
        "rdbXY", "rdbFZ", "rdbZY", "rdbHXYP", "rdbZLYSWZ", "rdbYFYSWZP", "rdbZCFLQT", "ckbFCFY",
        "ckbJHZM", "ckbGJDZXL", "ckbFJSQQT", "edtZY", "rdbSPMF", "rdbSPMT", "rdbMCLY1", "rdbMCLY2",
        "rdbMCLY3", "rdbMCLY4", "edtHXCF", "edtCFFL", "rdbFZJYL", "rdbFZJZY", "rdbFZJZYY",
        "rdbFZJYX", "rdbFZJQT", "rdbYDJX", "rdbXJX", "rdbYLLYJN", "rdbYLLYJK", "rdbYLLYWZC",
        "rdbYLLYSB", "rdbBZFD", "rdbBZWFD", "rdbZGYD", "rdbJB", "rdbBZZN", "rdbBZZC", "rdbBZGW",
        "rdbTSF", "rdbTST", "ckbMZYP", "ckbYLDX", "ckbFSX", "ckbJSYP", "ckbZGZL", "ckbGYZL",
        "ckbQTZL", "ckbYWZL", "rdbYGK", "rdbYSQ", "rdbZLSSXK", "rdbZLSSF", "ckbYPBH", "ckbZYBH",
        "ckbYXYBH", "ckbYZSQ", "rdbXYJCF", "rdbXYJCT", "rdbBCSQWSC", "rdbBCSQWZC", "ckbCTS",
        "rdbJWSSF", "rdbJWSSU", "rdbJWSST", "edtZCFLQT", "edtFJSQQT", "edtYPTYMC", "edtYPYWM",
        "edtHYPY", "edtHXMC", "edtYPQTM", "edtSPMC", "edtFZTQT", "edtGG", "edtJX", "edtXJXE",
        "edtBZGG", "edtYPYXQ", "edtYLLYSBH", "edtYLLYSQY", "edtYLLYSQYDZ", "edtBZWFDMC", "edtSYZ",
        "edtGYTJ", "edtBZGW", "edtBZZC", "edtJB", "edtJBC", "edtZGYD", "edtqtzl", "edtZLQR",
        "edtWGZLQR", "edtWGZL", "edtCCHYY", "edtCTSYY", "dtpYBJZ", "dtpZYJZ", "dtpYXBHJZ",
        "dtpXYQS", "dtpXYZZ", "edtJWSSGJ", "edtJWSSRQ", "edtHXYP", "edtZLYSWZ", "edtYFYSWZ",
        "dtpZLDQR", "ckbCCH", "dtpCTSRQ", "VerifyCode", "rdbZJF", "rdbZJT", "ckbWGZL", "rdbFZJZJ",
        "制剂中间体"
    },
    {
        "rgbGSP1", "rgbGSP2", "rgbGSP3", "rgbGSP4", "rdbJG1F", "rdbJG1T", "ckbJG1JF", "rdbJG2F",
        "rdbJG2T", "ckbJG2JF", "rdbJG3F", "rdbJG3T", "ckbJG3JF", "rdbJG4F", "rdbJG4T", "ckbJG4JF",
        "rdbJG5F", "rdbJG5T", "ckbJG5JF", "edtJG1MC", "edtJG1DM", "edtJG1BH", "edtJG1FR",
        "edtJG1FRZW", "edtJG1DZ", "edtJG1YB", "edtJG1SCDZ", "edtJG1SCYB", "edtJG1FZR",
        "edtJG1FZRZW", "edtJG1CZ", "edtJG1DH", "edtJG1YX", "edtJG1LXR", "edtJG1LXRDH", "edtJG2FR",
        "edtJG2DM", "edtJG2MC", "edtJG2DZ", "edtJG2DH", "edtJG2FZR", "edtJG2YX", "edtJG2LXR",
        "edtJG2LXRDH", "edtJG2FZRZW", "edtJG2FRZW", "edtJG2YB", "edtJG3FR", "edtJG3DM", "edtJG3DZ",
        "edtJG3DH", "edtJG3FZR", "edtJG3YX", "edtJG3LXR", "edtJG3LXRDH", "edtJG3FZRZW",
        "edtJG3FRZW", "edtJG3YB", "edtJG3MC", "edtJG4FR", "edtJG4DM", "edtJG4DZ", "edtJG4DH",
        "edtJG4FZR", "edtJG4YX", "edtJG4LXR", "edtJG4LXRDH", "edtJG4FZRZW", "edtJG4FRZW",
        "edtJG4YB", "edtJG4MC", "edtJG5FR", "edtJG5DM", "edtJG5DZ", "edtJG5DH", "edtJG5FZR",
        "edtJG5YX", "edtJG5LXR", "edtJG5LXRDH", "edtJG5FZRZW", "edtJG5FRZW", "edtJG5YB",
        "edtJG5MC", "edtJG2CZ", "VerifyCode1", "edtJG3CZ", "edtJG4CZ", "edtJG5CZ"
    },
    {
        "rdbDLF", "rdbDLT", "edtDLJF", "edtDLMC", "edtDLDM", "edtDLFR", "edtDLDZ", "edtDLDH",
        "edtDLYX", "edtDLLXR", "edtDLFRZW", "edtDLCZ", "edtDLLXRZW", "edtDLYB", "edtQTSM",
        "edtSCJG", "edtSCR", "edtSCY", "edtSCM", "edtSCD", "VerifyCode2"
    },
};

bool isValueObject(const TfrView *v)
{
    return !v->Name.startsWith(QLatin1String("Memo")) && !v->Name.startsWith(QLatin1String("Line"));
}

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

struct PrintFixture {
    ScriptedDialogs dlg;
    TFrmMain main;
    TEABaseForm *form = nullptr;
    QStringList files;

    PrintFixture()
    {
        main.show();
        main.NewCommand(FormKind::YPZCSQ);
        form = main.registered(FormKind::YPZCSQ);
        main.mdiArea()->setActiveSubWindow(form);
        dlg.messages.clear();
    }
    ~PrintFixture()
    {
        for (const QString &f : files)
            QFile::remove(f);
    }
    // The Print command; returns the new check code.
    QString print()
    {
        dlg.messages.clear();
        dlg.modalWindows.clear();
        form->SubmitAndPrint();
        files << form->DataFileName();
        return form->verifyCodeEdit()->text();
    }
    const QList<TfrSheet> &sheets() const { return form->report()->PreparedSheets(); }
    int attachmentPages() const
    {
        int n = 0;
        const TfrPages &pages = form->report()->Pages();
        for (int i = 0; i < pages.Count(); ++i)
            n += pages[i].Name == QLatin1String("newadd");
        return n;
    }
    void setMemo(const char *name, const QString &text)
    {
        Controls::setText(form->findChild<QPlainTextEdit *>(QLatin1String(name)), text);
    }
};

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void templateHoldsEveryValueObject();
    void emptyFormPrintsThreeSheetsTwice();
    void twoPrintsTwoCodesTwoFiles();
    void printThenSave();
    void attachmentThenNone();
    void longTextThreshold_data();
    void longTextThreshold();
    void sectionsInTableOrder();
    void missingObjectEndsTheHook();
    void longAttachmentOverSeveralSheets();
    void fullyFilledFormPrintsEveryValue();
};

void TestPrinting::templateHoldsEveryValueObject()
{
    TFrmYPZCSQ form;
    TfrReport *report = form.report();
    QVERIFY(report);
    QVERIFY(report->StoreInDFM());
    QCOMPARE(report->InitialZoom(), int(pzDefault));
    QCOMPARE(report->PreviewButtons(), TfrPreviewButtons(pbZoom | pbPrint | pbExit));
    QCOMPARE(report->Pages().Count(), 3);
    const QStringList names{"", "Page1", "Page2"};
    for (int p = 0; p < 3; ++p) {
        const TfrPage &page = report->Pages()[p];
        QCOMPARE(page.Name, names[p]);
        QCOMPARE(page.pgSize, 9);
        QCOMPARE(page.pgWidth, 2101);
        QCOMPARE(page.pgHeight, 2969);
        QCOMPARE(QList<int>({page.LeftMargin, page.TopMargin, page.RightMargin, page.BottomMargin}),
                 QList<int>({90, 79, 54, 54}));
        QStringList values;
        for (const TfrView *v : page.Objects()) {
            QVERIFY(v->ClassName() == QLatin1String("TfrMemoView") || v->ClassName() == QLatin1String("TfrLineView"));
            QCOMPARE(v->ObjectVersion, quint8(2));
            if (isValueObject(v))
                values << v->Name;
        }
        QCOMPARE(values, kValueObjects[p]);
    }
    // Every control that the configuration document binds has its object.
    for (const char *n : {"edtHXCF", "edtCFFL", "edtSYZ", "edtGYTJ", "VerifyCode", "VerifyCode1", "VerifyCode2"})
        QVERIFY(report->FindObject(QLatin1String(n)));
    QVERIFY(!report->FindObject(QStringLiteral("VerifyCode3")));
    QCOMPARE(report->FindObject(QStringLiteral("rdbXY"))->Text(), QStringLiteral("○"));
    QCOMPARE(report->FindObject(QStringLiteral("ckbFCFY"))->Text(), QStringLiteral("□"));
    QCOMPARE(report->FindObject(QStringLiteral("edtYPTYMC"))->Text(), QStringLiteral("-"));
    QCOMPARE(report->FindObject(QStringLiteral("制剂中间体"))->Text(), QStringLiteral("制剂中间体"));
    auto *hxcf = static_cast<TfrMemoView *>(report->FindObject(QStringLiteral("edtHXCF")));
    QCOMPARE(hxcf->Flags, quint16(0x53));
    QCOMPARE(hxcf->FontName, QStringLiteral("宋体"));
}

void TestPrinting::emptyFormPrintsThreeSheetsTwice()
{
    PrintFixture f;
    for (int round = 0; round < 2; ++round) {
        const QString code = f.print();
        QCOMPARE(f.dlg.modalWindows, QStringList{QStringLiteral("预览")});
        QCOMPARE(f.sheets().size(), 3);
        QCOMPARE(f.attachmentPages(), 0);
        // The check code at the lower right of every sheet after the first,
        // and in the first sheet's own check code object.
        for (int s = 0; s < 3; ++s) {
            bool found = false;
            for (const TfrPreparedObject &o : f.sheets()[s].objects)
                if (o.name == (s == 0 ? QStringLiteral("VerifyCode") : QStringLiteral("VerifyCode%1").arg(s))) {
                    QVERIFY(!o.lines.isEmpty());
                    QCOMPARE(o.lines.first().text, code);
                    QVERIFY(o.x > 600 && o.y > 990);
                    found = true;
                }
            QVERIFY(found);
        }
        // Placeholders replaced: no "-" left in value objects of edit fields.
        QCOMPARE(objectText(f.form, QStringLiteral("edtYPTYMC")), QString());
        QCOMPARE(objectText(f.form, QStringLiteral("rdbXY")), QStringLiteral("○"));
    }
}

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
    QCOMPARE(attachment.Objects().size(), 2);
    auto *band = dynamic_cast<TfrBandView *>(attachment.Objects()[0]);
    auto *memo = dynamic_cast<TfrMemoView *>(attachment.Objects()[1]);
    QVERIFY(band && memo);
    QCOMPARE(band->FrameTyp, quint16(5));
    QCOMPARE(band->DataSource(), QStringLiteral("1"));
    QCOMPARE(band->Flags & 0x09, 0x09);
    QCOMPARE(memo->BandAlign, quint8(4));
    QCOMPARE(memo->FontSize, 9);
    QVERIFY(memo->Flags & 0x11);
    QCOMPARE(memo->Memo(), QStringList{QStringLiteral("附页：\r\n\r\n15.处方内药物活性成份或者中药药味(均含处方量)：\r\n\r\n") +
                                       text + QStringLiteral("\r\n\r\n")});
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
    const QString attachment = pages[pages.Count() - 1].Objects()[1]->Memo().first();
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
    const QString syz = chinese(40);
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
            QVERIFY(o.x >= 90 && o.y >= 79);
            QVERIFY(o.x + o.dx <= sheet.width - 54);
            QVERIFY(o.y + o.dy <= sheet.height - 54);
        }
    }
    QVERIFY(sheetText(f.sheets().last()).contains(QStringLiteral("第160行")));
    QVERIFY(sheetText(f.sheets()[3]).contains(QStringLiteral("附页：")));
}

void TestPrinting::fullyFilledFormPrintsEveryValue()
{
    PrintFixture f;
    FormDriver::fillEveryControl(f.form);
    f.print();
    QCOMPARE(f.dlg.messages.size(), 1); // no missing object
    // Every bound edit's value is in a value object of its name.
    for (QLineEdit *edit : f.form->findChildren<QLineEdit *>()) {
        if (edit->objectName().startsWith(QLatin1String("edt")) && edit->isEnabled() && !edit->text().isEmpty())
            QCOMPARE(objectText(f.form, edit->objectName()), edit->text());
    }
    QCOMPARE(objectText(f.form, QStringLiteral("rdbZJT")), QStringLiteral("●"));
    QCOMPARE(objectText(f.form, QStringLiteral("rdbZJF")), QStringLiteral("○"));
    QCOMPARE(objectText(f.form, QStringLiteral("ckbFCFY")), QStringLiteral("■"));
    QCOMPARE(objectText(f.form, QStringLiteral("edtZCFLQT")), QStringLiteral("值edtZCFLQT"));
    QCOMPARE(objectText(f.form, QStringLiteral("edtHXCF")), memoText(f.form, QStringLiteral("edtHXCF")));
    // The headless tool's PDF of the same form.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    QVERIFY(f.form->report()->ExportPdf(pdf));
    QVERIFY(QFileInfo(pdf).size() > 10000);
}

DZSB_TEST_MAIN(TestPrinting)
#include "test_printing.moc"
