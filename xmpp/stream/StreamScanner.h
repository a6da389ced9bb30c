#pragma once

#include <QByteArray>

namespace xmpp {

// Finds the top-level elements of an XMPP stream in its raw bytes and judges
// each one's size, depth, number of elements and attributes per start tag
// before the XML reader sees any of it. The XML reader pays more than linear
// time for a start tag with many attributes and holds a token whole until
// it ends, so an element over a bound is never handed to it: the scanner
// only looks for its end, keeping nothing of it, and the stream goes on
// behind it. Only markup is looked at byte by byte; text and quoted values
// are passed over with memchr.
//
// Text between top-level elements (keep-alive spaces) and comments there
// are dropped here: the reader would drop them anyway. A stream header over
// a bound, a DTD or a stream not in UTF-8 cannot go on.
class StreamScanner
{
public:
    struct Refusal
    {
        int condition = -1; // StreamErrorCondition; -1: none
        const char *text = "";
        // The stream cannot go on (its header, or markup outside any
        // element); otherwise only the element is skipped.
        bool fatal = false;
    };

    void setLimits(qint64 maxElementBytes, int maxDepth, int maxElements, int maxAttributes);
    // Forgets the stream; the next bytes start a new one.
    void reset();

    void addData(const QByteArray &data) { m_input += data; }

    // Scans what was added, up to the next refusal: the bytes that the XML
    // reader may read now. Held back are a start tag until it has been
    // judged whole, and everything behind a refusal.
    QByteArray scan();

    // The refusal the last scan stopped at, once the reader has read what
    // came before it. The scan after takeRefusal() goes on past the refused
    // element.
    bool hasRefusal() const { return m_refusal.condition >= 0; }
    Refusal takeRefusal();
    // Whether the XML reader was handed the refused element's start tag
    // (and so holds part of it).
    bool startTagHandedOn() const { return m_startTagHandedOn; }
    // The qualified name in the refused element's start tag as sent, empty
    // when longer than any stanza's.
    QByteArray elementName() const { return m_nameTooLong ? QByteArray() : m_name; }
    // What was handed on up to the end of the stream header: read again by
    // an XML reader that starts over within the same stream.
    const QByteArray &prologue() const { return m_prologue; }
    // Whether text between two elements grew past the element bound since
    // the last call (once per stretch).
    bool takeLongGap();

private:
    enum State {
        Text,
        MarkupOpen, // after "<"
        StartTagName,
        StartTag,       // inside a start tag, outside quotes
        AttributeValue, // inside quotes
        EndTag,
        BangOpen,    // after "<!"
        DashOpen,    // after "<!-"
        Comment,     // up to "-->"
        CData,       // up to "]]>"
        Declaration, // "<!DOCTYPE ..." up to ">"
        Instruction  // up to "?>"
    };
    enum class Pending { Release, Drop, Hold };

    void refuse(int condition, const char *text, bool fatal);
    void flush(qsizetype end);
    Pending textPending() const;
    Pending markupPending() const;
    void markupStarts(qsizetype pos);
    void startTagBegins();
    void startTagEnds(qsizetype end, bool empty);
    void endTagEnds(qsizetype end);
    void elementEnds();
    void otherMarkupEnds(qsizetype end);
    bool overBound(qsizetype pos);
    qint64 at(qsizetype pos) const { return m_offset + pos; }

    qint64 m_maxElementBytes = 1024 * 1024;
    int m_maxDepth = 64;
    int m_maxElements = 16384;
    int m_maxAttributes = 32;

    QByteArray m_input;   // bytes from m_mark on are neither handed on nor dropped
    qsizetype m_pos = 0;  // next byte to look at
    qsizetype m_mark = 0; // start of the bytes not yet handed on or dropped
    qint64 m_offset = 0;  // stream offset of m_input[0]
    QByteArray m_out;
    Pending m_pending = Pending::Release;

    State m_state = Text;
    int m_level = 0; // open elements, the stream root included
    bool m_rootEnded = false;
    bool m_inElement = false; // from a top-level element's "<" to its end
    bool m_skipping = false;
    bool m_encodingChecked = false;
    char m_quote = 0;
    int m_run = 0;        // dashes, brackets or '?' just before, closing a construct
    bool m_slash = false; // '/' just before, in a start tag
    int m_attributes = 0;
    int m_elements = 0;        // start tags of the top-level element so far
    qint64 m_markupStart = 0;  // stream offset of the current markup's "<"
    qint64 m_elementStart = 0; // stream offset of the top-level element's "<"
    qint64 m_gap = 0;          // bytes dropped since the last top-level element
    bool m_longGap = false;
    bool m_gapNoted = false;
    bool m_startTagHandedOn = false;
    QByteArray m_name;
    bool m_nameTooLong = false;
    QByteArray m_prologue;
    Refusal m_refusal;
};

} // namespace xmpp
