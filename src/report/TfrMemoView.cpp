#include "TfrMemoView.h"

#include "TfrPropertyTable.h"

namespace {

const TfrPropertyTable<TfrMemoView> &memoProperties()
{
    static const TfrPropertyTable<TfrMemoView> table = [] {
        TfrPropertyTable<TfrMemoView> t;
        t.addString("FONT.NAME", &TfrMemoView::FontName);
        t.addInt("FONT.SIZE", &TfrMemoView::FontSize);
        t.addInt("FONT.STYLE", &TfrMemoView::FontStyle);
        t.addInt("FONT.COLOR", &TfrMemoView::FontColor);
        t.addInt("ALIGNMENT", &TfrMemoView::Alignment);
        t.addInt("LINESPACING", &TfrMemoView::LineSpacing);
        t.addInt("CHARSPACING", &TfrMemoView::CharacterSpacing);
        const struct {
            const char *name;
            quint16 bit;
        } flags[] = {
            {"WORDWRAP", flWordWrap},  {"WORDBREAK", flWordBreak},       {"AUTOWIDTH", flAutoWidth},
            {"TEXTONLY", flTextOnly},  {"SUPPRESS", flSuppressRepeated}, {"HIDEZEROS", flHideZeros},
            {"UNDERLINES", flUnderlines},
        };
        for (const auto &f : flags)
            t.addFlag(f.name, &TfrMemoView::Flags, f.bit);
        return t;
    }();
    return table;
}

} // namespace

TfrMemoView::TfrMemoView()
{
    Flags = flStretched | flWordWrap | flHideZeros;
}

bool TfrMemoView::SetPropertyByName(const QString &name, const QVariant &value)
{
    return memoProperties().set(*this, name, value) || TfrView::SetPropertyByName(name, value);
}

QVariant TfrMemoView::GetPropertyByName(const QString &name) const
{
    const QVariant v = memoProperties().get(*this, name);
    return v.isValid() ? v : TfrView::GetPropertyByName(name);
}
