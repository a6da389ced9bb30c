#pragma once

#include <stdexcept>
#include <string>

// Raised when data or a message sequence from the game server cannot be
// accepted. It carries only its message.
class server_error : public std::runtime_error
{
public:
    explicit server_error(const std::string &message)
        : std::runtime_error(message)
    {
    }
};
