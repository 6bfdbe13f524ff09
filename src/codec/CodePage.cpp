#include "CodePage.h"

#include "Platform.h"

namespace {

// Runs one whole conversion through iconv. Input that the source encoding
// cannot decode is replaced (one replacement per bad byte) so that a damaged
// file still shows everything around the fault.
QByteArray convert(const char *to, const char *from, const QByteArray &input,
                   const QByteArray &replacement)
{
    Platform::CodeConverter cd(to, from);
    if (!cd.isValid())
        return {};
    QByteArray out;
    out.reserve(input.size() * 2 + 8);
    const char *in = input.constData();
    size_t inLeft = size_t(input.size());
    char buffer[4096];
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const auto rc = cd.convert(&in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, qsizetype(sizeof buffer - outLeft));
        if (rc == Platform::CodeConverter::OutputFull)
            continue;
        if (rc != Platform::CodeConverter::Converted) {
            // A bad or truncated sequence: replace one byte and go on.
            out.append(replacement);
            ++in;
            --inLeft;
        }
    }
    char *outPtr = buffer;
    size_t outLeft = sizeof buffer;
    cd.finish(&outPtr, &outLeft);
    out.append(buffer, qsizetype(sizeof buffer - outLeft));
    return out;
}

} // namespace

namespace CodePage {

QByteArray fromUnicode(const QString &text)
{
    // GB18030 encodes every Unicode scalar; a lone surrogate becomes "?".
    return convert("GB18030", "UTF-8", text.toUtf8(), QByteArrayLiteral("?"));
}

QString toUnicode(const QByteArray &bytes)
{
    return QString::fromUtf8(convert("UTF-8", "GB18030", bytes, QByteArrayLiteral("\xEF\xBF\xBD")));
}

qsizetype byteLength(const QString &text)
{
    return fromUnicode(text).size();
}

} // namespace CodePage
