#pragma once
// TfrPages: the report's ordered list of template pages; it owns them.
#include <QList>

class TfrPage;

class TfrPages {
public:
    TfrPages();
    ~TfrPages();
    TfrPages(const TfrPages &) = delete;
    TfrPages &operator=(const TfrPages &) = delete;

    int Count() const { return int(FPages.size()); }
    TfrPage &operator[](int index) const { return *FPages.at(index); }
    TfrPage *Pages(int index) const { return index >= 0 && index < FPages.size() ? FPages.at(index) : nullptr; }
    // Appends a new empty page with the defaults of new pages.
    TfrPage &Add();
    // Removes the page at that index and destroys it with its objects.
    void Delete(int index);
    void Clear();

private:
    QList<TfrPage *> FPages;
};
