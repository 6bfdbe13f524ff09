// Tests of the dzsbprint tool, run as a program: an input it cannot read is
// named by its real cause, and a report cut short at the sheet cap is written
// but reported with a warning and a non-zero exit code.
#include "Base64.h"
#include "CodePage.h"
#include "TestMain.h"
#include "TfrPreparer.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

namespace {

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run dzsbprint(const QStringList &args)
{
    QProcess tool;
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

DZSB_TEST_MAIN(TestDzsbprint)
#include "test_dzsbprint.moc"
