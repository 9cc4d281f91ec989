#include "engine/editor/riff_chunk_builder.h"

namespace quaverly {

namespace {

// Writes the four characters of the identifier (missing ones as spaces, extra ones
// dropped): every identifier of the format is four ASCII characters.
void AppendChunkId(ByteVector& bytes, std::string_view id)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(i < id.size() ? id[i] : ' '));
}

// The length after the eight header bytes, written into bytes 4-7.
void FixSize(ByteVector& bytes)
{
    const auto size = static_cast<std::uint32_t>(bytes.size() - 8);
    for (std::size_t i = 0; i < 4; ++i)
        bytes[4 + i] = static_cast<std::uint8_t>(size >> (8 * i));
}

}  // namespace

std::string MakeChunkId(std::uint32_t value)
{
    std::string id(4, '\0');
    for (std::size_t i = 0; i < 4; ++i)
        id[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return id;
}

bool ChunkIdEquals(std::string_view id, std::string_view literal)
{
    return id.size() == 4 && id == literal;
}

std::uint32_t ReadLittleEndian32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(bytes[offset]) |
           static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

void AppendLittleEndian32(ByteVector& bytes, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

RiffListBuilder::RiffListBuilder(std::string_view listType)
{
    AppendChunkId(bytes_, "RIFF");
    AppendLittleEndian32(bytes_, 0);
    AppendChunkId(bytes_, listType);
}

void RiffListBuilder::Append(const ByteVector& child)
{
    bytes_.insert(bytes_.end(), child.begin(), child.end());
}

ByteVector RiffListBuilder::Finish()
{
    FixSize(bytes_);
    return std::move(bytes_);
}

RiffLeafBuilder::RiffLeafBuilder(std::string_view id)
{
    AppendChunkId(bytes_, id);
    AppendLittleEndian32(bytes_, 0);
}

void RiffLeafBuilder::Append(std::span<const std::uint8_t> payload)
{
    bytes_.insert(bytes_.end(), payload.begin(), payload.end());
}

ByteVector RiffLeafBuilder::Finish()
{
    FixSize(bytes_);
    return std::move(bytes_);
}

}  // namespace quaverly
