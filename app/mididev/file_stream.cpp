#include "app/mididev/file_stream.h"

#include <utility>

namespace brindle {

FileStream::FileStream(std::filesystem::path fileName, std::ios::openmode mode)
    : mode_(mode), fileName_(std::move(fileName))
{
}

FileStream::~FileStream()
{
    if (stream_.is_open())
        stream_.close();
}

bool FileStream::Open()
{
    if (stream_.is_open())
        stream_.close();
    stream_.clear();
    stream_.open(fileName_, mode_);
    return stream_.is_open();
}

void FileStream::Close()
{
    if (stream_.is_open())
        stream_.close();
}

bool FileStream::Read(char* buffer, int count)
{
    if (count < 0 || (count > 0 && buffer == nullptr))
        return false;
    stream_.read(buffer, count);
    return !stream_.fail();
}

bool FileStream::Write(const char* bytes, int count)
{
    if (count < 0 || (count > 0 && bytes == nullptr))
        return false;
    stream_.write(bytes, count);
    stream_.flush();
    return !stream_.fail();
}

}  // namespace brindle
