#include "TfrBandView.h"

#include "TfrPropertyTable.h"

namespace {

const TfrPropertyTable<TfrBandView> &bandProperties()
{
    static const TfrPropertyTable<TfrBandView> table = [] {
        TfrPropertyTable<TfrBandView> t;
        t.addString("CHILDBAND", &TfrBandView::ChildBand);
        t.addString("MASTER", &TfrBandView::Master);
        t.addString("CONDITION", &TfrBandView::FormatStr);
        // A band's data field is its data source.
        t.addString("DATAFIELD", &TfrBandView::FormatStr);
        t.addInt("COLUMNS", &TfrBandView::Columns);
        t.addInt("COLUMNGAP", &TfrBandView::ColumnGap);
        t.addInt("COLUMNWIDTH", &TfrBandView::ColumnWidth);
        t.addInt("NEWCOLUMNAFTER", &TfrBandView::NewColumnAfter);
        const struct {
            const char *name;
            quint16 bit;
        } flags[] = {
            {"FORMNEWPAGE", flBandNewPageAfter},   {"PRINTIFSUBSETEMPTY", flBandPrintIfSubsetEmpty},
            {"BREAKED", flBandBreaked},            {"ONFIRSTPAGE", flBandOnFirstPage},
            {"ONLASTPAGE", flBandOnLastPage},      {"REPEATHEADER", flBandRepeatHeader},
            {"PRINTCHILDIFINVISIBLE", flBandPrintChildIfInvisible},
        };
        for (const auto &f : flags)
            t.addFlag(f.name, &TfrBandView::Flags, f.bit);
        return t;
    }();
    return table;
}

} // namespace

TfrBandView::TfrBandView()
{
    Flags = flBandOnFirstPage | flBandOnLastPage;
    FrameTyp = btNone;
    gapx = gapy = 0;
}

bool TfrBandView::SetPropertyByName(const QString &name, const QVariant &value)
{
    return bandProperties().set(*this, name, value) || TfrView::SetPropertyByName(name, value);
}

QVariant TfrBandView::GetPropertyByName(const QString &name) const
{
    const QVariant v = bandProperties().get(*this, name);
    return v.isValid() ? v : TfrView::GetPropertyByName(name);
}

int TfrBandView::RecordCount() const
{
    const QString source = FormatStr.trimmed();
    if (source.isEmpty() || source[0] < QLatin1Char('1') || source[0] > QLatin1Char('9'))
        return 1;
    // The leading digits are the count; the count is capped so that a damaged
    // template cannot make the engine prepare without end.
    qint64 count = 0;
    for (const QChar c : source) {
        if (!c.isDigit())
            break;
        count = qMin<qint64>(count * 10 + c.digitValue(), 100000);
    }
    return int(count);
}
