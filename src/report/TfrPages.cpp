#include "TfrPages.h"

#include "TfrPage.h"

TfrPages::TfrPages() = default;

TfrPages::~TfrPages()
{
    Clear();
}

TfrPage &TfrPages::Add()
{
    FPages.append(new TfrPage);
    return *FPages.last();
}

void TfrPages::Delete(int index)
{
    if (index < 0 || index >= FPages.size())
        return;
    delete FPages.takeAt(index);
}

void TfrPages::Clear()
{
    qDeleteAll(FPages);
    FPages.clear();
}
