// bench_forms: times the main operations of every form type and prints the
// median of each over a number of runs, in milliseconds of the process's CPU
// time (steady on a machine shared with other work; without other load it is
// close to the wall time) - not a test:
//   floor  - the same catalogue's widgets built and shown without binding
//            (parse the catalogue, build the pages, show the window
//            maximized): what New cannot do without
//   new    - create the form and its New (build widgets, load the print
//            template, load the configuration document, apply it)
//   ratio  - new / floor
//   save   - Save of a fully filled form: filled as an applicant at the
//            long end would (every check box, the last button of each
//            panel, the project's realistic values), so that it prints whole
//   open   - create a form and Open the saved data file
//   print  - Print of the fully filled form, from the command to the
//            prepared sheets (save, collect, fill, check code, hook, prepare)
//   fill+prepare - the filling and preparing part of print alone
//   tool   - the dzsbprint program writing the PDF of the saved file (wall
//            time, in the locale the forms were filled in)
//   check  - the submission check (检查填写) of the fully filled form: every
//            rule of the catalogue and every relation, over the controls
// Usage: bench_forms [runs] [--keep <dir>] [--type <YPZCSQ|...>] [--new-only]
//   (--keep leaves the data file and a PDF of each fully filled form there;
//   --new-only times floor and new alone, as for a profiler)
#include "BenchMain.h"
#include "CatalogueBuilder.h"
#include "CatalogueParser.h"
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
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>

namespace {


// Measures CPU time from start() to ms().
struct CpuTimer {
    double from = 0;
    void start() { from = cpuMs(); }
    double ms() const { return cpuMs() - from; }
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The floor of New: the catalogue parsed and its widgets built in a child
// window shown maximized, as New shows its form - but no template, no
// document, no binding.
QMdiSubWindow *buildFloor(const FormType &type)
{
    auto *window = new QMdiSubWindow;
    const Catalogue catalogue = CatalogueParser::load(type.catalogue);
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(CatalogueBuilder::build(catalogue, content));
    window->setWidget(content);
    window->resize(800, 560);
    window->showMaximized();
    return window;
}

} // namespace

int main(int argc, char **argv)
{
    BenchApplication app(argc, argv);
    const QStringList args = app.arguments();
    int runs = 9;
    QString keep, only;
    bool newOnly = false;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--keep") && i + 1 < args.size())
            keep = args[++i];
        else if (args[i] == QLatin1String("--type") && i + 1 < args.size())
            only = args[++i];
        else if (args[i] == QLatin1String("--new-only"))
            newOnly = true;
        else
            runs = std::max(1, args[i].toInt());
    }
    ScriptedDialogs dlg;
    CpuTimer t;
    QElapsedTimer wall;
    // The tool reads the dates as the forms wrote them: in the same locale.
    QProcessEnvironment toolEnvironment = QProcessEnvironment::systemEnvironment();
    toolEnvironment.insert(QStringLiteral("LC_ALL"), QStringLiteral("zh_CN.UTF-8"));
    toolEnvironment.insert(QStringLiteral("LANG"), QStringLiteral("zh_CN.UTF-8"));
    std::printf("%d runs, median milliseconds of CPU time (tool: wall time):\n", runs);
    std::printf("%-16s %8s %8s %6s %8s %8s %8s %13s %8s %8s\n", "type", "new", "floor", "ratio", "save", "open",
                "print", "fill+prepare", "tool", "check");
    for (const FormType &type : formTypes()) {
        const QString name = QFileInfo(type.configFileName).completeBaseName();
        if (!only.isEmpty() && name != only)
            continue;
        std::map<std::string, std::vector<double>> times;
        for (int run = 0; run < runs; ++run) {
            // Floor and New in turns first, so that neither gains from the
            // caches the other warmed.
            auto floor = [&] {
                t.start();
                QMdiSubWindow *window = buildFloor(type);
                times["floor"].push_back(t.ms());
                delete window;
                settle();
            };
            if (run % 2 == 0)
                floor();
            t.start();
            QPointer<TEABaseForm> form = CreateForm(type.kind);
            form->NewDocument();
            times["new"].push_back(t.ms());
            if (run % 2 == 1)
                floor();
            if (newOnly) {
                delete form;
                settle();
                continue;
            }

            FormDriver::fillRealistic(form);
            t.start();
            const CheckResult checked = form->CheckFilling();
            times["check"].push_back(t.ms());
            if (run == 0 && checked.required == 0)
                std::fprintf(stderr, "%s: the check found no requirement\n", qPrintable(name));
            t.start();
            form->SaveBackup();
            times["save"].push_back(t.ms());
            const QString file = form->DataFileName();

            t.start();
            form->SubmitAndPrint();
            times["print"].push_back(t.ms());
            const QString printed = form->DataFileName();

            t.start();
            form->FillPrintedForm();
            form->report()->PrepareReport();
            times["fill+prepare"].push_back(t.ms());

            t.start();
            QPointer<TEABaseForm> opened = CreateForm(type.kind);
            opened->OpenDocument(printed);
            times["open"].push_back(t.ms());

            wall.start();
            QProcess tool;
            tool.setProcessEnvironment(toolEnvironment);
            tool.start(QCoreApplication::applicationDirPath() + QStringLiteral("/dzsbprint"),
                       {printed, QDir::temp().filePath(QStringLiteral("bench_forms.pdf"))});
            tool.waitForFinished(60000);
            times["tool"].push_back(wall.nsecsElapsed() / 1e6);
            if (tool.exitCode() != 0 && run == runs - 1)
                std::fprintf(stderr, "dzsbprint %s, exit code %d:\n%s\n", qPrintable(name), tool.exitCode(),
                             tool.readAllStandardError().constData());

            if (run == runs - 1 && !keep.isEmpty()) {
                QDir().mkpath(keep);
                QFile::copy(printed, QDir(keep).filePath(name + QStringLiteral(".MRT")));
                form->report()->ExportPdf(QDir(keep).filePath(name + QStringLiteral(".pdf")));
            }
            for (const QString &f : {file, printed})
                QFile::remove(f);
            delete opened;
            delete form;
            settle();
        }
        const double ratio = median(times["new"]) / std::max(median(times["floor"]), 1e-9);
        std::printf("%-16s %8.1f %8.1f %6.2f %8.1f %8.1f %8.1f %13.1f %8.1f %8.2f\n", qPrintable(name),
                    median(times["new"]), median(times["floor"]), ratio, median(times["save"]), median(times["open"]),
                    median(times["print"]), median(times["fill+prepare"]), median(times["tool"]),
                    median(times["check"]));
        std::fflush(stdout);
    }
    return 0;
}
