#pragma once

#include "sound/AudioResult.h"
#include "sound/RiffFile.h"
#include "sound/WaveFormat.h"

#include <QString>

#include <memory>

// Reads the format and the sample data of a RIFF WAVE file, from disk or from
// an embedded ":/WAVE/<name>" or ":/WAV/<name>" resource.
class WaveFileReader
{
public:
    enum mode_t { Read = 0 };
    // Sample data beyond this is refused rather than allocated (about six
    // minutes of CD-quality stereo).
    static constexpr quint32 MaxDataSize = 64u * 1024u * 1024u;

    WaveFileReader();
    ~WaveFileReader();
    WaveFileReader(const WaveFileReader &) = delete;
    WaveFileReader &operator=(const WaveFileReader &) = delete;

    AudioResult::code_t open(const QString &name, int mode = Read);
    // Reads up to count bytes of sample data from the current data position.
    AudioResult::code_t read(quint8 *destination, quint32 count, quint32 *bytesRead);
    // Back to the start of the sample data.
    AudioResult::code_t rewind();
    void close();

    // Size of the "data" chunk; 0 until a file was opened successfully.
    quint32 dataSize() const { return m_dataSize; }
    // Bytes of sample data not yet read since the last rewind.
    quint32 remaining() const { return m_data.size; }
    const WaveFormat *format() const { return m_format.get(); }

private:
    AudioResult::code_t readFormat();

    RiffFile m_file;
    std::unique_ptr<WaveFormat> m_format;
    RiffChunk m_riff;
    RiffChunk m_data;
    quint32 m_dataSize = 0;
};
