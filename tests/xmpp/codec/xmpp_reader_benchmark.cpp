// Throughput of the XMPP stream reader with its element decoder, against a
// bare QXmlStreamReader reading the same bytes. Run by hand:
//   build/tests/xmpp/codec/xmpp_reader_benchmark [stanzas] [rounds]
#include "xmpp/stream/StreamReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTextStream>
#include <QXmlStreamReader>

#include <cstdio>

namespace {

QByteArray sampleStream(int stanzas)
{
    QByteArray data = "<?xml version='1.0'?><stream:stream xmlns='jabber:client' "
                      "xmlns:stream='http://etherx.jabber.org/streams' from='example.net' id='s' "
                      "xml:lang='en' version='1.0'>";
    for (int i = 0; i < stanzas; ++i) {
        switch (i % 3) {
        case 0:
            data +=
                "<message from='lobby@conference.example.net/player" + QByteArray::number(i)
                + "' to='12@example.net/desk' type='groupchat' id='m" + QByteArray::number(i)
                + "'><body>Good game everyone, see you at the next table!</body>"
                  "<delay xmlns='urn:xmpp:delay' from='lobby@conference.example.net' stamp='2024-03-09T14:05:06.123456Z'/></message>";
            break;
        case 1:
            data +=
                "<presence from='" + QByteArray::number(i)
                + "@example.net/desk' to='12@example.net/desk'>"
                  "<show>away</show><status>At the tables</status><priority>5</priority>"
                  "<tables xmlns='http://kestrova-mahjong.net/protocol/tablepresence'><path>101/Practice/17</path></tables>"
                  "<x xmlns='vcard-temp:x:update'><photo>0123456789abcdef0123456789abcdef01234567</photo></x></presence>";
            break;
        default:
            data += "<iq type='result' id='r" + QByteArray::number(i)
                    + "' to='12@example.net/desk'>"
                      "<query xmlns='jabber:iq:roster'><item jid='7@example.net' subscription='both' name='Ann'>"
                      "<group>Friends</group></item></query></iq>";
            break;
        }
    }
    return data;
}

// Feeds the data in socket-sized pieces, as a client would receive it.
constexpr int pieceSize = 4096;

int readWithStreamReader(const QByteArray &data)
{
    xmpp::StreamReader reader;
    int elements = 0;
    for (qsizetype pos = 0; pos < data.size(); pos += pieceSize) {
        reader.addData(data.mid(pos, pieceSize));
        while (reader.next() == xmpp::StreamReader::ElementReady)
            ++elements;
    }
    return elements;
}

int readWithQXmlStreamReader(const QByteArray &data)
{
    QXmlStreamReader reader;
    int elements = 0;
    int depth = 0;
    for (qsizetype pos = 0; pos < data.size(); pos += pieceSize) {
        reader.addData(data.mid(pos, pieceSize));
        for (;;) {
            const auto token = reader.readNext();
            if (token == QXmlStreamReader::Invalid || token == QXmlStreamReader::NoToken)
                break;
            if (token == QXmlStreamReader::StartElement)
                ++depth;
            else if (token == QXmlStreamReader::EndElement && --depth == 1)
                ++elements;
        }
    }
    return elements;
}

template <typename F>
double bestSeconds(F run, int rounds, int expected)
{
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        const int elements = run();
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (elements != expected) {
            std::fprintf(stderr, "expected %d elements, got %d\n", expected, elements);
            std::exit(1);
        }
        best = std::min(best, seconds);
    }
    return best;
}

QLoggingCategory::CategoryFilter g_rules = nullptr;

// As the client runs by default, the traffic log is off, whatever rules the
// environment or a configuration file set: the figures measure the reader.
void trafficLogOff(QLoggingCategory *category)
{
    if (g_rules)
        g_rules(category);
    if (qstrcmp(category->categoryName(), "mahjong.xmpp") == 0)
        category->setEnabled(QtDebugMsg, false);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    g_rules = QLoggingCategory::installFilter(trafficLogOff);
    const QStringList args = app.arguments();
    const int stanzas = args.size() > 1 ? args.at(1).toInt() : 30000;
    const int rounds = args.size() > 2 ? args.at(2).toInt() : 5;
    const QByteArray data = sampleStream(stanzas);
    const double mb = data.size() / (1024.0 * 1024.0);

    const double ours = bestSeconds([&] { return readWithStreamReader(data); }, rounds, stanzas);
    const double bare = bestSeconds([&] { return readWithQXmlStreamReader(data); }, rounds, stanzas);

    QTextStream out(stdout);
    out << "bytes: " << data.size() << ", stanzas: " << stanzas << ", best of " << rounds << "\n";
    out << "StreamReader+decoder: " << qRound(stanzas / ours) << " stanzas/s, " << QString::number(mb / ours, 'f', 1)
        << " MB/s\n";
    out << "QXmlStreamReader alone: " << qRound(stanzas / bare) << " stanzas/s, " << QString::number(mb / bare, 'f', 1)
        << " MB/s\n";
    out << "ratio (bare / ours): " << QString::number(ours / bare, 'f', 2) << "\n";
    return 0;
}
