// bench_forms: times the domestic registration form's main operations and
// prints the median of each over a number of runs (not a test):
//   new    - create the form and its New (build widgets, load, apply)
//   save   - Save of a fully filled form
//   open   - create a form and Open the saved data file
//   print  - Print of the fully filled form, from the command to the
//            prepared sheets (save, fill, check code, hook, prepare)
//   fill+prepare - the filling and preparing part of print alone
//   tool   - the dzsbprint program writing the PDF of the saved file
// Usage: bench_forms [runs] [--keep <dir>]  (--keep leaves the data file
// and a PDF of a fully filled form and of one with two long memos there)
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
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <map>

namespace {
double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    InitReportEngine();
    const QStringList args = app.arguments();
    int runs = 15;
    QString keep;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--keep") && i + 1 < args.size())
            keep = args[++i];
        else
            runs = std::max(1, args[i].toInt());
    }
    ScriptedDialogs dlg;
    std::map<std::string, std::vector<double>> times;
    QElapsedTimer t;
    QString lastFile;
    for (int run = 0; run < runs; ++run) {
        t.start();
        QPointer<TEABaseForm> form = new TFrmYPZCSQ;
        form->NewDocument();
        times["new"].push_back(t.nsecsElapsed() / 1e6);

        FormDriver::fillEveryControl(form);
        t.start();
        form->SaveBackup();
        times["save"].push_back(t.nsecsElapsed() / 1e6);
        const QString file = form->DataFileName();

        t.start();
        form->SubmitAndPrint();
        times["print"].push_back(t.nsecsElapsed() / 1e6);
        const QString printed = form->DataFileName();

        t.start();
        form->FillPrintedForm();
        form->report()->PrepareReport();
        times["fill+prepare"].push_back(t.nsecsElapsed() / 1e6);

        t.start();
        QPointer<TEABaseForm> opened = new TFrmYPZCSQ;
        opened->OpenDocument(printed);
        times["open"].push_back(t.nsecsElapsed() / 1e6);

        t.start();
        QProcess tool;
        tool.start(QCoreApplication::applicationDirPath() + QStringLiteral("/dzsbprint"),
                   {printed, QDir::temp().filePath(QStringLiteral("bench_forms.pdf"))});
        tool.waitForFinished(60000);
        times["tool"].push_back(t.nsecsElapsed() / 1e6);
        if (tool.exitCode() != 0)
            std::fprintf(stderr, "dzsbprint: %s\n", tool.readAllStandardError().constData());

        if (run == runs - 1 && !keep.isEmpty()) {
            QDir().mkpath(keep);
            QFile::copy(printed, QDir(keep).filePath(QStringLiteral("filled.MRT")));
            form->report()->ExportPdf(QDir(keep).filePath(QStringLiteral("filled.pdf")));
            QString longText;
            for (int i = 0; i < 12; ++i)
                longText += QStringLiteral("第%1味药材，处方量%2克；按中国药典方法炮制。\r\n").arg(i + 1).arg(10 + i);
            form->findChild<QPlainTextEdit *>(QStringLiteral("edtHXCF"))->setPlainText(longText);
            form->findChild<QPlainTextEdit *>(QStringLiteral("edtGYTJ"))->setPlainText(
                QStringLiteral("口服，一次二片，一日三次，饭后温开水送服；儿童用量酌减，或遵医嘱。孕妇慎用。"));
            form->FillPrintedForm();
            form->report()->PrepareReport();
            form->report()->ExportPdf(QDir(keep).filePath(QStringLiteral("two-long-memos.pdf")));
        }
        for (const QString &f : {file, printed})
            QFile::remove(f);
        delete opened;
        delete form;
        settle();
        lastFile = printed;
    }
    std::printf("%d runs, median milliseconds:\n", runs);
    for (const char *k : {"new", "save", "open", "print", "fill+prepare", "tool"})
        std::printf("  %-13s %8.1f\n", k, median(times[k]));
    return 0;
}
