#include "xmpp/elements/XmlElement.h"

#include "xmpp/elements/XmlTree.h"

namespace xmpp {

namespace {
const QString noString;
} // namespace

const QString &XmlElement::localName() const
{
    return m_tree ? m_tree->node(m_index).name : noString;
}

const QString &XmlElement::namespaceURI() const
{
    return m_tree ? m_tree->node(m_index).nsUri : noString;
}

const QString *XmlElement::findAttribute(const QString *nsUri, const QString &localName) const
{
    if (!m_tree)
        return nullptr;
    const XmlTree::Node &node = m_tree->node(m_index);
    for (int i = node.firstAttribute; i < node.firstAttribute + node.attributeCount; ++i) {
        const XmlTree::Attribute &a = m_tree->attribute(i);
        if (a.name == localName && (nsUri ? a.nsUri == *nsUri : a.nsUri.isEmpty()))
            return &a.value;
    }
    return nullptr;
}

QString XmlElement::attribute(const QString &name, const QString &defaultValue) const
{
    const QString *value = findAttribute(nullptr, name);
    return value ? *value : defaultValue;
}

bool XmlElement::hasAttribute(const QString &name) const
{
    return findAttribute(nullptr, name) != nullptr;
}

QString XmlElement::attributeNS(const QString &nsUri, const QString &localName, const QString &defaultValue) const
{
    const QString *value = findAttribute(&nsUri, localName);
    return value ? *value : defaultValue;
}

XmlElement XmlElement::elementFrom(int node) const
{
    while (node >= 0 && m_tree->node(node).isText)
        node = m_tree->node(node).next;
    return node >= 0 ? XmlElement(m_tree, node) : XmlElement();
}

XmlElement XmlElement::firstChildElement() const
{
    return m_tree ? elementFrom(m_tree->node(m_index).firstChild) : XmlElement();
}

XmlElement XmlElement::nextSiblingElement() const
{
    return m_tree ? elementFrom(m_tree->node(m_index).next) : XmlElement();
}

QList<XmlElement> XmlElement::elementsByTagNameNS(const QString &nsUri, const QString &localName) const
{
    QList<XmlElement> found;
    for (XmlElement child = firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (child.localName() == localName && child.namespaceURI() == nsUri)
            found.append(child);
        found.append(child.elementsByTagNameNS(nsUri, localName));
    }
    return found;
}

void XmlElement::appendText(int node, QString &text) const
{
    for (int child = m_tree->node(node).firstChild; child >= 0; child = m_tree->node(child).next) {
        if (m_tree->node(child).isText)
            text += m_tree->node(child).text;
        else
            appendText(child, text);
    }
}

QString XmlElement::text() const
{
    if (!m_tree)
        return QString();
    const XmlTree::Node &node = m_tree->node(m_index);
    // The common case: one piece of text and nothing else, shared, not copied.
    if (node.firstChild >= 0 && node.firstChild == node.lastChild && m_tree->node(node.firstChild).isText)
        return m_tree->node(node.firstChild).text;
    QString text;
    appendText(m_index, text);
    return text;
}

} // namespace xmpp
