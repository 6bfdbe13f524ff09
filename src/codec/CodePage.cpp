#include "CodePage.h"

#include <QList>

#include <cerrno>
#include <iconv.h>

namespace {

// The conversion descriptor from one encoding to another, opened once per
// thread and direction (opening one costs far more than converting a short
// text); `to` and `from` are the literals of this file.
iconv_t descriptor(const char *to, const char *from)
{
    struct Open {
        const char *to, *from;
        iconv_t cd;
    };
    struct Cache {
        QList<Open> open;
        ~Cache()
        {
            for (const Open &o : open)
                iconv_close(o.cd);
        }
    };
    thread_local Cache cache;
    for (const Open &o : cache.open)
        if (o.to == to && o.from == from)
            return o.cd;
    const iconv_t cd = iconv_open(to, from);
    if (cd != iconv_t(-1))
        cache.open.append({to, from, cd});
    return cd;
}

// Runs one whole conversion through iconv. Input that the source encoding
// cannot decode is replaced (one replacement per bad byte) so that a damaged
// file still shows everything around the fault.
QByteArray convert(const char *to, const char *from, const QByteArray &input,
                   const QByteArray &replacement)
{
    iconv_t cd = descriptor(to, from);
    if (cd == iconv_t(-1))
        return {};
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // the initial state
    QByteArray out;
    out.reserve(input.size() * 2 + 8);
    char *in = const_cast<char *>(input.constData());
    size_t inLeft = size_t(input.size());
    char buffer[4096];
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, qsizetype(sizeof buffer - outLeft));
        if (rc == size_t(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (truncated sequence): replace one byte and go on.
            out.append(replacement);
            ++in;
            --inLeft;
        }
    }
    char *outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
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
