// One chunk of a standard MIDI file under construction: a four-character identifier, a
// 32-bit big-endian length and the bytes after them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brindle {

class ChunkBuffer {
public:
    void SetId(const std::string& id) { id_ = id; }
    // Starts afresh with the identifier (padded with blanks to four characters) and room
    // for the length.
    void Begin();
    void Append(const std::uint8_t* bytes, std::size_t count);
    void Append(const std::vector<std::uint8_t>& bytes) { Append(bytes.data(), bytes.size()); }
    // Puts the number of bytes after the first eight into the length, most significant
    // byte first.
    void Finish();
    const std::vector<char>& Data() const { return bytes_; }

private:
    std::string id_;
    std::vector<char> bytes_;
};

}  // namespace brindle
