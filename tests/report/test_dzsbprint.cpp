// Tests of the dzsbprint tool, run as a program: an input it cannot read is
// named by its real cause; a report cut short at the sheet cap, a value the
// form does not take, a missing report object and a value cut off in its box
// are written but reported, with exit code 3; a file whose name carries
// another check code than it holds says so; and an output that is the input,
// a link, a pipe, a device or an option is refused. With --check it lists
// the filling problems, one per line, and says so in its exit code.
#include "Base64.h"
#include "CodePage.h"
#include "TestMain.h"
#include "TfrPreparer.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

struct Run {
    int exitCode = -1;
    QString out, err;
};

// The shipped configuration document of a type with some fields' values set
// (memo values as the program stores them) and ui-data items added.
QByteArray document(const QString &type, const QList<QPair<QString, QString>> &values,
                    const QByteArray &extraItems = {}, const QByteArray &extraFields = {})
{
    QFile config(QCoreApplication::applicationDirPath() + QLatin1Char('/') + type + QStringLiteral(".xml"));
    if (!config.open(QIODevice::ReadOnly))
        return {};
    QByteArray doc = config.readAll();
    for (const auto &[field, value] : values) {
        const QByteArray empty = "<field name=\"" + field.toLatin1() + "\" value=\"\"/>";
        if (!doc.contains(empty))
            return {};
        doc.replace(empty, "<field name=\"" + field.toLatin1() + "\" value=\"" + CodePage::fromUnicode(value) + "\"/>");
    }
    doc.replace("</ui-data>", extraItems + "</ui-data>");
    doc.replace("</data-fields>", extraFields + "</data-fields>");
    return doc;
}

QString memoValue(const QString &text)
{
    return QString::fromLatin1(Base64EncodeString(CodePage::fromUnicode(text)));
}

// The text layer of a PDF file.
QString pdfText(const QString &pdf)
{
    QProcess extract;
    extract.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    extract.waitForFinished(30000);
    return QString::fromUtf8(extract.readAllStandardOutput());
}

Run dzsbprint(const QStringList &args, const QString &workingDirectory = QString())
{
    QProcess tool;
    if (!workingDirectory.isEmpty())
        tool.setWorkingDirectory(workingDirectory);
    tool.start(QCoreApplication::applicationDirPath() + QStringLiteral("/dzsbprint"), args);
    Run r;
    if (!tool.waitForFinished(600000))
        return r;
    r.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    r.out = QString::fromUtf8(tool.readAllStandardOutput());
    r.err = QString::fromUtf8(tool.readAllStandardError());
    return r;
}

} // namespace

class TestDzsbprint : public QObject {
    Q_OBJECT
private slots:
    void unreadableInputsNameTheirCause();
    void reportCutShortIsNotSuccess();
    void printsWhatTheFormShows_data();
    void printsWhatTheFormShows();
    void outputOnlyToNewOrRegularFiles_data();
    void outputOnlyToNewOrRegularFiles();
    void checkListsProblems();
};

void TestDzsbprint::unreadableInputsNameTheirCause()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("loop2")), dir.filePath(QStringLiteral("loop1"))));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("loop1")), dir.filePath(QStringLiteral("loop2"))));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), dir.filePath(QStringLiteral("dangling"))));
    QFile plain(dir.filePath(QStringLiteral("plain.MRT")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.write("<?xml version=\"1.0\"?><x/>");
    plain.close();

    const struct {
        QString input;
        QString cause;
    } cases[] = {
        {dir.filePath(QStringLiteral("无此文件.MRT")), QStringLiteral("文件不存在")},
        {dir.filePath(QStringLiteral("loop1")), QStringLiteral("符号链接循环")},
        {dir.filePath(QStringLiteral("dangling")), QStringLiteral("符号链接指向的文件不存在")},
        {dir.path(), QStringLiteral("是目录")},
        {dir.filePath(QStringLiteral("plain.MRT/x")), QStringLiteral("不是目录")},
    };
    for (const auto &c : cases) {
        const Run r = dzsbprint({c.input, pdf});
        QVERIFY2(r.exitCode == 1, qPrintable(c.input + QLatin1Char(' ') + r.err));
        QVERIFY2(r.err.contains(c.cause), qPrintable(r.err));
        QVERIFY2(!r.err.contains(QStringLiteral("没有读取权限")), qPrintable(r.err));
        QVERIFY(!QFile::exists(pdf));
    }
    // Root reads every file; the permission case holds for everyone else.
    if (::geteuid() != 0) {
        QVERIFY(plain.setPermissions(QFileDevice::WriteOwner));
        const Run r = dzsbprint({plain.fileName(), pdf});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(QStringLiteral("没有读取权限")), qPrintable(r.err));
    }
}

void TestDzsbprint::reportCutShortIsNotSuccess()
{
    // A data file whose attachment text needs more sheets than the cap.
    QFile config(QCoreApplication::applicationDirPath() + QStringLiteral("/YPZCSQ.xml"));
    QVERIFY(config.open(QIODevice::ReadOnly));
    QByteArray document = config.readAll();
    const QByteArray empty("<field name=\"edtHXCF\" value=\"\"/>");
    QVERIFY(document.contains(empty));
    QString text;
    for (int i = 0; i < 100 * TfrPreparer::MaxSheets; ++i)
        text += QStringLiteral("药\r\n");
    document.replace(empty, "<field name=\"edtHXCF\" value=\"" + Base64EncodeString(CodePage::fromUnicode(text)) +
                                "\"/>");
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("YPZCSQ_0E512345.MRT"));
    QFile file(input);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(document);
    file.close();

    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const Run r = dzsbprint({input, pdf});
    QVERIFY2(r.exitCode == 3, qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("报表超过 %1 页").arg(TfrPreparer::MaxSheets)), qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("不完整")), qPrintable(r.err));
    // What was prepared is written.
    QVERIFY(QFileInfo(pdf).size() > 0);
}

void TestDzsbprint::printsWhatTheFormShows_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("said");
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<QStringList>("notPrinted");
    const QList<QPair<QString, QString>> good{{"VerifyCode", "1A2B3C4D"}, {"edtYPTYMC", "阿莫西林胶囊"}};
    QTest::newRow("whole") << "YPZCSQ" << "注册_1A2B3C4D.MRT" << document("YPZCSQ", good) << 0 << QStringList()
                           << QStringList{"阿莫西林胶囊", "第3页 共3页", "1A2B3C4D"} << QStringList();
    QTest::newRow("renamed to another code")
        << "YPZCSQ" << "注册_0F0F0F0F.MRT" << document("YPZCSQ", good) << 0
        << QStringList{"注意：文件名中的数据核对码 0F0F0F0F 与文件中保存的数据核对码 1A2B3C4D 不同，打印件上是 1A2B3C4D。"}
        << QStringList{"1A2B3C4D"} << QStringList{"0F0F0F0F"};
    QTest::newRow("named with a code it does not hold")
        << "YPZCSQ" << "注册_0F0F0F0F.MRT" << document("YPZCSQ", {{"edtYPTYMC", "阿莫西林胶囊"}}) << 0
        << QStringList{"注意：文件名中的数据核对码为 0F0F0F0F，文件中没有保存数据核对码，打印件上没有数据核对码。"}
        << QStringList{"阿莫西林胶囊"} << QStringList{"0F0F0F0F"};
    // An entry the drop-down list lacks, and a date the date picker cannot
    // read, are kept as the file holds them and print so, after the loader's
    // messages; a radio key that names no button prints as the form shows
    // it: none chosen, and the tool names it.
    QTest::newRow("values the form refuses")
        << "YPZCSQ" << "注册_1A2B3C4D.MRT"
        << document("YPZCSQ", good + QList<QPair<QString, QString>>{{"ZCFL", "中药、天然药物"}, {"edtZY", "七类别甲"},
                                                                     {"ckbYPBH", "True"}, {"dtpYBJZ", "2026-13-45"},
                                                                     {"SPM", "也许使用"}})
        << 3
        << QStringList{"2026-13-45", "选项:\"七类别甲\"不在下拉列表中，请检查“2.注册分类 中药、天然药物 类”",
                       "请检查“24.同品种药品保护 药品行政保护 保护截止日期”", "文件中的下列内容申请表不能接受，未打印：",
                       "也许使用", "PDF 文件不完整"}
        << QStringList{"阿莫西林胶囊", "2026-13-45", "七类别甲"} << QStringList{"也许使用"};
    QTest::newRow("report object missing")
        << "YPZCSQ" << "注册_1A2B3C4D.MRT"
        << document("YPZCSQ", good, "<item type=\"Edit\" name=\"edtWJJ\" Field=\"edtWJJ\"/>",
                    "<field name=\"edtWJJ\" value=\"\"/>")
        << 3
        << QStringList{"报表控件未找到！ edtWJJ", "PDF 文件不完整"} << QStringList{"阿莫西林胶囊"} << QStringList();
    QString longText;
    for (int i = 0; i < 40; ++i)
        longText += QStringLiteral("本申请所述药包材的其他特别申明事项第%1条。\r\n").arg(i + 1);
    QTest::newRow("value cut off in its box")
        << "YBCZZCSQB" << "药包材再注册申请表_1A2B3C4D.MRT"
        << document("YBCZZCSQB", {{"VerifyCode", "1A2B3C4D"}, {"edtQTSM", memoValue(longText)}}) << 3
        << QStringList{"下列填写内容超出打印位置", "16.其他特别申明事项：", "PDF 文件不完整"}
        << QStringList{"第1条"} << QStringList();
}

void TestDzsbprint::printsWhatTheFormShows()
{
    QFETCH(QString, type);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, data);
    QFETCH(int, exitCode);
    QFETCH(QStringList, said);
    QFETCH(QStringList, printed);
    QFETCH(QStringList, notPrinted);
    QVERIFY(!data.isEmpty());
    QTemporaryDir dir;
    QFile file(dir.filePath(fileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
    file.close();
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const Run r = dzsbprint({file.fileName(), pdf});
    QVERIFY2(r.exitCode == exitCode, qPrintable(QString::number(r.exitCode) + QLatin1Char(' ') + r.err));
    for (const QString &text : said)
        QVERIFY2(r.err.contains(text), qPrintable(text + QStringLiteral(" | ") + r.err));
    if (said.isEmpty())
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    // Blanks and line ends of the text layer aside.
    const QString text = pdfText(pdf).remove(QRegularExpression(QStringLiteral("[\\s\\x{3000}]")));
    QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) is needed");
    for (const QString &t : printed)
        QVERIFY2(text.contains(QString(t).remove(QLatin1Char(' '))), qPrintable(t));
    for (const QString &t : notPrinted)
        QVERIFY2(!text.contains(t), qPrintable(t));
}

void TestDzsbprint::outputOnlyToNewOrRegularFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message"); // part of the error
    QTest::newRow("the input itself") << "same" << "就是输入的数据文件";
    QTest::newRow("a link to the input") << "link" << "就是输入的数据文件";
    QTest::newRow("a hard link to the input") << "hard" << "就是输入的数据文件";
    QTest::newRow("a link to another file") << "other" << "是符号链接";
    QTest::newRow("a named pipe") << "fifo" << "是命名管道，不是普通文件";
    QTest::newRow("a character device") << "device" << "是设备文件，不是普通文件";
    QTest::newRow("an option after --new") << "option" << "以“-”开头";
}

// The output is refused, with a message and exit code 1, unless it is a new
// or regular file other than the input; nothing at all is written then.
void TestDzsbprint::outputOnlyToNewOrRegularFiles()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QFile config(QCoreApplication::applicationDirPath() + QStringLiteral("/YPZCSQ.xml"));
    QVERIFY(config.open(QIODevice::ReadOnly));
    const QByteArray document = config.readAll();
    const QString input = dir.filePath(QStringLiteral("YPZCSQ_0E512345.MRT"));
    QFile in(input);
    QVERIFY(in.open(QIODevice::WriteOnly));
    in.write(document);
    in.close();
    const QString other = dir.filePath(QStringLiteral("other.txt"));
    QFile keep(other);
    QVERIFY(keep.open(QIODevice::WriteOnly));
    keep.write("kept");
    keep.close();

    QString output = dir.filePath(QStringLiteral("out.pdf"));
    QStringList args{input, output};
    if (kind == QLatin1String("same")) {
        args = {input, input};
    } else if (kind == QLatin1String("link")) {
        QVERIFY(QFile::link(input, output));
    } else if (kind == QLatin1String("hard")) {
        QCOMPARE(::link(QFile::encodeName(input).constData(), QFile::encodeName(output).constData()), 0);
    } else if (kind == QLatin1String("other")) {
        QVERIFY(QFile::link(other, output));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(output).constData(), 0600), 0);
    } else if (kind == QLatin1String("device")) {
        // A null device of the test's own (only root may make one).
        if (::mknod(QFile::encodeName(output).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
            QSKIP("a device file can only be made as root");
    } else {
        args = {QStringLiteral("--new"), QStringLiteral("YPZCSQ"), QStringLiteral("--help")};
    }
    auto entries = [&] {
        QStringList list;
        for (const QFileInfo &info : QDir(dir.path()).entryInfoList(QDir::NoDotAndDotDot | QDir::AllEntries
                                                                       | QDir::Hidden | QDir::System, QDir::Name)) {
            struct stat st {};
            ::lstat(QFile::encodeName(info.filePath()).constData(), &st);
            list << QStringLiteral("%1 %2 %3").arg(info.fileName()).arg(st.st_mode).arg(info.symLinkTarget());
        }
        return list;
    };
    const QStringList before = entries();
    const Run r = dzsbprint(args, dir.path());
    QVERIFY2(r.exitCode == 1, qPrintable(QString::number(r.exitCode) + r.err));
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QCOMPARE(entries(), before);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QCOMPARE(in.readAll(), document);
    QVERIFY(keep.open(QIODevice::ReadOnly));
    QCOMPARE(keep.readAll(), QByteArray("kept"));
}

// --check: a blank form has problems (exit code 4), each a line of page,
// item, control and problem; a value of the wrong kind is one of them; an
// unreadable file fails (1); the usage names the option and its exit code.
void TestDzsbprint::checkListsProblems()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("注册_0123ABCD.MRT"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(document(QStringLiteral("YPZCSQ"), {{QStringLiteral("edtYPTYMC"), QStringLiteral("阿莫西林胶囊")},
                                                {QStringLiteral("edtYPYXQ"), QStringLiteral("两年abc")}}));
    f.close();
    const Run r = dzsbprint({QStringLiteral("--check"), file});
    QCOMPARE(r.exitCode, 4);
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(lines.size() > 10);
    QCOMPARE(lines[0], QStringLiteral("第一页\t1.申请分类\trdbXY\t必须选择一项"));
    QVERIFY(!lines.contains(QStringLiteral("第一页\t4.药品名称\tedtYPTYMC\t必须填写")));
    QVERIFY(lines.contains(QStringLiteral("第一页\t14.药品有效期\tedtYPYXQ\t应为1到120之间的整数（月数）")));
    QVERIFY(lines.contains(QStringLiteral("第三页\t药品注册代理机构\trdbDLF\t必须选择一项")));
    for (const QString &line : lines)
        QCOMPARE(line.count(QLatin1Char('\t')), 3);
    QVERIFY2(r.err.contains(QStringLiteral("共 %1 处填写问题").arg(lines.size())), qPrintable(r.err));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).size() == 1); // nothing written

    const Run missing = dzsbprint({QStringLiteral("--check"), dir.filePath(QStringLiteral("无此文件.MRT"))});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(missing.out.isEmpty());
    const Run usage = dzsbprint({QStringLiteral("--check")});
    QCOMPARE(usage.exitCode, 2);
    QVERIFY(usage.err.contains(QStringLiteral("dzsbprint --check <数据文件.MRT>")));
    QVERIFY(usage.err.contains(QStringLiteral("4 --check 发现填写问题")));
}

DZSB_TEST_MAIN(TestDzsbprint)
#include "test_dzsbprint.moc"
