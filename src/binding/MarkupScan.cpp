#include "MarkupScan.h"

#include "Platform.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstring>

namespace MarkupScan {

namespace {

bool startsWith(const QByteArray &bytes, qsizetype from, const char *head, qsizetype length)
{
    return bytes.size() - from >= length && std::memcmp(bytes.constData() + from, head, size_t(length)) == 0;
}

// What the parser decodes the document as, when nothing is said: the
// two- and four-byte forms it recognises by their first characters, else
// the declared encoding (a declared UTF-16 or UTF-32 over single bytes is
// not believed), else UTF-8. The number of leading bytes to skip goes to skip.
QByteArray detect(const QByteArray &bytes, qsizetype from, qsizetype &skip)
{
    skip = 0;
    if (startsWith(bytes, from, "\xFF\xFE", 2)) {
        skip = 2;
        return "UTF-16LE";
    }
    if (startsWith(bytes, from, "\xFE\xFF", 2)) {
        skip = 2;
        return "UTF-16BE";
    }
    if (startsWith(bytes, from, "\x3C\x00\x00\x00", 4))
        return "UTF-32LE";
    if (startsWith(bytes, from, "\x00\x00\x00\x3C", 4))
        return "UTF-32BE";
    if (startsWith(bytes, from, "\x3C\x00\x3F\x00", 4))
        return "UTF-16LE";
    if (startsWith(bytes, from, "\x00\x3C\x00\x3F", 4))
        return "UTF-16BE";
    // EBCDIC: "<", "=", quotes and ">" sit at the same places in its variants.
    if (startsWith(bytes, from, "\x4C\x6F\xA7\x94", 4))
        return "IBM037";
    const QByteArray head = bytes.mid(from, 256);
    if (head.startsWith("<?xml")) {
        static const QRegularExpression declaration(
            QStringLiteral("encoding\\s*=\\s*[\"']([A-Za-z0-9._:-]+)[\"']"));
        const qsizetype end = head.indexOf("?>");
        const QRegularExpressionMatch m = declaration.match(QString::fromLatin1(end < 0 ? head : head.left(end)));
        if (m.hasMatch()) {
            const QString label = m.captured(1).toUpper();
            if (!label.startsWith(QLatin1String("UTF-16")) && !label.startsWith(QLatin1String("UTF-32"))
                && !label.startsWith(QLatin1String("UCS")) && label != QLatin1String("UTF16"))
                return m.captured(1).toLatin1();
        }
    }
    return "UTF-8";
}

// The bytes from `from` as UTF-8, as far as they decode; decodedUpTo gets
// the offset of the first byte that did not. Empty with decodedUpTo == from
// when the encoding is unknown.
QByteArray toUtf8(const QByteArray &bytes, qsizetype from, const QByteArray &encoding, qsizetype &decodedUpTo)
{
    decodedUpTo = from;
    Platform::CodeConverter cd("UTF-8", encoding.constData());
    if (!cd.isValid())
        return {};
    QByteArray out;
    out.resize(std::max<qsizetype>(4096, (bytes.size() - from) * 2));
    const char *in = bytes.constData() + from;
    size_t inLeft = size_t(bytes.size() - from);
    qsizetype written = 0;
    while (inLeft > 0) {
        char *outPtr = out.data() + written;
        size_t outLeft = size_t(out.size() - written);
        const auto result = cd.convert(&in, &inLeft, &outPtr, &outLeft);
        written = outPtr - out.data();
        if (result != Platform::CodeConverter::OutputFull)
            break; // done, or an undecodable or incomplete sequence
        out.resize(out.size() * 2);
    }
    decodedUpTo = in - bytes.constData();
    out.truncate(written);
    return out;
}

class Scanner {
public:
    Scanner(const char *begin, const char *end) : FPos(begin), FEnd(end) {}

    // Scans well-formed markup; returns false where it stops being so (or at
    // the end), with FPos there. FLine counts the lines passed.
    bool markup()
    {
        while (FPos < FEnd) {
            const char *lt = find('<');
            if (!lt) {
                advanceTo(FEnd);
                return true;
            }
            advanceTo(lt + 1);
            if (follows("!--")) {
                FPos += 3;
                if (!skipPast("-->"))
                    return true;
            } else if (follows("![CDATA[")) {
                FPos += 8;
                if (!skipPast("]]>"))
                    return true;
            } else if (follows("?")) {
                FPos += 1;
                if (!skipPast("?>"))
                    return true;
            } else if (follows("!")) {
                if (!declaration())
                    return false;
            } else if (follows("/")) {
                if (!skipPast(">"))
                    return true;
            } else if (!startTag()) {
                return FCrowdedLine == 0 ? false : true;
            }
            if (FCrowdedLine)
                return true;
        }
        return true;
    }

    // From FPos to the end, trusting no quotes: the "=" signs between one "<"
    // and the next bound the attributes any tag there can have.
    void anyEquals()
    {
        int count = 0;
        int lineOfTag = FLine;
        for (; FPos < FEnd; ++FPos) {
            const char c = *FPos;
            if (c == '\n') {
                ++FLine;
            } else if (c == '<') {
                count = 0;
                lineOfTag = FLine;
            } else if (c == '=' && ++count > MaxAttributes) {
                FCrowdedLine = lineOfTag;
                return;
            }
        }
    }

    int crowdedLine() const { return FCrowdedLine; }
    int line() const { return FLine; }
    void setLine(int line) { FLine = line; }

private:
    static bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    const char *find(char c) const
    {
        return static_cast<const char *>(std::memchr(FPos, c, size_t(FEnd - FPos)));
    }
    void advanceTo(const char *to)
    {
        FLine += int(std::count(FPos, to, '\n'));
        FPos = to;
    }
    bool follows(const char *text) const
    {
        const size_t n = std::strlen(text);
        return size_t(FEnd - FPos) >= n && std::memcmp(FPos, text, n) == 0;
    }
    // Moves past the next occurrence of text; false when there is none.
    bool skipPast(const char *text)
    {
        const char *at = std::search(FPos, FEnd, text, text + std::strlen(text));
        if (at == FEnd) {
            advanceTo(FEnd);
            return false;
        }
        advanceTo(at + std::strlen(text));
        return true;
    }
    void skipSpace()
    {
        while (FPos < FEnd && isSpace(*FPos)) {
            if (*FPos == '\n')
                ++FLine;
            ++FPos;
        }
    }
    // <!DOCTYPE ...> with its internal subset, or another declaration: up to
    // the ">" outside quotes and brackets; comments inside are skipped.
    bool declaration()
    {
        int depth = 0;
        while (FPos < FEnd) {
            const char c = *FPos;
            if (c == '"' || c == '\'') {
                ++FPos;
                const char *close = find(c);
                if (!close)
                    return false;
                advanceTo(close + 1);
                continue;
            }
            if (c == '<' && follows("<!--")) {
                FPos += 4;
                if (!skipPast("-->"))
                    return false;
                continue;
            }
            if (c == '\n')
                ++FLine;
            ++FPos;
            if (c == '[')
                ++depth;
            else if (c == ']')
                --depth;
            else if (c == '>' && depth <= 0)
                return true;
        }
        return false;
    }
    // A start tag after its "<": the name, then name="value" pairs.
    bool startTag()
    {
        const int tagLine = FLine;
        auto nameEnd = [](char c) {
            return isSpace(c) || c == '=' || c == '>' || c == '/' || c == '<' || c == '"' || c == '\'';
        };
        const char *name = FPos;
        while (FPos < FEnd && !nameEnd(*FPos))
            ++FPos;
        if (FPos == name)
            return false;
        int attributes = 0;
        for (;;) {
            skipSpace();
            if (FPos >= FEnd)
                return false;
            if (*FPos == '>') {
                ++FPos;
                return true;
            }
            if (*FPos == '/') {
                if (!follows("/>"))
                    return false;
                FPos += 2;
                return true;
            }
            const char *attribute = FPos;
            while (FPos < FEnd && !nameEnd(*FPos))
                ++FPos;
            if (FPos == attribute)
                return false;
            skipSpace();
            if (FPos >= FEnd || *FPos != '=')
                return false;
            ++FPos;
            skipSpace();
            if (FPos >= FEnd || (*FPos != '"' && *FPos != '\''))
                return false;
            const char quote = *FPos++;
            const char *close = find(quote);
            if (!close || std::memchr(FPos, '<', size_t(close - FPos)))
                return false; // "<" is not allowed in a value
            advanceTo(close + 1);
            if (++attributes > MaxAttributes) {
                FCrowdedLine = tagLine;
                return false;
            }
        }
    }

    const char *FPos;
    const char *FEnd;
    int FLine = 1;
    int FCrowdedLine = 0;
};

} // namespace

int crowdedTagLine(const QByteArray &bytes, qsizetype from, const QByteArray &encoding)
{
    qsizetype skip = 0;
    const QByteArray name = encoding.isEmpty() ? detect(bytes, from, skip) : encoding;
    qsizetype decodedUpTo = from + skip;
    const QByteArray text = toUtf8(bytes, from + skip, name, decodedUpTo);
    Scanner scanner(text.constData(), text.constData() + text.size());
    if (!scanner.markup() && !scanner.crowdedLine())
        scanner.anyEquals();
    if (scanner.crowdedLine())
        return scanner.crowdedLine();
    if (decodedUpTo >= bytes.size())
        return 0;
    // Past what decodes, the parser may still read on (UTF-8 it then reads
    // byte by byte): the raw bytes, trusting nothing.
    Scanner rest(bytes.constData() + decodedUpTo, bytes.constData() + bytes.size());
    rest.setLine(scanner.line());
    rest.anyEquals();
    return rest.crowdedLine();
}

} // namespace MarkupScan
