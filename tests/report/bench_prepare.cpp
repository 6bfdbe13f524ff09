// bench_prepare: time and peak memory of preparing hostile templates (not a
// test). Each case is prepared once; the peak resident memory of the case is
// read from the system after resetting it.
//   loose 37K   - a template of about 37 KB: memos on no band and a data band
//                 of 99,999 records, each record on a sheet of its own
//   loose 377K  - the same with ten times as many memos on no band
//   empty bands - 9,000 empty data bands of 99,999 records each
// Usage: bench_prepare [case name ...]   (all cases when none is named)
#include "ReportTestSupport.h"
#include "TfrBandView.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrPreparer.h"
#include "TfrReport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <cstdio>
#include <functional>

namespace {

// Peak resident memory of this process in MB since the last reset.
double peakMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpression hwm(QStringLiteral("VmHWM:\\s*(\\d+)\\s*kB"));
    const QRegularExpressionMatch m = hwm.match(QString::fromLatin1(status.readAll()));
    return m.hasMatch() ? m.captured(1).toDouble() / 1024 : -1;
}

void resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

// Memos on no band (below the band) and one data band whose records each
// fill a sheet.
void looseTemplate(TfrReport &report, int memos)
{
    TfrPage &page = marginPage(report);
    auto *band = new TfrBandView;
    band->SetBounds(90, 79, 0, 900);
    band->SetBandType(btMasterData);
    band->SetDataSource(QStringLiteral("99999"));
    page.Add(band);
    for (int i = 0; i < memos; ++i) {
        auto *m = new TfrMemoView;
        m->Name = QStringLiteral("M%1").arg(i);
        m->SetBounds(90 + (i % 10) * 60, 990 + (i / 10) % 5, 60, 20);
        m->SetText(QStringLiteral("申请人名称及地址 %1").arg(i));
        page.Add(m);
    }
}

void emptyBandsTemplate(TfrReport &report)
{
    TfrPage &page = marginPage(report);
    for (int i = 0; i < 9000; ++i) {
        auto *band = new TfrBandView;
        band->SetBounds(90, 79, 0, 0);
        band->SetBandType(btMasterData);
        band->SetDataSource(QStringLiteral("99999"));
        page.Add(band);
    }
}

struct Case {
    const char *name;
    std::function<void(TfrReport &)> build;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const Case cases[] = {
        {"loose 37K", [](TfrReport &r) { looseTemplate(r, 255); }},
        {"loose 377K", [](TfrReport &r) { looseTemplate(r, 2600); }},
        {"empty bands", emptyBandsTemplate},
    };
    const QStringList wanted = app.arguments().mid(1);
    for (const Case &c : cases) {
        if (!wanted.isEmpty() && !wanted.contains(QString::fromLatin1(c.name)))
            continue;
        qint64 streamBytes = 0;
        double ms = 0, peak = 0;
        qsizetype sheets = 0, objects = 0;
        QString error;
        {
            TfrReport report;
            c.build(report);
            streamBytes = report.SaveToStream().size();
            resetPeak();
            TfrPreparer preparer(report);
            preparer.setMeasureFactory([](const TfrMemoView &) { return TfrMeasure(fixedWidth); });
            QElapsedTimer t;
            t.start();
            const QList<TfrSheet> result = preparer.prepare();
            ms = t.nsecsElapsed() / 1e6;
            peak = peakMb();
            sheets = result.size();
            for (const TfrSheet &s : result)
                objects += s.objects.size();
            error = preparer.errorString();
        }
        std::printf("%-12s template %6lld bytes: %8.0f ms, peak %7.1f MB, %5lld sheets, %7lld objects; %s\n",
                    c.name, qlonglong(streamBytes), ms, peak, qlonglong(sheets), qlonglong(objects),
                    error.isEmpty() ? "no message" : qPrintable(error));
    }
    return 0;
}
