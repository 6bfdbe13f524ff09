// End-to-end tests of the domestic drug registration form through the main
// window: a new form with its relations, every control filled, saved,
// closed and opened again; files of another type and damaged files; and the
// configuration document against the form's catalogue.
#include "CatalogueParser.h"
#include "CodePage.h"
#include "ConfigDocument.h"
#include "ControlAdapter.h"
#include "FormClasses.h"
#include "FormDriver.h"
#include "Helpers.h"
#include "ScriptedDialogs.h"
#include "TFrmMain.h"
#include "TestDocuments.h"
#include "TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
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
}

class TestDomestic : public QObject {
    Q_OBJECT
private slots:
    void newFormAndRelations();
    void otherTypeThroughThisMenu();
    void damagedFilesLeaveTheProgramRunning_data();
    void damagedFilesLeaveTheProgramRunning();
};

void TestDomestic::newFormAndRelations()
{
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    main.action(QStringLiteral("N2"))->trigger();
    TEABaseForm *form = main.registered(FormKind::YPZCSQ);
    QVERIFY(form);
    QVERIFY(dlg.messages.isEmpty());
    QCOMPARE(form->windowTitle(), QStringLiteral("新建药品注册申请表[*]"));
    QCOMPARE(form->verifyCodeEdit()->text().size(), 8);
    QVERIFY(!form->opened());

    // Applicant 1's fields wait for its "有".
    auto *name = control<QLineEdit>(form, "edtJG1MC");
    auto *gsp = control<QRadioButton>(form, "rgbGSP1");
    QVERIFY(!name->isEnabled());
    QCOMPARE(Controls::background(name), Controls::buttonFaceColour());
    control<QRadioButton>(form, "rdbJG1T")->click();
    QVERIFY(name->isEnabled());
    QCOMPARE(Controls::background(name), Controls::windowColour());
    name->setText(QStringLiteral("某某制药有限公司"));
    gsp->click();
    control<QRadioButton>(form, "rdbJG1F")->click();
    QVERIFY(!name->isEnabled());
    QCOMPARE(name->text(), QString());
    QVERIFY(!gsp->isChecked());

    // A nested controller: the Chinese patent box governs "其他专利：" and its detail.
    auto *patent = control<QCheckBox>(form, "ckbZGZL");
    auto *other = control<QCheckBox>(form, "ckbQTZL");
    auto *detail = control<QLineEdit>(form, "edtQTZL");
    patent->click();
    other->click();
    QVERIFY(detail->isEnabled());
    detail->setText(QStringLiteral("外观设计"));
    patent->click();
    QVERIFY(!other->isEnabled() && !other->isChecked());
    QVERIFY(!detail->isEnabled());
    QCOMPARE(detail->text(), QString());

    // Registration class lists.
    control<QRadioButton>(form, "rdbHXYP")->click();
    auto *classes = control<QComboBox>(form, "edtHXYP");
    QVERIFY(classes->isEnabled());
    QCOMPARE(classes->itemText(0), QStringLiteral("1.1"));
    QCOMPARE(classes->count(), 14);
    QVERIFY(!control<QComboBox>(form, "edtZY")->isEnabled());
    QCOMPARE(control<QComboBox>(form, "edtZY")->count(), 11);
    QCOMPARE(control<QComboBox>(form, "edtZLYSWZ")->count(), 15);
    QCOMPARE(control<QComboBox>(form, "edtYFYSWZ")->count(), 15);
}

void TestDomestic::otherTypeThroughThisMenu()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    TFrmMain main;
    main.show();
    // A domestic registration file opened as a supplementary application.
    QFile config(ProgramDirectory() + QStringLiteral("YPZCSQ.xml"));
    QVERIFY(config.open(QIODevice::ReadOnly));
    const QString path = TestDocuments::write(dir, QStringLiteral("注册_00000000.MRT"), config.readAll());
    dlg.openFiles.enqueue(path);
    main.action(QStringLiteral("N5"))->trigger();
    QCOMPARE(dlg.texts(), QStringList{QStringLiteral("该文件类型不匹配，凭重新选取")});
    QVERIFY(!main.registered(FormKind::YPBCSQ));
    settle();
    QVERIFY(main.mdiArea()->subWindowList().isEmpty());
}

void TestDomestic::damagedFilesLeaveTheProgramRunning_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("messageStart");
    QTest::newRow("zero-length") << QByteArray() << "XML文件格式错误";
    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 37 + 11) % 256);
    QTest::newRow("binary") << binary << "XML文件格式错误";
    QTest::newRow("external entity")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE c [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
                      "<c><config-type value=\"&x;\"/></c>")
        << "";
    QTest::newRow("billion laughs")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE c [<!ENTITY a \"aaaaaaaaaa\">"
                      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY d \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]>"
                      "<c><config-type value=\"&d;\"/></c>")
        << "";
    QTest::newRow("no type field") << QByteArray("<c><ui-data/></c>") << "文件没有类型字段，请检查！";
}

void TestDomestic::damagedFilesLeaveTheProgramRunning()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, messageStart);
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    const QString path = TestDocuments::write(dir, QStringLiteral("bad.MRT"), bytes);
    TFrmMain main;
    main.show();
    dlg.openFiles.enqueue(path);
    main.action(QStringLiteral("N6"))->trigger(); // the command guard shows the error
    QCOMPARE(dlg.messages.size(), 1);
    QCOMPARE(dlg.messages[0].kind, MessageKind::Error);
    QVERIFY2(dlg.messages[0].text.startsWith(messageStart), qPrintable(dlg.messages[0].text));
    QVERIFY(!dlg.messages[0].text.contains(QLatin1String("root:")));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), bytes); // the file is left as it was
    // The form stays open with nothing applied and closes without its question.
    TEABaseForm *form = main.registered(FormKind::YPZCSQ);
    QVERIFY(form);
    QVERIFY(form->close());
    QCOMPARE(dlg.messages.size(), 1);
}

DZSB_TEST_MAIN(TestDomestic)
#include "test_domestic.moc"
