#include "engine/editor/score_fragment_reader.h"

namespace quaverly {

namespace {

constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kListHeaderSize = 12;

std::string ChunkIdAt(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return MakeChunkId(ReadLittleEndian32(bytes, offset));
}

}  // namespace

bool ParseRiffTree(std::span<const std::uint8_t> bytes, RiffNode& root)
{
    if (bytes.size() < kListHeaderSize)
        return false;
    root = RiffNode{};
    root.id = ChunkIdAt(bytes, 0);
    if (!ChunkIdEquals(root.id, "RIFF"))
        return false;
    const std::uint64_t size = ReadLittleEndian32(bytes, 4);
    if (size < 4 || size > bytes.size() - kHeaderSize)
        return false;
    root.listType = ChunkIdAt(bytes, 8);
    return ParseRiffChildren(bytes.subspan(kListHeaderSize, static_cast<std::size_t>(size) - 4),
                             1, root);
}

bool ParseRiffChildren(std::span<const std::uint8_t> bytes, int depth, RiffNode& parent)
{
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        const std::size_t left = bytes.size() - offset;
        if (left < kHeaderSize)
            return false;
        const std::uint64_t size = ReadLittleEndian32(bytes, offset + 4);
        if (size > left - kHeaderSize)
            return false;
        RiffNode child;
        child.id = ChunkIdAt(bytes, offset);
        const auto body = bytes.subspan(offset + kHeaderSize, static_cast<std::size_t>(size));
        if (child.IsList()) {
            if (size < 4 || depth + 1 > kMaxListDepth)
                return false;
            child.listType = ChunkIdAt(body, 0);
            if (!ParseRiffChildren(body.subspan(4), depth + 1, child))
                return false;
            parent.lists.push_back(std::move(child));
        } else {
            child.payload = body;
            parent.leaves.push_back(std::move(child));
        }
        offset += kHeaderSize + static_cast<std::size_t>(size);
    }
    return true;
}

bool ReadScoreChunk(std::span<const std::uint8_t> bytes, ScoreFragment& fragment)
{
    RiffNode root;
    if (!ParseRiffTree(bytes, root) || !ChunkIdEquals(root.listType, "SCOR"))
        return false;
    // Built apart and handed over only when the whole block read well.
    std::vector<FragmentStave> staves;
    for (const RiffNode& list : root.lists) {
        FragmentStave& stave = staves.emplace_back();
        if (!ReadStaveChunk(list, stave))
            return false;
    }
    for (FragmentStave& stave : staves)
        fragment.staves.push_back(std::move(stave));
    return true;
}

bool ReadStaveChunk(const RiffNode& list, FragmentStave& stave)
{
    if (!ChunkIdEquals(list.listType, "STAV"))
        return true;
    for (const RiffNode& child : list.lists) {
        FragmentBar& bar = stave.emplace_back();
        if (!ReadBarChunk(child, bar))
            return false;
    }
    return true;
}

bool ReadBarChunk(const RiffNode& list, FragmentBar& bar)
{
    if (!ChunkIdEquals(list.listType, "BAR0"))
        return true;
    for (const RiffNode& child : list.lists) {
        FragmentEntry& entry = bar.emplace_back();
        if (!ReadNoteChunk(child, entry))
            return false;
    }
    return true;
}

bool ReadNoteChunk(const RiffNode& list, FragmentEntry& entry)
{
    if (!ChunkIdEquals(list.listType, "NOTE"))
        return true;
    for (const RiffNode& child : list.lists) {
        NoteUnit* unit = nullptr;
        if (ChunkIdEquals(child.listType, "NORM"))
            unit = &entry.main;
        else if (ChunkIdEquals(child.listType, "CHOD"))
            unit = &entry.chordNotes.emplace_back();
        else if (ChunkIdEquals(child.listType, "PREG"))
            unit = &entry.graceBefore.emplace_back();
        else if (ChunkIdEquals(child.listType, "PSTG"))
            unit = &entry.graceAfter.emplace_back();
        if (unit && !ReadUnitChunk(child, *unit))
            return false;
    }
    return true;
}

bool ReadUnitChunk(const RiffNode& list, NoteUnit& unit)
{
    for (const RiffNode& leaf : list.leaves) {
        if (!ChunkIdEquals(leaf.id, "UNIT"))
            continue;
        if (leaf.payload.size() != kNoteUnitSize)
            return false;
        unit = DecodeNoteUnit(leaf.payload);
    }
    return true;
}

NoteUnit DecodeNoteUnit(std::span<const std::uint8_t> bytes)
{
    const auto field = [&bytes](std::size_t index) {
        return static_cast<std::int32_t>(ReadLittleEndian32(bytes, index * 4));
    };
    return NoteUnit{field(0), field(1), field(2), field(3), field(4), field(5), field(6)};
}

}  // namespace quaverly
