#pragma once

#include <string>

// The protocol reference in Markdown, written from the message table and
// the reason tables (the end of docs/protocol.md is this text).
class ProtocolReference
{
public:
    static std::string markdown();
};
