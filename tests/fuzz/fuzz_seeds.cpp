// fuzz_seeds <dir>: writes the starting corpora of the fuzz targets below
// dir, one folder per target: the compiled print templates (fuzz_template),
// each template prepared with the program's fonts and written as a prepared
// report file (fuzz_prepared), the configuration documents beside the program
// (fuzz_datafile), the form catalogues (fuzz_catalogue) and a few Base64
// texts (fuzz_base64).
#include "Base64.h"
#include "FuzzSupport.h"
#include "Helpers.h"
#include "TfrPreparedFile.h"
#include "TfrRenderer.h"
#include "TfrReport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

bool store(const QString &dir, const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(dir);
    QFile f(QDir(dir).filePath(name));
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <dir>\n");
        return 2;
    }
    FuzzSupport::ensureApplication(argv[0]);
    FuzzSupport::installSilentDialogs();
    InstallReportFonts();
    const QDir out(QString::fromLocal8Bit(argv[1]));
    int written = 0;

    QDirIterator templates(QStringLiteral(":/templates"), QDirIterator::Subdirectories);
    while (templates.hasNext()) {
        const QString path = templates.next();
        const QByteArray stream = readAll(path);
        const QString base = QFileInfo(path).completeBaseName();
        written += store(out.filePath(QStringLiteral("fuzz_template")), base + QStringLiteral(".frf"), stream);
        TfrReport report;
        if (report.LoadFromStream(stream) && report.PrepareReport())
            written += store(out.filePath(QStringLiteral("fuzz_prepared")), base + QStringLiteral(".frp"),
                             TfrPreparedFile::encode(report.PreparedSheets()));
    }
    const QDir bin(ProgramDirectory());
    for (const QString &name : bin.entryList({QStringLiteral("*.xml")}, QDir::Files))
        written += store(out.filePath(QStringLiteral("fuzz_datafile")), name, readAll(bin.filePath(name)));
    QDirIterator catalogues(QStringLiteral(":/catalogues"), QDirIterator::Subdirectories);
    while (catalogues.hasNext()) {
        const QString path = catalogues.next();
        written += store(out.filePath(QStringLiteral("fuzz_catalogue")), QFileInfo(path).fileName(), readAll(path));
    }
    const QList<QByteArray> texts = {"", "TQ==", "TWE=", "TWFu", "5Lit5paH", "YW\r\nJj", "=", "QQ=a"};
    for (int i = 0; i < texts.size(); ++i)
        written += store(out.filePath(QStringLiteral("fuzz_base64")), QString::number(i), texts[i]);
    written += store(out.filePath(QStringLiteral("fuzz_base64")), QStringLiteral("memo"),
                     Base64EncodeString(QStringLiteral("第一行\r\n第二行").toUtf8()));
    std::printf("%d seed files written\n", written);
    return written > 0 ? 0 : 1;
}
