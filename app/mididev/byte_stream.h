// A sequence of bytes that can be opened, read, written and closed: a file for the MIDI
// file export, a memory buffer in tests.
#pragma once

namespace brindle {

class ByteStream {
public:
    virtual ~ByteStream() = default;
    // True when the stream is open afterwards.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    // Each transfers count bytes; false when the transfer failed.
    virtual bool Read(char* buffer, int count) = 0;
    virtual bool Write(const char* bytes, int count) = 0;

protected:
    ByteStream() = default;
    ByteStream(const ByteStream&) = delete;
    ByteStream& operator=(const ByteStream&) = delete;
};

}  // namespace brindle
