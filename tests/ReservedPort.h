#pragma once

// A loopback TCP port that is this test's alone: bound but not listening, so
// connections to it are refused, and no other process can take it meanwhile
// (as it could between closing a probe server and listening again on its
// port). listenOn() then starts accepting on that very socket.

#include <QTcpServer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

class ReservedPort
{
public:
    ReservedPort()
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (m_fd < 0)
            return;
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        socklen_t length = sizeof address;
        if (::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
            || ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
            ::close(m_fd);
            m_fd = -1;
            return;
        }
        m_port = ntohs(address.sin_port);
    }
    ~ReservedPort()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ReservedPort(const ReservedPort &) = delete;
    ReservedPort &operator=(const ReservedPort &) = delete;

    // 0 when no port could be had.
    quint16 port() const { return m_port; }

    // Hands the socket to server, listening; the reservation ends with it.
    bool listenOn(QTcpServer &server)
    {
        if (m_fd < 0 || ::listen(m_fd, SOMAXCONN) != 0 || !server.setSocketDescriptor(m_fd))
            return false;
        m_fd = -1;
        return true;
    }

private:
    int m_fd = -1;
    quint16 m_port = 0;
};
