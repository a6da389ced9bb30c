// Decode and dispatch throughput of the session, and heap use per message.
// Prints figures only; it never fails on timing. The anchor, measured in the
// same run: a bare Qt reader of the same bytes that splits the frames with
// QDataStream and emits each body in a signal (what any Qt program pays to
// receive these messages, without their decoding).
#include "protocol/Codec.h"
#include "protocol/ConnectionManager.h"
#include "protocol/FrameReader.h"
#include "protocol/MessageIds.h"
#include "protocol/WireConversions.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QElapsedTimer>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {
std::atomic<qint64> g_allocated{0};
std::atomic<qint64> g_allocations{0};
} // namespace

void *operator new(size_t size)
{
    g_allocated += qint64(size);
    ++g_allocations;
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void *p) noexcept
{
    std::free(p);
}
void operator delete(void *p, size_t) noexcept
{
    std::free(p);
}

class BareDispatcher : public QObject
{
    Q_OBJECT

signals:
    void message(quint8 classId, const QByteArray &body);
};

// Messages per second for the bare reader: big-endian length, then the body.
double bareMessagesPerSecond(const QByteArray &stream, int rounds, int *received)
{
    BareDispatcher dispatcher;
    QObject::connect(&dispatcher, &BareDispatcher::message, [received](quint8, const QByteArray &) { ++*received; });
    int messages = 0;
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < rounds; ++round) {
        QDataStream in(stream);
        in.setByteOrder(QDataStream::BigEndian);
        while (!in.atEnd()) {
            quint32 length = 0;
            in >> length;
            QByteArray body(qsizetype(length), Qt::Uninitialized);
            if (in.readRawData(body.data(), int(length)) != int(length))
                break;
            emit dispatcher.message(quint8(body.at(0)), body);
            ++messages;
        }
    }
    return messages * 1e9 / double(timer.nsecsElapsed());
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    typedef WireValue::List L;
    const Codec &codec = Codec::instance();
    ConnectionManager cm(false);
    int received = 0;
    QObject::connect(&cm, &ConnectionManager::tileDiscarded, [&] { ++received; });
    QObject::connect(&cm, &ConnectionManager::gameData, [&] { ++received; });
    QObject::connect(&cm, qOverload<qint32, int, TableInfoUpdates>(&ConnectionManager::tableInfoUpdate),
                     [&] { ++received; });
    QObject::connect(&cm, &ConnectionManager::exceptionCaught, [](const std::string &e) {
        std::fprintf(stderr, "unexpected error: %s\n", e.c_str());
        std::exit(1);
    });
    cm.handleMessage(codec.encode(msg::HELLO_OK, L{1}));

    std::vector<WireValue> players;
    for (int i = 0; i < 4; ++i) {
        PlayerData p(1000 + i, QStringLiteral("Player %1").arg(i));
        p.setDiscards({1, 2, 3, 4, 5, 6, 7, 8}, -1);
        p.setHiddenTiles(13);
        players.push_back(wire::fromPlayerData(p));
    }
    struct Kind
    {
        const char *name;
        message_t body;
    };
    const std::vector<Kind> kinds = {
        {"tile_discarded", codec.encode(msg::TILE_DISCARDED, L{12, 1001, qint64(5)})},
        {"table_info_update",
         codec.encode(msg::TABLE_INFO_UPDATE, L{12, 3, wire::fromKeyedValues({{TableInfo::SEATED, 3}})})},
        {"game_data",
         codec.encode(msg::GAME_DATA, L{12, qint64(77), 4, WireValue(players), wire::fromTableState(TableState()),
                                        wire::fromWallState(WallState())})},
    };

    std::printf("%-20s %10s %14s %14s %12s %16s\n", "message", "bytes", "messages/s", "bytes alloc/msg", "allocs/msg",
                "bare Qt / ours");
    int bareReceived = 0;
    for (const Kind &k : kinds) {
        const QByteArray frame = FrameReader::frame(k.body);
        const int n = 200000;
        QByteArray stream;
        stream.reserve(frame.size() * 1000);
        for (int i = 0; i < 1000; ++i)
            stream += frame;
        FrameReader reader;
        message_t body;
        QElapsedTimer timer;
        const qint64 bytesBefore = g_allocated;
        const qint64 allocsBefore = g_allocations;
        timer.start();
        // Frames arrive in reads of 1000 frames, as from a busy socket.
        for (int i = 0; i < n / 1000; ++i) {
            reader.append(stream);
            while (reader.next(body))
                cm.handleMessage(body);
        }
        const qint64 ns = timer.nsecsElapsed();
        const double ours = n * 1e9 / double(ns);
        const double bytesPerMessage = double(g_allocated - bytesBefore) / n;
        const double allocsPerMessage = double(g_allocations - allocsBefore) / n;
        const double bare = bareMessagesPerSecond(stream, n / 1000, &bareReceived);
        std::printf("%-20s %10lld %14.0f %14.1f %12.1f %15.1fx\n", k.name, qint64(frame.size()), ours, bytesPerMessage,
                    allocsPerMessage, bare / ours);
    }
    std::printf("dispatched %d signals\n", received);
    // Every message of every kind must have come out as its signal.
    const int expected = 200000 * int(kinds.size());
    if (received != expected || bareReceived != expected) {
        std::fprintf(stderr, "expected %d signals, got %d (bare %d)\n", expected, received, bareReceived);
        return 1;
    }

    // The dearest frames the table still allows, and one it refuses: heap
    // bytes per frame byte and time of one decode.
    std::vector<WireValue> tiles(144, WireValue(qint64(5)));
    std::vector<WireValue> rankings;
    for (int i = 0; i < 40000; ++i)
        rankings.push_back(WireValue(L{i, "", 1, 2, qint64(3), false}));
    message_t hugeTiles = codec.encode(msg::TILES_FROM_WALL, L{12, WireValue(L{}), false});
    hugeTiles[6] = 0x10;                                                // a count of 1 MiB tiles ...
    hugeTiles.insert(hugeTiles.end() - 1, 1024 * 1024 - 16, quint8(5)); // ... most of them present
    const std::vector<Kind> largest = {
        {"tiles_from_wall 144", codec.encode(msg::TILES_FROM_WALL, L{12, WireValue(tiles), false})},
        {"ranking_list 40000",
         codec.encode(msg::TOURNAMENT_ENVELOPE, L{7, WireValue(L{WireValue(rankings)}, tmt_msg::RANKING_LIST)})},
        {"tiles_from_wall 1 MiB", hugeTiles},
    };
    std::printf("\n%-22s %10s %12s %14s %10s\n", "largest frame", "bytes", "decode ms", "heap/frame byte", "outcome");
    for (const Kind &k : largest) {
        const qint64 bytesBefore = g_allocated;
        QElapsedTimer timer;
        timer.start();
        const char *outcome = "decoded";
        try {
            const WireValue::List fields = codec.decode(k.body);
        } catch (const std::exception &) {
            outcome = "refused";
        }
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        std::printf("%-22s %10lld %12.3f %14.1f %10s\n", k.name, qint64(k.body.size()), ms,
                    double(g_allocated - bytesBefore) / double(k.body.size()), outcome);
    }
    return 0;
}

#include "protocol_benchmark.moc"
