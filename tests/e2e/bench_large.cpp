// bench_large: times the domestic registration form on a very large data
// file (not a test). It saves a fully filled form, adds a great number of
// extra field entries (which no item binds) to its "data-fields", and times
//   open          - create a form and Open the large file
//   save          - Save of that form (collect and write the whole file)
//   fill+prepare  - the filling and preparing part of print
//   tool          - the dzsbprint program writing the PDF of the large file,
//                   with its peak memory
// Usage: bench_large [extra fields, default 380000] [runs, default 3]
#include "BenchMain.h"
#include "FormClasses.h"
#include "FormDriver.h"
#include "ScriptedDialogs.h"
#include "TestMain.h"
#include "TfrReport.h"
#include "TfrReportPreview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <map>
#include <sys/resource.h>

namespace {

// CPU milliseconds used so far by this process, or by its finished children.
double cpuMs(int who)
{
    rusage u {};
    getrusage(who, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The saved file with `extra` field entries of about 140 bytes each put in
// front of the end of "data-fields".
QByteArray enlarged(const QByteArray &saved, int extra)
{
    const qsizetype end = saved.lastIndexOf("</data-fields>");
    if (end < 0)
        return {};
    const QByteArray filler(96, 'x');
    QByteArray fields;
    fields.reserve(qsizetype(extra) * 140);
    for (int i = 0; i < extra; ++i)
        fields += "    <field name=\"extra" + QByteArray::number(i) + "\" value=\"" + filler + "\"/>\n";
    return saved.left(end) + fields + saved.mid(end);
}

} // namespace

int main(int argc, char **argv)
{
    BenchApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int extra = args.size() > 1 ? std::max(0, args[1].toInt()) : 380000;
    const int runs = args.size() > 2 ? std::max(1, args[2].toInt()) : 3;
    ScriptedDialogs dlg;

    QPointer<TEABaseForm> source = new TFrmYPZCSQ;
    source->NewDocument();
    FormDriver::fillEveryControl(source);
    source->SaveBackup();
    const QString savedPath = source->DataFileName();
    QFile saved(savedPath);
    if (!saved.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "no saved file\n");
        return 1;
    }
    const QByteArray big = enlarged(saved.readAll(), extra);
    saved.close();
    QFile::remove(savedPath);
    delete source;
    settle();
    const QString bigPath = QDir::temp().filePath(QStringLiteral("bench_large.MRT"));
    QFile out(bigPath);
    if (big.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(big) != big.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(bigPath));
        return 1;
    }
    out.close();
    std::printf("%d extra fields, %.1f MB\n", extra, big.size() / 1048576.0);

    // Wall time and CPU time: on a shared machine the CPU time is the figure
    // that does not depend on what else runs.
    std::map<std::string, std::vector<double>> times, cpu;
    double c0 = 0;
    QElapsedTimer t;
    long toolKb = 0;
    for (int run = 0; run < runs; ++run) {
        t.start();
        c0 = cpuMs(RUSAGE_SELF);
        QPointer<TEABaseForm> form = new TFrmYPZCSQ;
        form->OpenDocument(bigPath);
        times["open"].push_back(t.nsecsElapsed() / 1e6);
        cpu["open"].push_back(cpuMs(RUSAGE_SELF) - c0);
        if (!form || form->isClosed()) {
            std::fprintf(stderr, "the large file did not open\n");
            return 1;
        }

        t.start();
        c0 = cpuMs(RUSAGE_SELF);
        form->SaveBackup();
        times["save"].push_back(t.nsecsElapsed() / 1e6);
        cpu["save"].push_back(cpuMs(RUSAGE_SELF) - c0);
        const QString written = form->DataFileName();
        if (QFileInfo(written).size() < big.size() / 2)
            std::fprintf(stderr, "the saved file lost its fields\n");
        QFile::remove(written);

        t.start();
        c0 = cpuMs(RUSAGE_SELF);
        form->FillPrintedForm();
        form->report()->PrepareReport();
        times["fill+prepare"].push_back(t.nsecsElapsed() / 1e6);
        cpu["fill+prepare"].push_back(cpuMs(RUSAGE_SELF) - c0);
        delete form;
        settle();

        t.start();
        c0 = cpuMs(RUSAGE_CHILDREN);
        QProcess tool;
        tool.start(QCoreApplication::applicationDirPath() + QStringLiteral("/dzsbprint"),
                   {bigPath, QDir::temp().filePath(QStringLiteral("bench_large.pdf"))});
        tool.waitForFinished(600000);
        times["tool"].push_back(t.nsecsElapsed() / 1e6);
        cpu["tool"].push_back(cpuMs(RUSAGE_CHILDREN) - c0);
        if (tool.exitCode() != 0)
            std::fprintf(stderr, "dzsbprint: %s\n", tool.readAllStandardError().constData());
        rusage usage {};
        getrusage(RUSAGE_CHILDREN, &usage);
        toolKb = std::max(toolKb, usage.ru_maxrss);
    }
    QFile::remove(bigPath);
    QFile::remove(QDir::temp().filePath(QStringLiteral("bench_large.pdf")));
    std::printf("%d runs, median milliseconds (wall, CPU):\n", runs);
    for (const char *k : {"open", "save", "fill+prepare", "tool"})
        std::printf("  %-13s %8.1f %8.1f\n", k, median(times[k]), median(cpu[k]));
    std::printf("  dzsbprint peak memory %.0f MB\n", toolKb / 1024.0);
    return 0;
}
