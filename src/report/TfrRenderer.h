#pragma once
// TfrRenderer: draws prepared sheets with QPainter in report units (3.6 per
// millimetre) onto any paint device at any resolution: memos with their fonts,
// colours, fill and frames per side, and lines. It also gives the report fonts
// and their measuring functions to the layout, and writes sheets to PDF files
// and images.
#include "TfrMemoLayout.h"
#include "TfrSheet.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QString>

class QPainter;
class QPagedPaintDevice;

// Loads the program's own print faces from the "fonts" folder beside the
// program and maps the faces the templates name onto them ("宋体" → DZSB
// Serif, "黑体" → DZSB Sans, "Arial" → DZSB Arial), so that every machine
// prints the same sheets. The program calls it once at start.
void InstallReportFonts();

namespace TfrRenderer {

// Report units per inch.
constexpr double UnitsPerInch = 3.6 * 25.4;

// A memo font: the size in points taken at 96 pixels per inch as a pixel size
// in report units.
QFont reportFont(const QString &name, int sizePoints, quint16 style);
// Widths of texts in that font, in report units.
TfrMeasure measureFor(const QFont &font);

// Draws a sheet; the painter's coordinates must be report units with the
// sheet's top-left corner at the origin. With hairlines, rules of one unit
// or less are drawn one device pixel wide whatever the painter's scale (for
// the screen preview, which is reduced after painting).
void drawSheet(QPainter &painter, const TfrSheet &sheet, bool hairlines = false);
// Draws a sheet filling a device of the given resolution (dots per inch) from
// its top-left corner.
void drawSheetAt(QPainter &painter, const TfrSheet &sheet, double dpi, bool hairlines = false);
// Draws a sheet on a page of the given size (device pixels): at its own size
// when it fits, otherwise reduced to the page and centred, never cut off.
void drawSheetOnPage(QPainter &painter, const TfrSheet &sheet, double dpi, const QSizeF &page,
                     bool hairlines = false);

// The page layout of a sheet's paper, without margins.
QPageLayout pageLayoutOf(const TfrSheet &sheet);

// Paints the given sheets (indices) on a paged device, one sheet per page,
// copies times, collated or not; false when the device cannot be painted on.
// Each page takes its sheet's paper, unless keepDeviceLayout (the paper the
// user chose for the printer); a sheet larger than its page is reduced to fit.
bool paintSheets(QPagedPaintDevice &device, const QList<TfrSheet> &sheets, const QList<int> &indices,
                 int copies = 1, bool collate = true, bool keepDeviceLayout = false);

// Writes the given sheets to a PDF file; false with a Chinese reason on failure.
bool writePdf(const QList<TfrSheet> &sheets, const QList<int> &indices, const QString &fileName,
              QString *error = nullptr, int copies = 1, bool collate = true);

// The sheet as an image of that resolution, white background.
QImage renderImage(const TfrSheet &sheet, double dpi);

} // namespace TfrRenderer
