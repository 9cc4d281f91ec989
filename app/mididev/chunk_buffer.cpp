#include "app/mididev/chunk_buffer.h"

namespace brindle {

void ChunkBuffer::Begin()
{
    bytes_.assign(8, 0);
    for (std::size_t i = 0; i < 4; ++i)
        bytes_[i] = i < id_.size() ? id_[i] : ' ';
}

void ChunkBuffer::Append(const std::uint8_t* bytes, std::size_t count)
{
    if (bytes_.size() < 8)
        Begin();
    bytes_.insert(bytes_.end(), bytes, bytes + count);
}

void ChunkBuffer::Finish()
{
    if (bytes_.size() < 8)
        Begin();
    const auto length = static_cast<std::uint32_t>(bytes_.size() - 8);
    for (int i = 0; i < 4; ++i)
        bytes_[4 + static_cast<std::size_t>(i)] = static_cast<char>((length >> (24 - 8 * i)) & 0xFF);
}

}  // namespace brindle
