#pragma once
// SourceRepeat: expands the `repeat ... end` blocks of the program's line-based
// source formats (form catalogues, print template sources), so that a grid of
// fifteen alike rows is written once.
//
//   repeat n=1..15 col="甲","乙" ...   one or more variables, each a list
//     body lines, {n} and {col} replaced  "a,b,c", quoted "x","y" or a range
//   end                                  blocks may nest
//
// Every variable of one repeat has the same number of values; the body is
// written once per value, in order. Lines keep their original numbers so that
// a fault in an expanded line is reported where the user wrote it.
#include <QList>
#include <QString>
#include <QStringList>

struct SourceLine {
    int number;   // 1-based line in the source text
    QString text; // without the line end
};

// A fault in the source: the line where it is and what is wrong (Chinese).
struct SourceLineError {
    int line;
    QString what;
};

namespace SourceRepeat {
// Most lines an expansion may produce; far above any real form, it keeps a
// damaged or hostile source from exhausting memory.
constexpr qsizetype MaxLines = 200000;

// Splits the text into lines and expands every repeat block; throws
// SourceLineError.
QList<SourceLine> expand(const QString &text);
}
