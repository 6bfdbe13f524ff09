#pragma once
// Page selections of the print dialog: numbers and ranges separated by commas,
// such as "1,3,5-12".
#include <QList>
#include <QString>

namespace TfrPageRanges {
// The 1-based page numbers the text selects, in the order given and each once;
// numbers beyond pageCount are left out. ok is false for text that is no
// selection (empty, letters, a zero, a range without one of its ends).
QList<int> Parse(const QString &text, int pageCount, bool *ok = nullptr);
}
