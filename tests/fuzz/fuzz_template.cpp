// libFuzzer target of the template stream reader. Every input is loaded as a
// bare stream and as ReportForm bytes; a stream that loads must write back to
// bytes that load again and write identically, and it is prepared into sheets
// with a fixed-width measure (no fonts needed), so damaged geometry is
// exercised too.
#include "FuzzSupport.h"
#include "TfrMemoView.h"
#include "TfrPreparer.h"
#include "TfrReport.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool installed = (FuzzSupport::installSilentDialogs(), true);
    (void)installed;

    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    TfrReport report;
    if (report.LoadFromStream(bytes)) {
        const QByteArray written = report.SaveToStream();
        TfrReport again;
        if (!again.LoadFromStream(written) || again.SaveToStream() != written)
            std::abort();
        if (size < 4096) {
            TfrPreparer preparer(report);
            preparer.setMeasureFactory([](const TfrMemoView &) {
                return [](const QString &text) { return 6.0 * double(text.size()); };
            });
            preparer.prepare();
        }
    }
    TfrReport wrapped;
    wrapped.setStoreInDFM(size % 2 == 0);
    wrapped.setReportForm(bytes);
    return 0;
}
