// libFuzzer target: arbitrary frame bodies handed to a logged-in-looking
// session after a valid version handshake, so that every server message
// reaches its dispatch with hostile fields. Refusals arrive as
// exceptionCaught; any crash, leak, undefined behaviour or exception that
// escapes is a finding.
#include "protocol/Codec.h"
#include "protocol/ConnectionManager.h"
#include "protocol/MessageIds.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzzer";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static const message_t hello = Codec::instance().encode(msg::HELLO_OK, {ConnectionManager::protocolVersion});
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    ConnectionManager session(false);
    session.handleMessage(hello);
    // Bodies of up to 64 KiB, each behind a 16-bit big-endian length.
    size_t pos = 0;
    while (pos + 2 <= size) {
        const size_t length = size_t(data[pos]) << 8 | data[pos + 1];
        pos += 2;
        const size_t take = length < size - pos ? length : size - pos;
        if (take > 0)
            session.handleMessage(message_t(data + pos, data + pos + take));
        pos += take;
    }
    return 0;
}
