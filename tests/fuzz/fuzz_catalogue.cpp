// libFuzzer target of the form catalogue parser: any text either parses or
// raises AppError with its line number, never a crash or a hang.
#include "AppError.h"
#include "CatalogueParser.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const Catalogue catalogue = CatalogueParser::parse(text);
        (void)catalogue;
    } catch (const AppError &) {
    }
    return 0;
}
