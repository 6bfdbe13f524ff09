// Tests of the form base: captions, loading and its refusals, the data file
// name, the backup save and its message, and the close question.
#include "AppError.h"
#include "CatalogueBuilder.h"
#include "CodePage.h"
#include "ConfigDocument.h"
#include "ControlAdapter.h"
#include "DataFile.h"
#include "DatePicker.h"
#include "FormClasses.h"
#include "Helpers.h"
#include "RecoveryStore.h"
#include "ScriptedDialogs.h"
#include "TestDocuments.h"
#include "TestMain.h"
#include "ValueRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kCloseQuestion = QStringLiteral("您要退出正在填写的文件吗?");

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The backup message of a save to file with code.
QString backupMessage(const QString &file, const QString &code)
{
    return QStringLiteral("已成功生成备份文件:") + file + QStringLiteral("\r\n数据核对码为：") + code +
           QStringLiteral("\r\n\r\n注意:本文件只用于本地备份,只有打印报送时才产生正式的报送文件！");
}

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
    void saveAfterEditsAsksBeforeOverwriting_data();
    void saveAfterEditsAsksBeforeOverwriting();
    void userEditsKeepARecoveryCopy_data();
    void userEditsKeepARecoveryCopy();
    void unwritableRecoveryFolderWarnsOnce();
    void restoredPrintedFormStillAsks_data();
    void restoredPrintedFormStillAsks();
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
    // The print hook's memos, as the catalogue marks them, in the hook's order.
    QTest::addColumn<QStringList>("hook");
    const QStringList registration{"edtHXCF", "edtCFFL", "edtSYZ", "edtGYTJ"};
    const QStringList supplementary{"edtCFNFL", "memSYZ"};
    QTest::newRow("YPZCSQ") << int(FormKind::YPZCSQ) << "FrmYPZCSQ" << "YPZCSQ.xml" << "药品注册申请表"
                            << "药品注册申请" << "注册" << registration;
    QTest::newRow("YPZCSQ_JK") << int(FormKind::YPZCSQ_JK) << "FrmYPZCSQ_JK" << "YPZCSQ_JK.xml"
                               << "药品注册申请表-进口" << "进口药品注册申请" << "进口注册" << registration;
    QTest::newRow("YPBCSQ") << int(FormKind::YPBCSQ) << "FrmYPBCSQ" << "YPBCSQ.xml" << "药品补充注册申请表"
                            << "药品补充申请" << "补充注册" << supplementary;
    QTest::newRow("YPBCSQ_JK") << int(FormKind::YPBCSQ_JK) << "FrmYPBCSQ_JK" << "YPBCSQ_JK.xml"
                               << "药品补充注册申请表-进口" << "进口药品补充申请" << "进口补充注册" << supplementary;
    QTest::newRow("YPZZCSQ") << int(FormKind::YPZZCSQ) << "FrmYPZZCSQ" << "YPZZCSQ.xml" << "药品再注册申请表"
                             << "药品再注册申请" << "再注册" << QStringList{"edtSYZ"};
    QTest::newRow("YBCZZCSQB") << int(FormKind::YBCZZCSQB) << "YBCZZCSQB_Form" << "YBCZZCSQB.xml"
                               << "药包材再注册申请表" << "药包材再注册申请" << "药包材再注册申请表" << QStringList();
}

void TestBaseForm::typeSettings()
{
    QFETCH(int, kind);
    QFETCH(QString, instance);
    QFETCH(QString, config);
    QFETCH(QString, title);
    QFETCH(QString, tag);
    QFETCH(QString, prefix);
    QFETCH(QStringList, hook);
    std::unique_ptr<TEABaseForm> form(CreateForm(FormKind(kind)));
    const FormType &t = form->type();
    QCOMPARE(form->objectName(), instance);
    QCOMPARE(t.configFileName, config);
    QCOMPARE(t.title, title);
    QCOMPARE(t.typeTag, tag);
    QCOMPARE(t.filePrefix, prefix);
    QStringList attached;
    for (const CatalogueEntry *e : form->catalogue().attachedMemos())
        attached << e->name;
    QCOMPARE(attached, hook);
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
    QCOMPARE(form.windowTitle(), QStringLiteral("编辑药品再注册申请表[*]"));
    QVERIFY(!form.isWindowModified());
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

// A printed submission file, opened and changed: Save keeps the file whose
// check code is on paper unless the user chooses to overwrite it, and the
// message says which file holds what.
void TestBaseForm::saveAfterEditsAsksBeforeOverwriting_data()
{
    QTest::addColumn<int>("choice"); // the button pressed; -1: cancel
    QTest::newRow("new check code") << 0;
    QTest::newRow("overwrite") << 1;
    QTest::newRow("cancel") << -1;
}

void TestBaseForm::saveAfterEditsAsksBeforeOverwriting()
{
    QFETCH(int, choice);
    ScriptedDialogs dlg;
    // The shipped document, filled in and saved as the program names it.
    const QString code = NewCheckCode();
    const QString printedFile = ProgramDirectory() + QStringLiteral("注册_") + code + QStringLiteral(".MRT");
    QByteArray bytes = readFile(ProgramDirectory() + QStringLiteral("YPZCSQ.xml"));
    bytes.replace("<field name=\"VerifyCode\" value=\"\"/>", "<field name=\"VerifyCode\" value=\"" + code.toLatin1() + "\"/>");
    bytes.replace("<field name=\"edtYPTYMC\" value=\"\"/>",
                  "<field name=\"edtYPTYMC\" value=\"" + CodePage::fromUnicode(QStringLiteral("甲药")) + "\"/>");
    bytes.replace("<field name=\"edtHXCF\" value=\"\"/>", "<field name=\"edtHXCF\" value=\"1eQ=\"/>");
    {
        QFile f(printedFile);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    TFrmYPZCSQ form;
    form.OpenDocument(printedFile);
    auto *name = form.findChild<QLineEdit *>(QStringLiteral("edtYPTYMC"));
    QCOMPARE(name->text(), QStringLiteral("甲药"));
    QVERIFY(!form.findChild<QPlainTextEdit *>(QStringLiteral("edtHXCF"))->toPlainText().isEmpty());
    // What loading put into the controls is no edit: saved unchanged, no question.
    QVERIFY(!form.isModified());
    QVERIFY(form.mayBeOnPaper());
    form.SaveBackup();
    QCOMPARE(dlg.texts(), QStringList{backupMessage(printedFile, code)});
    const QByteArray printed = readFile(printedFile);

    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Yi"));
    QVERIFY(form.isModified());
    dlg.messages.clear();
    if (choice != 0)
        dlg.choices.enqueue(choice); // the first button is the default
    form.SaveBackup();
    QVERIFY(!dlg.messages.isEmpty());
    const RecordedMessage question = dlg.messages.takeFirst();
    QVERIFY(question.question);
    QCOMPARE(question.caption, QStringLiteral("提示:"));
    QCOMPARE(question.buttons, (QStringList{"另存为新数据核对码", "覆盖原文件", "取消"}));
    QVERIFY(question.text.startsWith(QStringLiteral("本表已修改。文件“") + QDir::toNativeSeparators(printedFile) +
                                     QStringLiteral("”（数据核对码") + code + QStringLiteral("）可能已随申请表打印报送。")));
    const QString newFile = form.DataFileName();
    const QString newCode = form.verifyCodeEdit()->text();
    const QByteArray edited("name=\"edtYPTYMC\" value=\"Yi\"");
    switch (choice) {
    case -1:
        QVERIFY(dlg.messages.isEmpty());
        QCOMPARE(newCode, code);
        QCOMPARE(readFile(printedFile), printed);
        QVERIFY(form.isModified());
        break;
    case 0:
        QVERIFY(newCode != code && IsCheckCode(newCode));
        QCOMPARE(readFile(printedFile), printed);
        QVERIFY(readFile(newFile).contains(edited));
        QVERIFY(readFile(newFile).contains("value=\"" + newCode.toLatin1() + "\""));
        QCOMPARE(dlg.texts(), QStringList{backupMessage(newFile, newCode) + QStringLiteral("\r\n\r\n原文件“") +
                                          QDir::toNativeSeparators(printedFile) +
                                          QStringLiteral("”未改动，仍与已打印的申请表（数据核对码") + code +
                                          QStringLiteral("）一致；修改后的内容保存在上面的新文件中。")});
        QVERIFY(!form.isModified());
        // The new file is a backup no paper carries: further edits go over it.
        QVERIFY(!form.mayBeOnPaper());
        QTest::keyClicks(name, QStringLiteral("2"));
        dlg.messages.clear();
        form.SaveBackup();
        QCOMPARE(dlg.texts(), QStringList{backupMessage(newFile, newCode)});
        QVERIFY(readFile(newFile).contains("value=\"Yi2\""));
        QVERIFY(QFile::remove(newFile));
        break;
    case 1:
        QCOMPARE(newCode, code);
        QVERIFY(readFile(printedFile).contains(edited));
        QCOMPARE(dlg.texts(), QStringList{backupMessage(printedFile, code) + QStringLiteral("\r\n\r\n原文件“") +
                                          QDir::toNativeSeparators(printedFile) +
                                          QStringLiteral("”已被修改后的内容覆盖，与此前打印的申请表（数据核对码") + code +
                                          QStringLiteral("）不再一致；如需报送，请重新打印。")});
        QVERIFY(!form.isModified());
        QVERIFY(form.mayBeOnPaper());
        break;
    }
    QVERIFY(QFile::remove(printedFile));
}

void TestBaseForm::userEditsKeepARecoveryCopy_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("field");
    QTest::newRow("edit box") << "edit" << "edtYPTYMC";
    QTest::newRow("memo") << "memo" << "edtHXCF";
    QTest::newRow("check box") << "check" << "ckbFCFY";
    QTest::newRow("radio button") << "radio" << "SQFL";
    QTest::newRow("drop-down list") << "list" << "edtZY";
    QTest::newRow("date picker") << "date" << "dtpZLDQR";
}

// The user's edits, typed and clicked: each marks the form, and once it is
// complete (the box left, a box ticked, a choice made, a date set) the
// form's recovery copy holds it - a data file of the form's type, as Save
// would write it. Save and a normal close remove the copy.
void TestBaseForm::userEditsKeepARecoveryCopy()
{
    QFETCH(QString, kind);
    QFETCH(QString, field);
    ScriptedDialogs dlg;
    QPointer<TEABaseForm> form = new TFrmYPZCSQ;
    form->NewDocument();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    QVERIFY(!form->isModified());
    QVERIFY(form->recoveryCopy().isEmpty());
    auto widget = [&](const char *name) { return form->findChild<QWidget *>(QLatin1String(name)); };
    auto click = [&](QWidget *button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2)); };

    QString expected;
    if (kind == QLatin1String("edit") || kind == QLatin1String("memo")) {
        QWidget *box = widget(kind == QLatin1String("edit") ? "edtYPTYMC" : "edtHXCF");
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("Yi"));
        // Typing marks the form; the copy waits until the box is left.
        QVERIFY(form->isModified());
        QVERIFY(form->recoveryCopy().isEmpty());
        widget(kind == QLatin1String("edit") ? "edtHXCF" : "edtYPTYMC")->setFocus();
        expected = kind == QLatin1String("edit") ? QStringLiteral("Yi") : ValueRules::MemoToValue(QStringLiteral("Yi"));
    } else if (kind == QLatin1String("check")) {
        click(widget("ckbFCFY"));
        expected = ValueRules::FromBoolean(true);
    } else if (kind == QLatin1String("radio")) {
        click(widget("rdbFZ"));
        expected = QStringLiteral("已有国家标准药品的申请");
    } else if (kind == QLatin1String("list")) {
        click(widget("rdbZY"));
        auto *list = qobject_cast<QComboBox *>(widget("edtZY"));
        QVERIFY(list->isEnabled());
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        expected = list->currentText();
        QVERIFY(!expected.isEmpty());
    } else if (kind == QLatin1String("date")) {
        click(widget("ckbZGZL"));
        auto *picker = qobject_cast<DatePicker *>(widget("dtpZLDQR"));
        QVERIFY(picker->isEnabled() && !picker->hasDate());
        click(picker->checkBox());
        QVERIFY(picker->hasDate());
        expected = ValueRules::FromDate(picker->date());
    }
    QVERIFY(form->isModified());
    const QString copy = form->recoveryCopy();
    QVERIFY(!copy.isEmpty());
    QVERIFY(QFileInfo(copy).absolutePath().endsWith(QStringLiteral("/恢复")));
    const auto doc = ConfigDocument::parse(DataFile::Read(copy));
    QCOMPARE(doc->section(ConfigSection::ConfigType).attributeText(QStringLiteral("value")),
             QStringLiteral("药品注册申请"));
    QCOMPARE(doc->FieldValue(field), expected);
    QCOMPARE(doc->FieldValue(QStringLiteral("VerifyCode")), form->verifyCodeEdit()->text());

    // Saved: no copy; the next finished edit makes it again.
    form->SaveBackup();
    QFile::remove(form->DataFileName());
    QVERIFY(!form->isModified());
    QVERIFY(!QFile::exists(copy));
    click(widget("ckbFCFY"));
    QCOMPARE(form->recoveryCopy(), copy);
    // A normal close leaves nothing in the folder.
    dlg.answer({true});
    QVERIFY(form->close());
    settle();
    QVERIFY(!form);
    QCOMPARE(QDir(QFileInfo(copy).absolutePath()).entryList(QDir::Files), QStringList());
}

// A recovery copy that cannot be written is reported once, not at every
// edit, and the form goes on; once writing works again, so does the copy.
void TestBaseForm::unwritableRecoveryFolderWarnsOnce()
{
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    // The data folder's place is taken by a file.
    const QString blocked = TestDocuments::write(dir, QStringLiteral("blocked"), "x");
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocked));
    QPointer<TEABaseForm> form = new TFrmYPZCSQ;
    form->NewDocument();
    auto *name = form->findChild<QLineEdit *>(QStringLiteral("edtYPTYMC"));
    for (const char *text : {"A", "B", "C"}) {
        name->setText(QLatin1String(text));
        emit name->editingFinished();
    }
    QCOMPARE(dlg.messages.size(), 1);
    QCOMPARE(dlg.messages[0].kind, MessageKind::Warning);
    QVERIFY2(dlg.messages[0].text.startsWith(QStringLiteral("无法保存本表的恢复副本：无法建立存放恢复副本的文件夹“")),
             qPrintable(dlg.messages[0].text));
    QVERIFY(dlg.messages[0].text.endsWith(QStringLiteral("程序意外退出时，未保存的填写内容将无法恢复，请及时保存。")));
    QVERIFY(form->recoveryCopy().isEmpty());
    QVERIFY(form->isModified());

    qputenv("XDG_DATA_HOME", dataHome);
    name->setText(QStringLiteral("D"));
    emit name->editingFinished();
    QCOMPARE(dlg.messages.size(), 1);
    QVERIFY(!form->recoveryCopy().isEmpty());
    form->CloseAgreed();
    settle();
    QVERIFY(!form);
}

void TestBaseForm::restoredPrintedFormStillAsks_data()
{
    QTest::addColumn<bool>("described"); // the copy's description survived
    QTest::newRow("with its description") << true;
    QTest::newRow("description lost") << false;
}

// An opened file's form, edited and lost with its program: restored from
// the recovery copy, it still knows its check code may be on paper, and
// Save asks before going over that file. A copy whose description is lost
// is taken to be such a form too.
void TestBaseForm::restoredPrintedFormStillAsks()
{
    QFETCH(bool, described);
    ScriptedDialogs dlg;
    QTemporaryDir dir;
    const QString code = NewCheckCode();
    const QString printedFile = dir.filePath(QStringLiteral("注册_") + code + QStringLiteral(".MRT"));
    {
        // The printed submission file: the shipped document holding the code.
        QFile config(ProgramDirectory() + QStringLiteral("YPZCSQ.xml"));
        QVERIFY(config.open(QIODevice::ReadOnly));
        QByteArray bytes = config.readAll();
        bytes.replace("<field name=\"VerifyCode\" value=\"\"/>",
                      "<field name=\"VerifyCode\" value=\"" + code.toLatin1() + "\"/>");
        QFile printed(printedFile);
        QVERIFY(printed.open(QIODevice::WriteOnly) && printed.write(bytes) == bytes.size());
    }
    {
        TFrmYPZCSQ form;
        form.OpenDocument(printedFile);
        QCOMPARE(form.verifyCodeEdit()->text(), code);
        form.findChild<QLineEdit *>(QStringLiteral("edtYPTYMC"))->setText(QStringLiteral("乙药"));
        QVERIFY(form.WriteRecoveryCopy());
        // While the form lives, its copy is nobody else's to restore.
        QVERIFY(RecoveryStore::leftCopies().empty());
    } // gone without closing, as in a crash
    std::vector<LeftCopy> left = RecoveryStore::leftCopies();
    QCOMPARE(left.size(), size_t(1));
    LeftCopy &copy = left.front();
    if (!described) {
        QVERIFY(QFile::remove(RecoveryCopy::infoPath(copy.path)));
        left.clear();
        left = RecoveryStore::leftCopies();
        QCOMPARE(left.size(), size_t(1));
    }
    LeftCopy &found = left.front();
    QCOMPARE(found.damage, QString());
    QCOMPARE(found.type->kind, FormKind::YPZCSQ);
    QCOMPARE(found.info.checkCode, code);
    QCOMPARE(found.info.origin, described ? printedFile : QString());
    QVERIFY(found.info.mayBeOnPaper);

    QPointer<TEABaseForm> restored = new TFrmYPZCSQ;
    restored->RestoreDocument(found.path, found.info);
    QCOMPARE(restored->windowTitle(), QStringLiteral("编辑药品注册申请表[*]"));
    QVERIFY(restored->isModified());
    QVERIFY(restored->mayBeOnPaper());
    QCOMPARE(restored->opened(), described);
    QCOMPARE(restored->verifyCodeEdit()->text(), code);
    QCOMPARE(restored->findChild<QLineEdit *>(QStringLiteral("edtYPTYMC"))->text(), QStringLiteral("乙药"));
    QVERIFY(!restored->recoveryCopy().isEmpty() && restored->recoveryCopy() != found.path);
    found.discard();
    dlg.choices.enqueue(-1);
    restored->SaveBackup();
    QCOMPARE(dlg.messages.size(), 1);
    QCOMPARE(dlg.messages[0].buttons.first(), QStringLiteral("另存为新数据核对码"));
    QVERIFY(restored->isModified());
    QVERIFY(!QFile::exists(restored->DataFileName()));
    // Closed as agreed: no copy is left behind.
    restored->CloseAgreed();
    settle();
    QVERIFY(!restored);
    QVERIFY(RecoveryStore::leftCopies().empty());
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
