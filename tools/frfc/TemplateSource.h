#pragma once
// TemplateSource: reads the readable source of a print template and builds
// the report's pages and objects from it, ready for the engine's stream
// writer. The source is a paper form described as pages of absolutely
// placed objects and of tables whose rows flow downwards and whose entries
// flow from left to right.
//
// One statement per line, "#" starts a comment; texts in double quotes.
//
//   template <name>                    printer "<name>"
//   page "<name>"                      a page with the common settings
//   order <name> <name> ...            stored order of the page's value objects
//   text X Y W H "text" [style]        static text  (named Memo1, Memo2, ...)
//   value NAME X Y W H ["text"] [style] value object (named after its control)
//   line X Y W H                       line         (named Line1, Line2, ...)
//   border X Y W H                     memo framed on all four sides
//   table X Y W [rowheight=N]          a table; rows flow down from Y
//   section "<heading>" [width=N]      a heading column left of the rows that follow
//   endsection  endtable
//   row [H] [noline] [top]             next row, H units high (default 20);
//                                      a line is drawn under it unless noline;
//                                      top: a row of several lines, whose
//                                      entries stand at its top and whose
//                                      value fields wrap onto the next lines
//   entries of a row, left to right:
//     t "text" [style] [width=N]       static text of its own width, or N wide
//                                      (with flags=0x43 a long text wraps)
//     r NAME "caption" [capname=N]     radio mark "○" and its caption
//     c NAME "caption" [capname=N]     check mark "□" and its caption
//     f NAME W ["text"] [style]        value field W wide (placeholder "-")
//     fill NAME ["text"] [style]       value field to the row's right edge
//     box NAME H ["text"]              multi-line value box below the row's
//                                      texts, over the row's whole width
//     box NAME H at=L [width=W] ["text"]  such a box L units from the row's
//                                      left, W wide (default: to the right
//                                      edge); boxes of one row stand side by side
//     skip W                           blank space
//     col L                            continue L units from the row's left
//
//   repeat v=1..15 [w="a","b",...]     the lines up to the matching "end" once
//   end                                per value, "{v}" replaced by the value
//
// Style attributes: font=.. size=N bold flags=0x.. frame=0x.. align=N
// small (Arial 10, empty text, flags 0x43) heading (黑体 10, 0x43, frame 0x03).
#include <QString>
#include <QStringList>

class TfrReport;

namespace TemplateSource {
// Builds the report from the source; throws std::runtime_error with the line
// number and the fault.
void compile(const QString &source, TfrReport &report);
}
