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
    void everyControlSurvivesSaveAndOpen();
    void otherTypeThroughThisMenu();
    void damagedFilesLeaveTheProgramRunning_data();
    void damagedFilesLeaveTheProgramRunning();
    void configurationDocumentCoversTheCatalogue();
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
    QCOMPARE(form->windowTitle(), QStringLiteral("新建药品注册申请表"));
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

void TestDomestic::everyControlSurvivesSaveAndOpen()
{
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    main.NewCommand(FormKind::YPZCSQ);
    QPointer<TEABaseForm> form = main.registered(FormKind::YPZCSQ);
    QVERIFY(form);
    FormDriver::fillEveryControl(form);
    const auto before = FormDriver::snapshot(form);
    int filled = 0;
    for (const QString &state : before)
        if (!state.endsWith(QLatin1String("disabled")) && state != QLatin1String("off") &&
            state != QLatin1String("text=") && state != QLatin1String("nodate"))
            ++filled;
    QVERIFY2(filled > 150, qPrintable(QString::number(filled)));
    const QString code = form->verifyCodeEdit()->text();

    main.mdiArea()->setActiveSubWindow(form);
    main.action(QStringLiteral("mnuSaveNoExit"))->trigger();
    const QString file = ProgramDirectory() + QStringLiteral("注册_") + code + QStringLiteral(".MRT");
    QCOMPARE(dlg.messages.size(), 1);
    QVERIFY(dlg.messages[0].text.startsWith(QStringLiteral("已成功生成备份文件:") + file + QStringLiteral("\r\n数据核对码为：") + code));
    QVERIFY(QFile::exists(file));

    dlg.answer({true});
    QVERIFY(form->AskClose());
    settle();
    QVERIFY(!form);

    dlg.messages.clear();
    dlg.openFiles.enqueue(file);
    main.action(QStringLiteral("N6"))->trigger();
    TEABaseForm *reopened = main.registered(FormKind::YPZCSQ);
    QVERIFY(reopened);
    QVERIFY(dlg.messages.isEmpty());
    QCOMPARE(reopened->windowTitle(), QStringLiteral("编辑药品注册申请表"));
    QCOMPARE(reopened->verifyCodeEdit()->text(), code);
    const auto after = FormDriver::snapshot(reopened);
    for (auto it = before.begin(); it != before.end(); ++it)
        QCOMPARE(after.value(it.key()), it.value());

    // The file is the configuration document with the values written in, still GBK.
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"GBK\"?>"));
    QVERIFY(bytes.contains(CodePage::fromUnicode(QStringLiteral("value=\"值edtYPTYMC\""))));
    QVERIFY(bytes.contains(("value=\"" + code + "\"").toLatin1()));
    // A second save of the opened form writes the same file again.
    reopened->SaveBackup();
    QFile again(file);
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), bytes);
    QFile::remove(file);
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

void TestDomestic::configurationDocumentCoversTheCatalogue()
{
    QFile f(ProgramDirectory() + QStringLiteral("YPZCSQ.xml"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"GBK\"?>"));
    const auto doc = ConfigDocument::parse(bytes);
    QCOMPARE(doc->section(QStringLiteral("config-type")).attributeText(QStringLiteral("value")),
             QStringLiteral("药品注册申请"));

    // Every item and group item names a control, and every data control is bound.
    QSet<QString> bound;
    QSet<QString> fields;
    for (const ConfigNode &item : doc->section(QStringLiteral("ui-data")).childElements()) {
        const QString type = item.attributeText(QStringLiteral("type"));
        QVERIFY(item.hasAttribute(QStringLiteral("Field")));
        fields.insert(item.attributeText(QStringLiteral("Field")));
        if (type == QLatin1String("RadioGroup") || type == QLatin1String("CheckGroup")) {
            for (const ConfigNode &child : item.childElements()) {
                QVERIFY(child.hasAttribute(QStringLiteral("key")));
                bound.insert(child.attributeText(QStringLiteral("name")));
            }
        } else {
            bound.insert(item.attributeText(QStringLiteral("name")));
        }
    }
    const Catalogue cat = CatalogueParser::load(formType(FormKind::YPZCSQ).catalogue);
    QSet<QString> controls;
    for (const CatalogueEntry *e : cat.entries())
        if (!e->name.isEmpty() && e->name != QLatin1String("Memo4"))
            controls.insert(e->name);
    QCOMPARE(bound, controls);
    // Every field has its entry, and no two entries share a name.
    QSet<QString> entries;
    for (const ConfigNode &field : doc->section(QStringLiteral("data-fields")).childElements()) {
        const QString n = field.attributeText(QStringLiteral("name"));
        QVERIFY2(!entries.contains(n), qPrintable(n));
        entries.insert(n);
    }
    QCOMPARE(entries, fields);
    // Every relation names a control of the form, controllers are buttons.
    std::function<void(const ConfigNode &)> walk = [&](const ConfigNode &node) {
        for (const ConfigNode &child : node.childElements()) {
            QVERIFY2(controls.contains(child.attributeText(QStringLiteral("name"))),
                     qPrintable(child.attributeText(QStringLiteral("name"))));
            if (child.hasChildElements()) {
                QVERIFY(child.hasAttribute(QStringLiteral("type")));
                const auto *e = cat.find(child.attributeText(QStringLiteral("name")));
                QVERIFY(e->kind == CatalogueEntry::Kind::Radio || e->kind == CatalogueEntry::Kind::Check);
            }
            walk(child);
        }
    };
    walk(doc->section(QStringLiteral("ui-relation")));
}

DZSB_TEST_MAIN(TestDomestic)
#include "test_domestic.moc"
