#include "TfrPreparer.h"

#include "TfrBandView.h"
#include "TfrExpression.h"
#include "TfrLineView.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrPictureView.h"
#include "TfrRenderer.h"
#include "TfrReport.h"
#include "TfrSubReportView.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

// Order of the bands that print in the body of a sheet.
int bodyRank(int bandType)
{
    switch (bandType) {
    case btReportTitle:
        return 0;
    case btMasterHeader:
        return 1;
    case btMasterFooter:
        return 3;
    case btReportSummary:
        return 4;
    default:
        return 2;
    }
}

bool isDataBand(int bandType)
{
    return bandType == btMasterData || bandType == btDetailData || bandType == btSubDetailData ||
           bandType == btCrossData;
}

// "Hide zeros" hides a text that is a plain decimal number equal to zero
// ("0", "-0.00"). Anything else prints, such as a check code "0E512345" that a
// number parser would read as zero in scientific notation.
bool isZeroText(const QStringList &lines)
{
    static const QRegularExpression plainNumber(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    const QString text = lines.join(QString()).trimmed();
    if (!plainNumber.match(text).hasMatch())
        return false;
    for (const QChar c : text)
        if (c.isDigit() && c != QLatin1Char('0'))
            return false;
    return true;
}

// Positions and sizes stay far inside the Int32 range, so that no later
// computation on them can overflow.
qint32 clampUnits(qint64 v)
{
    constexpr qint64 limit = 100000000;
    return qint32(v < -limit ? -limit : v > limit ? limit : v);
}

} // namespace

// One object of a band as it prints: its place relative to the band, and for
// a stretched memo in a breaked band its lines, printed part by part.
struct TfrPreparer::Item {
    const TfrView *view = nullptr;
    qint64 offset = 0;
    qint64 x = 0, width = 0, height = 0;
    bool split = false;
    QList<TfrTextLine> lines;
    int step = 0, gapy = 0;
    qsizetype next = 0;
    bool started = false;
    bool done = false;
};

TfrPreparer::TfrPreparer(const TfrReport &report) : FReport(report), FMoment(QDateTime::currentDateTime()) {}

TfrMeasure TfrPreparer::measureFor(const TfrMemoView &memo) const
{
    TfrMeasure base = FMeasureFactory
        ? FMeasureFactory(memo)
        : TfrRenderer::measureFor(TfrRenderer::reportFont(memo.FontName, memo.FontSize, memo.FontStyle));
    return TfrMemoLayout::WithCharSpacing(std::move(base), memo.CharacterSpacing);
}

QList<TfrTextLine> TfrPreparer::memoLines(const TfrMemoView &memo, int width, int height, int sheetNumber,
                                          int totalPages) const
{
    QStringList paragraphs = memo.Memo();
    if (!memo.TextOnly()) {
        const TfrExpressionContext context{sheetNumber, totalPages, FMoment};
        for (QString &line : paragraphs)
            line = TfrExpression::Expand(line, context);
    }
    if ((memo.Flags & flHideZeros) && isZeroText(paragraphs))
        paragraphs.clear();
    // Vertical text runs along the height, with the gaps exchanged.
    const bool vertical = memo.Alignment & frtaVertical;
    const int available = vertical ? TfrMemoLayout::AvailableWidth(height, memo.gapy)
                                   : TfrMemoLayout::AvailableWidth(width, memo.gapx);
    return TfrMemoLayout::BuildLines(paragraphs, memo.WordWrap(), memo.Flags & flWordBreak, available,
                                     measureFor(memo));
}

bool TfrPreparer::Fits(const TfrMemoView &memo) const
{
    const QList<TfrTextLine> lines = memoLines(memo, memo.dx, memo.dy, 0, 0);
    const bool vertical = memo.Alignment & frtaVertical;
    const int fontHeight = TfrMemoLayout::FontHeight(memo.FontSize);
    const TfrMemoBox box = vertical
        ? TfrMemoBox{0, 0, memo.dy, memo.dx, memo.gapy, memo.gapx, fontHeight, memo.LineSpacing, memo.Alignment}
        : TfrMemoBox{memo.x, memo.y, memo.dx, memo.dy, memo.gapx, memo.gapy, fontHeight, memo.LineSpacing,
                     memo.Alignment};
    return TfrMemoLayout::FitsBox(lines, box, measureFor(memo));
}

TfrPreparedObject TfrPreparer::prepareObject(const TfrView &view, qint64 x, qint64 y, qint64 width,
                                             qint64 height) const
{
    TfrPreparedObject o;
    o.name = view.Name;
    o.x = clampUnits(x);
    o.y = clampUnits(y);
    o.dx = clampUnits(width);
    o.dy = clampUnits(height);
    o.frameTyp = view.FrameTyp;
    o.frameWidth = view.FrameWidth;
    o.frameColor = view.FrameColor;
    o.frameStyle = view.FrameStyle;
    o.fillColor = view.FillColor;
    o.flags = view.Flags;
    o.gapx = view.gapx;
    o.gapy = view.gapy;
    if (const auto *memo = dynamic_cast<const TfrMemoView *>(&view)) {
        o.kind = TfrPreparedObject::Memo;
        o.fontName = memo->FontName;
        o.fontSize = memo->FontSize;
        o.fontStyle = memo->FontStyle;
        o.fontColor = memo->FontColor;
        o.alignment = memo->Alignment;
        o.lineSpacing = memo->LineSpacing;
        o.charSpacing = memo->CharacterSpacing;
    } else if (dynamic_cast<const TfrLineView *>(&view)) {
        o.kind = TfrPreparedObject::Line;
    } else {
        o.kind = TfrPreparedObject::Box;
    }
    return o;
}

QList<TfrSheet> TfrPreparer::prepare()
{
    FError.clear();
    // [TOTALPAGES] is known only after a pass; run again until the count
    // holds - when a memo asks for it at all.
    QList<TfrSheet> sheets = runPass(0);
    if (!usesTotalPages())
        return sheets;
    for (int pass = 0; pass < 3; ++pass) {
        QList<TfrSheet> again = runPass(int(sheets.size()));
        const bool stable = again.size() == sheets.size();
        sheets = std::move(again);
        if (stable)
            break;
    }
    return sheets;
}

bool TfrPreparer::usesTotalPages() const
{
    const TfrPages &pages = FReport.Pages();
    for (int p = 0; p < pages.Count(); ++p)
        for (const TfrView *v : pages[p].Objects())
            if (const auto *memo = dynamic_cast<const TfrMemoView *>(v); memo && !memo->TextOnly())
                for (const QString &line : memo->Memo())
                    if (line.contains(QLatin1String("TOTALPAGES"), Qt::CaseInsensitive))
                        return true;
    return false;
}

QList<TfrSheet> TfrPreparer::runPass(int totalPages)
{
    FError.clear();
    FStopped = false;
    FObjects = FTextBytes = FBandPrints = 0;
    QList<TfrSheet> sheets;
    const TfrPages &pages = FReport.Pages();
    for (int p = 0; p < pages.Count() && !FStopped; ++p) {
        if (pages[p].PageType != 0)
            continue; // dialog pages print nothing
        preparePage(pages[p], p, sheets, totalPages);
    }
    return sheets;
}

void TfrPreparer::stop(const QString &message)
{
    if (!FStopped)
        FError = message;
    FStopped = true;
}

bool TfrPreparer::takeObject(const TfrPreparedObject &object)
{
    if (FStopped)
        return false;
    qint64 bytes = 0;
    for (const TfrTextLine &line : object.lines)
        bytes += 2 * qint64(line.text.size()) + TextOverheadPerLine;
    if (FObjects + 1 > MaxObjects) {
        stop(QStringLiteral("报表超过 %1 个对象，其余部分未生成").arg(MaxObjects));
        return false;
    }
    if (FTextBytes + bytes > MaxTextBytes) {
        stop(QStringLiteral("报表的文字超过 %1 MB，其余部分未生成").arg(MaxTextBytes / (1024 * 1024)));
        return false;
    }
    ++FObjects;
    FTextBytes += bytes;
    return true;
}

bool TfrPreparer::takeBandPrint()
{
    if (FStopped)
        return false;
    if (FBandPrints + 1 > MaxBandPrints) {
        stop(QStringLiteral("报表的数据带打印超过 %1 次，其余部分未生成").arg(MaxBandPrints));
        return false;
    }
    ++FBandPrints;
    return true;
}

void TfrPreparer::preparePage(const TfrPage &page, int pageIndex, QList<TfrSheet> &sheets, int totalPages)
{
    const qint64 width = page.WidthUnits();
    const qint64 height = page.HeightUnits();
    const qint64 left = page.UseMargins ? page.LeftMargin : 0;
    const qint64 top = page.UseMargins ? page.TopMargin : 0;
    const qint64 right = page.UseMargins ? page.RightMargin : 0;
    const qint64 bottom = page.UseMargins ? page.BottomMargin : 0;
    const qint64 bandWidth = width - left - right;

    // Bands and the objects that lie on them (the first band whose height
    // holds the object's top); the rest lie on no band.
    QList<const TfrBandView *> bands;
    for (const TfrView *v : page.Objects())
        if (const auto *b = dynamic_cast<const TfrBandView *>(v); b && b->Visible)
            bands.append(b);
    QHash<const TfrBandView *, QList<const TfrView *>> onBand;
    QList<const TfrView *> loose;
    for (const TfrView *v : page.Objects()) {
        if (dynamic_cast<const TfrBandView *>(v) || dynamic_cast<const TfrSubReportView *>(v) || !v->Visible)
            continue;
        const TfrBandView *owner = nullptr;
        for (const TfrBandView *b : bands)
            if (v->y >= b->y && qint64(v->y) < qint64(b->y) + b->dy) {
                owner = b;
                break;
            }
        if (owner)
            onBand[owner].append(v);
        else
            loose.append(v);
    }
    const TfrBandView *header = nullptr;
    const TfrBandView *footer = nullptr;
    QList<const TfrBandView *> overlays, body;
    for (const TfrBandView *b : bands) {
        if (b->BandType() == btPageHeader && !header)
            header = b;
        else if (b->BandType() == btPageFooter && !footer)
            footer = b;
        else if (b->BandType() == btOverlay)
            overlays.append(b);
        else
            body.append(b);
    }
    std::stable_sort(body.begin(), body.end(), [](const TfrBandView *a, const TfrBandView *b) {
        const int ra = bodyRank(a->BandType()), rb = bodyRank(b->BandType());
        return ra != rb ? ra < rb : a->y < b->y;
    });

    qint64 cursor = top;
    qint64 sheetTop = top;
    const qint64 footerHeight = footer ? qMax<qint64>(footer->dy, 0) : 0;
    const qint64 limit = height - bottom - footerHeight;

    auto sheetNumber = [&] { return int(sheets.size()); };

    // The objects of a band as they print on the current sheet.
    auto buildItems = [&](const TfrBandView &band) {
        QList<Item> items;
        for (const TfrView *v : onBand.value(&band)) {
            Item item;
            item.view = v;
            item.offset = qint64(v->y) - band.y;
            item.x = v->x;
            item.width = v->dx;
            switch (v->BandAlign) {
            case baLeft:
                item.x = left;
                break;
            case baRight:
                item.x = left + bandWidth - v->dx;
                break;
            case baCenter:
                item.x = left + (bandWidth - v->dx) / 2;
                break;
            case baWidth:
                item.x = left;
                item.width = bandWidth;
                break;
            case baTop:
                item.offset = 0;
                break;
            case baBottom:
                item.offset = qint64(band.dy) - v->dy;
                break;
            default:
                break;
            }
            item.height = v->dy;
            if (const auto *memo = dynamic_cast<const TfrMemoView *>(v)) {
                item.lines = memoLines(*memo, clampUnits(item.width), v->dy, sheetNumber(),
                                       totalPages);
                item.step = TfrMemoLayout::LineStep(TfrMemoLayout::FontHeight(memo->FontSize), memo->LineSpacing);
                item.gapy = memo->gapy;
                if (band.Stretched() && memo->Stretched()) {
                    item.height = TfrMemoLayout::TextHeight(int(qMin<qsizetype>(item.lines.size(), 1000000)),
                                                            item.step, item.gapy);
                    item.split = band.Breaked() && item.step > 0;
                }
            }
            items.append(item);
        }
        return items;
    };
    auto bandHeightOf = [](const TfrBandView &band, const QList<Item> &items) {
        qint64 h = band.dy;
        if (band.Stretched())
            for (const Item &i : items)
                h = qMax(h, i.offset + i.height);
        return h;
    };
    auto place = [&](const Item &item, qint64 y, qint64 h, const QList<TfrTextLine> &lines) {
        TfrPreparedObject o = prepareObject(*item.view, item.x, y, item.width, h);
        o.lines = lines;
        if (takeObject(o))
            sheets.last().objects.append(o);
    };
    auto placeWhole = [&](const QList<Item> &items, qint64 at) {
        for (const Item &i : items)
            place(i, at + i.offset, i.height, i.lines);
    };
    auto placeFixed = [&](const TfrBandView &band, qint64 at) -> qint64 {
        if (!takeBandPrint())
            return 0;
        QList<Item> items = buildItems(band);
        placeWhole(items, at);
        return bandHeightOf(band, items);
    };
    auto newSheet = [&] {
        if (FStopped)
            return;
        if (sheets.size() >= MaxSheets) {
            stop(QStringLiteral("报表超过 %1 页，其余部分未生成").arg(MaxSheets));
            return;
        }
        TfrSheet s;
        s.templatePage = pageIndex;
        s.paperSize = page.pgSize;
        s.paperWidth = page.pgWidth;
        s.paperHeight = page.pgHeight;
        s.orientation = page.pgOr;
        s.width = clampUnits(width);
        s.height = clampUnits(height);
        s.leftMargin = clampUnits(left);
        s.topMargin = clampUnits(top);
        s.rightMargin = clampUnits(right);
        s.bottomMargin = clampUnits(bottom);
        sheets.append(s);
        for (const TfrView *v : loose) {
            if (FStopped)
                return;
            TfrPreparedObject o = prepareObject(*v, v->x, v->y, v->dx, v->dy);
            if (const auto *memo = dynamic_cast<const TfrMemoView *>(v))
                o.lines = memoLines(*memo, v->dx, v->dy, sheetNumber(), totalPages);
            if (takeObject(o))
                sheets.last().objects.append(o);
        }
        for (const TfrBandView *b : overlays)
            placeFixed(*b, b->y);
        cursor = top;
        if (header)
            cursor += placeFixed(*header, cursor);
        if (footer)
            placeFixed(*footer, limit);
        sheetTop = cursor;
    };

    newSheet();
    bool newSheetPending = false;
    for (const TfrBandView *band : body) {
        const int records = isDataBand(band->BandType()) ? band->RecordCount() : 1;
        for (int r = 0; r < records && !FStopped; ++r) {
            if (newSheetPending) {
                newSheet();
                newSheetPending = false;
            }
            if (!takeBandPrint())
                break;
            QList<Item> items = buildItems(*band);
            qint64 bandHeight = bandHeightOf(*band, items);
            if (cursor + bandHeight > limit && !band->Breaked() && cursor > sheetTop) {
                newSheet();
                items = buildItems(*band);
                bandHeight = bandHeightOf(*band, items);
            }
            if (cursor + bandHeight <= limit || !band->Breaked()) {
                placeWhole(items, cursor);
                cursor += bandHeight;
            } else {
                // Split the band over as many sheets as its objects need.
                qint64 consumed = 0;
                while (!FStopped) {
                    const qint64 avail = limit - cursor;
                    const bool fresh = cursor == sheetTop;
                    const bool forceAll = fresh && avail <= 0; // no room on any sheet
                    qint64 partEnd = 0;
                    bool allDone = true;
                    for (Item &item : items) {
                        if (item.done)
                            continue;
                        const qint64 relTop = item.started ? 0 : qMax<qint64>(0, item.offset - consumed);
                        if (!item.split) {
                            if (relTop < avail || forceAll) {
                                place(item, cursor + relTop, item.height, item.lines);
                                partEnd = qMax(partEnd, relTop + item.height);
                                item.done = true;
                            } else {
                                allDone = false;
                            }
                            continue;
                        }
                        const qsizetype remaining = item.lines.size() - item.next;
                        qsizetype count = 0;
                        if (forceAll) {
                            count = remaining;
                        } else if (relTop < avail) {
                            const qint64 room = avail - relTop - 2 * qint64(item.gapy);
                            count = room > 0 ? qsizetype(qMin<qint64>(room / item.step, remaining)) : 0;
                            if (count == 0 && fresh && relTop == 0)
                                count = qMin<qsizetype>(1, remaining); // always make progress
                        }
                        if (count > 0 || (remaining == 0 && (relTop < avail || forceAll))) {
                            const qint64 h = TfrMemoLayout::TextHeight(int(count), item.step, item.gapy);
                            place(item, cursor + relTop, h, item.lines.mid(item.next, count));
                            partEnd = qMax(partEnd, relTop + h);
                            item.next += count;
                            item.started = true;
                        }
                        if (item.started && item.next >= item.lines.size())
                            item.done = true;
                        else
                            allDone = false;
                    }
                    if (allDone) {
                        cursor += partEnd;
                        break;
                    }
                    consumed += qMax<qint64>(avail, 0);
                    newSheet();
                }
            }
            if (band->Flags & flBandNewPageAfter)
                newSheetPending = true;
        }
        if (FStopped)
            break;
    }
}
