#include "TfrPage.h"

#include "TfrPropertyTable.h"
#include "TfrView.h"
#include "frTypes.h"

namespace {

TfrPaper &defaultPaper()
{
    static TfrPaper paper;
    return paper;
}

const TfrPropertyTable<TfrPage> &pageProperties()
{
    static const TfrPropertyTable<TfrPage> table = [] {
        TfrPropertyTable<TfrPage> t;
        t.addString("NAME", &TfrPage::Name);
        t.addInt("PAPERSIZE", &TfrPage::pgSize);
        t.addInt("PAPERWIDTH", &TfrPage::pgWidth);
        t.addInt("PAPERHEIGHT", &TfrPage::pgHeight);
        t.addInt("ORIENTATION", &TfrPage::pgOr);
        t.addInt("LEFTMARGIN", &TfrPage::LeftMargin);
        t.addInt("TOPMARGIN", &TfrPage::TopMargin);
        t.addInt("RIGHTMARGIN", &TfrPage::RightMargin);
        t.addInt("BOTTOMMARGIN", &TfrPage::BottomMargin);
        t.add("USEMARGINS", [](TfrPage &p, const QVariant &v) { p.UseMargins = TfrObject::variantFlag(v); },
              [](const TfrPage &p) { return QVariant(p.UseMargins); });
        return t;
    }();
    return table;
}

} // namespace

TfrPaper frDefaultPaper()
{
    return defaultPaper();
}

void frSetDefaultPaper(const TfrPaper &paper)
{
    defaultPaper() = paper;
}

TfrPage::TfrPage()
{
    const TfrPaper paper = frDefaultPaper();
    pgSize = paper.size;
    pgWidth = paper.width;
    pgHeight = paper.height;
}

TfrPage::~TfrPage()
{
    Clear();
}

bool TfrPage::SetPropertyByName(const QString &name, const QVariant &value)
{
    return pageProperties().set(*this, name, value);
}

QVariant TfrPage::GetPropertyByName(const QString &name) const
{
    return pageProperties().get(*this, name);
}

void TfrPage::Add(TfrView *object)
{
    if (object && !FObjects.contains(object))
        FObjects.append(object);
}

void TfrPage::Delete(int index)
{
    if (index < 0 || index >= FObjects.size())
        return;
    delete FObjects.takeAt(index);
}

void TfrPage::Clear()
{
    qDeleteAll(FObjects);
    FObjects.clear();
}

int TfrPage::WidthUnits() const
{
    return frTenthsToUnits(pgOr == 1 ? pgHeight : pgWidth);
}

int TfrPage::HeightUnits() const
{
    return frTenthsToUnits(pgOr == 1 ? pgWidth : pgHeight);
}
