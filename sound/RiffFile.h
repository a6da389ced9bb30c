#pragma once

#include "sound/AudioResult.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QIODevice;

// One chunk of a RIFF file as found by RiffFile::descend.
struct RiffChunk
{
    quint32 id = 0;        // four-character code
    quint32 size = 0;      // bytes of data behind the 8-byte header
    quint32 formType = 0;  // "RIFF" and "LIST" chunks only
    qint64 dataOffset = 0; // file offset of the data (the form type for RIFF/LIST)
};

// Reads the chunk structure of a RIFF file on disk or in memory. Every chunk
// it hands out lies wholly inside its parent and inside the file, so a size
// read from the file can be trusted by the caller.
class RiffFile
{
public:
    enum descend_t {
        AnyChunk,  // the chunk at the current position
        FindChunk, // the next chunk whose id is chunk.id
        FindRiff   // the next "RIFF" chunk whose form type is chunk.formType
    };

    static constexpr quint32 fourcc(const char (&s)[5])
    {
        return quint32(quint8(s[0])) | quint32(quint8(s[1])) << 8 | quint32(quint8(s[2])) << 16
               | quint32(quint8(s[3])) << 24;
    }

    RiffFile();
    ~RiffFile();
    RiffFile(const RiffFile &) = delete;
    RiffFile &operator=(const RiffFile &) = delete;

    AudioResult::code_t openFile(const QString &path);
    // Reads from its own copy of bytes.
    AudioResult::code_t openMemory(const QByteArray &bytes);
    void close();
    bool isOpen() const;

    // Finds a chunk from the current position, within parent (or the whole
    // file) and leaves the position at its data (behind the form type for
    // RIFF and LIST chunks).
    AudioResult::code_t descend(RiffChunk &chunk, const RiffChunk *parent, descend_t how);
    // Moves behind the chunk and its pad byte.
    AudioResult::code_t ascend(const RiffChunk &chunk);
    AudioResult::code_t seek(qint64 offset);
    // Bytes read (fewer only at the end of the file), or -1.
    qint64 read(char *destination, qint64 count);

private:
    bool readHeader(qint64 limit, RiffChunk &chunk);

    std::unique_ptr<QIODevice> m_device;
    QByteArray m_memory;
};
