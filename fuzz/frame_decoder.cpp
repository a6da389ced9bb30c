// libFuzzer target: arbitrary bytes as a stream from the server, split into
// frames and decoded. Any crash, hang, leak or unbounded allocation is a bug;
// server_error is the expected answer to bad input.
#include "protocol/Codec.h"
#include "protocol/FrameReader.h"
#include "protocol/ServerError.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Codec &codec = Codec::instance();
    // The whole input as one body ...
    if (size > 0) {
        try {
            codec.decode(data, size);
        } catch (const server_error &) {
        }
    }
    // ... and as a stream of frames, fed in two pieces.
    FrameReader reader;
    const size_t half = size / 2;
    reader.append(reinterpret_cast<const char *>(data), qint64(half));
    message_t body;
    for (int round = 0; round < 2; ++round) {
        try {
            while (reader.next(body)) {
                try {
                    codec.decode(body);
                } catch (const server_error &) {
                }
            }
        } catch (const server_error &) {
            return 0; // a bad frame header ends the stream
        }
        reader.append(reinterpret_cast<const char *>(data) + half, qint64(size - half));
    }
    return 0;
}
