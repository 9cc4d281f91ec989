// The byte pieces of the chunk tree in which score fragments travel: four-character
// identifiers, 32-bit little-endian sizes, and the two builders that make a list chunk
// and a leaf chunk.
//
// A list chunk is "RIFF", its size (4 + the children's bytes), its list type and the
// children back to back; a leaf chunk is its identifier, its size (the payload's length)
// and the payload. Nothing is padded. The byte order is spelled out byte by byte, so
// the format is the same on every machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quaverly {

using ByteVector = std::vector<std::uint8_t>;

// The four bytes of the value, lowest first, as a four-character identifier.
std::string MakeChunkId(std::uint32_t value);
// True when the identifier has exactly the literal's four characters.
bool ChunkIdEquals(std::string_view id, std::string_view literal);

// The 32-bit value stored little-endian at the offset; the caller checks that four
// bytes are there.
std::uint32_t ReadLittleEndian32(std::span<const std::uint8_t> bytes, std::size_t offset);
void AppendLittleEndian32(ByteVector& bytes, std::uint32_t value);

// Builds one list chunk: Begin writes "RIFF", a size placeholder and the list type;
// children are appended; Finish fixes the size and returns the bytes.
class RiffListBuilder {
public:
    explicit RiffListBuilder(std::string_view listType);

    void Append(const ByteVector& child);
    ByteVector Finish();

private:
    ByteVector bytes_;
};

// Builds one leaf chunk with the identifier and the payload.
class RiffLeafBuilder {
public:
    explicit RiffLeafBuilder(std::string_view id);

    void Append(std::span<const std::uint8_t> payload);
    ByteVector Finish();

private:
    ByteVector bytes_;
};

}  // namespace quaverly
