// End-to-end tests of the drug re-registration form's own points: its radio
// panels, the fifteen-line grid of earlier applications that opens with
// item 17's "是", the date picker with an edit-box name, the hidden reviewer's
// fields that still save and print, the print hook's single entry, and the
// details of buttons that the realistic print check does not choose.
#include "ControlAdapter.h"
#include "DatePicker.h"
#include "FormClasses.h"
#include "FormDriver.h"
#include "PrintFixture.h"
#include "ScriptedDialogs.h"
#include "TFrmMain.h"
#include "TestMain.h"
#include "TfrPage.h"
#include "TfrReport.h"
#include "TfrView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>
#include <memory>

namespace {

template <typename T>
T *control(QWidget *form, const QString &name)
{
    T *w = form->findChild<T *>(name);
    if (!w)
        qFatal("no control %s", qPrintable(name));
    return w;
}

QRadioButton *radio(QWidget *form, const char *name)
{
    return control<QRadioButton>(form, QLatin1String(name));
}

const QStringList kGridColumns{"edtQTSX", "edtQTSP", "edtQTSLH", "edtQTBH"};
const QStringList kReviewer{"edtSCR", "edtSCJG", "edtSCY", "edtSCM", "edtSCD"};

QString chinese(int count)
{
    QString s;
    for (int i = 0; i < count; ++i)
        s += QChar(0x836F + i % 7);
    return s;
}

} // namespace

class TestReregistration : public QObject {
    Q_OBJECT
private slots:
    void radioPanelsOfTheFormAlone();
    void gridOfEarlierApplications();
    void hiddenReviewerFields();
    void certificateDateSavesAsADate();
    void printHookMovesItem12Only();
    void detailsOfEarlierButtonsPrintWhole_data();
    void detailsOfEarlierButtonsPrintWhole();
};

// The form without its document: which buttons exclude each other.
void TestReregistration::radioPanelsOfTheFormAlone()
{
    TFrmYPZZCSQ form;
    QCOMPARE(form.pageControl()->count(), 3);
    QCOMPARE(radio(&form, "rdbXYSQ")->text(), QStringLiteral("境内生产药品"));
    QCOMPARE(radio(&form, "rdbYYGJBZ")->text(), QStringLiteral("进口药品"));

    // "8.制剂：" clears "7.非制剂：" but not the kind chosen below it.
    radio(&form, "rdbZJF")->click();
    radio(&form, "rdbFZJZYY")->click();
    radio(&form, "rdbZJT")->click();
    QVERIFY(!radio(&form, "rdbZJF")->isChecked());
    QVERIFY(radio(&form, "rdbFZJZYY")->isChecked());

    // Item 16: five separate pairs.
    const QList<QPair<const char *, const char *>> pairs{{"rdbBGXMCFF", "rdbBGXMCFT"},
                                                         {"rdbBGXMGYF", "rdbBGXMGYT"},
                                                         {"rdbBGXMCF", "rdbBGXMCT"},
                                                         {"rdbBGXMBZF", "rdbBGXMBZT"},
                                                         {"rdbBGXMSMF", "rdbBGXMSMT"}};
    for (const auto &p : pairs)
        radio(&form, p.first)->click();
    radio(&form, "rdbBGXMBZT")->click();
    for (const auto &p : pairs)
        QVERIFY2(radio(&form, p.first)->isChecked() == (qstrcmp(p.first, "rdbBGXMBZF") != 0), p.first);
    QVERIFY(radio(&form, "rdbBGXMBZT")->isChecked());

    // Item 18: the two kinds exclude each other; the payment box is apart.
    auto *pays = control<QCheckBox>(&form, QStringLiteral("ckbJG1JF"));
    radio(&form, "rdbJG1F")->click();
    pays->click();
    radio(&form, "rdbJG1T")->click();
    QVERIFY(!radio(&form, "rdbJG1F")->isChecked());
    QVERIFY(pays->isChecked());
    // The agent's pair is not the packager's.
    radio(&form, "rdbJG3T")->click();
    radio(&form, "rdbJG4F")->click();
    QVERIFY(radio(&form, "rdbJG3T")->isChecked());

    // The declaration reads as fixed text in its six lines.
    auto *memo2 = control<QPlainTextEdit>(&form, QStringLiteral("Memo2"));
    const QStringList lines = memo2->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[1], QStringLiteral("管理办法》等法律"));
    QCOMPARE(lines[3], QStringLiteral("法和数据均为本药品"));
    QVERIFY(memo2->isReadOnly());
}

// Fifteen lines of four controls standing under the four headings, no
// sixteenth; the lines open with item 17's "是" and close, cleared, with "否".
void TestReregistration::gridOfEarlierApplications()
{
    FormFixture f(FormKind::YPZZCSQ);
    QVERIFY(f.form);
    TEABaseForm *form = f.form;
    form->pageControl()->setCurrentIndex(0);
    QCoreApplication::processEvents();
    QGroupBox *box = control<QGroupBox>(form, QStringLiteral("GroupBox3"));
    QList<int> headings;
    for (const char *text : {"补充申请事项或其他变更申请", "审批情况", "受理号", "批件编号"})
        for (QLabel *l : box->findChildren<QLabel *>())
            if (l->text() == QString::fromUtf8(text))
                headings << l->x();
    QCOMPARE(headings.size(), 4);
    int lastY = -1;
    for (int line = 1; line <= 15; ++line) {
        int y = -1;
        for (int c = 0; c < 4; ++c) {
            QWidget *w = control<QWidget>(form, kGridColumns[c] + QString::number(line));
            QCOMPARE(w->parentWidget(), box);
            QVERIFY2(qAbs(w->x() - headings[c]) <= 8, qPrintable(w->objectName()));
            if (c == 0)
                y = w->y();
            QCOMPARE(w->y(), y);
            QCOMPARE(Controls::kindOf(w), c == 1 ? ControlKind::ComboBox : ControlKind::Edit);
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        }
        QVERIFY(y > lastY);
        lastY = y;
    }
    for (const QString &column : kGridColumns)
        QVERIFY(!form->findChild<QWidget *>(column + QStringLiteral("16")));

    radio(form, "rdbBQTBGT")->click();
    auto *approval = control<QComboBox>(form, QStringLiteral("edtQTSP15"));
    QVERIFY(approval->isEnabled());
    QCOMPARE(approval->currentIndex(), -1);
    QVERIFY(approval->count() >= 2);
    Controls::setSelectedIndex(approval, 0);
    auto *number = control<QLineEdit>(form, QStringLiteral("edtQTSLH15"));
    number->setText(QStringLiteral("2004L01234"));
    f.print();
    QCOMPARE(f.warnings(), QStringList());
    QCOMPARE(f.object(QStringLiteral("edtQTSLH15")), QStringLiteral("2004L01234"));
    QCOMPARE(f.object(QStringLiteral("edtQTSP15")), approval->itemText(0));
    radio(form, "rdbQTBGF")->click();
    QVERIFY(!number->isEnabled() && number->text().isEmpty());
    QCOMPARE(approval->currentIndex(), -1);
}

// The reviewer's fields are never shown, nor their texts, yet they keep a
// value through save and open and print it on the last sheet.
void TestReregistration::hiddenReviewerFields()
{
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    main.NewCommand(FormKind::YPZZCSQ);
    QPointer<TEABaseForm> form = main.registered(FormKind::YPZZCSQ);
    QVERIFY(form);
    form->pageControl()->setCurrentIndex(2);
    QCoreApplication::processEvents();
    QVERIFY(control<QPlainTextEdit>(form, QStringLiteral("edtQTSM"))->isVisible());
    for (const QString &name : kReviewer) {
        auto *edit = control<QLineEdit>(form, name);
        QVERIFY2(!edit->isVisible(), qPrintable(name));
        edit->setText(FormDriver::realisticValue(name));
    }
    for (QLabel *l : form->findChildren<QLabel *>())
        for (const char *text : {"审查人", "审查机关", "年", "月", "日"})
            QVERIFY2(!(l->text() == QString::fromUtf8(text) && l->isVisible()), text);

    const QString code = form->verifyCodeEdit()->text();
    main.mdiArea()->setActiveSubWindow(form);
    form->SaveBackup();
    const QString file = form->DataFileName();
    dlg.answer({true});
    QVERIFY(form->AskClose());
    settle();
    dlg.openFiles.enqueue(file);
    main.OpenCommand(FormKind::YPZZCSQ);
    TEABaseForm *reopened = main.registered(FormKind::YPZZCSQ);
    QVERIFY(reopened);
    QCOMPARE(reopened->verifyCodeEdit()->text(), code);
    for (const QString &name : kReviewer)
        QCOMPARE(control<QLineEdit>(reopened, name)->text(), FormDriver::realisticValue(name));
    main.mdiArea()->setActiveSubWindow(reopened);
    dlg.messages.clear();
    reopened->SubmitAndPrint();
    dlg.dropPrintQuestion();
    QCOMPARE(dlg.messages.size(), 1);
    const TfrSheet &last = reopened->report()->PreparedSheets().last();
    for (const QString &name : kReviewer)
        QVERIFY2(last.plainText().contains(FormDriver::realisticValue(name)), qPrintable(name));
    QFile::remove(file);
    QFile::remove(reopened->DataFileName());
    dlg.answer({true});
}

// Item 15's approval date has an edit box's name but is a date picker: it
// opens with "有，编号 ：", is stored as yyyy/M/d and prints so.
void TestReregistration::certificateDateSavesAsADate()
{
    FormFixture f(FormKind::YPZZCSQ);
    QVERIFY(f.form);
    auto *date = control<DatePicker>(f.form, QStringLiteral("edtXYZSPZ"));
    auto *number = control<QLineEdit>(f.form, QStringLiteral("edtXYZSBH"));
    QVERIFY(!date->isEnabled() && !date->hasDate() && !number->isEnabled());
    radio(f.form, "rdbXYZST")->click();
    QVERIFY(date->isEnabled() && number->isEnabled());
    date->setDate(QDate(2004, 3, 15));
    number->setText(QStringLiteral("国药证字H20040123"));
    f.print();
    QCOMPARE(f.warnings(), QStringList());
    const QString shortDate = QStringLiteral("2004/3/15");
    QCOMPARE(f.object(QStringLiteral("edtXYZSPZ")), shortDate);
    QFile file(f.form->DataFileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains(("name=\"edtXYZSPZ\" value=\"" + shortDate + "\"").toLatin1()));
    // "无" clears both.
    radio(f.form, "rdbXYZSF")->click();
    QVERIFY(!date->hasDate() && number->text().isEmpty());
}

// Item 12 alone goes to the attachment page, under its own heading, after
// the third sheet; 35 Chinese characters still print in place. The other
// memo, item 23, prints in place however long.
void TestReregistration::printHookMovesItem12Only()
{
    FormFixture f(FormKind::YPZZCSQ);
    QVERIFY(f.form);
    f.setMemo("edtSYZ", chinese(35));
    f.print();
    QCOMPARE(f.attachmentPages(), 0);
    QCOMPARE(f.object(QStringLiteral("edtSYZ")), chinese(35));

    const QString indications = chinese(36);
    const QString declaration = QStringList(6, chinese(30)).join(QStringLiteral("\r\n"));
    f.setMemo("edtSYZ", indications);
    f.setMemo("edtQTSM", declaration);
    f.print();
    QCOMPARE(f.warnings(), QStringList());
    QCOMPARE(f.object(QStringLiteral("edtSYZ")), QStringLiteral("(见附页)"));
    QCOMPARE(f.object(QStringLiteral("edtQTSM")), declaration);
    const TfrPage *attachment = f.attachmentPage();
    QVERIFY(attachment);
    QCOMPARE(attachment->Objects()[1]->Memo(),
             (QStringList{QStringLiteral("附页："), QString(), QStringLiteral("12.主要适应症或者功能主治："), QString(),
                          indications, QString()}));
    QCOMPARE(f.sheets().size(), 4);
    QVERIFY(f.sheets().last().plainText().contains(indications));
}

void TestReregistration::detailsOfEarlierButtonsPrintWhole_data()
{
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QStringList>("details");
    QTest::newRow("中国药典") << QStringList{"rdbZGYD"} << QStringList{"edtZGYD"};
    QTest::newRow("局颁") << QStringList{"rdbJB"} << QStringList{"edtJB", "edtJBC"};
    QTest::newRow("非制剂其他") << QStringList{"rdbZJF", "rdbFZJQT"} << QStringList{"edtFZTQT"};
}

// The realistic print check chooses the last button of each panel; the
// details of the other buttons must print whole too.
void TestReregistration::detailsOfEarlierButtonsPrintWhole()
{
    QFETCH(QStringList, buttons);
    QFETCH(QStringList, details);
    FormFixture f(FormKind::YPZZCSQ);
    FormDriver::fillRealistic(f.form);
    for (const QString &b : buttons)
        control<QRadioButton>(f.form, b)->click();
    for (const QString &d : details) {
        auto *edit = control<QLineEdit>(f.form, d);
        QVERIFY2(edit->isEnabled(), qPrintable(d));
        edit->setText(FormDriver::realisticValue(d));
    }
    f.print();
    QCOMPARE(f.warnings(), QStringList()); // nothing cut off
    for (const QString &d : details)
        QCOMPARE(f.object(d), FormDriver::realisticValue(d));
}

DZSB_TEST_MAIN(TestReregistration)
#include "test_reregistration.moc"
