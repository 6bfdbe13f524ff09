// frfc: the template compiler. Reads a print template source and writes the
// template stream that the engine's own writer makes of it; run by the build
// for every template the program carries.
#include "TemplateSource.h"
#include "TfrReport.h"

#include "TfrRenderer.h"

#include <QGuiApplication>
#include <QFile>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char **argv)
{
    // Label widths are measured with the print faces, as the engine prints them.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    InstallReportFonts();
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "用法：frfc <模板源文件> <模板流文件>\n");
        return 2;
    }
    QFile in(args[1]);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "frfc：无法读取 %s\n", qPrintable(args[1]));
        return 1;
    }
    TfrReport report;
    try {
        TemplateSource::compile(QString::fromUtf8(in.readAll()), report);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s:%s\n", qPrintable(args[1]), e.what());
        return 1;
    }
    QSaveFile out(args[2]);
    if (!out.open(QIODevice::WriteOnly) || out.write(report.SaveToStream()) < 0 || !out.commit()) {
        std::fprintf(stderr, "frfc：无法写入 %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
