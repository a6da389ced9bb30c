#include "mainwindow/MachineId.h"

#include <QCryptographicHash>
#include <QNetworkInterface>

MachineId::MachineId()
    : m_text(fromHardwareAddresses(currentHardwareAddresses()))
{
}

std::string MachineId::fromHardwareAddresses(const QStringList &addresses)
{
    // No separator and no interface skipped: the server compares the digest
    // with those of earlier clients, which hashed exactly this.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString &address : addresses)
        hash.addData(address.toLatin1());
    return hash.result().toBase64().toStdString();
}

QStringList MachineId::currentHardwareAddresses()
{
    QStringList addresses;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &networkInterface : interfaces)
        addresses << networkInterface.hardwareAddress();
    return addresses;
}

const std::string &machineId()
{
    static const MachineId id;
    return id.text();
}
