#include "sound/WaveFileReader.h"

#include <QFile>
#include <QtEndian>

namespace {
constexpr quint32 WaveForm = RiffFile::fourcc("WAVE");
constexpr quint32 FmtId = RiffFile::fourcc("fmt ");
constexpr quint32 DataId = RiffFile::fourcc("data");

// Embedded sounds stand where the program's own "WAVE" or "WAV" resources
// would be.
QByteArray resourceBytes(const QString &name)
{
    for (const char *type : {":/WAVE/", ":/WAV/"}) {
        QFile resource(QLatin1String(type) + name);
        if (resource.open(QIODevice::ReadOnly))
            return resource.readAll();
    }
    return {};
}
} // namespace

WaveFileReader::WaveFileReader() = default;

WaveFileReader::~WaveFileReader()
{
    close();
}

AudioResult::code_t WaveFileReader::open(const QString &name, int mode)
{
    if (name.isNull() || mode != Read)
        return AudioResult::InvalidArg;
    m_format.reset();
    close();

    if (m_file.openFile(name) != AudioResult::Ok) {
        const QByteArray bytes = resourceBytes(name);
        if (bytes.isEmpty() || m_file.openMemory(bytes) != AudioResult::Ok)
            return AudioResult::Fail;
    }

    const AudioResult::code_t formatResult = readFormat();
    if (AudioResult::failed(formatResult)) {
        close();
        return formatResult;
    }
    const AudioResult::code_t result = rewind();
    if (AudioResult::succeeded(result))
        m_dataSize = m_data.size;
    return result;
}

AudioResult::code_t WaveFileReader::readFormat()
{
    m_riff = RiffChunk();
    m_riff.formType = WaveForm;
    if (m_file.descend(m_riff, nullptr, RiffFile::AnyChunk) != AudioResult::Ok || m_riff.id != RiffFile::fourcc("RIFF")
        || m_riff.formType != WaveForm)
        return AudioResult::Fail;

    RiffChunk fmt;
    fmt.id = FmtId;
    if (m_file.descend(fmt, &m_riff, RiffFile::FindChunk) != AudioResult::Ok || fmt.size < quint32(WaveFormat::PcmSize))
        return AudioResult::Fail;

    QByteArray pcm(WaveFormat::PcmSize, '\0');
    if (m_file.read(pcm.data(), pcm.size()) != pcm.size())
        return AudioResult::Fail;

    QByteArray extra;
    if (qFromLittleEndian<quint16>(pcm.constData()) != WaveFormat::Pcm) {
        char sizeBytes[2];
        if (fmt.size < quint32(WaveFormat::HeaderSize) || m_file.read(sizeBytes, 2) != 2)
            return AudioResult::Fail;
        const quint16 extraSize = qFromLittleEndian<quint16>(sizeBytes);
        // The extra bytes must lie inside the format chunk: the chunk itself is
        // already known to lie inside the file.
        if (quint32(WaveFormat::HeaderSize) + extraSize > fmt.size)
            return AudioResult::Fail;
        extra.resize(extraSize);
        if (m_file.read(extra.data(), extraSize) != extraSize)
            return AudioResult::Fail;
    }

    if (m_file.ascend(fmt) != AudioResult::Ok)
        return AudioResult::Fail;
    m_format = std::make_unique<WaveFormat>(pcm, extra);
    return AudioResult::Ok;
}

AudioResult::code_t WaveFileReader::rewind()
{
    if (!m_file.isOpen())
        return AudioResult::NotInitialised;
    if (m_file.seek(m_riff.dataOffset + 4) != AudioResult::Ok)
        return AudioResult::Fail;
    RiffChunk data;
    data.id = DataId;
    if (m_file.descend(data, &m_riff, RiffFile::FindChunk) != AudioResult::Ok)
        return AudioResult::Fail;
    if (data.size > MaxDataSize)
        return AudioResult::Fail;
    m_data = data;
    return AudioResult::Ok;
}

AudioResult::code_t WaveFileReader::read(quint8 *destination, quint32 count, quint32 *bytesRead)
{
    if (!m_file.isOpen())
        return AudioResult::NotInitialised;
    if (!destination || !bytesRead)
        return AudioResult::InvalidArg;
    *bytesRead = 0;
    const quint32 n = qMin(count, m_data.size);
    if (n == 0)
        return AudioResult::Ok;
    const qint64 got = m_file.read(reinterpret_cast<char *>(destination), n);
    // The chunk was checked against the file size; a short read means the
    // file changed underneath.
    if (got != qint64(n))
        return AudioResult::Fail;
    m_data.size -= n;
    *bytesRead = n;
    return AudioResult::Ok;
}

void WaveFileReader::close()
{
    m_file.close();
    m_riff = RiffChunk();
    m_data = RiffChunk();
    m_dataSize = 0;
}
