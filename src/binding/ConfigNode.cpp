#include "ConfigNode.h"

#include "ConfigDocument.h"

#include <QStringDecoder>

#include <libxml/tree.h>

namespace {

QString fromXml(const xmlChar *text)
{
    if (!text)
        return QString();
    // A value may begin with U+FEFF, which QString::fromUtf8 would drop as
    // a byte order mark.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder(reinterpret_cast<const char *>(text));
}

// An attribute without a namespace of this name. DTD defaults are never
// consulted: only what the document itself carries counts.
xmlAttr *findAttribute(xmlNode *node, const QByteArray &name)
{
    if (!node)
        return nullptr;
    for (xmlAttr *a = node->properties; a; a = a->next) {
        if (!a->ns && name == reinterpret_cast<const char *>(a->name))
            return a;
    }
    return nullptr;
}

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
        || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

QString xmlSafe(const QString &value)
{
    QString out;
    out.reserve(value.size());
    // Appended as UTF-16 units: QString::fromUcs4 would drop U+FEFF as a
    // byte order mark.
    for (char32_t c : value.toUcs4()) {
        if (isXmlChar(c))
            out.append(QChar::fromUcs4(c));
    }
    return out;
}

} // namespace

QString ConfigNode::tagName() const
{
    if (!FNode)
        return {};
    QString name = fromXml(FNode->name);
    if (FNode->ns && FNode->ns->prefix)
        name = fromXml(FNode->ns->prefix) + QLatin1Char(':') + name;
    return name;
}

bool ConfigNode::hasAttribute(const QString &name) const
{
    return findAttribute(FNode, name.toUtf8()) != nullptr;
}

std::optional<QString> ConfigNode::attribute(const QString &name) const
{
    xmlAttr *a = findAttribute(FNode, name.toUtf8());
    if (!a)
        return std::nullopt;
    // The loader refuses documents with entity references, so an attribute's
    // children are plain text nodes.
    QString value;
    for (xmlNode *t = a->children; t; t = t->next) {
        if (t->type == XML_TEXT_NODE || t->type == XML_CDATA_SECTION_NODE)
            value += fromXml(t->content);
    }
    return value;
}

QString ConfigNode::attributeText(const QString &name) const
{
    return attribute(name).value_or(QString());
}

void ConfigNode::setAttribute(const QString &name, const QString &value)
{
    if (!FNode)
        return;
    const QByteArray n = name.toUtf8();
    const QByteArray v = xmlSafe(value).toUtf8();
    // xmlSetProp stores the value as literal text; escaping happens on output.
    xmlSetProp(FNode, reinterpret_cast<const xmlChar *>(n.constData()),
               reinterpret_cast<const xmlChar *>(v.constData()));
    // Names are what the document's lookups are indexed by.
    if (name == QLatin1String("name"))
        if (ConfigDocument *doc = ConfigDocument::owner(*this))
            doc->structureChanged();
}

QList<ConfigNode> ConfigNode::childElements() const
{
    QList<ConfigNode> list;
    if (!FNode)
        return list;
    for (xmlNode *c = FNode->children; c; c = c->next) {
        if (c->type == XML_ELEMENT_NODE)
            list.append(ConfigNode(c));
    }
    return list;
}

bool ConfigNode::hasChildElements() const
{
    if (!FNode)
        return false;
    for (xmlNode *c = FNode->children; c; c = c->next) {
        if (c->type == XML_ELEMENT_NODE)
            return true;
    }
    return false;
}

ConfigNode ConfigNode::firstChildElement(const QString &tag) const
{
    for (const ConfigNode &c : childElements()) {
        if (c.tagName() == tag)
            return c;
    }
    return {};
}

ConfigNode ConfigNode::parent() const
{
    if (!FNode || !FNode->parent || FNode->parent->type != XML_ELEMENT_NODE)
        return {};
    return ConfigNode(FNode->parent);
}
