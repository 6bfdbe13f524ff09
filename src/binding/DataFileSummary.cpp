#include "DataFileSummary.h"

#include "CodePage.h"
#include "ConfigDocument.h"
#include "FileErrors.h"

#include <libxml/parser.h>
#include <libxml/xmlreader.h>

#include <QFile>
#include <QSet>

#include <cstring>

namespace {

// The reader's input: the bytes already read for the encoding check, then
// the rest of the file. A file in the code page reaches the parser as UTF-8,
// decoded here piece by piece as the parser asks for more.
struct Input {
    QFile *file;
    QByteArray pending;
    bool codePage = false;
    bool failed = false;
    bool undecodable = false;
    QByteArray raw;     // code-page bytes read but not yet decoded
    QByteArray decoded; // UTF-8 not yet handed to the parser
};

// The length of the longest run of whole code-page characters at the start
// of bytes (GB18030: one byte below 0x81, else two, or four when the second
// is a digit); a character cut off at the end waits for more.
qsizetype wholeCharacters(const QByteArray &bytes)
{
    qsizetype i = 0;
    while (i < bytes.size()) {
        const uchar lead = uchar(bytes[i]);
        qsizetype length = 1;
        if (lead >= 0x81 && lead <= 0xFE) {
            if (i + 1 >= bytes.size())
                break;
            const uchar second = uchar(bytes[i + 1]);
            length = second >= 0x30 && second <= 0x39 ? 4 : 2;
        }
        if (i + length > bytes.size())
            break;
        i += length;
    }
    return i;
}

// Up to length bytes of the file as it stands; -1 on a read error.
int readRaw(Input *in, char *buffer, int length)
{
    if (!in->pending.isEmpty()) {
        const int n = qMin(length, int(in->pending.size()));
        std::memcpy(buffer, in->pending.constData(), size_t(n));
        in->pending.remove(0, n);
        return n;
    }
    const qint64 n = in->file->read(buffer, length);
    if (n < 0) {
        in->failed = true;
        return -1;
    }
    return int(n);
}

// Up to length bytes as the parser is to see them; -1 on a read error or
// an undecodable byte.
int readInput(void *context, char *buffer, int length)
{
    auto *in = static_cast<Input *>(context);
    if (length <= 0)
        return 0;
    if (!in->codePage)
        return readRaw(in, buffer, length);
    while (in->decoded.isEmpty()) {
        char chunk[16 * 1024];
        const int n = readRaw(in, chunk, int(sizeof chunk));
        if (n < 0)
            return -1;
        if (n == 0 && in->raw.isEmpty())
            return 0;
        in->raw.append(chunk, n);
        // At the end of the file whatever is left must decode as it stands.
        const qsizetype whole = n == 0 ? in->raw.size() : wholeCharacters(in->raw);
        qsizetype firstBad = 0;
        if (!CodePage::toUtf8(in->raw.left(whole), 0, in->decoded, firstBad)) {
            in->undecodable = true;
            return -1;
        }
        in->raw.remove(0, whole);
    }
    const int n = qMin(length, int(in->decoded.size()));
    std::memcpy(buffer, in->decoded.constData(), size_t(n));
    in->decoded.remove(0, n);
    return n;
}

int closeInput(void *)
{
    return 0;
}

struct Errors {
    bool seen = false;
    int line = 0;
    int column = 0;
    int code = 0;
};

// The first error of the parse: where and what (the parser's own text is English).
void onError(void *context, xmlErrorPtr error)
{
    auto *errors = static_cast<Errors *>(context);
    if (!error || errors->seen || error->level < XML_ERR_ERROR)
        return;
    errors->seen = true;
    errors->line = error->line;
    errors->column = error->int2;
    errors->code = error->code;
}

QString attribute(xmlTextReaderPtr reader, const char *name)
{
    xmlChar *value = xmlTextReaderGetAttribute(reader, reinterpret_cast<const xmlChar *>(name));
    if (!value)
        return {};
    const QString out = QString::fromUtf8(reinterpret_cast<const char *>(value));
    xmlFree(value);
    return out;
}

bool nameIs(xmlTextReaderPtr reader, const char *name)
{
    const xmlChar *n = xmlTextReaderConstName(reader);
    return n && xmlStrEqual(n, reinterpret_cast<const xmlChar *>(name));
}

} // namespace

DataFileSummary DataFileSummary::read(const QString &path, const QStringList &fields, qint64 maxSize)
{
    xmlInitParser();
    DataFileSummary out;
    const QString unreadable = FileErrors::unreadableReason(path);
    if (!unreadable.isEmpty()) {
        out.error = unreadable;
        return out;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out.error = FileErrors::readReason(path, file.error());
        return out;
    }
    if (file.size() > maxSize) {
        out.error = QStringLiteral("文件过大（超过%1 MB），不是本程序的数据文件").arg(maxSize / (1024 * 1024));
        return out;
    }
    Input input;
    input.file = &file;
    input.pending = file.read(1024);
    qsizetype bom = 0;
    const QByteArray decodeAs = ConfigDocument::decodingFor(input.pending, bom, input.codePage);
    input.pending.remove(0, bom);
    if (input.pending.isEmpty()) {
        out.error = QStringLiteral("文件是空的");
        return out;
    }

    int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE;
    if (!decodeAs.isEmpty())
        options |= XML_PARSE_IGNORE_ENC;
    xmlTextReaderPtr reader = xmlReaderForIO(readInput, closeInput, &input, nullptr,
                                             decodeAs.isEmpty() ? nullptr : decodeAs.constData(), options);
    if (!reader) {
        out.error = QStringLiteral("无法读取文件");
        return out;
    }
    Errors errors;
    xmlTextReaderSetStructuredErrorHandler(reader, onError, &errors);

    const QSet<QString> wanted(fields.begin(), fields.end());
    bool seenType = false;
    bool seenFields = false;
    bool inFields = false;
    bool refused = false;
    int result = 0;
    while ((result = xmlTextReaderRead(reader)) == 1) {
        const int type = xmlTextReaderNodeType(reader);
        if (type == XML_READER_TYPE_DOCUMENT_TYPE) {
            // A document type may declare entities; data files have none.
            refused = true;
            break;
        }
        const int depth = xmlTextReaderDepth(reader);
        if (type == XML_READER_TYPE_END_ELEMENT && depth == 1) {
            if (inFields)
                break; // the end of "data-fields": nothing more to look for
            continue;
        }
        if (type != XML_READER_TYPE_ELEMENT || depth < 1)
            continue;
        if (depth == 1) {
            inFields = false;
            if (!seenType && nameIs(reader, "config-type")) {
                seenType = true;
                out.typeTag = attribute(reader, "value");
                if (wanted.isEmpty())
                    break;
            } else if (!seenFields && nameIs(reader, "data-fields")) {
                seenFields = true;
                inFields = !xmlTextReaderIsEmptyElement(reader);
            }
        } else if (depth == 2 && inFields) {
            const QString name = attribute(reader, "name");
            if (wanted.contains(name) && !out.values.contains(name)) {
                out.values.insert(name, attribute(reader, "value"));
                if (seenType && out.values.size() == wanted.size())
                    break;
            }
        }
    }
    xmlFreeTextReader(reader);

    if (refused) {
        out.error = QStringLiteral("文件含有文档类型声明，为安全起见不予读取");
    } else if (input.failed) {
        out.error = FileErrors::readReason(path, file.error());
    } else if (input.undecodable) {
        out.error = QStringLiteral("文件中有不能按其声明的编码解读的字节，文件可能已损坏");
    } else if (result < 0) {
        out.error = QStringLiteral("XML格式错误");
        if (errors.line > 0)
            out.error += QStringLiteral("（第%1行第%2列）").arg(errors.line).arg(qMax(errors.column, 1));
        out.error += QStringLiteral("：") + ConfigDocument::parserErrorText(errors.code) + QStringLiteral("，文件可能已损坏");
    } else if (!seenType) {
        out.error = QStringLiteral("文件没有类型字段，不是本程序的数据文件");
    } else {
        out.ok = true;
    }
    return out;
}
