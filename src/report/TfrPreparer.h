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

    // More sheets, objects, text or band prints than these end the preparing
    // with a message in errorString() (a damaged or hostile template must not
    // run away with the machine's memory or time). The real forms, even with a
    // megabyte of attachment text, stay far below every one.
    static constexpr int MaxSheets = 5000;
    static constexpr qint64 MaxObjects = 200000;
    // Text held by the prepared lines: two bytes a character and a line's
    // own overhead (TextOverheadPerLine).
    static constexpr qint64 MaxTextBytes = qint64(64) * 1024 * 1024;
    static constexpr qint64 TextOverheadPerLine = 32;
    // Band prints: every record of a data band and every print of another band.
    static constexpr qint64 MaxBandPrints = 1000000;

private:
    struct Item;
    struct PageRun;

    QList<TfrSheet> runPass(int totalPages);
    // Counts an object with its lines, or a band print, against the caps;
    // false (with the message set and preparing stopped) once one is passed.
    bool takeObject(const TfrPreparedObject &object);
    bool takeBandPrint();
    void stop(const QString &message);
    bool usesTotalPages() const;
    void preparePage(const TfrPage &page, int pageIndex, QList<TfrSheet> &sheets, int totalPages);
    TfrPreparedObject prepareObject(const TfrView &view, qint64 x, qint64 y, qint64 width, qint64 height) const;
    QList<TfrTextLine> memoLines(const TfrMemoView &memo, int width, int height, int sheetNumber, int totalPages) const;
    TfrMeasure measureFor(const TfrMemoView &memo) const;

    const TfrReport &FReport;
    QDateTime FMoment;
    MeasureFactory FMeasureFactory;
    QString FError;
    // Totals of the current pass.
    bool FStopped = false;
    qint64 FObjects = 0;
    qint64 FTextBytes = 0;
    qint64 FBandPrints = 0;
};
