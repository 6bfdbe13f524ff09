#include "TfrTemplateWriter.h"

#include "TfrBandView.h"
#include "TfrByteWriter.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrReport.h"
#include "frTypes.h"

#include <cmath>

namespace {

// Whole widths up to 10 as they are, others in thousandths.
qint32 frameWidthToStream(double w)
{
    if (w <= 10 && w == std::floor(w) && w >= -2147483648.0)
        return qint32(w);
    const double t = std::round(w * 1000);
    return t >= 2147483647.0 ? 2147483647 : qint32(t);
}

} // namespace

QByteArray TfrTemplateWriter::write(const TfrReport &report)
{
    TfrByteWriter out;
    out.u8(frCurrentVersion);
    out.boolean16(report.PrintToDefault);
    out.boolean16(report.DoublePass);
    out.string(report.PrinterName);
    const TfrPages &pages = report.Pages();
    for (int i = 0; i < pages.Count(); ++i) {
        out.u8(frtPage);
        writePage(out, pages[i]);
    }
    // An object names its page in one byte: objects of pages after the 256th
    // cannot be stored.
    for (int i = 0; i < pages.Count() && i < 256; ++i)
        for (const TfrView *view : pages[i].Objects())
            writeObject(out, *view, i);
    out.u8(frtDictionary);
    out.i16(report.DictionaryMarker);
    out.i32(0);
    out.i32(0);
    out.i32(0);
    if (report.EndTag)
        out.u8(frtEnd);
    return out.data();
}

void TfrTemplateWriter::writePage(TfrByteWriter &out, const TfrPage &page)
{
    const bool script = page.HasScript || !page.Script.isEmpty();
    if (script)
        out.i32(-1);
    out.i32(page.pgSize);
    out.i32(page.pgWidth);
    out.i32(page.pgHeight);
    out.i32(page.LeftMargin);
    out.i32(page.TopMargin);
    out.i32(page.RightMargin);
    out.i32(page.BottomMargin);
    out.u8(page.pgOr);
    out.i32(page.pgBin);
    out.boolean16(page.PrintToPrevPage);
    out.boolean16(page.UseMargins);
    out.i32(page.ColCount);
    out.i32(page.ColGap);
    out.u8(page.PageType);
    out.string(page.Name);
    out.u8(page.BorderStyle);
    out.string(page.Caption);
    out.i32(page.Color);
    out.i32(page.DialogLeft);
    out.i32(page.DialogTop);
    out.i32(page.DialogWidth);
    out.i32(page.DialogHeight);
    out.u8(page.Position);
    if (script)
        out.stringList(page.Script);
}

void TfrTemplateWriter::writeObject(TfrByteWriter &out, const TfrView &view, int pageIndex)
{
    out.u8(view.Typ());
    out.u8(quint8(pageIndex));
    const qint64 nextField = out.pos();
    out.i32(0);
    out.string(view.Name);
    out.u8(view.ObjectVersion);
    out.u8(view.ObjectSubVersion);
    out.i32(view.x);
    out.i32(view.y);
    out.i32(view.dx);
    out.i32(view.dy);
    out.u16(view.Flags);
    out.u16(view.FrameTyp);
    out.i32(frameWidthToStream(view.FrameWidth));
    out.i32(view.FrameColor);
    out.u16(view.FrameStyle);
    out.i32(view.FillColor);
    out.i32(view.Format);
    out.string(view.FormatStr);
    out.stringList(view.Memo());
    out.stringList(view.Script);
    out.boolean16(view.Visible);
    out.u16(view.Restrictions);
    out.string(view.Tag);
    out.i32(view.gapx);
    out.i32(view.gapy);
    if (view.ObjectVersion > 1)
        out.u8(view.BandAlign);
    if (const auto *memo = dynamic_cast<const TfrMemoView *>(&view)) {
        out.string(memo->FontName);
        out.i32(memo->FontSize);
        out.u16(memo->FontStyle);
        out.i32(memo->FontColor);
        out.i32(memo->Alignment);
        out.u16(memo->Charset);
        out.bytes(memo->Highlight.leftJustified(10, '\0', true));
        out.string(memo->HighlightStr);
        out.i32(memo->LineSpacing);
        out.i32(memo->CharacterSpacing);
    } else if (const auto *band = dynamic_cast<const TfrBandView *>(&view)) {
        out.string(band->ChildBand);
        out.i32(band->Columns);
        out.i32(band->ColumnWidth);
        out.i32(band->ColumnGap);
        out.i32(band->NewColumnAfter);
        if (band->ObjectVersion * 10 + band->ObjectSubVersion > 20)
            out.string(band->Master);
    }
    out.bytes(view.ClassTail);
    out.patchI32(nextField, qint32(out.pos()));
}
