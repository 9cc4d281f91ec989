// A ByteStream on a file, opened with the standard stream open modes. Every write is
// handed on to the file at once, so that a full disk or a failing device shows in the
// result of the write that met it, not only when the file is closed.
#pragma once

#include <filesystem>
#include <fstream>
#include <ios>

#include "app/mididev/byte_stream.h"

namespace brindle {

class FileStream final : public ByteStream {
public:
    FileStream(std::filesystem::path fileName, std::ios::openmode mode);
    // Closes the file.
    ~FileStream() override;

    bool Open() override;
    void Close() override;
    bool Read(char* buffer, int count) override;
    bool Write(const char* bytes, int count) override;

    // False once an open, transfer or close has failed.
    bool IsGood() const { return !stream_.fail(); }

private:
    std::ios::openmode mode_;
    std::fstream stream_;
    std::filesystem::path fileName_;
};

}  // namespace brindle
