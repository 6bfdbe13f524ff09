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
    void loadErrorLeavesFormOpen();
    void saveBackupMessageAndFile();
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
    QCOMPARE(form->DataFileName(), ProgramDirectory() + prefix + QStringLiteral("_0A1B2C3D.MRT"));
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

void TestBaseForm::loadErrorLeavesFormOpen()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    const QString path = TestDocuments::write(
        dir, QStringLiteral("x.MRT"),
        QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><config><ui-data/></config>"));
    QPointer<TEABaseForm> form = new TFrmYPZCSQ;
    try {
        form->OpenDocument(path);
        QFAIL("no error");
    } catch (const AppError &e) {
        QCOMPARE(e.message(), QStringLiteral("文件没有类型字段，请检查！"));
    }
    QVERIFY(form->isVisible());
    QVERIFY(!form->isClosed());
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
    const qint64 firstSize = QFileInfo(file).size();
    // A second save writes the same file again.
    form.SaveBackup();
    QCOMPARE(dlg.messages.size(), 2);
    QCOMPARE(dlg.messages[1].text, expected);
    QCOMPARE(QFileInfo(file).size(), firstSize);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("ABCDEF01"));
    f.close();
    QFile::remove(file);
}

// A stored check code becomes part of the data file's name: anything but
// eight upper-case hex digits is replaced on Open, with a warning, so no save
// can write outside the program's directory.
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
        QCOMPARE(QFileInfo(file).absolutePath(), QFileInfo(ProgramDirectory()).absolutePath());
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
