#include "CodePage.h"

#include "Platform.h"

#include <QHash>
#include <QStringList>

#include <memory>
#include <vector>

namespace {

const char kEuroByte = char(0x80);
const QByteArray kEuroUtf8 = QByteArrayLiteral("\xE2\x82\xAC");
const QByteArray kReplacementUtf8 = QByteArrayLiteral("\xEF\xBF\xBD");

// The converter from one encoding to another, opened once per thread and
// direction (opening one costs far more than converting a short text); `to`
// and `from` are the literals of this file.
Platform::CodeConverter &converter(const char *to, const char *from)
{
    struct Open {
        const char *to, *from;
        std::unique_ptr<Platform::CodeConverter> cd;
    };
    thread_local std::vector<Open> cache;
    for (Open &o : cache)
        if (o.to == to && o.from == from)
            return *o.cd;
    cache.push_back({to, from, std::make_unique<Platform::CodeConverter>(to, from)});
    return *cache.back().cd;
}

// One conversion over the thread's converter, from its initial state.
class Converter {
public:
    Converter(const char *to, const char *from) : FCd(converter(to, from))
    {
        if (ok())
            FCd.reset();
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;
    bool ok() const { return FCd.isValid(); }

    // Converts from *in on, appending to out, up to the end or the first byte
    // that cannot be converted; true when all of it was. The state is reset
    // at the end, so that every call stands alone.
    bool run(const char *&in, size_t &inLeft, QByteArray &out)
    {
        char buffer[4096];
        bool complete = true;
        while (inLeft > 0) {
            char *outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const auto rc = FCd.convert(&in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, qsizetype(sizeof buffer - outLeft));
            if (rc == Platform::CodeConverter::BadInput || rc == Platform::CodeConverter::CutShort) {
                complete = false;
                break;
            }
        }
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        FCd.finish(&outPtr, &outLeft);
        out.append(buffer, qsizetype(sizeof buffer - outLeft));
        return complete;
    }

private:
    Platform::CodeConverter &FCd;
};

// Decodes code-page bytes from offset from to UTF-8. A byte 0x80 where a
// character starts is the euro sign; another byte that starts no character
// is replaced (lenient) or ends the decoding (strict, its offset in firstBad).
bool decode(const QByteArray &bytes, qsizetype from, QByteArray &utf8, bool strict, qsizetype *firstBad)
{
    utf8.clear();
    utf8.reserve((bytes.size() - from) * 3 / 2 + 8);
    Converter cd("UTF-8", "GB18030");
    if (!cd.ok()) {
        if (firstBad)
            *firstBad = from;
        return false;
    }
    const char *in = bytes.constData() + from;
    size_t inLeft = size_t(bytes.size() - from);
    while (!cd.run(in, inLeft, utf8)) {
        if (*in == kEuroByte) {
            utf8.append(kEuroUtf8);
        } else if (strict) {
            if (firstBad)
                *firstBad = in - bytes.constData();
            return false;
        } else {
            utf8.append(kReplacementUtf8);
        }
        ++in;
        --inLeft;
    }
    return true;
}

// Encodes UTF-8 text as GB18030; a lone surrogate (which the UTF-8 of a
// QString shows as "?") stays "?".
QByteArray encode(const QByteArray &utf8)
{
    Converter cd("GB18030", "UTF-8");
    QByteArray out;
    if (!cd.ok())
        return out;
    out.reserve(utf8.size() + 8);
    const char *in = utf8.constData();
    size_t inLeft = size_t(utf8.size());
    while (!cd.run(in, inLeft, out)) {
        out.append('?');
        ++in;
        --inLeft;
    }
    return out;
}

// Code of every double-byte GBK character that the C library's GBK and
// GB18030 converters read alike (what this code page's reader reads), with
// a flag for the GB2312 part.
struct GbkTable {
    QHash<char32_t, quint16> codes;
    QHash<char32_t, bool> inGb2312;
};

const GbkTable &gbkTable()
{
    static const GbkTable table = [] {
        GbkTable t;
        Converter gbk("UTF-32LE", "GBK"), gb18030("UTF-32LE", "GB18030");
        if (!gbk.ok() || !gb18030.ok())
            return t;
        auto decode = [](Converter &cd, const char code[2]) -> char32_t {
            QByteArray out;
            const char *in = code;
            size_t inLeft = 2;
            if (!cd.run(in, inLeft, out) || out.size() != 4)
                return 0;
            return char32_t(uchar(out[0])) | char32_t(uchar(out[1])) << 8 | char32_t(uchar(out[2])) << 16
                | char32_t(uchar(out[3])) << 24;
        };
        for (int lead = 0x81; lead <= 0xFE; ++lead)
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                const char code[2] = {char(lead), char(trail)};
                const char32_t c = trail == 0x7F ? 0 : decode(gbk, code);
                if (c == 0 || decode(gb18030, code) != c || t.codes.contains(c))
                    continue;
                t.codes.insert(c, quint16(lead << 8 | trail));
                t.inGb2312.insert(c, lead >= 0xA1 && lead <= 0xF7 && trail >= 0xA1);
            }
        return t;
    }();
    return table;
}

} // namespace

namespace CodePage {

QByteArray fromUnicode(const QString &text)
{
    const QChar euro(0x20AC);
    if (!text.contains(euro))
        return encode(text.toUtf8());
    QByteArray out;
    const QStringList parts = text.split(euro);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out.append(kEuroByte);
        out.append(encode(parts[i].toUtf8()));
    }
    return out;
}

QString toUnicode(const QByteArray &bytes)
{
    QByteArray utf8;
    decode(bytes, 0, utf8, false, nullptr);
    return QString::fromUtf8(utf8);
}

qsizetype byteLength(const QString &text)
{
    return fromUnicode(text).size();
}

bool toUtf8(const QByteArray &bytes, qsizetype from, QByteArray &utf8, qsizetype &firstBad)
{
    return decode(bytes, qBound(qsizetype(0), from, bytes.size()), utf8, true, &firstBad);
}

quint16 gbkCode(char32_t c, bool gb2312Only)
{
    if (c > 0 && c < 0x80)
        return quint16(c);
    if (c == 0x20AC)
        return gb2312Only ? 0 : 0x80;
    const GbkTable &table = gbkTable();
    const auto it = table.codes.constFind(c);
    if (it == table.codes.cend() || (gb2312Only && !table.inGb2312.value(c)))
        return 0;
    return *it;
}

} // namespace CodePage
