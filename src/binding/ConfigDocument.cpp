#include "ConfigDocument.h"

#include "AppError.h"
#include "CodePage.h"
#include "MarkupScan.h"
#include "Platform.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/SAX2.h>
#include <libxml/tree.h>
#include <libxml/xmlIO.h>
#include <libxml/xmlsave.h>
#include <libxml/xmlerror.h>

#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include <limits>
#include <mutex>
#include <optional>

namespace {

const QString kName = QStringLiteral("name");
const QString kValue = QStringLiteral("value");

// The "name" attribute of an element (no namespace), read straight from the
// tree for the indexes; false when there is none.
bool rawName(const xmlNode *node, QString &name)
{
    for (const xmlAttr *a = node->properties; a; a = a->next) {
        if (a->ns || !xmlStrEqual(a->name, reinterpret_cast<const xmlChar *>("name")))
            continue;
        const xmlNode *t = a->children;
        if (!t) {
            name.clear();
        } else if (!t->next && t->type == XML_TEXT_NODE) {
            // As ConfigNode reads it: a leading U+FEFF is part of the name.
            name = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(
                reinterpret_cast<const char *>(t->content));
        } else {
            name = ConfigNode(const_cast<xmlNode *>(node)).attributeText(kName);
        }
        return true;
    }
    return false;
}

// libxml2 is never to read anything but the bytes it is handed.
xmlParserInputPtr refuseExternal(const char *, const char *, xmlParserCtxtPtr)
{
    return nullptr;
}

void silentGeneric(void *, const char *, ...) {}

void initLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(refuseExternal);
    });
}

// What libxml2 reports during one parse or serialisation, collected instead
// of being printed: a structured handler is in place for exactly that call,
// and the unstructured channel is silenced meanwhile.
class ErrorCapture {
public:
    struct Entry {
        int domain = 0;
        int code = 0;
        int level = 0;
        int line = 0;
        int column = 0;
        QString message;
    };

    ErrorCapture()
        : FPrevious(xmlStructuredError), FPreviousData(xmlStructuredErrorContext),
          FPreviousGeneric(xmlGenericError), FPreviousGenericData(xmlGenericErrorContext)
    {
        xmlSetStructuredErrorFunc(this, &ErrorCapture::onError);
        xmlSetGenericErrorFunc(nullptr, silentGeneric);
    }
    ~ErrorCapture()
    {
        xmlSetStructuredErrorFunc(FPreviousData, FPrevious);
        xmlSetGenericErrorFunc(FPreviousGenericData, FPreviousGeneric);
    }
    ErrorCapture(const ErrorCapture &) = delete;
    ErrorCapture &operator=(const ErrorCapture &) = delete;

    const QList<Entry> &entries() const { return FEntries; }
    // The first error of the parser itself (with a position), if any.
    const Entry *firstParserError() const
    {
        for (const Entry &e : FEntries)
            if (e.domain == XML_FROM_PARSER && e.level >= XML_ERR_ERROR)
                return &e;
        return nullptr;
    }
    // True when some bytes could not be decoded in the document's encoding.
    bool sawDecodingError() const
    {
        for (const Entry &e : FEntries) {
            if (e.domain == XML_FROM_I18N || (e.domain == XML_FROM_IO && e.code == XML_IO_ENCODER)
                || (e.code == XML_ERR_INVALID_CHAR && e.message.startsWith(QLatin1String("Input is not proper"))))
                return true;
        }
        return false;
    }

private:
    static void onError(void *data, xmlErrorPtr error)
    {
        auto *self = static_cast<ErrorCapture *>(data);
        if (!error || self->FEntries.size() >= 20)
            return;
        Entry e;
        e.domain = error->domain;
        e.code = error->code;
        e.level = error->level;
        e.line = error->line;
        e.column = error->int2;
        e.message = error->message ? QString::fromUtf8(error->message).simplified() : QString();
        self->FEntries.append(e);
    }

    xmlStructuredErrorFunc FPrevious;
    void *FPreviousData;
    xmlGenericErrorFunc FPreviousGeneric;
    void *FPreviousGenericData;
    QList<Entry> FEntries;
};

// A short Chinese account of a parser error code.
QString describeParserError(int code)
{
    switch (code) {
    case XML_ERR_DOCUMENT_EMPTY:
    case XML_ERR_DOCUMENT_START:
        return QStringLiteral("文件中没有XML元素");
    case XML_ERR_DOCUMENT_END:
        return QStringLiteral("根元素结束后还有多余的内容");
    case XML_ERR_INVALID_CHAR:
    case XML_ERR_INVALID_CHARREF:
        return QStringLiteral("含有XML不允许的字符");
    case XML_ERR_UNSUPPORTED_ENCODING:
    case XML_ERR_UNKNOWN_ENCODING:
        return QStringLiteral("文件声明了不支持的编码");
    case XML_ERR_LT_IN_ATTRIBUTE:
    case XML_ERR_ATTRIBUTE_NOT_STARTED:
    case XML_ERR_ATTRIBUTE_NOT_FINISHED:
    case XML_ERR_ATTRIBUTE_WITHOUT_VALUE:
    case XML_ERR_ATTRIBUTE_REDEFINED:
        return QStringLiteral("属性的写法不正确");
    case XML_ERR_GT_REQUIRED:
        return QStringLiteral("标签没有正确结束");
    case XML_ERR_LTSLASH_REQUIRED:
    case XML_ERR_TAG_NAME_MISMATCH:
        return QStringLiteral("开始标签与结束标签不匹配");
    case XML_ERR_TAG_NOT_FINISHED:
        return QStringLiteral("文件在元素结束之前就结束了（文件可能不完整）");
    case XML_ERR_NAME_REQUIRED:
        return QStringLiteral("缺少元素或属性的名称");
    case XML_ERR_UNDECLARED_ENTITY:
    case XML_WAR_UNDECLARED_ENTITY:
        return QStringLiteral("引用了未声明的实体");
    case XML_ERR_RESERVED_XML_NAME:
        return QStringLiteral("XML声明的位置不正确");
    default:
        return QStringLiteral("内容不符合XML格式");
    }
}

const QString kDetail = QStringLiteral("\r\n详细信息：");

QString parseErrorText(const ErrorCapture &capture)
{
    const ErrorCapture::Entry *error = capture.firstParserError();
    if (!error && !capture.entries().isEmpty())
        error = &capture.entries().first();
    if (!error)
        return QStringLiteral("XML文件格式错误：无法解析该文件。");
    QString text = QStringLiteral("XML文件格式错误");
    if (error->line > 0)
        text += QStringLiteral("（第%1行第%2列）").arg(error->line).arg(qMax(error->column, 1));
    text += QStringLiteral("：") + describeParserError(error->code) + QStringLiteral("，无法读取该文件。");
    if (!error->message.isEmpty())
        text += kDetail + error->message;
    return text;
}

// The labels of the Chinese national code page. A document so labelled is
// read by CodePage (GB18030, which contains GB2312 and GBK, with code page
// 936's single byte 0x80 as the euro sign) and written, under its own label,
// in GBK or in its GB2312 part (CodePage::gbkCode); characters without a code
// there become character references. Every label reads back what it wrote.
struct ChineseLabel {
    const char *label;
    bool gb2312;
};
const ChineseLabel kChineseLabels[] = {
    {"GBK", false},    {"CP936", false},    {"MS936", false},  {"WINDOWS-936", false},
    {"X-GBK", false},  {"GB2312", true},    {"CSGB2312", true}, {"EUC-CN", true},
    {"EUCCN", true},   {"GB_2312-80", true}, {"CHINESE", true},
};

const ChineseLabel *chineseLabel(const QByteArray &label)
{
    const QByteArray upper = label.toUpper();
    for (const ChineseLabel &c : kChineseLabels)
        if (upper == c.label)
            return &c;
    return nullptr;
}

// The encoding a document is read in, where the parser's own detection
// would go wrong: a UTF-8 byte order mark wins over the declaration, and the
// Chinese labels are read by CodePage.
struct InputEncoding {
    QByteArray label;      // the declared encoding, as written
    QByteArray decodeAs;   // what the parser decodes the bytes as; empty: the parser decides
    bool codePage = false; // decoded to UTF-8 by CodePage before parsing
    qsizetype bom = 0;     // length of a UTF-8 byte order mark
};

InputEncoding detectEncoding(const QByteArray &bytes)
{
    InputEncoding result;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        result.bom = 3;
        result.decodeAs = "UTF-8";
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        return result; // UTF-16, which the parser detects from the mark itself
    }
    const QByteArray head = bytes.mid(result.bom, 256);
    if (head.startsWith("<?xml")) {
        const qsizetype end = head.indexOf("?>");
        static const QRegularExpression decl(QStringLiteral("encoding\\s*=\\s*[\"']([A-Za-z0-9._:-]+)[\"']"));
        const QRegularExpressionMatch m = decl.match(QString::fromLatin1(end < 0 ? head : head.left(end)));
        if (m.hasMatch())
            result.label = m.captured(1).toLatin1();
    }
    if (result.decodeAs.isEmpty() && chineseLabel(result.label)) {
        result.codePage = true;
        result.decodeAs = "UTF-8";
    }
    return result;
}

// "XML文件格式错误（第n行）：文件中有不能按“编码”编码解读的字节（..）" for the byte
// at offset at.
QString undecodableText(const QByteArray &bytes, qsizetype at, const QByteArray &name)
{
    const int line = int(bytes.left(at).count('\n')) + 1;
    QString hex;
    for (char c : bytes.mid(at, 4))
        hex += QStringLiteral("%1 ").arg(uchar(c), 2, 16, QLatin1Char('0')).toUpper();
    return QStringLiteral("XML文件格式错误（第%1行）：文件中有不能按“%2”编码解读的字节（%3），无法读取该文件。")
        .arg(line)
        .arg(QString::fromLatin1(name), hex.trimmed());
}

// Where the bytes stop being text in encoding: the offset of the first
// undecodable byte; nothing when the whole input decodes.
std::optional<qsizetype> firstUndecodable(const QByteArray &bytes, qsizetype from, const QByteArray &encoding)
{
    Platform::CodeConverter cd("UTF-8", encoding.constData());
    if (!cd.isValid())
        return std::nullopt;
    const char *in = bytes.constData() + from;
    size_t inLeft = size_t(bytes.size() - from);
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    std::optional<qsizetype> result;
    while (inLeft > 0) {
        char *out = buffer.data();
        size_t outLeft = size_t(buffer.size());
        const auto rc = cd.convert(&in, &inLeft, &out, &outLeft);
        if (rc == Platform::CodeConverter::Converted || rc == Platform::CodeConverter::OutputFull)
            continue;
        result = in - bytes.constData();
        break;
    }
    return result;
}

QString decodingErrorText(const QByteArray &bytes, const InputEncoding &encoding, const ErrorCapture &capture)
{
    const QByteArray name = encoding.label.isEmpty() || encoding.bom ? QByteArray("UTF-8")
                                                                      : encoding.label;
    const QByteArray decodeAs = encoding.decodeAs.isEmpty() ? name : encoding.decodeAs;
    const auto where = firstUndecodable(bytes, encoding.bom, decodeAs);
    if (!where)
        return parseErrorText(capture);
    QString text = undecodableText(bytes, *where, name);
    if (const ErrorCapture::Entry *first = capture.entries().isEmpty() ? nullptr : &capture.entries().first())
        text += kDetail + first->message;
    return text;
}

bool hasEntries(void *hashTable)
{
    return hashTable && xmlHashSize(static_cast<xmlHashTablePtr>(hashTable)) > 0;
}

bool declaresEntities(const xmlDtd *dtd)
{
    return dtd && (hasEntries(dtd->entities) || hasEntries(dtd->pentities));
}

// True when an entity reference is left anywhere in the tree, in content or
// inside an attribute value. Iterative, so that no document can exhaust the stack.
bool containsEntityReference(xmlNode *root)
{
    xmlNode *n = root;
    while (n) {
        if (n->type == XML_ENTITY_REF_NODE)
            return true;
        if (n->type == XML_ELEMENT_NODE) {
            for (xmlAttr *a = n->properties; a; a = a->next) {
                for (xmlNode *t = a->children; t; t = t->next) {
                    if (t->type == XML_ENTITY_REF_NODE)
                        return true;
                }
            }
        }
        if (n->children && n->type == XML_ELEMENT_NODE) {
            n = n->children;
            continue;
        }
        while (n && n != root && !n->next)
            n = n->parent;
        if (!n || n == root)
            break;
        n = n->next;
    }
    return false;
}

struct ParserContext {
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    bool declaresEntity = false;
    int tooDeepAtLine = 0; // the line of the first element nested too deep
    ~ParserContext() { if (ctxt) xmlFreeParserCtxt(ctxt); }
};

// The parse running on this thread.
thread_local ParserContext *tParsing = nullptr;

// Any entity declaration stops the parse at once: no entity is ever
// defined, so none can be expanded, however large the document may be.
void refuseEntityDeclaration(void *, const xmlChar *, int, const xmlChar *, const xmlChar *, xmlChar *)
{
    if (!tParsing)
        return;
    tParsing->declaresEntity = true;
    xmlStopParser(tParsing->ctxt);
}

// Every element start passes here: one nested deeper than the document may
// be stops the parse before it is added to the tree.
void startElementWithinDepth(void *ctx, const xmlChar *localname, const xmlChar *prefix, const xmlChar *uri,
                             int namespaceCount, const xmlChar **namespaces, int attributeCount,
                             int defaultedCount, const xmlChar **attributes)
{
    auto *ctxt = static_cast<xmlParserCtxtPtr>(ctx);
    // nodeNr counts the elements open around this one.
    if (tParsing && ctxt->nodeNr >= ConfigDocument::MaxDepth) {
        if (!tParsing->tooDeepAtLine)
            tParsing->tooDeepAtLine = qMax(1, xmlSAX2GetLineNumber(ctx));
        xmlStopParser(ctxt);
        return;
    }
    xmlSAX2StartElementNs(ctx, localname, prefix, uri, namespaceCount, namespaces, attributeCount, defaultedCount,
                          attributes);
}

const QString kEntitiesRefused = QStringLiteral("XML文件格式错误：文件声明或引用了实体，为安全起见不予读取。");


int appendTo(void *context, const char *buffer, int len)
{
    static_cast<QByteArray *>(context)->append(buffer, len);
    return len;
}

int closeNothing(void *)
{
    return 0;
}

// The XML library's output converter for GBK or its GB2312 part: UTF-8 in,
// code-page bytes out. A character without a code stops the conversion (-2)
// before it, and the library writes it as a character reference.
int codePageOutput(unsigned char *out, int *outlen, const unsigned char *in, int *inlen, bool gb2312Only)
{
    const unsigned char *const inStart = in, *const inEnd = in ? in + *inlen : in;
    unsigned char *const outStart = out, *const outEnd = out + *outlen;
    int result = 0;
    while (in < inEnd) {
        // One UTF-8 sequence; one cut off at the end waits for the next call.
        const unsigned char lead = *in;
        const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (inEnd - in < length)
            break;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int i = 1; i < length; ++i)
            c = (c << 6) | (in[i] & 0x3F);
        const quint16 code = CodePage::gbkCode(c, gb2312Only);
        if (code == 0) {
            result = -2;
            break;
        }
        const int size = code > 0xFF ? 2 : 1;
        if (outEnd - out < size)
            break;
        if (size == 2)
            *out++ = (unsigned char)(code >> 8);
        *out++ = (unsigned char)(code & 0xFF);
        in += length;
    }
    *outlen = int(out - outStart);
    *inlen = int(in - inStart);
    return result < 0 ? result : *outlen;
}

int gbkOutput(unsigned char *out, int *outlen, const unsigned char *in, int *inlen)
{
    return codePageOutput(out, outlen, in, inlen, false);
}

int gb2312Output(unsigned char *out, int *outlen, const unsigned char *in, int *inlen)
{
    return codePageOutput(out, outlen, in, inlen, true);
}

// The converters of the code page; static, so the library never frees them.
xmlCharEncodingHandlerPtr codePageWriter(bool gb2312Only)
{
    static xmlCharEncodingHandler gbk = [] {
        xmlCharEncodingHandler h{};
        h.name = const_cast<char *>("GBK");
        h.output = gbkOutput;
        return h;
    }();
    static xmlCharEncodingHandler gb2312 = [] {
        xmlCharEncodingHandler h{};
        h.name = const_cast<char *>("GB2312");
        h.output = gb2312Output;
        return h;
    }();
    return gb2312Only ? &gb2312 : &gbk;
}

// The document serialised by the converter handed over (or, with none, the
// one of the label), its declaration naming label; false when there is no
// such converter or the output fails.
bool dumpAs(xmlDocPtr doc, const char *label, xmlCharEncodingHandlerPtr handler, QByteArray &out)
{
    out.clear();
    if (!handler)
        handler = xmlFindCharEncodingHandler(label);
    if (!handler)
        return false;
    xmlOutputBufferPtr buffer = xmlOutputBufferCreateIO(appendTo, closeNothing, &out, handler);
    if (!buffer) {
        xmlCharEncCloseFunc(handler);
        return false;
    }
    // Closes the buffer together with its converter.
    return xmlSaveFormatFileTo(buffer, doc, label, 0) >= 0 && !out.isEmpty();
}

// What a walk does after visiting a node.
enum class Walk { Over, Into, Stop };

// Visits `first`, its following siblings and (where `visit` answers Into)
// their descendants, depth first in document order, without recursion: a
// stack of the elements whose children are being visited. Stops at Stop.
template <typename Visit>
void walkNodes(xmlNode *first, Visit visit)
{
    QList<xmlNode *> parents;
    xmlNode *n = first;
    while (n || !parents.isEmpty()) {
        if (!n) {
            n = parents.takeLast()->next;
            continue;
        }
        const Walk step = visit(n);
        if (step == Walk::Stop)
            return;
        if (step == Walk::Into && n->children) {
            parents.append(n);
            n = n->children;
            continue;
        }
        n = n->next;
    }
}

// True when every name of the document (elements, attributes, namespace
// prefixes, processing instructions) can be written in the code page. A
// character the code page lacks becomes a character reference in text, but a
// name cannot hold one: written that way the file would not read again.
bool namesFitCodePage(const xmlDoc *doc, bool gb2312Only)
{
    const auto fits = [gb2312Only](const xmlChar *name) {
        if (!name)
            return true;
        const QString text = QString::fromUtf8(reinterpret_cast<const char *>(name));
        for (const char32_t c : text.toUcs4())
            if (c >= 0x80 && CodePage::gbkCode(c, gb2312Only) == 0)
                return false;
        return true;
    };
    bool result = true;
    walkNodes(doc->children, [&](const xmlNode *node) {
        if (node->type != XML_ELEMENT_NODE && node->type != XML_PI_NODE)
            return Walk::Over;
        bool ok = fits(node->name) && (!node->ns || fits(node->ns->prefix));
        if (node->type == XML_ELEMENT_NODE) {
            for (const xmlNs *ns = node->nsDef; ns && ok; ns = ns->next)
                ok = fits(ns->prefix);
            for (const xmlAttr *a = node->properties; a && ok; a = a->next)
                ok = fits(a->name) && (!a->ns || fits(a->ns->prefix));
        }
        result = ok;
        return !ok ? Walk::Stop : node->type == XML_ELEMENT_NODE ? Walk::Into : Walk::Over;
    });
    return result;
}

// The document serialised without a declared encoding: UTF-8, every other
// character as a character reference.
bool dumpPlain(xmlDocPtr doc, QByteArray &out)
{
    xmlChar *buffer = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(doc, &buffer, &size, nullptr, 0);
    out = buffer && size > 0 ? QByteArray(reinterpret_cast<const char *>(buffer), size) : QByteArray();
    xmlFree(buffer);
    return !out.isEmpty();
}

bool sameText(const xmlChar *a, const xmlChar *b)
{
    return xmlStrEqual(a ? a : reinterpret_cast<const xmlChar *>(""), b ? b : reinterpret_cast<const xmlChar *>(""));
}

QByteArray attributeValue(const xmlAttr *a)
{
    QByteArray value;
    for (const xmlNode *t = a->children; t; t = t->next)
        if (t->content)
            value += reinterpret_cast<const char *>(t->content);
    return value;
}

// One node against another: kind, name, namespace prefix, content and
// attributes (not the children).
bool sameNode(const xmlNode *x, const xmlNode *y)
{
    if (x->type != y->type || !sameText(x->name, y->name))
        return false;
    if ((x->ns == nullptr) != (y->ns == nullptr) || (x->ns && !sameText(x->ns->prefix, y->ns->prefix)))
        return false;
    if (x->type != XML_ELEMENT_NODE)
        return x->type == XML_DTD_NODE || sameText(x->content, y->content);
    const xmlAttr *a = x->properties, *b = y->properties;
    for (; a && b; a = a->next, b = b->next) {
        if (!sameText(a->name, b->name) || (a->ns == nullptr) != (b->ns == nullptr)
            || (a->ns && !sameText(a->ns->prefix, b->ns->prefix)) || attributeValue(a) != attributeValue(b))
            return false;
    }
    return a == b;
}

// Two documents alike node for node, walked without recursion.
bool sameDocument(const xmlDoc *first, const xmlDoc *second)
{
    const xmlNode *x = first->children, *y = second->children;
    QList<std::pair<const xmlNode *, const xmlNode *>> parents;
    for (;;) {
        if (!x || !y) {
            if (x || y)
                return false;
            if (parents.isEmpty())
                return true;
            const auto [px, py] = parents.takeLast();
            x = px->next;
            y = py->next;
            continue;
        }
        if (!sameNode(x, y))
            return false;
        if (x->type == XML_ELEMENT_NODE) {
            parents.append(std::make_pair(x, y));
            x = x->children;
            y = y->children;
            continue;
        }
        x = x->next;
        y = y->next;
    }
}

} // namespace

ConfigDocument::ConfigDocument(xmlDocPtr doc) : FDoc(doc)
{
    // Lets an element's handle find the document whose indexes it affects.
    FDoc->_private = this;
}

ConfigDocument::~ConfigDocument()
{
    xmlFreeDoc(FDoc);
}

ConfigDocument *ConfigDocument::owner(const ConfigNode &node)
{
    xmlNode *n = node.handle();
    return n && n->doc ? static_cast<ConfigDocument *>(n->doc->_private) : nullptr;
}

void ConfigDocument::structureChanged()
{
    FNamedIndex.clear();
}

std::unique_ptr<ConfigDocument> ConfigDocument::parse(const QByteArray &bytes)
{
    initLibrary();
    if (bytes.size() > std::numeric_limits<int>::max())
        throw AppError(QStringLiteral("XML文件格式错误：文件过大，无法解析。"));
    ErrorCapture capture;
    ParserContext parser;
    if (!parser.ctxt)
        throw AppError(QStringLiteral("XML文件格式错误：无法创建解析器。"));
    parser.ctxt->sax->entityDecl = refuseEntityDeclaration;
    parser.ctxt->sax->startElementNs = startElementWithinDepth;
    struct Current {
        explicit Current(ParserContext *p) { tParsing = p; }
        ~Current() { tParsing = nullptr; }
    } current(&parser);
    const InputEncoding encoding = detectEncoding(bytes);
    QByteArray decoded;
    if (encoding.codePage) {
        qsizetype bad = 0;
        if (!CodePage::toUtf8(bytes, 0, decoded, bad))
            throw AppError(undecodableText(bytes, bad, encoding.label) + kDetail
                           + QStringLiteral("位于文件的第%1个字节。").arg(bad + 1));
    }
    const QByteArray &input = encoding.codePage ? decoded : bytes;
    if (input.size() > std::numeric_limits<int>::max())
        throw AppError(QStringLiteral("XML文件格式错误：文件过大，无法解析。"));
    // The parser takes minutes over one tag of many thousand attributes:
    // such a document is refused before it is parsed.
    if (const int line = MarkupScan::crowdedTagLine(input, encoding.bom, encoding.decodeAs)) {
        throw AppError(QStringLiteral("XML文件格式错误（第%1行）：一个元素带有超过%2个属性，不是本程序的文件，无法读取该文件。")
                           .arg(line)
                           .arg(MarkupScan::MaxAttributes));
    }
    // No network, no DTD loading, no entity substitution, nothing printed.
    // Text nodes and attribute values may exceed the parser's usual 10 MB
    // (a long memo); the file size limit of the reader bounds them. That mode
    // also lifts the parser's own nesting limit: MaxDepth stands in for it.
    int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE;
    if (!encoding.decodeAs.isEmpty())
        options |= XML_PARSE_IGNORE_ENC;
    xmlDocPtr doc = xmlCtxtReadMemory(parser.ctxt, input.constData() + encoding.bom,
                                      int(input.size() - encoding.bom), nullptr,
                                      encoding.decodeAs.isEmpty() ? nullptr : encoding.decodeAs.constData(),
                                      options);
    decoded = QByteArray();
    if (parser.declaresEntity) {
        xmlFreeDoc(doc);
        throw AppError(kEntitiesRefused);
    }
    if (parser.tooDeepAtLine) {
        xmlFreeDoc(doc);
        throw AppError(QStringLiteral("XML文件格式错误（第%1行）：元素嵌套超过%2层，不是本程序的文件，无法读取该文件。")
                           .arg(parser.tooDeepAtLine)
                           .arg(ConfigDocument::MaxDepth));
    }
    if (!doc || !parser.ctxt->wellFormed) {
        xmlFreeDoc(doc);
        if (capture.sawDecodingError())
            throw AppError(decodingErrorText(bytes, encoding, capture));
        throw AppError(parseErrorText(capture));
    }
    if (!encoding.decodeAs.isEmpty()) {
        // Saved again under the label it was read with.
        xmlFree(const_cast<xmlChar *>(doc->encoding));
        doc->encoding = encoding.label.isEmpty()
            ? nullptr
            : xmlStrdup(reinterpret_cast<const xmlChar *>(encoding.label.constData()));
    }
    std::unique_ptr<ConfigDocument> result(new ConfigDocument(doc));
    if (!xmlDocGetRootElement(doc))
        throw AppError(QStringLiteral("XML文件格式错误：文件没有根元素。"));
    if (declaresEntities(doc->intSubset) || declaresEntities(doc->extSubset)
        || containsEntityReference(xmlDocGetRootElement(doc))) {
        throw AppError(kEntitiesRefused);
    }
    return result;
}

QByteArray ConfigDocument::serialize() const
{
    ErrorCapture capture;
    const char *label = FDoc->encoding ? reinterpret_cast<const char *>(FDoc->encoding) : nullptr;
    // What is written must read back as this document. The program's own
    // encodings (no label, UTF-8 and the Chinese labels) are known to, for
    // every character; under any other label the bytes are read again before
    // they are handed out.
    QByteArray out;
    if (!label) {
        if (dumpPlain(FDoc, out))
            return out;
    } else if (const ChineseLabel *chinese = chineseLabel(QByteArray(label))) {
        if (namesFitCodePage(FDoc, chinese->gb2312) && dumpAs(FDoc, label, codePageWriter(chinese->gb2312), out))
            return out;
    } else if (qstricmp(label, "UTF-8") == 0) {
        if (dumpAs(FDoc, label, nullptr, out))
            return out;
    } else if (dumpAs(FDoc, label, nullptr, out) && readsBack(out)) {
        return out;
    }
    // A label whose encoding cannot be written so that it reads back (one the
    // converters do not know, or a stateful one such as HZ, UTF-7 or
    // ISO-2022-KR): the document is written in GBK, the encoding of the
    // program's own documents. A document whose names the code page cannot
    // hold (only a hand-made file has such names) is written in UTF-8, which
    // holds every character.
    if (namesFitCodePage(FDoc, false) && dumpAs(FDoc, "GBK", codePageWriter(false), out))
        return out;
    if (dumpAs(FDoc, "UTF-8", nullptr, out))
        return out;
    throw AppError(QStringLiteral("无法按文件声明的编码“%1”写出XML文件，文件未被保存。").arg(declaredEncoding()));
}

bool ConfigDocument::readsBack(const QByteArray &bytes) const
{
    std::unique_ptr<ConfigDocument> again;
    try {
        again = parse(bytes);
    } catch (const AppError &) {
        return false;
    }
    return sameDocument(FDoc, again->FDoc);
}

QString ConfigDocument::declaredEncoding() const
{
    return FDoc->encoding ? QString::fromUtf8(reinterpret_cast<const char *>(FDoc->encoding))
                          : QString();
}

ConfigNode ConfigDocument::root() const
{
    return ConfigNode(xmlDocGetRootElement(FDoc));
}

ConfigNode ConfigDocument::section(const QString &tag) const
{
    return root().firstChildElement(tag);
}

QString ConfigDocument::FieldValue(const QString &field) const
{
    // One index serves both lookups. Every named direct child of the
    // section is visited by the depth-first search, so when the search's
    // first match is a direct child it is also the first direct child of
    // that name, and when there is no match there is no such child. Only a
    // match nested deeper needs a look at the direct children.
    const ConfigNode fields = section(ConfigSection::DataFields);
    const ConfigNode hit = findNamed(fields, field);
    if (!hit)
        return {};
    if (hit.parent() == fields)
        return hit.attributeText(kValue);
    QString name;
    for (xmlNode *c = fields.handle()->children; c; c = c->next) {
        if (c->type == XML_ELEMENT_NODE && rawName(c, name) && name == field)
            return ConfigNode(c).attributeText(kValue);
    }
    return {};
}

ConfigNode ConfigDocument::FindNamedNode(const ConfigNode &section, const QString &name)
{
    if (!section)
        return {};
    QString nodeName;
    xmlNode *found = nullptr;
    // Depth first in document order, descending only into named elements.
    walkNodes(section.handle()->children, [&](xmlNode *n) {
        if (n->type != XML_ELEMENT_NODE || !rawName(n, nodeName))
            return Walk::Over;
        if (nodeName == name) {
            found = n;
            return Walk::Stop;
        }
        return Walk::Into;
    });
    return ConfigNode(found);
}

ConfigNode ConfigDocument::findNamed(const ConfigNode &section, const QString &name) const
{
    if (!section)
        return {};
    auto it = FNamedIndex.find(section.handle());
    if (it == FNamedIndex.end()) {
        // The order of FindNamedNode, without recursion: every named element
        // in depth-first document order, descending only into named ones.
        NameIndex index;
        QString nodeName;
        walkNodes(section.handle()->children, [&](xmlNode *n) {
            if (n->type != XML_ELEMENT_NODE || !rawName(n, nodeName))
                return Walk::Over;
            if (!index.contains(nodeName))
                index.insert(nodeName, n);
            return Walk::Into;
        });
        it = FNamedIndex.insert(section.handle(), index);
    }
    return ConfigNode(it->value(name, nullptr));
}

ConfigDocument::FieldValues ConfigDocument::fieldValues() const
{
    FieldValues values;
    const ConfigNode fields = section(ConfigSection::DataFields);
    if (!fields)
        return values;
    // Every element of the section in document order.
    walkNodes(fields.handle()->children, [&](xmlNode *n) {
        if (n->type != XML_ELEMENT_NODE)
            return Walk::Over;
        values.append(std::make_pair(ConfigNode(n), ConfigNode(n).attribute(kValue)));
        return Walk::Into;
    });
    return values;
}

void ConfigDocument::restoreFieldValues(const FieldValues &values)
{
    for (const auto &[node, value] : values) {
        if (value)
            ConfigNode(node).setAttribute(kValue, *value);
        else
            xmlUnsetProp(node.handle(), reinterpret_cast<const xmlChar *>("value"));
    }
}

bool ConfigDocument::SetFieldValue(const QString &field, const QString &value)
{
    ConfigNode entry = findNamed(section(ConfigSection::DataFields), field);
    if (!entry)
        return false;
    entry.setAttribute(kValue, value);
    return true;
}

QByteArray ConfigDocument::decodingFor(const QByteArray &head, qsizetype &bomLength, bool &codePage)
{
    const InputEncoding encoding = detectEncoding(head);
    bomLength = encoding.bom;
    codePage = encoding.codePage;
    return encoding.decodeAs;
}

QString ConfigDocument::parserErrorText(int code)
{
    return describeParserError(code);
}
