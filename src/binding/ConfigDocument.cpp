#include "ConfigDocument.h"

#include "AppError.h"
#include "Platform.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <QRegularExpression>
#include <QSet>

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
            name = QString::fromUtf8(reinterpret_cast<const char *>(t->content));
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

// The encoding a document is read in, where the parser's own detection
// would go wrong: a UTF-8 byte order mark wins over the declaration, and the
// GB2312 and GBK labels are read as GB18030, which contains both.
struct InputEncoding {
    QByteArray label;    // the declared encoding, as written
    QByteArray decodeAs; // what the bytes are decoded as; empty: the parser decides
    qsizetype bom = 0;   // length of a UTF-8 byte order mark
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
    if (result.decodeAs.isEmpty()) {
        static const QSet<QByteArray> chinese = {"GB2312", "GBK", "CP936", "MS936", "WINDOWS-936", "X-GBK",
                                                 "GB_2312-80", "CSGB2312", "EUC-CN", "EUCCN", "CHINESE"};
        if (chinese.contains(result.label.toUpper()))
            result.decodeAs = "GB18030";
    }
    return result;
}

// Where the bytes stop being text in encoding: the line of the first
// undecodable byte and up to four bytes from there; nothing when the whole
// input decodes.
std::optional<std::pair<int, QByteArray>> firstUndecodable(const QByteArray &bytes, qsizetype from,
                                                            const QByteArray &encoding)
{
    Platform::CodeConverter cd("UTF-8", encoding.constData());
    if (!cd.isValid())
        return std::nullopt;
    const char *in = bytes.constData() + from;
    size_t inLeft = size_t(bytes.size() - from);
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    std::optional<std::pair<int, QByteArray>> result;
    while (inLeft > 0) {
        char *out = buffer.data();
        size_t outLeft = size_t(buffer.size());
        const auto rc = cd.convert(&in, &inLeft, &out, &outLeft);
        if (rc == Platform::CodeConverter::Converted || rc == Platform::CodeConverter::OutputFull)
            continue;
        const qsizetype at = in - bytes.constData();
        const int line = int(bytes.left(at).count('\n')) + 1;
        result = std::make_pair(line, bytes.mid(at, 4));
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
    QString hex;
    for (char c : where->second)
        hex += QStringLiteral("%1 ").arg(uchar(c), 2, 16, QLatin1Char('0')).toUpper();
    QString text = QStringLiteral("XML文件格式错误（第%1行）：文件中有不能按“%2”编码解读的字节（%3），无法读取该文件。")
                       .arg(where->first)
                       .arg(QString::fromLatin1(name), hex.trimmed());
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

const QString kEntitiesRefused = QStringLiteral("XML文件格式错误：文件声明或引用了实体，为安全起见不予读取。");

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
    struct Current {
        explicit Current(ParserContext *p) { tParsing = p; }
        ~Current() { tParsing = nullptr; }
    } current(&parser);
    const InputEncoding encoding = detectEncoding(bytes);
    // No network, no DTD loading, no entity substitution, nothing printed.
    // Text nodes and attribute values may exceed the parser's usual 10 MB
    // (a long memo); the file size limit of the reader bounds them.
    int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE;
    if (!encoding.decodeAs.isEmpty())
        options |= XML_PARSE_IGNORE_ENC;
    xmlDocPtr doc = xmlCtxtReadMemory(parser.ctxt, bytes.constData() + encoding.bom,
                                      int(bytes.size() - encoding.bom), nullptr,
                                      encoding.decodeAs.isEmpty() ? nullptr : encoding.decodeAs.constData(),
                                      options);
    if (parser.declaresEntity) {
        xmlFreeDoc(doc);
        throw AppError(kEntitiesRefused);
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
    xmlChar *buffer = nullptr;
    int size = 0;
    const char *encoding = FDoc->encoding ? reinterpret_cast<const char *>(FDoc->encoding) : nullptr;
    xmlDocDumpFormatMemoryEnc(FDoc, &buffer, &size, encoding, 0);
    if (!buffer || size <= 0) {
        xmlFree(buffer);
        throw AppError(QStringLiteral("无法按文件声明的编码“%1”写出XML文件。")
                           .arg(declaredEncoding()));
    }
    QByteArray out(reinterpret_cast<const char *>(buffer), size);
    xmlFree(buffer);
    return out;
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
    for (const ConfigNode &child : section.childElements()) {
        const std::optional<QString> childName = child.attribute(kName);
        if (!childName)
            continue;
        if (*childName == name)
            return child;
        if (ConfigNode found = FindNamedNode(child, name))
            return found;
    }
    return {};
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
        // Walks the tree without recursion; a stack of the elements whose
        // children are being visited.
        QList<xmlNode *> parents;
        xmlNode *n = section.handle()->children;
        while (n || !parents.isEmpty()) {
            if (!n) {
                n = parents.takeLast()->next;
                continue;
            }
            if (n->type == XML_ELEMENT_NODE && rawName(n, nodeName)) {
                if (!index.contains(nodeName))
                    index.insert(nodeName, n);
                if (n->children) {
                    parents.append(n);
                    n = n->children;
                    continue;
                }
            }
            n = n->next;
        }
        it = FNamedIndex.insert(section.handle(), index);
    }
    return ConfigNode(it->value(name, nullptr));
}

bool ConfigDocument::SetFieldValue(const QString &field, const QString &value)
{
    ConfigNode entry = findNamed(section(ConfigSection::DataFields), field);
    if (!entry)
        return false;
    entry.setAttribute(kValue, value);
    return true;
}
