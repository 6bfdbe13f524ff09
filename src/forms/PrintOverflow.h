#pragma once
// PrintOverflow: keeps every printed value whole. After the report has been
// filled and the print hook has run, a value object whose text would be cut
// off in its box (too many lines, or a line wider than the box) prints
// "(见附页)" instead, and its text goes to the attachment text under the
// heading of its item, after the hook's own sections.
#include <QHash>
#include <QList>
#include <QString>

struct Catalogue;
class TfrMemoView;
class TfrReport;

namespace PrintOverflow {

// The attachment heading of every text-holding data control (edit, memo,
// drop-down list, date) of a catalogue, keyed by the
// control's name in lower case: the item's caption as the form shows it
// ("7.化学名："), prefixed with the numbered item or group it belongs to when
// the caption alone does not say ("28.申请机构1 名称："); a field of a grid
// with column heads by its line and column ("11.… 第5行 受理号：").
QHash<QString, QString> Headings(const Catalogue &catalogue);

// The value objects (named in `headings`) whose texts would be cut off in
// their boxes, page by page in reading order (top to bottom, left to right); the page named `skipPage` is left out.
QList<TfrMemoView *> Overflowing(TfrReport &report, const QHash<QString, QString> &headings, const QString &skipPage);

// Moves the texts that do not fit their objects into `attachment` (starting
// it with "附页：" and an empty line when it is still empty). Objects on the
// page named `skipPage` are left alone.
void MoveToAttachment(TfrReport &report, const QHash<QString, QString> &headings, QString &attachment,
                      const QString &skipPage);

}
