#pragma once
// ConfigNode: a light, non-owning handle to one element of a ConfigDocument.
// It reads and writes attributes as QString and walks child elements; an
// attribute that is absent is told apart from one that is present and empty.
// A handle is valid while its document lives; a default handle is null.
#include <QList>
#include <QString>
#include <optional>

struct _xmlNode;

class ConfigNode {
public:
    ConfigNode() = default;
    explicit ConfigNode(_xmlNode *node) : FNode(node) {}

    bool isNull() const { return FNode == nullptr; }
    explicit operator bool() const { return FNode != nullptr; }
    bool operator==(const ConfigNode &other) const { return FNode == other.FNode; }

    // The element's tag name as written (with its prefix, if any).
    QString tagName() const;

    bool hasAttribute(const QString &name) const;
    // The attribute's value; nothing when the attribute is absent.
    std::optional<QString> attribute(const QString &name) const;
    // The attribute's value, or the empty string when it is absent.
    QString attributeText(const QString &name) const;
    // Sets the attribute, creating it when absent. Characters that XML 1.0
    // cannot carry (most control characters) are dropped, so that the saved
    // document can always be read again.
    void setAttribute(const QString &name, const QString &value);

    // Child elements in document order (text, comments and the like are skipped).
    QList<ConfigNode> childElements() const;
    bool hasChildElements() const;
    // The first child element with exactly this tag name, or a null handle.
    ConfigNode firstChildElement(const QString &tag) const;
    // The parent element, or a null handle at the root.
    ConfigNode parent() const;

    _xmlNode *handle() const { return FNode; }

private:
    _xmlNode *FNode = nullptr;
};
