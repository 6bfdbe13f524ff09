// libFuzzer target of the prepared report file (.frp) reader. Bytes that
// decode must encode to bytes that decode to the same encoding again; the
// decoded sheets are then drawn as the preview draws them, fitted to a small
// offscreen page, so that hostile geometry, fonts and texts reach the
// renderer.
#include "FuzzSupport.h"
#include "TfrPreparedFile.h"
#include "TfrRenderer.h"

#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    FuzzSupport::ensureApplication((*argv)[0]);
    FuzzSupport::installSilentDialogs();
    InstallReportFonts();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    TfrPreparedFile file;
    QList<TfrSheet> sheets;
    if (!file.decode(bytes, sheets)) {
        if (file.errorString().isEmpty()) {
            std::fprintf(stderr, "decode failed without a reason\n");
            std::abort();
        }
        return 0;
    }
    const QByteArray encoded = TfrPreparedFile::encode(sheets);
    QList<TfrSheet> again;
    TfrPreparedFile second;
    if (!second.decode(encoded, again) || TfrPreparedFile::encode(again) != encoded) {
        std::fprintf(stderr, "written sheets do not read back the same\n");
        std::abort();
    }

    // A small page at a low resolution keeps each run cheap; the drawing
    // code paths are those of the preview.
    QImage image(60, 85, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const double dpi = 8;
    for (const TfrSheet &sheet : sheets) {
        TfrRenderer::drawSheetOnPage(painter, sheet, dpi, QSizeF(image.size()), true);
        (void)sheet.plainText();
    }
    painter.end();
    return 0;
}
