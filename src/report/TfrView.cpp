#include "TfrView.h"

#include "TfrPropertyTable.h"

#include <QRegularExpression>

namespace {

const TfrPropertyTable<TfrView> &viewProperties()
{
    static const TfrPropertyTable<TfrView> table = [] {
        TfrPropertyTable<TfrView> t;
        t.addString("NAME", &TfrView::Name);
        t.addInt("LEFT", &TfrView::x);
        t.addInt("TOP", &TfrView::y);
        t.addInt("WIDTH", &TfrView::dx);
        t.addInt("HEIGHT", &TfrView::dy);
        t.addInt("FLAGS", &TfrView::Flags);
        t.addInt("FRAMETYP", &TfrView::FrameTyp);
        t.add("FRAMEWIDTH", [](TfrView &o, const QVariant &v) {
            bool ok = false;
            const double w = v.toDouble(&ok);
            o.FrameWidth = ok && w == w && w >= 0 && w < 1e6 ? w : 0;
        }, [](const TfrView &o) { return QVariant(o.FrameWidth); });
        t.addInt("FRAMECOLOR", &TfrView::FrameColor);
        t.addInt("FRAMESTYLE", &TfrView::FrameStyle);
        t.addInt("FILLCOLOR", &TfrView::FillColor);
        t.add("VISIBLE", [](TfrView &o, const QVariant &v) { o.Visible = TfrObject::variantFlag(v); },
              [](const TfrView &o) { return QVariant(o.Visible); });
        t.add("MEMO", [](TfrView &o, const QVariant &v) {
            if (v.typeId() == QMetaType::QStringList)
                o.Memo() = v.toStringList();
            else
                o.SetText(v.toString());
        }, [](const TfrView &o) { return QVariant(o.Text()); });
        t.addInt("GAPX", &TfrView::gapx);
        t.addInt("GAPY", &TfrView::gapy);
        t.addFlag("STRETCHED", &TfrView::Flags, flStretched);
        t.addInt("BANDALIGN", &TfrView::BandAlign);
        t.addString("DATAFIELD", &TfrView::DataField);
        t.addString("TAG", &TfrView::Tag);
        return t;
    }();
    return table;
}

} // namespace

TfrView::TfrView() = default;
TfrView::~TfrView() = default;

bool TfrView::SetPropertyByName(const QString &name, const QVariant &value)
{
    return viewProperties().set(*this, name, value);
}

QVariant TfrView::GetPropertyByName(const QString &name) const
{
    return viewProperties().get(*this, name);
}

void TfrView::SetBounds(qint32 left, qint32 top, qint32 width, qint32 height)
{
    x = left;
    y = top;
    dx = width;
    dy = height;
}

QStringList TfrView::splitLines(const QString &text)
{
    // As a text list takes a text: an empty text has no lines, and a break at
    // the very end closes the last line instead of opening an empty one.
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(lineBreak);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void TfrView::SetText(const QString &text)
{
    FMemo = splitLines(text);
}

QString TfrView::Text() const
{
    return FMemo.join(QStringLiteral("\r\n"));
}
