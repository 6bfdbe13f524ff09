#pragma once
// ConfigDocument: the form configuration document (also the content of every
// data file), owned as one libxml2 document. It parses a byte string with the
// parser's own encoding detection, serialises in the encoding the document
// declares, and offers the lookups of the binding: sections, field values and
// the name search. Parsing never touches the network, loads no DTD and
// substitutes no entities; documents that declare or use entities are refused.
#include "ConfigNode.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <memory>
#include <utility>

struct _xmlDoc;

// Tag names of the root's four sections.
namespace ConfigSection {
inline const QString ConfigType = QStringLiteral("config-type");
inline const QString UiRelation = QStringLiteral("ui-relation");
inline const QString UiData = QStringLiteral("ui-data");
inline const QString DataFields = QStringLiteral("data-fields");
}

class ConfigDocument {
public:
    // The deepest nesting of elements a document may have (the root counts
    // as one). The program's own documents nest five deep; a deeper one is
    // refused when it is parsed, so that nothing that walks a document - the
    // parser's tree, its serialiser, the relation walk - meets a depth it was
    // not built for.
    static constexpr int MaxDepth = 256;

    ~ConfigDocument();
    ConfigDocument(const ConfigDocument &) = delete;
    ConfigDocument &operator=(const ConfigDocument &) = delete;

    // Parses a whole document. Raises AppError with a Chinese message (and the
    // parser's own detail) when the bytes are not a well-formed document, the
    // document declares or references entities, or it nests deeper than MaxDepth.
    static std::unique_ptr<ConfigDocument> parse(const QByteArray &bytes);

    // The whole document as bytes in its declared encoding (UTF-8 when it
    // declares none); characters that encoding lacks become character
    // references. The bytes always read back as this document: where the
    // declared encoding would not (a label no converter writes, a stateful
    // encoding), the document is written in GBK and declares GBK. Raises
    // AppError when the document cannot be serialised.
    QByteArray serialize() const;
    // The encoding named in the XML declaration; empty when there is none.
    QString declaredEncoding() const;

    ConfigNode root() const;
    // The first child element of the root with this tag name, or null.
    ConfigNode section(const QString &tag) const;

    // The "value" of the first direct child of "data-fields" whose "name" is
    // field (empty when "value" is absent); empty when there is no such entry.
    QString FieldValue(const QString &field) const;
    // Depth-first search in document order below section for the first
    // element whose "name" is name. An element without "name" is neither
    // matched nor searched into. Null when nothing matches.
    static ConfigNode FindNamedNode(const ConfigNode &section, const QString &name);
    // The same search through an index of the section's names, built at the
    // first search below that section and kept until a name changes.
    ConfigNode findNamed(const ConfigNode &section, const QString &name) const;
    // Sets "value" of the field entry that FindNamedNode finds in
    // "data-fields". Never creates an entry; false when there is none.
    bool SetFieldValue(const QString &field, const QString &value);

    // The "value" attribute of every element below "data-fields" (an absent
    // one told apart from an empty one), and putting them back: what a
    // command that failed half-way uses to leave the document as it was.
    using FieldValues = QList<std::pair<ConfigNode, std::optional<QString>>>;
    FieldValues fieldValues() const;
    void restoreFieldValues(const FieldValues &values);
    // How a document beginning with `head` is to be decoded, as parse()
    // decodes it: the encoding to impose (empty: the parser detects it), the
    // length of a UTF-8 byte order mark to skip, and whether the bytes are in
    // the Chinese code page, which the reader must turn into UTF-8 itself
    // (CodePage) before the parser sees them. For readers that stream.
    static QByteArray decodingFor(const QByteArray &head, qsizetype &bomLength, bool &codePage);
    // A short Chinese account of a libxml2 parser error code.
    static QString parserErrorText(int code);

    // Drops the name indexes; called whenever a "name" attribute is set.
    void structureChanged();
    // The document that owns the element, or null for a foreign element.
    static ConfigDocument *owner(const ConfigNode &node);

private:
    explicit ConfigDocument(_xmlDoc *doc);
    // True when bytes parse into a document alike this one node for node.
    bool readsBack(const QByteArray &bytes) const;
    using NameIndex = QHash<QString, _xmlNode *>;
    _xmlDoc *FDoc;
    // Per searched element: "name" -> first match of the depth-first search.
    mutable QHash<_xmlNode *, NameIndex> FNamedIndex;
};
