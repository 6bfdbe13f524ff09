#pragma once
// TfrPreparer: turns a report's template pages into printable sheets without
// touching the template. Objects on no band print at their place on every sheet
// of their page; bands print in order from the top margin down (title, master
// header, data bands once per record, master footer, summary; page header and
// footer on every sheet). A breaked, stretched band whose stretched memos do not
// fit continues on further sheets, every part within the page margins. Memo
// texts are expanded ([PAGE#], [TOTALPAGES], [DATE], [TIME]) unless text-only.
#include "TfrMemoLayout.h"
#include "TfrSheet.h"

#include <QDateTime>
#include <QList>
#include <functional>

class TfrReport;
class TfrPage;
class TfrView;
class TfrBandView;
class TfrMemoView;

class TfrPreparer {
public:
    // Gives the measuring function of a memo's font (widths in report units).
    using MeasureFactory = std::function<TfrMeasure(const TfrMemoView &)>;

    explicit TfrPreparer(const TfrReport &report);

    void setMoment(const QDateTime &moment) { FMoment = moment; }
    // Replaces font measuring (tests use exact widths); the default measures
    // with the report fonts.
    void setMeasureFactory(MeasureFactory factory) { FMeasureFactory = std::move(factory); }

    QList<TfrSheet> prepare();
    // True when the memo's text, as it would print, lies whole inside its box
    // (no line cut off at the right or the bottom).
    bool Fits(const TfrMemoView &memo) const;
    QString errorString() const { return FError; }

    // More sheets than this end the preparing (a damaged template must not run
    // away with the machine).
    static constexpr int MaxSheets = 5000;

private:
    struct Item;
    struct PageRun;

    QList<TfrSheet> runPass(int totalPages);
    bool usesTotalPages() const;
    void preparePage(const TfrPage &page, int pageIndex, QList<TfrSheet> &sheets, int totalPages);
    TfrPreparedObject prepareObject(const TfrView &view, qint64 x, qint64 y, qint64 width, qint64 height) const;
    QList<TfrTextLine> memoLines(const TfrMemoView &memo, int width, int height, int sheetNumber, int totalPages) const;
    TfrMeasure measureFor(const TfrMemoView &memo) const;

    const TfrReport &FReport;
    QDateTime FMoment;
    MeasureFactory FMeasureFactory;
    QString FError;
};
