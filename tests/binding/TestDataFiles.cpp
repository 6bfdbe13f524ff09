// Tests of loading and saving whole files through TUIHelper: refused paths and
// types, files that are not documents, atomic saving, and the round trip of a
// data file.
#include "TestDataFiles.h"

#include "AppError.h"
#include "BindingFixture.h"
#include "CodePage.h"
#include "CommandGuard.h"
#include "ControlAdapter.h"
#include "ScriptedDialogs.h"
#include "TUIHelper.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const QString kItems = QStringLiteral("<i type=\"Edit\" Field=\"f\" name=\"edtName\"/>");
const QString kFields = QStringLiteral("<f name=\"f\" value=\"new\"/>");

QByteArray document(const QString &typeTag = kTestType)
{
    return makeDocument({}, kItems, kFields, typeTag).toUtf8();
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// A document of about 50 MB: many field entries, optionally cut short.
QByteArray bigDocument(const QString &typeTag, bool complete)
{
    QByteArray xml = makeDocument({}, kItems, "@FIELDS@", typeTag).toUtf8();
    QByteArray fields;
    fields.reserve(52 * 1024 * 1024);
    for (int i = 0; fields.size() < 50 * 1024 * 1024; ++i)
        fields += "<f name=\"field" + QByteArray::number(i) + "\" value=\"" + QByteArray(60, 'v') + "\"/>\n";
    fields += kFields.toUtf8();
    xml.replace("@FIELDS@", fields);
    if (!complete)
        xml.chop(40);
    return xml;
}

QString messageKinds(const ScriptedDialogs &dialogs)
{
    QString out;
    for (const RecordedMessage &m : dialogs.messages)
        out += m.kind == MessageKind::Error ? u'E' : u'W';
    return out;
}

} // namespace

void TestDataFiles::initTestCase()
{
    QVERIFY(FDir.isValid());
    // Ordinary users must be able to reach the files below (see asUnprivilegedUser,
    // which keeps the group).
    QFile::setPermissions(FDir.path(), QFile::permissions(FDir.path()) | QFile::ReadGroup | QFile::ExeGroup
                                           | QFile::ReadOther | QFile::ExeOther);
}

void TestDataFiles::badPath_data()
{
    QTest::addColumn<QString>("path");
    const QString existing = writeFile(FDir, "exists.xml", document());
    QTest::newRow("empty") << "";
    QTest::newRow("single space") << " ";
    QTest::newRow("control character first") << "\t" + existing;
    QTest::newRow("missing file") << FDir.filePath("none.xml");
    QTest::newRow("a folder") << FDir.path();
}

void TestDataFiles::badPath()
{
    QFETCH(QString, path);
    TestForm form;
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    helper->FFileName = path;
    helper->LoadConfig(kTestType);
    QCOMPARE(dialogs.texts(), QStringList{"配置文件名不正确，请检查！"});
    QCOMPARE(form.closeCount, 1);
    QCOMPARE(helper->FConfigType, kTestType);
    QVERIFY(!helper->Document());
}

void TestDataFiles::typeCheck_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("same tag") << document("Test申请") << "Test申请" << true;
    QTest::newRow("other letter case") << document("Test申请") << "test申请" << false;
    QTest::newRow("upper case") << document("Test申请") << "TEST申请" << false;
    QTest::newRow("trailing space in the file") << document("药品注册申请 ") << "药品注册申请" << false;
    QTest::newRow("trailing space in the tag") << document("药品注册申请") << "药品注册申请 " << false;
    QTest::newRow("another form type") << document("药品注册申请") << "药品补充申请" << false;
    QTest::newRow("type without value")
        << QByteArray("<r><config-type/><ui-data>" + kItems.toUtf8() + "</ui-data><data-fields>" + kFields.toUtf8()
                      + "</data-fields></r>") << "药品注册申请" << false;
}

void TestDataFiles::typeCheck()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, tag);
    QFETCH(bool, accepted);
    TestForm form;
    applyState(form.control("edtName"), "text=old");
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    QVERIFY(loadDocument(*helper, FDir, xml, tag));
    QCOMPARE(describe(form.control("edtName")), accepted ? "text=new" : "text=old");
    QCOMPARE(dialogs.texts(), accepted ? QStringList() : QStringList{"该文件类型不匹配，凭重新选取"});
    QCOMPARE(form.closeCount, accepted ? 0 : 1);
    QCOMPARE(helper->CheckConfigType(), accepted);
}

void TestDataFiles::loadErrors_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("expected"); // start of the error text
    QTest::addColumn<bool>("parsed");      // a document is held afterwards

    QByteArray binary(64 * 1024, Qt::Uninitialized);
    QRandomGenerator random(20240501);
    for (char &c : binary)
        c = char(random.bounded(256));
    binary[0] = '\x01';
    QString lol = QStringLiteral("<!ENTITY l0 \"lol\">");
    for (int i = 1; i <= 9; ++i)
        lol += QStringLiteral("<!ENTITY l%1 \"%2\">").arg(i).arg(QStringLiteral("&l%1;").arg(i - 1).repeated(10));

    QTest::newRow("malformed XML")
        << QByteArray("<config>\n<config-type value=\"x\"/>\n<ui-data></ui-dat></config>")
        << "XML文件格式错误（第3行第19列）：开始标签与结束标签不匹配，无法读取该文件。\r\n详细信息：Opening and ending tag mismatch" << false;
    // A document refused by a check is not kept.
    QTest::newRow("no config-type") << makeDocument({}, kItems, kFields).replace(QRegularExpression("<config-type[^>]*>"), "").toUtf8()
                                    << "文件没有类型字段，请检查！" << false;
    QTest::newRow("no ui-data") << makeDocument({}, "-", kFields).toUtf8()
                                << "无法找到\"ui-data\"元素，请检查xml文件，或者可能未装载xml文件。" << false;
    QTest::newRow("no ui-data, with relations on radio buttons")
        << makeDocument("<n type=\"r\" name=\"rdbMale\"><n name=\"edtDep1\"/></n><n type=\"r\" name=\"rdbFemale\"><n name=\"edtDep2\"/></n>",
                        "-", kFields).toUtf8()
        << "无法找到\"ui-data\"元素，请检查xml文件，或者可能未装载xml文件。" << false;
    QTest::newRow("no data-fields") << makeDocument({}, kItems, "-").toUtf8()
                                    << "无法找到\"data-fields\"元素，文件中没有保存填写内容的位置，请检查xml文件。" << false;
    QTest::newRow("config-type not a child of the root")
        << makeDocument({}, kItems, kFields).replace("<ui-relation>", "<ui-relation><config-type value=\"" + kTestType + "\"/>")
               .replace(QRegularExpression("<config-type value=\"[^\"]*\"/>\n"), "").toUtf8()
        << "文件没有类型字段，请检查！" << false;
    QTest::newRow("zero-length file") << QByteArray() << "XML文件格式错误" << false;
    QTest::newRow("binary file") << binary << "XML文件格式错误" << false;
    QTest::newRow("external entity")
        << QByteArray("<!DOCTYPE config [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><config><config-type value=\"")
               + kTestType.toUtf8() + "\"/><data-fields><f name=\"f\">&x;</f></data-fields></config>"
        << "XML文件格式错误：文件声明或引用了实体，为安全起见不予读取。" << false;
    // Relation nodes nested one level deeper than a document may be (the
    // root and "ui-relation" are two levels).
    QString deep;
    for (int i = 0; i < ConfigDocument::MaxDepth - 2; ++i)
        deep += QStringLiteral("<r type=\"c\" name=\"ckbUrgent\">");
    deep += QStringLiteral("<r name=\"edtName\"/>") + QStringLiteral("</r>").repeated(ConfigDocument::MaxDepth - 2);
    QTest::newRow("nested deeper than any document")
        << makeDocument(deep, kItems, kFields).toUtf8()
        << "XML文件格式错误（第4行）：元素嵌套超过256层，不是本程序的文件，无法读取该文件。" << false;
    QTest::newRow("billion laughs")
        << ("<!DOCTYPE config [" + lol + "]><config><config-type value=\"&l9;\"/></config>").toUtf8()
        << "XML文件格式错误：文件声明或引用了实体，为安全起见不予读取。" << false;
}

void TestDataFiles::loadErrors()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, expected);
    QFETCH(bool, parsed);
    TestForm form;
    applyState(form.control("edtName"), "text=old");
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    QVERIFY(!loadDocument(*helper, FDir, xml));
    QCOMPARE(messageKinds(dialogs), QStringLiteral("E"));
    QVERIFY2(dialogs.messages[0].text.startsWith(expected), qPrintable(dialogs.messages[0].text));
    QCOMPARE(form.closeCount, 0);
    QCOMPARE(describe(form.control("edtName")), QStringLiteral("text=old"));
    QCOMPARE(helper->Document() != nullptr, parsed);
}

void TestDataFiles::unreadableFile()
{
    const QString path = writeFile(FDir, "locked.xml", document());
    QFile::setPermissions(path, QFileDevice::Permissions());
    TestForm form;
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    helper->FFileName = path;
    QString error;
    asUnprivilegedUser([&] {
        try {
            helper->LoadConfig(kTestType);
        } catch (const AppError &e) {
            error = e.message();
        }
    });
    QCOMPARE(error, QStringLiteral("无法读取文件“%1”：没有读取权限。").arg(QDir::toNativeSeparators(path)));
    QCOMPARE(form.closeCount, 0);
}

void TestDataFiles::bigFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("50 MB cut short") << "cut";
    QTest::newRow("50 MB of another type") << "other";
    QTest::newRow("50 MB well-formed") << "good";
    QTest::newRow("larger than any document") << "huge";
}

void TestDataFiles::bigFiles()
{
    QFETCH(QString, kind);
    const QString path = FDir.filePath("big.xml");
    if (kind == QLatin1String("huge")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(file.resize(qint64(300) * 1024 * 1024)); // sparse: nothing is written
    } else {
        writeFile(FDir, "big.xml", bigDocument(kind == QLatin1String("other") ? "其他申请" : kTestType,
                                               kind != QLatin1String("cut")));
    }
    TestForm form;
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    helper->FFileName = path;
    QElapsedTimer timer;
    timer.start();
    const bool ok = RunGuarded([&] { helper->LoadConfig(kTestType); });
    qInfo("%s: %lld ms", qPrintable(kind), timer.elapsed());
    QFile::remove(path);
    if (kind == QLatin1String("good")) {
        QVERIFY(ok);
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(describe(form.control("edtName")), QStringLiteral("text=new"));
    } else if (kind == QLatin1String("other")) {
        QVERIFY(ok);
        QCOMPARE(dialogs.texts(), QStringList{"该文件类型不匹配，凭重新选取"});
        QCOMPARE(form.closeCount, 1);
    } else {
        QVERIFY(!ok);
        QCOMPARE(messageKinds(dialogs), QStringLiteral("E"));
        const QString expected = kind == QLatin1String("cut")
            ? QStringLiteral("XML文件格式错误（第")
            : QStringLiteral("无法读取文件“%1”：文件过大（超过256 MB），不是本程序的文件。").arg(QDir::toNativeSeparators(path));
        QVERIFY2(dialogs.messages[0].text.startsWith(expected), qPrintable(dialogs.messages[0].text));
        QCOMPARE(form.closeCount, 0);
    }
}

void TestDataFiles::saveFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only folder") << "readonly" << "权限";
    QTest::newRow("missing folder") << "missing" << "不存在";
    QTest::newRow("write fails midway") << "limit" << "写入失败";
}

void TestDataFiles::saveFailures()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QString folder = FDir.filePath(kind);
    QVERIFY(QDir().mkpath(folder));
    const QByteArray old("<old>earlier data file</old>\n");
    QString target = writeFile(FDir, kind + "/data.MRT", old);
    if (kind == QLatin1String("missing"))
        target = folder + "/no-such-folder/data.MRT";

    TestForm form;
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    QVERIFY(loadDocument(*helper, FDir, document()));
    // Enough text that the write cannot fit below the file size limit.
    applyState(form.control("edtName"), "text=" + QString(20000, u'字'));

    QString error;
    auto save = [&] {
        try {
            helper->SaveToFile(target);
        } catch (const AppError &e) {
            error = e.message();
        }
    };
    if (kind == QLatin1String("readonly")) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                          | QFile::ReadOther | QFile::ExeOther);
        asUnprivilegedUser(save);
        QFile::setPermissions(folder, QFile::permissions(folder) | QFile::WriteOwner);
    } else if (kind == QLatin1String("limit")) {
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 4096;
        auto previous = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        save();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
    } else {
        save();
    }
    const QString prefix = QStringLiteral("无法保存文件“%1”：").arg(QDir::toNativeSeparators(target));
    QVERIFY2(error.startsWith(prefix) && error.contains(reason) && error.endsWith("。文件未被保存。"), qPrintable(error));
    QCOMPARE(readAll(FDir.filePath(kind + "/data.MRT")), old);
    QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden), QStringList{"data.MRT"});
    QVERIFY(dialogs.messages.isEmpty());
}

void TestDataFiles::saveReplacesWhole()
{
    TestForm form;
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    QVERIFY(loadDocument(*helper, FDir, document()));
    QVERIFY(QDir().mkpath(FDir.filePath("whole")));
    const QString target = writeFile(FDir, "whole/data.MRT", QByteArray(10000, 'x'));
    helper->SaveToFile(target);
    QCOMPARE(readAll(target), helper->Document()->serialize());
    QVERIFY(readAll(target).contains("value=\"new\""));
    applyState(form.control("edtName"), "text=second");
    helper->SaveToFile(target);
    QCOMPARE(readAll(target), helper->Document()->serialize());
    QVERIFY(readAll(target).contains("value=\"second\""));
    QCOMPARE(QDir(FDir.filePath("whole")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
             QStringList{"data.MRT"});
}

void TestDataFiles::saveWritesRegularFilesOnly_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    const QString link = QStringLiteral("是符号链接，为安全起见不经它写入（它和它指向的文件都保持原样）");
    QTest::newRow("link to another file") << "link" << link;
    QTest::newRow("link to nothing") << "dangling" << link;
    QTest::newRow("named pipe") << "fifo" << "是命名管道，不是普通文件";
    QTest::newRow("folder") << "folder" << "是目录，不是文件";
}

// Whatever stands at the data file's name, if it is no regular file it is
// left exactly as it is, and so is anything it points to.
void TestDataFiles::saveWritesRegularFilesOnly()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString other = writeFile(dir, "other.txt", "someone else's file\n");
    const QString target = dir.filePath("data.MRT");
    if (kind == QLatin1String("link"))
        QVERIFY(QFile::link(other, target));
    else if (kind == QLatin1String("dangling"))
        QVERIFY(QFile::link(dir.filePath("gone.MRT"), target));
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    else
        QVERIFY(QDir().mkdir(target));
    auto entry = [&] {
        const QFileInfo info(target);
        return QStringLiteral("%1 %2 %3").arg(info.isSymLink()).arg(info.symLinkTarget()).arg(info.isDir());
    };
    const QString before = entry();

    TestForm form;
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    QVERIFY(loadDocument(*helper, FDir, document()));
    QString error;
    try {
        helper->SaveToFile(target);
    } catch (const AppError &e) {
        error = e.message();
    }
    QCOMPARE(error, QStringLiteral("无法保存文件“%1”：%2。文件未被保存。").arg(QDir::toNativeSeparators(target), reason));
    QCOMPARE(entry(), before);
    QCOMPARE(readAll(other), QByteArray("someone else's file\n"));
    QVERIFY(!QFile::exists(dir.filePath("gone.MRT")));
    if (kind == QLatin1String("fifo")) {
        struct stat st {};
        QVERIFY(::lstat(QFile::encodeName(target).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden | QDir::System).size(), 2);
}

void TestDataFiles::roundTripNormalises()
{
    const QString relations = QStringLiteral("<r name=\"ckbUrgent\" type=\"c\"><r name=\"edtDep1\"/></r>");
    const QString items = QStringLiteral(
        "<i type=\"CheckBox\" Field=\"ck1\" name=\"ckbUrgent\"/><i type=\"CheckBox\" Field=\"ck2\" name=\"ckbSubCtl\"/>"
        "<i type=\"Date\" Field=\"day\" name=\"dtpDate\"/><i type=\"Memo\" Field=\"memo\" name=\"memNote\"/>"
        "<i type=\"Edit\" Field=\"text\" name=\"edtName\"/><i type=\"Edit\" Field=\"dep\" name=\"edtDep1\"/>"
        "<i type=\"ComboBox\" Field=\"kind\" name=\"cbxKind\"><c key=\"Alpha\"/><c key=\"Beta\"/></i>"
        "<g type=\"RadioGroup\" Field=\"sex\" name=\"grpSex\"><r key=\"M\" name=\"rdbMale\"/><r key=\"F\" name=\"rdbFemale\"/></g>"
        "<g type=\"CheckGroup\" Field=\"opt\" name=\"grpOpt\"><c key=\"A\" name=\"ckbOptA\"/><c key=\"B\" name=\"ckbOptB\"/>"
        "<c key=\"C\" name=\"ckbOptC\"/></g>");
    const QString fields = QStringLiteral(
        "<f name=\"ck1\" value=\"1\"/><f name=\"ck2\" value=\"True\"/><f name=\"day\" value=\"2024/05/01\"/>"
        "<f name=\"memo\" value=\"vNcN\nCtLS\"/><f name=\"text\" value=\"甲乙\"/><f name=\"dep\" value=\"依赖\"/>"
        "<f name=\"kind\" value=\"beta\"/><f name=\"sex\" value=\"F\"/><f name=\"opt\" value=\"C|$$|A\"/>");
    QString source = makeDocument(relations, items, fields);
    source.replace("encoding=\"UTF-8\"", "encoding=\"GBK\"");
    const QByteArray bytes = CodePage::fromUnicode(source);

    TestForm form;
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    QVERIFY(loadDocument(*helper, FDir, bytes));
    QVERIFY(dialogs.messages.isEmpty());
    const QString target = FDir.filePath("round.MRT");
    helper->SaveToFile(target);

    const QByteArray saved = readAll(target);
    QVERIFY(saved.startsWith("<?xml version=\"1.0\" encoding=\"GBK\"?>"));
    auto doc = ConfigDocument::parse(saved);
    const QList<std::pair<const char *, QString>> expected = {
        {"ck1", "-1"}, {"ck2", "-1"}, {"day", "2024/5/1"}, {"memo", "vNcNCtLS"}, {"text", "甲乙"},
        {"dep", "依赖"}, {"kind", "Beta"}, {"sex", "F"}, {"opt", "A|$$|C"}};
    for (const auto &[field, value] : expected)
        QCOMPARE(doc->FieldValue(field), value);
    // Everything but the values is carried over unchanged.
    for (const QString &part : {relations, items})
        QVERIFY(saved.contains(CodePage::fromUnicode(part)));
}

void TestDataFiles::memoLongerThanParserTextLimit()
{
    // Over 10 MB of Base64 in one attribute: what is saved must open again.
    const QString items = QStringLiteral("<i type=\"Memo\" Field=\"memo\" name=\"memNote\"/>");
    const QString fields = QStringLiteral("<f name=\"memo\" value=\"\"/>");
    QString text;
    const QString line = QString(49, u'药') + QStringLiteral("\r\n");
    text.reserve(line.size() * 86000);
    for (int i = 0; i < 86000; ++i)
        text += line;
    const QString target = FDir.filePath("long.MRT");
    {
        TestForm form;
        ScriptedDialogs dialogs;
        auto *helper = new TUIHelper(&form);
        QVERIFY(loadDocument(*helper, FDir, makeDocument({}, items, fields).toUtf8()));
        Controls::setText(form.control("memNote"), text);
        helper->SaveToFile(target);
    }
    QVERIFY(QFileInfo(target).size() > 10 * 1024 * 1024);
    TestForm form;
    ScriptedDialogs dialogs;
    auto *helper = new TUIHelper(&form);
    helper->FFileName = target;
    QVERIFY(RunGuarded([&] { helper->LoadConfig(kTestType); }));
    QCOMPARE(dialogs.texts(), QStringList());
    QVERIFY(Controls::text(form.control("memNote")) == text);
    QFile::remove(target);
}

// A document parsed by the caller is loaded from memory by the next load of
// the same path (the file is read once); a load of another path drops it.
void TestDataFiles::handedOverDocument()
{
    const QString path = writeFile(FDir, "handed.xml", document());
    const QString other = writeFile(FDir, "other.xml", document());
    auto load = [](const QString &file) {
        TestForm form;
        ScriptedDialogs dialogs;
        auto *helper = new TUIHelper(&form);
        helper->FFileName = file;
        helper->LoadConfig(kTestType);
        return describe(form.control("edtName"));
    };
    auto handed = [&] {
        return ConfigDocument::parse(makeDocument({}, kItems, "<f name=\"f\" value=\"handed\"/>").toUtf8());
    };
    TUIHelper::HandOver(path, handed());
    QCOMPARE(load(path), QStringLiteral("text=handed"));
    QCOMPARE(load(path), QStringLiteral("text=new"));
    TUIHelper::HandOver(path, handed());
    QCOMPARE(load(other), QStringLiteral("text=new"));
    QCOMPARE(load(path), QStringLiteral("text=new"));
}
