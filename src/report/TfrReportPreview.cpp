// TfrReport::ShowPreview (it needs the preview window, so it lives in the
// preview library) and the engine's start-up.
#include "TfrReportPreview.h"

#include "Dialogs.h"
#include "TfrPage.h"
#include "TfrPreviewForm.h"
#include "TfrRenderer.h"
#include "TfrReport.h"

#include <QPageSize>
#include <QPrinterInfo>

namespace {

// System paper codes of the common paper sizes.
int paperCode(QPageSize::PageSizeId id)
{
    switch (id) {
    case QPageSize::Letter:
        return 1;
    case QPageSize::Legal:
        return 5;
    case QPageSize::Executive:
        return 7;
    case QPageSize::A3:
        return 8;
    case QPageSize::A4:
        return 9;
    case QPageSize::A5:
        return 11;
    case QPageSize::B4:
        return 12;
    case QPageSize::B5:
        return 13;
    default:
        return 256; // a user-defined size
    }
}

} // namespace

void InitReportEngine()
{
    InstallReportFonts();
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull())
        return; // new pages keep A4
    const QPageSize size = printer.defaultPageSize();
    if (!size.isValid())
        return;
    const QSizeF mm = size.size(QPageSize::Millimeter);
    frSetDefaultPaper({paperCode(size.id()), int(mm.width() * 10 + 0.5), int(mm.height() * 10 + 0.5)});
}

void TfrReport::ShowPreview()
{
    PrepareReport();
    if (!FError.isEmpty())
        dialogs().showMessage(QStringLiteral("预览"), FError, MessageKind::Warning);
    TfrPreviewForm form(*this);
    dialogs().runModal(&form);
}
