#pragma once

namespace xmpp {

// Type codes of everything read from or written to an XMPP stream.
struct ElementType
{
    enum enum_t {
        StreamError = 0,
        StreamFeatures = 1,
        TLSStart = 2,
        TLSProceed = 3,
        TLSFailure = 4,
        SASLAuth = 5,
        SASLChallenge = 6,
        SASLResponse = 7,
        SASLAbort = 8,
        SASLSuccess = 9,
        SASLFailure = 10,
        Stanza = 11,
        MessageStanza = 12,
        PresenceStanza = 13,
        Iq = 14,
        IqBind = 15,
        IqVCard = 16,
        IqSession = 17,
        IqRoster = 18,
        IqDiscoInfo = 19,
        IqDiscoItems = 20,
        IqSearch = 21,
        MucPresenceStanza = 22,
        IqInstantRoom = 23
    };
};

// Base of every top-level stream element.
class StreamElement
{
public:
    virtual ~StreamElement() = default;
    virtual int type() const = 0;

protected:
    StreamElement() = default;
    StreamElement(const StreamElement &) = default;
    StreamElement &operator=(const StreamElement &) = default;
};

} // namespace xmpp
