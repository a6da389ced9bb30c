#include "xmpp/stream/StreamScanner.h"

#include "xmpp/elements/ErrorConditions.h"

#include <cstring>
#include <utility>

namespace xmpp {

namespace {

// Longer names are no stanza's: their kind is not needed.
constexpr qsizetype maxNameBytes = 64;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

void StreamScanner::setLimits(qint64 maxElementBytes, int maxDepth, int maxElements, int maxAttributes)
{
    m_maxElementBytes = maxElementBytes;
    m_maxDepth = maxDepth;
    m_maxElements = maxElements;
    m_maxAttributes = maxAttributes;
}

void StreamScanner::reset()
{
    const qint64 maxElementBytes = m_maxElementBytes;
    const int maxDepth = m_maxDepth;
    const int maxElements = m_maxElements;
    const int maxAttributes = m_maxAttributes;
    *this = StreamScanner();
    setLimits(maxElementBytes, maxDepth, maxElements, maxAttributes);
}

StreamScanner::Refusal StreamScanner::takeRefusal()
{
    const Refusal refusal = m_refusal;
    // A stream that cannot go on keeps saying so.
    if (!refusal.fatal)
        m_refusal = Refusal();
    return refusal;
}

bool StreamScanner::takeLongGap()
{
    const bool noted = m_longGap;
    m_longGap = false;
    return noted;
}

void StreamScanner::refuse(int condition, const char *text, bool fatal)
{
    m_refusal = Refusal{condition, text, fatal};
    if (fatal)
        return;
    // The rest of the element is looked at only for its end.
    m_skipping = true;
    m_pending = Pending::Drop;
    m_mark = m_pos;
}

bool StreamScanner::overBound(qsizetype pos)
{
    if (m_skipping || m_rootEnded || hasRefusal())
        return false;
    if (m_level == 0) {
        if (at(pos) > m_maxElementBytes)
            refuse(StreamErrorCondition::PolicyViolation, "stream header too large", true);
    } else if (m_inElement) {
        if (at(pos) - m_elementStart > m_maxElementBytes)
            refuse(StreamErrorCondition::PolicyViolation, "element too large", false);
    } else if (m_state != Text && m_pending == Pending::Release) {
        // Markup between elements that is handed on: it ends the stream
        // once the reader has it whole (an instruction, a declaration).
        if (at(pos) - m_markupStart > m_maxElementBytes)
            refuse(StreamErrorCondition::PolicyViolation, "element too large", true);
    }
    return hasRefusal();
}

void StreamScanner::flush(qsizetype end)
{
    if (end <= m_mark || m_pending == Pending::Hold)
        return;
    if (m_pending == Pending::Release) {
        m_out.append(m_input.constData() + m_mark, end - m_mark);
        if (m_level == 0 && !m_rootEnded)
            m_prologue.append(m_input.constData() + m_mark, end - m_mark);
    } else if (m_level == 1 && !m_inElement) {
        m_gap += end - m_mark;
        if (m_gap > m_maxElementBytes && !m_gapNoted) {
            m_longGap = true;
            m_gapNoted = true;
        }
    }
    m_mark = end;
}

StreamScanner::Pending StreamScanner::textPending() const
{
    if (m_skipping || m_rootEnded || (m_level == 1 && !m_inElement))
        return Pending::Drop;
    return Pending::Release;
}

StreamScanner::Pending StreamScanner::markupPending() const
{
    if (m_skipping || m_rootEnded)
        return Pending::Drop;
    // Comments and character data between elements are text to drop.
    if ((m_state == Comment || m_state == CData) && m_level == 1 && !m_inElement)
        return Pending::Drop;
    return Pending::Release;
}

void StreamScanner::markupStarts(qsizetype pos)
{
    m_markupStart = at(pos);
    m_mark = pos;
    // Until its kind is known.
    m_pending = Pending::Hold;
    m_state = MarkupOpen;
}

void StreamScanner::startTagBegins()
{
    m_attributes = 0;
    m_slash = false;
    m_state = StartTagName;
    if (m_rootEnded || m_skipping) {
        m_pending = Pending::Drop;
        return;
    }
    if (m_level == 1) {
        m_inElement = true;
        m_elementStart = m_markupStart;
        m_startTagHandedOn = false;
        m_name.clear();
        m_nameTooLong = false;
        m_gap = 0;
        m_gapNoted = false;
        m_elements = 0;
    }
    // Handed on only once judged whole.
    m_pending = Pending::Hold;
    if (m_level > m_maxDepth)
        refuse(StreamErrorCondition::PolicyViolation, "element nested too deeply", false);
    else if (m_level >= 1 && ++m_elements > m_maxElements)
        refuse(StreamErrorCondition::PolicyViolation, "too many elements", false);
}

void StreamScanner::startTagEnds(qsizetype end, bool empty)
{
    // Nothing more is handed on once the stream cannot go on.
    if (overBound(end) && m_refusal.fatal)
        return;
    if (m_pending == Pending::Hold) {
        m_pending = Pending::Release;
        if (m_level == 1)
            m_startTagHandedOn = true;
    }
    flush(end);
    if (!empty)
        ++m_level;
    else if (m_level == 1 && m_inElement)
        elementEnds();
    else if (m_level == 0)
        m_rootEnded = true;
    m_state = Text;
    m_pending = textPending();
}

void StreamScanner::endTagEnds(qsizetype end)
{
    if (overBound(end) && m_refusal.fatal)
        return;
    flush(end);
    if (m_level > 0) {
        --m_level;
        if (m_level == 1 && m_inElement)
            elementEnds();
        else if (m_level == 0)
            m_rootEnded = true;
    }
    m_state = Text;
    m_pending = textPending();
}

void StreamScanner::otherMarkupEnds(qsizetype end)
{
    if (overBound(end) && m_refusal.fatal)
        return;
    flush(end);
    m_state = Text;
    m_pending = textPending();
}

void StreamScanner::elementEnds()
{
    m_inElement = false;
    m_skipping = false;
    m_gap = 0;
    m_gapNoted = false;
}

QByteArray StreamScanner::scan()
{
    m_out.clear();
    if (hasRefusal())
        return QByteArray();
    if (!m_encodingChecked) {
        if (m_input.size() < 2)
            return QByteArray();
        m_encodingChecked = true;
        // UTF-16 and UTF-32 put a zero byte or a byte order mark first.
        const uchar first = uchar(m_input.at(0)), second = uchar(m_input.at(1));
        if (first == 0 || second == 0 || (first == 0xfe && second == 0xff) || (first == 0xff && second == 0xfe)) {
            refuse(StreamErrorCondition::UnsupportedEncoding, "stream not in UTF-8", true);
            return QByteArray();
        }
    }

    const char *data = m_input.constData();
    const qsizetype size = m_input.size();
    while (m_pos < size && !hasRefusal()) {
        const char c = data[m_pos];
        switch (m_state) {
        case Text: {
            const void *open = std::memchr(data + m_pos, '<', size_t(size - m_pos));
            if (!open) {
                m_pos = size;
                break;
            }
            m_pos = static_cast<const char *>(open) - data;
            if (overBound(m_pos))
                break;
            flush(m_pos);
            markupStarts(m_pos);
            ++m_pos;
            break;
        }
        case MarkupOpen:
            if (c == '/') {
                m_state = EndTag;
                m_pending = markupPending();
                ++m_pos;
            } else if (c == '!') {
                m_state = BangOpen;
                ++m_pos;
            } else if (c == '?') {
                m_state = Instruction;
                m_run = 0;
                m_pending = markupPending();
                ++m_pos;
            } else {
                // The name's first byte is read as part of the name.
                startTagBegins();
            }
            break;
        case StartTagName:
            if (isSpace(c) || c == '>' || c == '/') {
                m_state = StartTag;
                break;
            }
            if (m_level == 1 && m_inElement) {
                if (m_name.size() < maxNameBytes)
                    m_name.append(c);
                else
                    m_nameTooLong = true;
            }
            ++m_pos;
            break;
        case StartTag:
            ++m_pos;
            if (c == '>') {
                startTagEnds(m_pos, m_slash);
            } else if (c == '\'' || c == '"') {
                m_quote = c;
                m_slash = false;
                m_state = AttributeValue;
                if (++m_attributes > m_maxAttributes && !m_skipping && !m_rootEnded)
                    refuse(StreamErrorCondition::PolicyViolation, "too many attributes", m_level == 0);
            } else {
                m_slash = c == '/';
            }
            break;
        case AttributeValue: {
            const void *close = std::memchr(data + m_pos, m_quote, size_t(size - m_pos));
            if (!close) {
                m_pos = size;
                break;
            }
            m_pos = static_cast<const char *>(close) - data + 1;
            m_state = StartTag;
            break;
        }
        case EndTag: {
            const void *close = std::memchr(data + m_pos, '>', size_t(size - m_pos));
            if (!close) {
                m_pos = size;
                break;
            }
            m_pos = static_cast<const char *>(close) - data + 1;
            endTagEnds(m_pos);
            break;
        }
        case BangOpen:
            if (c == '-') {
                m_state = DashOpen;
                ++m_pos;
                break;
            }
            if (c == '[') {
                m_state = CData;
                m_run = 0;
                m_pending = markupPending();
                ++m_pos;
                break;
            }
            if (m_level == 0) {
                refuse(StreamErrorCondition::RestrictedXml, "DTD not allowed", true);
                break;
            }
            // Not well-formed inside the root: the reader says so.
            m_state = Declaration;
            m_pending = markupPending();
            break;
        case DashOpen:
            if (c == '-') {
                m_state = Comment;
                m_run = 0;
                ++m_pos;
            } else {
                m_state = Declaration;
            }
            m_pending = markupPending();
            break;
        case Comment:
        case CData:
            ++m_pos;
            if (c == (m_state == Comment ? '-' : ']')) {
                ++m_run;
            } else {
                if (c == '>' && m_run >= 2)
                    otherMarkupEnds(m_pos);
                m_run = 0;
            }
            break;
        case Instruction:
            ++m_pos;
            if (c == '>' && m_run > 0)
                otherMarkupEnds(m_pos);
            m_run = c == '?';
            break;
        case Declaration: {
            const void *close = std::memchr(data + m_pos, '>', size_t(size - m_pos));
            if (!close) {
                m_pos = size;
                break;
            }
            m_pos = static_cast<const char *>(close) - data + 1;
            otherMarkupEnds(m_pos);
            break;
        }
        }
        overBound(m_pos);
    }
    if (!m_refusal.fatal)
        flush(m_pos);

    m_input.remove(0, m_mark);
    m_offset += m_mark;
    m_pos -= m_mark;
    m_mark = 0;
    return std::exchange(m_out, QByteArray());
}

} // namespace xmpp
