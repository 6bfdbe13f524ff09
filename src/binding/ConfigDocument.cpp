#include "ConfigDocument.h"

#include "AppError.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <limits>
#include <mutex>

namespace {

const QString kName = QStringLiteral("name");
const QString kValue = QStringLiteral("value");

void initLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

QString parseErrorText(const xmlError *error)
{
    if (!error || !error->message)
        return QStringLiteral("XML文件格式错误：无法解析该文件。");
    const QString detail = QString::fromUtf8(error->message).trimmed();
    if (error->line > 0) {
        return QStringLiteral("XML文件格式错误（第%1行第%2列）：%3")
            .arg(error->line)
            .arg(qMax(error->int2, 1))
            .arg(detail);
    }
    return QStringLiteral("XML文件格式错误：") + detail;
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
    ~ParserContext() { if (ctxt) xmlFreeParserCtxt(ctxt); }
};

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
    FFieldIndex.clear();
    FFieldIndexed = false;
    FNamedIndex.clear();
}

std::unique_ptr<ConfigDocument> ConfigDocument::parse(const QByteArray &bytes)
{
    initLibrary();
    if (bytes.size() > std::numeric_limits<int>::max())
        throw AppError(QStringLiteral("XML文件格式错误：文件过大，无法解析。"));
    ParserContext parser;
    if (!parser.ctxt)
        throw AppError(QStringLiteral("XML文件格式错误：无法创建解析器。"));
    // No network, no DTD loading, no entity substitution; errors are collected
    // in the context instead of being printed.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    xmlDocPtr doc = xmlCtxtReadMemory(parser.ctxt, bytes.constData(), int(bytes.size()),
                                      nullptr, nullptr, options);
    if (!doc || !parser.ctxt->wellFormed) {
        xmlFreeDoc(doc);
        throw AppError(parseErrorText(xmlCtxtGetLastError(parser.ctxt)));
    }
    std::unique_ptr<ConfigDocument> result(new ConfigDocument(doc));
    if (!xmlDocGetRootElement(doc))
        throw AppError(QStringLiteral("XML文件格式错误：文件没有根元素。"));
    if (declaresEntities(doc->intSubset) || declaresEntities(doc->extSubset)
        || containsEntityReference(xmlDocGetRootElement(doc))) {
        throw AppError(QStringLiteral(
            "XML文件格式错误：文件声明或引用了实体，为安全起见不予读取。"));
    }
    return result;
}

QByteArray ConfigDocument::serialize() const
{
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
    if (!FFieldIndexed) {
        FFieldIndexed = true;
        for (const ConfigNode &entry : section(ConfigSection::DataFields).childElements()) {
            if (const std::optional<QString> name = entry.attribute(kName); name && !FFieldIndex.contains(*name))
                FFieldIndex.insert(*name, entry.handle());
        }
    }
    const auto it = FFieldIndex.constFind(field);
    return it == FFieldIndex.cend() ? QString() : ConfigNode(*it).attributeText(kValue);
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
        QList<ConfigNode> pending;
        const QList<ConfigNode> top = section.childElements();
        for (auto c = top.rbegin(); c != top.rend(); ++c)
            pending.append(*c);
        while (!pending.isEmpty()) {
            const ConfigNode node = pending.takeLast();
            const std::optional<QString> nodeName = node.attribute(kName);
            if (!nodeName)
                continue;
            if (!index.contains(*nodeName))
                index.insert(*nodeName, node.handle());
            const QList<ConfigNode> kids = node.childElements();
            for (auto c = kids.rbegin(); c != kids.rend(); ++c)
                pending.append(*c);
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
