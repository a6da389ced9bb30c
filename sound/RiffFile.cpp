#include "sound/RiffFile.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>

namespace {
constexpr quint32 RiffId = RiffFile::fourcc("RIFF");
constexpr quint32 ListId = RiffFile::fourcc("LIST");
} // namespace

RiffFile::RiffFile() = default;

RiffFile::~RiffFile()
{
    close();
}

AudioResult::code_t RiffFile::openFile(const QString &path)
{
    close();
    auto file = std::make_unique<QFile>(path);
    if (path.isEmpty() || !file->open(QIODevice::ReadOnly))
        return AudioResult::Fail;
    m_device = std::move(file);
    return AudioResult::Ok;
}

AudioResult::code_t RiffFile::openMemory(const QByteArray &bytes)
{
    close();
    m_memory = bytes;
    auto buffer = std::make_unique<QBuffer>(&m_memory);
    if (!buffer->open(QIODevice::ReadOnly)) {
        m_memory.clear();
        return AudioResult::Fail;
    }
    m_device = std::move(buffer);
    return AudioResult::Ok;
}

void RiffFile::close()
{
    m_device.reset();
    m_memory.clear();
}

bool RiffFile::isOpen() const
{
    return m_device != nullptr;
}

bool RiffFile::readHeader(qint64 limit, RiffChunk &chunk)
{
    const qint64 start = m_device->pos();
    if (start + 8 > limit)
        return false;
    char header[8];
    if (m_device->read(header, 8) != 8)
        return false;
    chunk.id = qFromLittleEndian<quint32>(header);
    chunk.size = qFromLittleEndian<quint32>(header + 4);
    chunk.dataOffset = start + 8;
    chunk.formType = 0;
    // A size reaching past its parent or the file is refused here, so nobody
    // later allocates or reads by it.
    return chunk.dataOffset + qint64(chunk.size) <= limit;
}

AudioResult::code_t RiffFile::descend(RiffChunk &chunk, const RiffChunk *parent, descend_t how)
{
    if (!m_device)
        return AudioResult::NotInitialised;
    qint64 limit = m_device->size();
    if (parent)
        limit = qMin(limit, parent->dataOffset + qint64(parent->size));
    if (parent && m_device->pos() < parent->dataOffset)
        return AudioResult::Fail;

    const quint32 wantedId = how == FindRiff ? RiffId : chunk.id;
    const quint32 wantedForm = chunk.formType;
    for (;;) {
        RiffChunk found;
        if (!readHeader(limit, found))
            return AudioResult::Fail;
        const bool container = found.id == RiffId || found.id == ListId;
        if (container) {
            char form[4];
            if (found.size < 4 || m_device->read(form, 4) != 4)
                return AudioResult::Fail;
            found.formType = qFromLittleEndian<quint32>(form);
        }
        const bool match = how == AnyChunk
                           || (found.id == wantedId && (how != FindRiff || found.formType == wantedForm));
        if (match) {
            chunk = found;
            return AudioResult::Ok;
        }
        if (ascend(found) != AudioResult::Ok)
            return AudioResult::Fail;
    }
}

AudioResult::code_t RiffFile::ascend(const RiffChunk &chunk)
{
    if (!m_device)
        return AudioResult::NotInitialised;
    qint64 end = chunk.dataOffset + qint64(chunk.size);
    // The pad byte of an odd-sized chunk is often missing at the end of a file.
    if ((chunk.size & 1) && end < m_device->size())
        ++end;
    return seek(end);
}

AudioResult::code_t RiffFile::seek(qint64 offset)
{
    if (!m_device)
        return AudioResult::NotInitialised;
    if (offset < 0 || offset > m_device->size() || !m_device->seek(offset))
        return AudioResult::Fail;
    return AudioResult::Ok;
}

qint64 RiffFile::read(char *destination, qint64 count)
{
    if (!m_device || !destination || count < 0)
        return -1;
    return m_device->read(destination, count);
}
