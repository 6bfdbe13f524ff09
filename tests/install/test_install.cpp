// Tests of the program as users get it: `cmake --install` into a temporary
// root lays out the program folder, launcher, menu entry, icons and file type
// and nothing else; the launcher starts the program in its folder; the
// installed dzsbprint prints a data file with the installed print faces; the
// Debian package holds the same files and depends on Debian's packages; and
// Save, Print and Open of a copy whose program folder is read-only use the
// user's documents folder.
#include "FormClasses.h"
#include "FormDriver.h"
#include "Helpers.h"
#include "ScriptedDialogs.h"
#include "TFrmMain.h"
#include "TUIHelper.h"
#include "TestMain.h"

#include <QDirIterator>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <cstdio>

namespace {

const QString kChildOption = QStringLiteral("--save-child");
const QString kMimeType = QStringLiteral("application/x-dzsb-mrt");
const int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run run(const QString &program, const QStringList &args, const QMap<QString, QString> &env = {},
        const QString &workingDirectory = QString(), int timeoutMs = 900000)
{
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (auto it = env.begin(); it != env.end(); ++it)
        e.insert(it.key(), it.value());
    p.setProcessEnvironment(e);
    if (!workingDirectory.isEmpty())
        p.setWorkingDirectory(workingDirectory);
    p.start(program, args);
    Run r;
    if (!p.waitForStarted(30000)) {
        r.err = p.errorString();
        return r;
    }
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("timed out");
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString describe(const Run &r)
{
    return QStringLiteral("exit %1\n%2\n%3").arg(r.exitCode).arg(r.out.right(3000), r.err.right(3000));
}

// Every file and link below root, relative to it, sorted.
QStringList filesBelow(const QString &root)
{
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(root).relativeFilePath(it.next());
    out.sort();
    return out;
}

// What an installation holds below its prefix.
QStringList expectedFiles()
{
    QStringList out = {
        QStringLiteral("bin/dzsb"),
        QStringLiteral("bin/dzsbprint"),
        QStringLiteral("lib/dzsb/dzsb"),
        QStringLiteral("lib/dzsb/dzsbprint"),
        QStringLiteral("share/applications/dzsb.desktop"),
        QStringLiteral("share/mime/packages/dzsb.xml"),
        QStringLiteral("share/icons/hicolor/scalable/apps/dzsb.svg"),
    };
    for (const FormType &t : formTypes())
        out << QStringLiteral("lib/dzsb/") + t.configFileName;
    for (const char *help : {"Help.txt", "Help1.txt", "Help2.txt", "Help3.txt", "Help4.txt"})
        out << QStringLiteral("lib/dzsb/") + QLatin1String(help);
    for (const QString &font : QDir(ProgramDirectory() + QStringLiteral("fonts"))
                                   .entryList({QStringLiteral("*.otf"), QStringLiteral("*.ttf")}, QDir::Files))
        out << QStringLiteral("lib/dzsb/fonts/") + font;
    for (int size : kIconSizes)
        out << QStringLiteral("share/icons/hicolor/%1x%1/apps/dzsb.png").arg(size);
    out.sort();
    return out;
}

// The keys of a desktop entry's main group.
QMap<QString, QString> desktopEntry(const QString &path)
{
    QFile f(path);
    QMap<QString, QString> keys;
    if (!f.open(QIODevice::ReadOnly))
        return keys;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && !line.startsWith(QLatin1Char('#')))
            keys.insert(line.left(eq), line.mid(eq + 1));
    }
    return keys;
}

// A data file of the domestic registration form with a value in every control.
QString writeDataFile(const QString &dir, QString &code)
{
    ScriptedDialogs dlg;
    TEABaseForm *form = CreateForm(FormKind::YPZCSQ);
    form->NewDocument();
    FormDriver::fillEveryControl(form);
    code = form->verifyCodeEdit()->text();
    const QString path = dir + QStringLiteral("/注册_") + code + QStringLiteral(".MRT");
    form->helper()->SaveToFile(path);
    delete form;
    return path;
}

// The test executable run from a copy of the program folder: New, Save,
// Print and the Open dialog of the main window, each message and the open
// dialog's folder written to the standard output, one per line.
int saveChild()
{
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    main.NewCommand(FormKind::YPZCSQ);
    TEABaseForm *form = main.registered(FormKind::YPZCSQ);
    if (!form)
        return 1;
    std::printf("code\t%s\n", qPrintable(form->verifyCodeEdit()->text()));
    main.mdiArea()->setActiveSubWindow(form);
    main.action(QStringLiteral("mnuSaveNoExit"))->trigger();
    main.action(QStringLiteral("mnuReport"))->trigger();
    dlg.dropPrintQuestion(); // the blank form's filling problems
    std::printf("printcode\t%s\n", qPrintable(form->verifyCodeEdit()->text()));
    main.OpenCommand(FormKind::YPZCSQ);
    if (dlg.fileRequests.size() == 1)
        std::printf("opendir\t%s\n", qPrintable(dlg.fileRequests[0].directory));
    for (const RecordedMessage &m : dlg.messages) {
        QString text = m.text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("⏎"));
        std::printf("message\t%d\t%s\n", int(m.kind), qPrintable(text));
    }
    std::fflush(stdout);
    dlg.answer({true});
    form->AskClose();
    return 0;
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT
private slots:
    void installedCopy();
    void debianPackage();
    void readOnlyProgramFolder_data();
    void readOnlyProgramFolder();
};

void TestInstall::installedCopy()
{
    QTemporaryDir root(QStringLiteral(DZSB_TEST_WORK "/root-XXXXXX"));
    QVERIFY(root.isValid());
    const Run install = run(QStringLiteral(DZSB_CMAKE), {QStringLiteral("--install"), QStringLiteral(DZSB_BUILD_DIR),
                                                         QStringLiteral("--prefix"), QStringLiteral("/usr")},
                            {{QStringLiteral("DESTDIR"), root.path()}});
    QVERIFY2(install.exitCode == 0, qPrintable(describe(install)));

    // Everything lands below the prefix, and only the program's files.
    QCOMPARE(QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("usr")});
    const QString usr = root.filePath(QStringLiteral("usr"));
    QCOMPARE(filesBelow(usr), expectedFiles());
    const QString program = usr + QStringLiteral("/lib/dzsb/");
    QVERIFY(QFileInfo(usr + QStringLiteral("/bin/dzsb")).isExecutable());
    QCOMPARE(QFileInfo(usr + QStringLiteral("/bin/dzsbprint")).canonicalFilePath(),
             QFileInfo(program + QStringLiteral("dzsbprint")).canonicalFilePath());
    for (int size : kIconSizes) {
        const QImage icon(usr + QStringLiteral("/share/icons/hicolor/%1x%1/apps/dzsb.png").arg(size));
        QCOMPARE(icon.size(), QSize(size, size));
    }

    // The menu entry is valid, opens the program with a file, and names the
    // icon and the data files' type that are installed.
    const QString desktop = usr + QStringLiteral("/share/applications/dzsb.desktop");
    const Run validate = run(QStringLiteral("desktop-file-validate"), {desktop});
    QVERIFY2(validate.exitCode == 0 && validate.out.isEmpty() && validate.err.isEmpty(), qPrintable(describe(validate)));
    const auto entry = desktopEntry(desktop);
    QCOMPARE(entry.value(QStringLiteral("Name")), QStringLiteral("电子申报"));
    QCOMPARE(entry.value(QStringLiteral("Exec")), QStringLiteral("dzsb %f"));
    QCOMPARE(entry.value(QStringLiteral("Icon")), QStringLiteral("dzsb"));
    QVERIFY(entry.value(QStringLiteral("Categories")).split(QLatin1Char(';')).contains(QStringLiteral("Office")));
    QCOMPARE(entry.value(QStringLiteral("MimeType")), kMimeType + QLatin1Char(';'));

    // The file type claims *.MRT; the MIME database tool accepts it.
    QFile mime(usr + QStringLiteral("/share/mime/packages/dzsb.xml"));
    QVERIFY(mime.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&mime);
    QStringList types, globs;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("mime-type"))
            types << xml.attributes().value(QStringLiteral("type")).toString();
        else if (xml.name() == QLatin1String("glob"))
            globs << xml.attributes().value(QStringLiteral("pattern")).toString();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(types, QStringList{kMimeType});
    QCOMPARE(globs, QStringList{QStringLiteral("*.MRT")});
    const Run database = run(QStringLiteral("update-mime-database"), {usr + QStringLiteral("/share/mime")},
                             {{QStringLiteral("XDG_DATA_DIRS"), usr + QStringLiteral("/share")}});
    QVERIFY2(database.exitCode == 0 && database.err.isEmpty(), qPrintable(describe(database)));
    QFile globs2(usr + QStringLiteral("/share/mime/globs2"));
    QVERIFY(globs2.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(globs2.readAll()).contains(kMimeType + QStringLiteral(":*.mrt"), Qt::CaseInsensitive));

    // The installed dzsbprint, started from elsewhere through its link,
    // prints a data file with the installed configuration and print faces.
    QTemporaryDir work(QStringLiteral(DZSB_TEST_WORK "/print-XXXXXX"));
    QString code;
    const QString data = writeDataFile(work.path(), code);
    const QString pdf = work.filePath(QStringLiteral("out.pdf"));
    const Run print = run(usr + QStringLiteral("/bin/dzsbprint"), {data, pdf}, {}, work.path());
    QVERIFY2(print.exitCode == 0, qPrintable(describe(print)));
    QVERIFY2(print.out.contains(code), qPrintable(print.out));
    const Run fonts = run(QStringLiteral("pdffonts"), {pdf});
    QVERIFY2(fonts.exitCode == 0 && fonts.out.contains(QStringLiteral("DZSBSerif")), qPrintable(describe(fonts)));
    const Run text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY2(text.out.contains(code), qPrintable(text.out.left(2000)));

    // The launcher starts the program in its folder, where it reads its
    // help texts.
    QProcess launcher;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), work.path());
    launcher.setProcessEnvironment(env);
    launcher.setWorkingDirectory(work.path());
    launcher.start(usr + QStringLiteral("/bin/dzsb"), {});
    QVERIFY(launcher.waitForStarted());
    const QString proc = QStringLiteral("/proc/%1/").arg(launcher.processId());
    const QString started = QFileInfo(program + QStringLiteral("dzsb")).canonicalFilePath();
    QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(proc + QStringLiteral("exe")).symLinkTarget(), started, 20000);
    QCOMPARE(QFileInfo(proc + QStringLiteral("cwd")).symLinkTarget(), QFileInfo(program).canonicalFilePath());
    QTest::qWait(500);
    QCOMPARE(launcher.state(), QProcess::Running);
    launcher.kill();
    launcher.waitForFinished();
}

void TestInstall::debianPackage()
{
    QTemporaryDir out(QStringLiteral(DZSB_TEST_WORK "/deb-XXXXXX"));
    QVERIFY(out.isValid());
    // Packed with gzip rather than xz: the same package, made in a tenth of
    // the time.
    const Run cpack = run(QStringLiteral(DZSB_CPACK),
                          {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-D"),
                           QStringLiteral("CPACK_DEBIAN_COMPRESSION_TYPE=gzip"), QStringLiteral("--config"),
                           QStringLiteral(DZSB_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), out.path()});
    QVERIFY2(cpack.exitCode == 0, qPrintable(describe(cpack)));
    const QStringList debs = QDir(out.path()).entryList({QStringLiteral("dzsb_*.deb")}, QDir::Files);
    QCOMPARE(debs.size(), 1);
    const QString deb = out.filePath(debs[0]);

    // The package installs exactly what `cmake --install` does, into /usr.
    const Run contents = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), deb});
    QVERIFY2(contents.exitCode == 0, qPrintable(describe(contents)));
    QStringList files;
    static const QRegularExpression entry(QStringLiteral("^([-l])\\S+\\s+\\S+\\s+\\d+\\s+\\S+\\s+\\S+\\s+\\./usr/(\\S+)"));
    for (const QString &line : contents.out.split(QLatin1Char('\n'))) {
        const auto m = entry.match(line);
        if (m.hasMatch())
            files << m.captured(2);
        else if (!line.isEmpty())
            QVERIFY2(line.startsWith(QLatin1Char('d')) && line.contains(QStringLiteral(" ./usr/")), qPrintable(line));
    }
    files.sort();
    QCOMPARE(files, expectedFiles());

    // Its dependencies are Debian packages: the libraries the programs link
    // and what they load at run time.
    const Run fields = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), deb, QStringLiteral("Package"),
                                                        QStringLiteral("Depends")});
    QVERIFY2(fields.exitCode == 0, qPrintable(describe(fields)));
    QVERIFY2(fields.out.startsWith(QStringLiteral("Package: dzsb\n")), qPrintable(fields.out));
    const QString depends = fields.out.section(QStringLiteral("Depends: "), 1).trimmed();
    QSet<QString> names;
    for (const QString &dependency : depends.split(QLatin1Char(','))) {
        const QString name = dependency.trimmed().section(QLatin1Char(' '), 0, 0);
        names.insert(name);
        const Run known = run(QStringLiteral("dpkg-query"), {QStringLiteral("-W"), name});
        QVERIFY2(known.exitCode == 0, qPrintable(name + QStringLiteral(" is not an installed package: ") + known.err));
    }
    for (const char *needed : {"libc6", "libxml2", "libqt6widgets6", "libqt6printsupport6", "qt6-qpa-plugins",
                               "libqt6svg6", "qt6-translations-l10n", "fonts-noto-cjk"})
        QVERIFY2(names.contains(QLatin1String(needed)), qPrintable(depends));
}

void TestInstall::readOnlyProgramFolder_data()
{
    QTest::addColumn<bool>("documentsUsable");
    QTest::newRow("documents folder") << true;
    // The home "folder" is a file: the documents folder cannot be made.
    QTest::newRow("documents folder cannot be made") << false;
}

// A copy of the program whose folder is read-only - for root too, which
// passes every permission check but keeps no files in a folder whose mode
// forbids its owner to write - saves and prints into the documents folder.
void TestInstall::readOnlyProgramFolder()
{
    QFETCH(bool, documentsUsable);
    QTemporaryDir work(QStringLiteral(DZSB_TEST_WORK "/save-XXXXXX"));
    QVERIFY(work.isValid());
    const QString program = work.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(program));
    const QString self = program + QStringLiteral("/test_install");
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), self));
    for (const FormType &t : formTypes())
        QVERIFY(QFile::copy(ProgramDirectory() + t.configFileName, program + QLatin1Char('/') + t.configFileName));
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                              QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QVERIFY(QFile::setPermissions(program, readOnly));
    auto restore = qScopeGuard([&] { QFile::setPermissions(program, readOnly | QFileDevice::WriteOwner); });

    const QString home = work.filePath(QStringLiteral("home"));
    if (documentsUsable) {
        QVERIFY(QDir().mkpath(home));
    } else {
        QFile file(home);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const Run child = run(self, {kChildOption},
                          {{QStringLiteral("HOME"), home},
                           {QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config")},
                           {QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")}},
                          work.path());
    QVERIFY2(child.exitCode == 0, qPrintable(describe(child)));

    QMap<QString, QString> values;
    QStringList messages;
    for (const QString &line : child.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString key = line.section(QLatin1Char('\t'), 0, 0);
        if (key == QLatin1String("message"))
            messages << line.section(QLatin1Char('\t'), 2);
        else
            values.insert(key, line.section(QLatin1Char('\t'), 1));
    }
    const QString documents = QDir::toNativeSeparators(home + QStringLiteral("/Documents/电子申报/"));
    const QString saved = documents + QStringLiteral("注册_") + values.value(QStringLiteral("code")) + QStringLiteral(".MRT");
    const QString printed =
        documents + QStringLiteral("注册_") + values.value(QStringLiteral("printcode")) + QStringLiteral(".MRT");
    QVERIFY(IsCheckCode(values.value(QStringLiteral("code"))));
    QVERIFY(IsCheckCode(values.value(QStringLiteral("printcode"))));
    // Nothing is written into the program folder.
    QCOMPARE(QDir(program).entryList(QDir::Files | QDir::Hidden).size(), 1 + int(formTypes().size()));

    if (documentsUsable) {
        // The messages name the full path; the open dialog starts there.
        QCOMPARE(messages.size(), 2);
        QVERIFY2(messages[0].startsWith(QStringLiteral("已成功生成备份文件:") + saved + QStringLiteral("⏎")),
                 qPrintable(messages[0]));
        QVERIFY2(messages[1].startsWith(QStringLiteral("已成功生成报盘文件:") + printed + QStringLiteral("⏎")),
                 qPrintable(messages[1]));
        QVERIFY(QFileInfo(saved).isFile());
        QVERIFY(QFileInfo(printed).isFile());
        QCOMPARE(values.value(QStringLiteral("opendir")), documents);
    } else {
        // Both writes fail with a message that names the folder; neither
        // reports success.
        QCOMPARE(messages.size(), 2);
        for (const QString &m : messages) {
            QVERIFY2(!m.contains(QStringLiteral("已成功")), qPrintable(m));
            QVERIFY2(m.contains(QDir::toNativeSeparators(home + QStringLiteral("/Documents"))), qPrintable(m));
        }
    }
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    if (app.arguments().value(1) == kChildOption)
        return saveChild();
    TestInstall tc;
    return QTest::qExec(&tc, argc, argv);
}

#include "test_install.moc"
