#include "xmpp/elements/XmlTree.h"

namespace xmpp {

void XmlTree::clear()
{
    // A stanza's worth of capacity is kept; what one large element needed
    // is given back.
    constexpr size_t kept = 1024;
    if (m_nodes.capacity() > kept)
        std::vector<Node>().swap(m_nodes);
    else
        m_nodes.clear();
    if (m_attributes.capacity() > kept)
        std::vector<Attribute>().swap(m_attributes);
    else
        m_attributes.clear();
}

int XmlTree::append(int parent, Node node)
{
    const int index = int(m_nodes.size());
    node.parent = parent;
    m_nodes.push_back(std::move(node));
    if (parent >= 0) {
        Node &p = m_nodes[size_t(parent)];
        if (p.lastChild >= 0)
            m_nodes[size_t(p.lastChild)].next = index;
        else
            p.firstChild = index;
        p.lastChild = index;
    }
    return index;
}

int XmlTree::addElement(int parent, const QString &nsUri, const QString &name)
{
    Node node;
    node.nsUri = nsUri;
    node.name = name;
    node.firstAttribute = int(m_attributes.size());
    return append(parent, std::move(node));
}

void XmlTree::addAttribute(int element, const QString &nsUri, const QString &name, const QString &value)
{
    m_attributes.push_back({nsUri, name, value});
    ++m_nodes[size_t(element)].attributeCount;
}

void XmlTree::addText(int parent, const QString &text)
{
    // Text the XML reader hands over in pieces (around character data
    // sections) is one node, as in a normalised DOM.
    const int last = parent >= 0 ? m_nodes[size_t(parent)].lastChild : -1;
    if (last >= 0 && m_nodes[size_t(last)].isText) {
        m_nodes[size_t(last)].text += text;
        return;
    }
    Node node;
    node.text = text;
    node.isText = true;
    append(parent, std::move(node));
}

} // namespace xmpp
