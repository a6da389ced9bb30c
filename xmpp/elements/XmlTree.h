#pragma once

#include "xmpp/elements/XmlElement.h"

#include <QString>

#include <vector>

namespace xmpp {

// The storage behind XmlElement: one top-level stream element with its
// descendants, built token by token by the stream reader. Nodes and
// attributes live in two flat arrays that keep their capacity from one
// element to the next, so reading a small stanza costs only the copies of
// its texts and attribute values.
class XmlTree
{
public:
    struct Attribute
    {
        QString nsUri;
        QString name; // local name
        QString value;
    };

    struct Node
    {
        QString nsUri;
        QString name; // local name; empty for a text node
        QString text; // text nodes only
        int parent = -1;
        int firstChild = -1;
        int lastChild = -1;
        int next = -1;
        int firstAttribute = 0;
        int attributeCount = 0;
        bool isText = false;
    };

    // Drops every node; the next element added becomes the root.
    void clear();

    // Adds an element as the last child of parent (-1: the root); its
    // attributes are the ones added right after, before anything else.
    int addElement(int parent, const QString &nsUri, const QString &name);
    void addAttribute(int element, const QString &nsUri, const QString &name, const QString &value);
    void addText(int parent, const QString &text);

    XmlElement root() const { return m_nodes.empty() ? XmlElement() : XmlElement(this, 0); }
    int parentOf(int node) const { return m_nodes[size_t(node)].parent; }

    const Node &node(int index) const { return m_nodes[size_t(index)]; }
    const Attribute &attribute(int index) const { return m_attributes[size_t(index)]; }

private:
    int append(int parent, Node node);

    std::vector<Node> m_nodes;
    std::vector<Attribute> m_attributes;
};

} // namespace xmpp
