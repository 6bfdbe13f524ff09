// End-to-end tests of the domestic drug registration form through the main
// window: a new form with its relations, every control filled, saved,
// closed and opened again; files of another type and damaged files; and the
// configuration document against the form's catalogue; hostile files: too
// deep, too crowded, a thousand faulty items, a link at the data file's name.
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
#include "TUIHelper.h"
#include "TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
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
    void faultyItemsGiveOneMessagePerKind();
    void saveLeavesALinkAtTheNameAlone();
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
    QTest::newRow("nested a little deeper than any document")
        << QByteArray("<c>\n<ui-relation>") + QByteArray("<r type=\"c\" name=\"ckbFJSQQT\">").repeated(260)
               + QByteArray("</r>").repeated(260) + "</ui-relation></c>"
        << "XML文件格式错误（第2行）：元素嵌套超过256层，不是本程序的文件，无法读取该文件。";
    QByteArray crowded = "<c>\n<data-fields><field name=\"x\"";
    for (int i = 0; i < 300; ++i)
        crowded += " a" + QByteArray::number(i) + "=\"x\"";
    QTest::newRow("an element of more attributes than any document")
        << crowded + "/></data-fields></c>"
        << "XML文件格式错误（第2行）：一个元素带有超过256个属性，不是本程序的文件，无法读取该文件。";
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

// The shipped document with a data item of a thousand faults of two kinds:
// one message per kind, with the count, and the form opens.
void TestDomestic::faultyItemsGiveOneMessagePerKind()
{
    QFile shipped(ProgramDirectory() + QStringLiteral("YPZCSQ.xml"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QByteArray document = shipped.readAll();
    QByteArray group = "<group type=\"CheckGroup\" name=\"grpMany\" Field=\"many\">";
    for (int i = 0; i < 1000; ++i)
        group += "<item name=\"ckbItem" + QByteArray::number(i % 20) + "\"/>";
    group += "</group>";
    for (int i = 0; i < 1000; ++i)
        group += "<item type=\"CheckBox\" name=\"ckbFJSQQT\" Field=\"bad" + QByteArray::number(i) + "\"/>";
    document.replace("<ui-data>", "<ui-data>" + group);
    QByteArray fields;
    for (int i = 0; i < 1000; ++i)
        fields += "<field name=\"bad" + QByteArray::number(i) + "\" value=\"yes\"/>";
    document.replace("<data-fields>", "<data-fields>" + fields);

    ScriptedDialogs dlg;
    QTemporaryDir dir;
    TFrmMain main;
    main.show();
    dlg.openFiles.enqueue(TestDocuments::write(dir, QStringLiteral("many.MRT"), document));
    main.action(QStringLiteral("N6"))->trigger();
    QCOMPARE(dlg.texts(), (QStringList{
        QStringLiteral("CheckBoxItem:\"ckbItem0\"没有Key。\r\n\r\n（同类提示共1000条，不再逐条显示；涉及：ckbItem0、"
                       "ckbItem1、ckbItem2、ckbItem3、ckbItem4、ckbItem5、ckbItem6、ckbItem7、ckbItem8、ckbItem9等20项。）"),
        QStringLiteral("Field\"bad0\"的值:\"yes\"不是布尔型格式，\r\n正确格式应为：0, -1\r\n\r\n（同类提示共1000条，不再逐条显示；"
                       "涉及：bad0、bad1、bad2、bad3、bad4、bad5、bad6、bad7、bad8、bad9等1000项。）")}));
    TEABaseForm *form = main.registered(FormKind::YPZCSQ);
    QVERIFY(form && !form->isClosed() && form->helper()->Document());
}

// An opened file chooses the data file's name through its check code; a
// link found at that name is not followed: Save is refused, and the link
// and the file it points to stay as they were.
void TestDomestic::saveLeavesALinkAtTheNameAlone()
{
    QFile shipped(ProgramDirectory() + QStringLiteral("YPZCSQ.xml"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QByteArray document = shipped.readAll();
    document.replace("<field name=\"VerifyCode\" value=\"\"/>", "<field name=\"VerifyCode\" value=\"0E5A11CE\"/>");
    QTemporaryDir dir;
    const QString victim = TestDocuments::write(dir, QStringLiteral("victim.txt"), "not a data file\n");

    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    dlg.openFiles.enqueue(TestDocuments::write(dir, QStringLiteral("chosen.MRT"), document));
    main.action(QStringLiteral("N6"))->trigger();
    QVERIFY(dlg.messages.isEmpty());
    const QString name = main.registered(FormKind::YPZCSQ)->DataFileName();
    QVERIFY(name.endsWith(QStringLiteral("_0E5A11CE.MRT")));
    QFile::remove(name);
    QVERIFY(QFile::link(victim, name));
    main.action(QStringLiteral("mnuSaveNoExit"))->trigger();
    const QFileInfo link(name);
    const QString target = link.symLinkTarget();
    QFile::remove(name);
    QCOMPARE(dlg.texts(), QStringList{QStringLiteral("无法保存文件“%1”：是符号链接，为安全起见不经它写入（它和它指向的文件都保持原样）。文件未被保存。").arg(name)});
    QCOMPARE(target, victim);
    QFile f(victim);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("not a data file\n"));
}

DZSB_TEST_MAIN(TestDomestic)
#include "test_domestic.moc"
