#pragma once

#include <QList>
#include <QString>

namespace xmpp {

class XmlTree;

// A read-only handle on one element of a received stream element, with the
// namespace-aware lookups the codecs need. Valid while its tree holds the
// element (the stream reader clears it once the element is decoded); a
// default-constructed handle is null, like a missing child.
class XmlElement
{
public:
    XmlElement() = default;
    XmlElement(const XmlTree *tree, int index)
        : m_tree(tree)
        , m_index(index)
    {
    }

    bool isNull() const { return m_tree == nullptr; }

    const QString &localName() const;
    const QString &namespaceURI() const;

    // Attributes without a namespace, by local name.
    QString attribute(const QString &name, const QString &defaultValue = QString()) const;
    bool hasAttribute(const QString &name) const;
    QString attributeNS(const QString &nsUri, const QString &localName, const QString &defaultValue = QString()) const;

    XmlElement firstChildElement() const;
    XmlElement nextSiblingElement() const;
    // Every descendant with that namespace and local name, in document order.
    QList<XmlElement> elementsByTagNameNS(const QString &nsUri, const QString &localName) const;

    // All text below the element, in document order.
    QString text() const;

private:
    const QString *findAttribute(const QString *nsUri, const QString &localName) const;
    XmlElement elementFrom(int node) const;
    void appendText(int node, QString &text) const;

    const XmlTree *m_tree = nullptr;
    int m_index = -1;
};

} // namespace xmpp
