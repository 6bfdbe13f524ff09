// Tests of the form base: captions, loading and its refusals, the data file
// name, the backup save and its message, and the close question.
#include "AppError.h"
#include "CatalogueBuilder.h"
#include "ControlAdapter.h"
#include "FormClasses.h"
#include "Helpers.h"
#include "ScriptedDialogs.h"
#include "TestDocuments.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kCloseQuestion = QStringLiteral("您要退出正在填写的文件吗?");

// Notes whether the watched window was ever shown.
class ShowSpy : public QObject {
public:
    bool shown = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        shown = shown || event->type() == QEvent::Show;
        return false;
    }
};

}

class TestBaseForm : public QObject {
    Q_OBJECT
private slots:
    void typeSettings_data();
    void typeSettings();
    void openCaptionAndNoCheckCode();
    void refusedLoadsCloseWithoutQuestion_data();
    void refusedLoadsCloseWithoutQuestion();
    void loadErrorLeavesFormOpen_data();
    void loadErrorLeavesFormOpen();
    void saveBackupMessageAndFile();
    void unboundControlsDisabled();
    void invalidStoredCheckCodeRenewed();
    void closeQuestion();
    void askClose();
};

void TestBaseForm::typeSettings_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("instance");
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<bool>("hook");
    QTest::newRow("YPZCSQ") << int(FormKind::YPZCSQ) << "FrmYPZCSQ" << "YPZCSQ.xml" << "药品注册申请表"
                            << "药品注册申请" << "注册" << true;
    QTest::newRow("YPZCSQ_JK") << int(FormKind::YPZCSQ_JK) << "FrmYPZCSQ_JK" << "YPZCSQ_JK.xml"
                               << "药品注册申请表-进口" << "进口药品注册申请" << "进口注册" << true;
    QTest::newRow("YPBCSQ") << int(FormKind::YPBCSQ) << "FrmYPBCSQ" << "YPBCSQ.xml" << "药品补充注册申请表"
                            << "药品补充申请" << "补充注册" << true;
    QTest::newRow("YPBCSQ_JK") << int(FormKind::YPBCSQ_JK) << "FrmYPBCSQ_JK" << "YPBCSQ_JK.xml"
                               << "药品补充注册申请表-进口" << "进口药品补充申请" << "进口补充注册" << true;
    QTest::newRow("YPZZCSQ") << int(FormKind::YPZZCSQ) << "FrmYPZZCSQ" << "YPZZCSQ.xml" << "药品再注册申请表"
                             << "药品再注册申请" << "再注册" << true;
    QTest::newRow("YBCZZCSQB") << int(FormKind::YBCZZCSQB) << "YBCZZCSQB_Form" << "YBCZZCSQB.xml"
                               << "药包材再注册申请表" << "药包材再注册申请" << "药包材再注册申请表" << false;
}

void TestBaseForm::typeSettings()
{
    QFETCH(int, kind);
    QFETCH(QString, instance);
    QFETCH(QString, config);
    QFETCH(QString, title);
    QFETCH(QString, tag);
    QFETCH(QString, prefix);
    QFETCH(bool, hook);
    std::unique_ptr<TEABaseForm> form(CreateForm(FormKind(kind)));
    const FormType &t = form->type();
    QCOMPARE(form->objectName(), instance);
    QCOMPARE(t.configFileName, config);
    QCOMPARE(t.title, title);
    QCOMPARE(t.typeTag, tag);
    QCOMPARE(t.filePrefix, prefix);
    QCOMPARE(t.hasPrintHook, hook);
    FormKind found;
    QVERIFY(FormKindOf(form.get(), found));
    QCOMPARE(int(found), kind);
    // The check code field: read-only, sky blue.
    QVERIFY(form->verifyCodeEdit());
    QCOMPARE(form->verifyCodeEdit()->objectName(), QStringLiteral("VerifyCode"));
    QVERIFY(form->verifyCodeEdit()->isReadOnly());
    QCOMPARE(Controls::background(form->verifyCodeEdit()), CatalogueBuilder::skyBlue());
    QCOMPARE(form->verifyCodeEdit()->palette().color(QPalette::Text) == QColor(Qt::red),
             FormKind(kind) == FormKind::YPZCSQ_JK);
    form->verifyCodeEdit()->setText(QStringLiteral("0A1B2C3D"));
    QCOMPARE(form->DataFileName(), DataFileDirectory() + prefix + QStringLiteral("_0A1B2C3D.MRT"));
}

void TestBaseForm::openCaptionAndNoCheckCode()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    const QString path = TestDocuments::write(dir, QStringLiteral("a.MRT"),
                                              TestDocuments::minimal(QStringLiteral("药品再注册申请")));
    TFrmYPZZCSQ form;
    form.OpenDocument(path);
    QCOMPARE(form.windowTitle(), QStringLiteral("编辑药品再注册申请表"));
    QVERIFY(form.opened());
    QVERIFY(!form.closing());
    QVERIFY(form.isVisible());
    QVERIFY(form.isMaximized());
    QCOMPARE(form.verifyCodeEdit()->text(), QString());
    QVERIFY(dlg.messages.isEmpty());
}

void TestBaseForm::refusedLoadsCloseWithoutQuestion_data()
{
    QTest::addColumn<QString>("name");     // file to write, empty: none
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("path");     // path to open, relative to the dir; "" = blank
    QTest::addColumn<QString>("message");  // a missing file's path follows it
    QTest::addColumn<bool>("shown");       // the form was shown before it closed
    const QString bad = QStringLiteral("配置文件名不正确，请检查！");
    const QString mismatch = QStringLiteral("该文件类型不匹配，凭重新选取");
    QTest::newRow("missing file") << "" << QByteArray() << "none.MRT" << bad << false;
    QTest::newRow("blank path") << "" << QByteArray() << "" << bad << false;
    QTest::newRow("other type") << "b.MRT" << TestDocuments::minimal(QStringLiteral("药品补充申请"))
                                << "b.MRT" << mismatch << true;
    QTest::newRow("case differs") << "c.MRT" << TestDocuments::minimal(QStringLiteral("药品注册申请 "))
                                  << "c.MRT" << mismatch << true;
}

void TestBaseForm::refusedLoadsCloseWithoutQuestion()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, path);
    QFETCH(QString, message);
    QFETCH(bool, shown);
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    if (!name.isEmpty())
        TestDocuments::write(dir, name, bytes);
    QPointer<TEABaseForm> form = new TFrmYPZCSQ;
    bool closedSignal = false;
    connect(form, &TEABaseForm::formClosed, this, [&] { closedSignal = true; });
    ShowSpy showSpy;
    form->installEventFilter(&showSpy);
    const QString opened = path.isEmpty() ? QStringLiteral(" ") : dir.filePath(path);
    form->OpenDocument(opened);
    if (name.isEmpty() && !path.isEmpty())
        message += QStringLiteral("\r\n缺少文件：") + QDir::toNativeSeparators(opened);
    QCOMPARE(dlg.texts(), QStringList{message});
    QCOMPARE(showSpy.shown, shown);
    QVERIFY(closedSignal);
    QVERIFY(form->isClosed());
    settle();
    QVERIFY(!form);
}

void TestBaseForm::loadErrorLeavesFormOpen_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error"); // start of the one message
    const QByteArray head("<?xml version=\"1.0\" encoding=\"UTF-8\"?><config>");
    const QByteArray type("<config-type value=\"药品注册申请\"/>");
    const QByteArray items("<ui-data><i type=\"Edit\" name=\"edtTYM\" Field=\"f\"/></ui-data>");
    const QByteArray fields("<data-fields><f name=\"f\" value=\"1\"/></data-fields>");
    QTest::newRow("no type field") << head + items + fields + "</config>"
                                   << QStringLiteral("文件没有类型字段，请检查！");
    QTest::newRow("no ui-data") << head + type + fields + "</config>"
                                << QStringLiteral("无法找到\"ui-data\"元素");
    QTest::newRow("no data-fields") << head + type + items + "</config>"
                                    << QStringLiteral("无法找到\"data-fields\"元素");
    QTest::newRow("malformed") << head + type + items << QStringLiteral("XML文件格式错误");
}

void TestBaseForm::loadErrorLeavesFormOpen()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    const QString path = TestDocuments::write(dir, QStringLiteral("x.MRT"), bytes);
    QPointer<TEABaseForm> form = new TFrmYPZCSQ;
    try {
        form->OpenDocument(path);
        QFAIL("no error");
    } catch (const AppError &e) {
        QVERIFY2(e.message().startsWith(error), qPrintable(e.message()));
    }
    QVERIFY(form->isVisible());
    QVERIFY(!form->isClosed());
    QVERIFY(dlg.messages.isEmpty());

    // Nothing was kept: Save and Print refuse, write no file and make no code.
    form->verifyCodeEdit()->setText(QStringLiteral("ABCDEF02"));
    const QString file = form->DataFileName();
    QFile::remove(file);
    const QString refusal = QStringLiteral("本表没有成功装载的文件，无法保存或打印。请关闭本表后重新新建或打开文件。");
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            attempt == 0 ? form->SaveBackup() : form->SubmitAndPrint();
            QFAIL("saved");
        } catch (const AppError &e) {
            QCOMPARE(e.message(), refusal);
        }
    }
    QCOMPARE(form->verifyCodeEdit()->text(), QStringLiteral("ABCDEF02"));
    QVERIFY(!QFile::exists(file));
    QVERIFY(dlg.messages.isEmpty());

    // The load was left half-way: the form now closes without its question.
    QVERIFY(form->closing());
    QVERIFY(form->close());
    QVERIFY(dlg.messages.isEmpty());
    settle();
    QVERIFY(!form);
}

// A domestic registration data file whose check code field holds `code`.
static QString writeWithCheckCode(const QTemporaryDir &dir, const QString &code)
{
    return TestDocuments::write(
        dir, QStringLiteral("a.MRT"),
        TestDocuments::minimal(QStringLiteral("药品注册申请"), {},
                               QStringLiteral("<item type=\"edit\" name=\"VerifyCode\" Field=\"code\"/>"),
                               QStringLiteral("<field name=\"code\" value=\"%1\"/>").arg(code.toHtmlEscaped())));
}

void TestBaseForm::saveBackupMessageAndFile()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    const QString path = writeWithCheckCode(dir, QString());
    TFrmYPZCSQ form;
    form.OpenDocument(path);
    form.verifyCodeEdit()->setText(QStringLiteral("ABCDEF01"));
    const QString file = form.DataFileName();
    QFile::remove(file);
    form.SaveBackup();
    const QString expected = QStringLiteral("已成功生成备份文件:") + file +
                             QStringLiteral("\r\n数据核对码为：ABCDEF01\r\n\r\n注意:本文件只用于本地备份,只有打印报送时才产生正式的报送文件！");
    QCOMPARE(dlg.texts(), QStringList{expected});
    QCOMPARE(dlg.messages[0].kind, MessageKind::Plain);
    QVERIFY(QFile::exists(file));
    auto content = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray first = content();
    QVERIFY(first.contains("ABCDEF01"));
    // A second save writes the same file again, byte for byte.
    form.SaveBackup();
    QCOMPARE(dlg.messages.size(), 2);
    QCOMPARE(dlg.messages[1].text, expected);
    QCOMPARE(content(), first);
    QFile::remove(file);
}

// Whatever a data file does not bind would be dropped on save: such controls
// are disabled after Open, and no relation enables them again.
void TestBaseForm::unboundControlsDisabled()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    const QString path = TestDocuments::write(
        dir, QStringLiteral("u.MRT"),
        TestDocuments::minimal(
            QStringLiteral("药品注册申请"),
            QStringLiteral("<r type=\"CheckBox\" name=\"ckbFJSQQT\"><r name=\"edtFJSQQT\"/></r>"),
            QStringLiteral("<i type=\"CheckBox\" name=\"ckbFJSQQT\" Field=\"a\"/>"
                           "<i type=\"Edit\" name=\"edtYPTYMC\" Field=\"b\"/>"
                           "<i type=\"Edit\" name=\"ckbFCFY\" Field=\"missing\"/>"
                           "<i name=\"ckbJHZM\" Field=\"a\"/>"),
            QStringLiteral("<f name=\"a\" value=\"0\"/><f name=\"b\" value=\"名称\"/>")));
    TFrmYPZCSQ form;
    form.OpenDocument(path);
    QCOMPARE(dlg.texts().join(u'|'), QString());
    auto widget = [&](const char *name) { return form.findChild<QWidget *>(QLatin1String(name)); };
    QVERIFY(widget("ckbFJSQQT")->isEnabled());
    QVERIFY(widget("edtYPTYMC")->isEnabled());
    QCOMPARE(Controls::text(widget("edtYPTYMC")), QStringLiteral("名称"));
    // A Field that names no entry, an item without type, no item at all.
    for (const char *name : {"ckbFCFY", "ckbJHZM", "ckbGJDZXL", "edtFJSQQT"})
        QVERIFY2(!widget(name)->isEnabled(), name);
    QVERIFY(!widget("ckbGJDZXL")->toolTip().isEmpty());
    // The check code field is read-only, not disabled.
    QVERIFY(form.verifyCodeEdit()->isEnabled());
    Controls::setChecked(widget("ckbFJSQQT"), true);
    QVERIFY(!widget("edtFJSQQT")->isEnabled());
}

// A stored check code becomes part of the data file's name: anything but
// eight upper-case hex digits is replaced on Open, with a warning, so no save
// can write outside the data file folder.
void TestBaseForm::invalidStoredCheckCodeRenewed()
{
    for (const QString &stored : {QStringLiteral("x/../../name"), QStringLiteral("..\\..\\a"),
                                  QStringLiteral("abcdef01"), QStringLiteral("ABCDEF0"), QStringLiteral("ABCDEF012")}) {
        ScriptedDialogs dlg;
        QTemporaryDir dir;
        const QString path = writeWithCheckCode(dir, stored);
        TFrmYPZCSQ form;
        form.OpenDocument(path);
        const QString code = form.verifyCodeEdit()->text();
        QVERIFY2(IsCheckCode(code), qPrintable(stored));
        QCOMPARE(dlg.messages.size(), 1);
        QCOMPARE(dlg.messages[0].kind, MessageKind::Warning);
        QVERIFY(dlg.messages[0].text.endsWith(code));
        const QString file = form.DataFileName();
        QCOMPARE(QFileInfo(file).absolutePath(), QFileInfo(DataFileDirectory()).absolutePath());
        QVERIFY(!QFileInfo(file).fileName().contains(QLatin1Char('/')));
    }
    QVERIFY(IsCheckCode(QStringLiteral("0E512345")));
}

void TestBaseForm::closeQuestion()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    const QString path = TestDocuments::write(dir, QStringLiteral("a.MRT"),
                                              TestDocuments::minimal(QStringLiteral("药品注册申请")));
    QPointer<TEABaseForm> form = new TFrmYPZCSQ;
    form->OpenDocument(path);
    form->verifyCodeEdit()->setText(QStringLiteral("KEEPME00"));
    dlg.answers.enqueue(false);
    QVERIFY(!form->close());
    QCOMPARE(dlg.messages.size(), 1);
    QCOMPARE(dlg.messages[0].caption, QStringLiteral("提示:"));
    QCOMPARE(dlg.messages[0].text, kCloseQuestion);
    QVERIFY(dlg.messages[0].question);
    settle();
    QVERIFY(form);
    QCOMPARE(form->verifyCodeEdit()->text(), QStringLiteral("KEEPME00"));
    dlg.answers.enqueue(true);
    QVERIFY(form->close());
    settle();
    QVERIFY(!form); // destroyed, not hidden
}

void TestBaseForm::askClose()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    const QString path = TestDocuments::write(dir, QStringLiteral("a.MRT"),
                                              TestDocuments::minimal(QStringLiteral("药品注册申请")));
    QPointer<TEABaseForm> form = new TFrmYPZCSQ;
    form->OpenDocument(path);
    dlg.answer({false, true});
    QVERIFY(!form->AskClose());
    QVERIFY(form->isVisible());
    QVERIFY(form->AskClose());
    // One question each time: the close that follows asks nothing.
    QCOMPARE(dlg.texts(), (QStringList{kCloseQuestion, kCloseQuestion}));
    settle();
    QVERIFY(!form);
}

DZSB_TEST_MAIN(TestBaseForm)
#include "test_baseform.moc"
