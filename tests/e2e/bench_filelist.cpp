// bench_filelist: times the 申请表一览 list over a folder of realistic data
// files of all six types (not a test). Each type's form is filled with the
// realistic values of data/RealisticValues.txt and saved once; the folder
// then holds copies of these under their own check codes, mixed in turn.
//   scan   - reading the folder: the few fields of every file, streamed
//   window - the whole window: scan, table, sorting
// Wall time and the process's CPU time are both given: on a busy machine the
// wall time says more about the other processes than about the list.
// Usage: bench_filelist [files] [runs] [--keep <dir>]
#include "BenchMain.h"
#include "DataFileList.h"
#include "FormClasses.h"
#include "FormDriver.h"
#include "ScriptedDialogs.h"
#include "TFrmFileList.h"
#include "TestMain.h"
#include "TfrReportPreview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {
double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    BenchApplication app(argc, argv);
    ScriptedDialogs dlg;

    const QStringList args = app.arguments().mid(1);
    const int files = args.value(0).toInt() > 0 ? args.value(0).toInt() : 500;
    const int runs = args.value(1).toInt() > 0 ? args.value(1).toInt() : 5;
    const qsizetype keepAt = args.indexOf(QStringLiteral("--keep"));
    QTemporaryDir temp;
    const QString folder = keepAt >= 0 ? args.value(keepAt + 1) : temp.path();
    QDir().mkpath(folder);

    // One realistic file per type.
    QList<QPair<QString, QByteArray>> bases;
    for (const FormType &t : formTypes()) {
        std::unique_ptr<TEABaseForm> form(CreateForm(t.kind));
        form->NewDocument();
        FormDriver::fillRealistic(form.get());
        form->SaveBackup();
        const QString file = form->DataFileName();
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        bases.append({t.filePrefix, f.readAll()});
        f.close();
        QFile::remove(file);
    }
    // The folder: copies in turn, each under its own check code.
    qint64 bytes = 0;
    for (int i = 0; i < files; ++i) {
        const auto &[prefix, content] = bases[i % bases.size()];
        const QByteArray code = QByteArray::number(0x10000000 + i, 16).toUpper();
        QByteArray copy = content;
        const qsizetype at = copy.indexOf("name=\"VerifyCode\" value=\"");
        if (at >= 0)
            copy.replace(at + 25, 8, code);
        QFile out(QDir(folder).filePath(prefix + QStringLiteral("_") + QString::fromLatin1(code) + QStringLiteral(".MRT")));
        out.open(QIODevice::WriteOnly);
        out.write(copy);
        bytes += copy.size();
    }

    std::vector<double> scan, window, scanCpu, windowCpu;
    int listed = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        double cpu = cpuMs();
        const QList<DataFileEntry> entries = DataFileList::scan(folder);
        scan.push_back(t.nsecsElapsed() / 1e6);
        scanCpu.push_back(cpuMs() - cpu);
        listed = int(std::count_if(entries.begin(), entries.end(), [](const DataFileEntry &e) { return e.readable; }));

        t.start();
        cpu = cpuMs();
        TFrmFileList list(folder);
        window.push_back(t.nsecsElapsed() / 1e6);
        windowCpu.push_back(cpuMs() - cpu);
    }
    std::printf("%d files (%d readable), %.1f MB, %d runs, median milliseconds (wall, CPU):\n", files, listed,
                bytes / (1024.0 * 1024.0), runs);
    std::printf("  %-8s %8.1f %8.1f\n", "scan", median(scan), median(scanCpu));
    std::printf("  %-8s %8.1f %8.1f\n", "window", median(window), median(windowCpu));
    return 0;
}
