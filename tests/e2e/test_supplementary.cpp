// End-to-end tests of the two supplementary application forms with their
// configuration documents: the relations that the documents make (and the
// controls they leave alone), the drop-down list of item 14, the import
// form's applicants, and the reasons memo, which prints in place in a report
// object spelt with another letter case.
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
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QRadioButton>
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

using Fixture = FormFixture;

} // namespace

class TestSupplementary : public QObject {
    Q_OBJECT
private slots:
    void relations_data();
    void relations();
    void importApplicants();
    void printing_data();
    void printing();
    void detailsOfEarlierButtonsPrintWhole_data();
    void detailsOfEarlierButtonsPrintWhole();
};

void TestSupplementary::relations_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("domestic") << int(FormKind::YPBCSQ);
    QTest::newRow("import") << int(FormKind::YPBCSQ_JK);
}

void TestSupplementary::relations()
{
    QFETCH(int, kind);
    Fixture f{FormKind(kind)};
    QVERIFY(f.form);
    QVERIFY(f.dlg.messages.isEmpty());
    TEABaseForm *form = f.form;

    // Item 1: switching between the two kinds of matters leaves every
    // matter of both blocks as it was; "其他：" opens its own detail.
    control<QRadioButton>(form, "rdbZQXPJ")->click();
    for (const char *n : {"ckbCYXY", "ckbBGJKZC", "YPBZGG", "ckbSQQT", "ckbBGYP", "ckbBAQT"})
        control<QCheckBox>(form, n)->click();
    auto *other = control<QLineEdit>(form, "edtSQQT");
    QVERIFY(other->isEnabled());
    other->setText(QStringLiteral("变更生产场地"));
    control<QRadioButton>(form, "rdbZQXBA")->click();
    for (const char *n : {"ckbCYXY", "ckbBGJKZC", "YPBZGG", "ckbSQQT", "ckbBGYP", "ckbBAQT"})
        QVERIFY2(control<QCheckBox>(form, n)->isChecked(), n);
    QCOMPARE(other->text(), QStringLiteral("变更生产场地"));
    control<QCheckBox>(form, "YPBZGG")->click();
    QVERIFY(control<QCheckBox>(form, "ckbBGJKZC")->isChecked());
    control<QCheckBox>(form, "ckbSQQT")->click();
    QVERIFY(!other->isEnabled());
    QCOMPARE(other->text(), QString());

    // Item 17: "局颁" opens both of its edits, another standard closes them.
    auto *jb = control<QLineEdit>(form, "edtJB");
    auto *jbc = control<QLineEdit>(form, "edtJBC");
    QVERIFY(!jb->isEnabled() && !jbc->isEnabled());
    control<QRadioButton>(form, "rdbJB")->click();
    QVERIFY(jb->isEnabled() && jbc->isEnabled());
    jbc->setText(QStringLiteral("12"));
    control<QRadioButton>(form, "rdbSX")->click();
    QVERIFY(!jbc->isEnabled());
    QCOMPARE(jbc->text(), QString());
    QVERIFY(control<QLineEdit>(form, "edtSX")->isEnabled());

    // Item 23: neither button touches the date that follows them.
    auto *end = control<DatePicker>(form, "dtpXYZZ");
    QVERIFY(end->isEnabled());
    end->setDate(QDate(2026, 12, 28));
    control<QRadioButton>(form, "rdbXYJCT")->click();
    control<QRadioButton>(form, "rdbXYJCF")->click();
    QVERIFY(end->isEnabled() && end->hasDate());
    QCOMPARE(end->date(), QDate(2026, 12, 28));

    // Item 14 names the kind of the former number from the document's list.
    auto *kindList = control<QComboBox>(form, "cbxYPPZWH");
    QVERIFY(kindList->count() >= 2);
    QCOMPARE(kindList->currentIndex(), -1);
}

void TestSupplementary::importApplicants()
{
    Fixture f{FormKind::YPBCSQ_JK};
    TEABaseForm *form = f.form;
    // The company and the manufacturer have no 无/有 pair: their fields are
    // always open. The packager's and the sub-packager's wait for "有".
    for (const char *n : {"edtJG1MC", "edtJG1ZDGJ", "edtJG2MCE", "edtJG2ZCGJ"})
        QVERIFY2(control<QLineEdit>(form, n)->isEnabled(), n);
    QVERIFY(control<QCheckBox>(form, "ckbJG1JF")->isEnabled());
    for (const char *n : {"edtJG3MC", "edtJG3MCE", "edtJG4XKZ", "edtJG4SCYB"})
        QVERIFY2(!control<QLineEdit>(form, n)->isEnabled(), n);
    control<QRadioButton>(form, "rdbJG4T")->click();
    QVERIFY(control<QLineEdit>(form, "edtJG4XKZ")->isEnabled());
    QVERIFY(control<QCheckBox>(form, "ckbJG4JF")->isEnabled());
    // The hidden position keeps its value whichever button the packager has.
    auto *hidden = control<QLineEdit>(form, "edtJG3FRZW");
    hidden->setText(QStringLiteral("总经理"));
    control<QRadioButton>(form, "rdbJG3T")->click();
    control<QRadioButton>(form, "rdbJG3F")->click();
    QCOMPARE(hidden->text(), QStringLiteral("总经理"));
    f.print();
    QCOMPARE(f.object(QStringLiteral("edtJG3FRZW")), QStringLiteral("总经理"));
}

void TestSupplementary::printing_data()
{
    QTest::addColumn<int>("kind");
    // Captions as the forms' catalogues give them: item 17's standard with
    // its number, item 33.
    QTest::addColumn<QString>("standard");
    QTest::addColumn<QString>("item33");
    QTest::newRow("domestic") << int(FormKind::YPBCSQ) << QStringLiteral("试行注册标准及标准编号：")
                              << QStringLiteral("33：所报资料目录：");
    QTest::newRow("import") << int(FormKind::YPBCSQ_JK) << QStringLiteral("注册标准及标准编号：")
                            << QStringLiteral("33.所报资料目录：");
}

void TestSupplementary::printing()
{
    QFETCH(int, kind);
    QFETCH(QString, standard);
    QFETCH(QString, item33);
    Fixture f{FormKind(kind)};
    // The reasons memo has no print hook: it prints in place, however long,
    // in the report object whose name differs from the memo's in letter case
    // on the domestic template.
    QString reasons;
    for (int i = 1; i <= 8; ++i)
        reasons += QStringLiteral("%1.本品拟变更生产场地，生产工艺与质量标准不变。\r\n").arg(i);
    reasons.chop(2);
    Controls::setText(control<QPlainTextEdit>(f.form, "memSQLY"), reasons);
    f.print();
    QCOMPARE(f.dlg.messages.size(), 1); // the submission message: nothing missing or cut off
    QCOMPARE(f.attachmentPages(), 0);
    QCOMPARE(f.form->report()->PreparedSheets().size(), 4);
    QCOMPARE(f.object(QStringLiteral("MemSQLY")), reasons);
    QCOMPARE(f.object(QStringLiteral("memSQLY")), reasons);
    const QList<TfrSheet> &sheets = f.form->report()->PreparedSheets();
    const QStringList first = sheets[0].plainText().split(QLatin1Char('\n'));
    QCOMPARE(first.count(standard), 1 + int(!standard.startsWith(QStringLiteral("试行"))));
    QVERIFY(sheets[3].plainText().split(QLatin1Char('\n')).contains(item33));
}

void TestSupplementary::detailsOfEarlierButtonsPrintWhole_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QStringList>("details");
    for (const FormKind k : {FormKind::YPBCSQ, FormKind::YPBCSQ_JK}) {
        const char *f = k == FormKind::YPBCSQ ? "domestic" : "import";
        QTest::addRow("%s: 中国药典", f) << int(k) << QStringList{"rdbZGYD"} << QStringList{"edtZGYD"};
        QTest::addRow("%s: 局颁", f) << int(k) << QStringList{"rdbJB"} << QStringList{"edtJB", "edtJBC"};
        QTest::addRow("%s: 注册标准", f) << int(k) << QStringList{"rdbZC"} << QStringList{"edtZC"};
        QTest::addRow("%s: 国外药典", f) << int(k) << QStringList{"rdbGWYD"} << QStringList{"edtGWYD"};
        QTest::addRow("%s: 非制剂其他", f) << int(k) << QStringList{"rdbZJF", "rdbFZJQT"} << QStringList{"edtFZJQT"};
        QTest::addRow("%s: 已授权", f) << int(k) << QStringList{"rdbYSQ"} << QStringList{"edtZLQR"};
    }
}

// The realistic print check chooses the last button of each panel; the
// details of the other buttons must print whole too.
void TestSupplementary::detailsOfEarlierButtonsPrintWhole()
{
    QFETCH(int, kind);
    QFETCH(QStringList, buttons);
    QFETCH(QStringList, details);
    Fixture f{FormKind(kind)};
    FormDriver::fillRealistic(f.form);
    for (const QString &b : buttons)
        f.form->findChild<QRadioButton *>(b)->click();
    for (const QString &d : details) {
        auto *edit = f.form->findChild<QLineEdit *>(d);
        QVERIFY2(edit->isEnabled(), qPrintable(d));
        edit->setText(FormDriver::realisticValue(d));
    }
    f.print();
    QCOMPARE(f.dlg.messages.size(), 1); // the submission message: nothing cut off
    QCOMPARE(f.attachmentPages(), 0);
    for (const QString &d : details)
        QCOMPARE(f.object(d), FormDriver::realisticValue(d));
}

DZSB_TEST_MAIN(TestSupplementary)
#include "test_supplementary.moc"
