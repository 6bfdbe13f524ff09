// bench_print: times preparing the printed form when texts are very long
// (not a test). Prints the median of each case over a number of runs:
//   attachment 1 MB     - a 1 MB memo text in 40-character lines, moved to the
//                         attachment page: fill and prepare of the whole form
//   attachment 1 MB one - the same text without line breaks
//   wide line 60000     - a 60,000-character line in a memo 20,000 units wide
// Usage: bench_print [runs]
#include "BenchMain.h"
#include "CodePage.h"
#include "ControlAdapter.h"
#include "FormClasses.h"
#include "ScriptedDialogs.h"
#include "TestMain.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrPreparer.h"
#include "TfrReport.h"
#include "TfrReportPreview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// About `bytes` bytes of prescription text, in lines of 40 characters or as one line.
QString longText(qsizetype bytes, bool lines)
{
    const QString phrase = QStringLiteral("处方内药物活性成份阿莫西林250g，克拉维酸钾62.5g；");
    QString text;
    qsizetype size = 0;
    while (size < bytes) {
        QString piece = phrase;
        if (lines)
            piece += QStringLiteral("\r\n");
        size += CodePage::byteLength(piece);
        text += piece;
    }
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    BenchApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    ScriptedDialogs dlg;

    std::vector<double> lined, oneLine, wide;
    int sheetsLined = 0, sheetsOne = 0;
    QElapsedTimer t;
    for (int run = 0; run < runs; ++run) {
        for (bool lines : {true, false}) {
            std::unique_ptr<TEABaseForm> form(new TFrmYPZCSQ);
            form->NewDocument();
            Controls::setText(form->findChild<QPlainTextEdit *>(QStringLiteral("edtHXCF")), longText(1000000, lines));
            t.start();
            form->FillPrintedForm();
            const double filled = t.nsecsElapsed() / 1e6;
            form->report()->PrepareReport();
            (lines ? lined : oneLine).push_back(t.nsecsElapsed() / 1e6);
            if (qEnvironmentVariableIsSet("BENCH_DETAIL"))
                std::printf("    fill %.1f ms, prepare %.1f ms\n", filled, t.nsecsElapsed() / 1e6 - filled);
            (lines ? sheetsLined : sheetsOne) = int(form->report()->PreparedSheets().size());
        }

        TfrReport report;
        TfrPage &page = report.Pages().Add();
        page.pgWidth = 60000; // a very wide paper for a very wide memo
        auto *memo = new TfrMemoView;
        memo->SetBounds(10, 10, 20000, 400);
        memo->SetPropertyByName(QStringLiteral("WORDWRAP"), 2);
        QString line;
        while (line.size() < 60000)
            line += QStringLiteral("word ");
        memo->SetText(line.left(60000));
        page.Add(memo);
        t.start();
        report.PrepareReport();
        wide.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("%d runs, median milliseconds:\n", runs);
    std::printf("  attachment 1 MB      %8.1f  (%d sheets)\n", median(lined), sheetsLined);
    std::printf("  attachment 1 MB one  %8.1f  (%d sheets)\n", median(oneLine), sheetsOne);
    std::printf("  wide line 60000      %8.1f\n", median(wide));
    return 0;
}
