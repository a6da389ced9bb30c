#pragma once

#include <QStringList>

#include <string>

// The identifier of this computer that the client reports after login: the
// Base64 text of a SHA-1 digest over the hardware addresses of all network
// interfaces. It carries no readable address and is fixed for the run.
class MachineId
{
public:
    MachineId();

    const std::string &text() const { return m_text; }

    // The identifier of the given hardware addresses, in their order.
    static std::string fromHardwareAddresses(const QStringList &addresses);
    // The hardware addresses of every interface, in the system's order.
    static QStringList currentHardwareAddresses();

private:
    std::string m_text;
};

// Computed on the first call; the same text for the rest of the process.
const std::string &machineId();
