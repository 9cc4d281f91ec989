// Reads the chunk tree of a score fragment back (the layout is in
// score_fragment_writer.h).
//
// The bytes come from the clipboard, so nothing in them is trusted. Every chunk must fit
// inside its parent and the buffer, a list must be at least 4 bytes (its type), lists
// nest at most kMaxListDepth deep, and every UNIT leaf is exactly 28 bytes. A block that
// breaks any of these is refused whole and the fragment is left as it was. Bytes after
// the outer chunk are ignored (a clipboard may hand over a block rounded up in size).
//
// Within a sound tree the reader is lenient as the format allows: nested lists may be
// "RIFF" or "LIST"; a list of an unknown type gives an empty stave, an empty bar or an
// entry with an all-zero unit; unknown leaves are ignored. Whether the units make sense
// as notes is the paste's business (PasteInserter::ValidateFragment).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/editor/riff_chunk_builder.h"
#include "engine/editor/score_fragment.h"

namespace quaverly {

// The deepest nesting of lists a fragment may have; the format itself uses five.
inline constexpr int kMaxListDepth = 8;

// One chunk of a parsed tree. A list keeps its sub-lists and its leaves apart, each in
// their order; a leaf's payload points into the parsed bytes, which must outlive it.
struct RiffNode {
    std::string id;        // "RIFF" or "LIST" for a list, the leaf's own identifier else
    std::string listType;  // lists only
    std::vector<RiffNode> lists;
    std::vector<RiffNode> leaves;
    std::span<const std::uint8_t> payload;  // leaves only

    bool IsList() const { return ChunkIdEquals(id, "RIFF") || ChunkIdEquals(id, "LIST"); }
};

// Parses the outer chunk, which must be a "RIFF" list, into `root`. False for a damaged
// tree (root is then unspecified).
bool ParseRiffTree(std::span<const std::uint8_t> bytes, RiffNode& root);
// Parses the chunks that fill `bytes` exactly into the parent's lists and leaves; depth
// is the nesting of the parent.
bool ParseRiffChildren(std::span<const std::uint8_t> bytes, int depth, RiffNode& parent);

// Parses the bytes and appends their staves to the fragment. False, with the fragment
// unchanged, when the tree is damaged, a unit has the wrong size, or the outer list is
// not of type "SCOR".
bool ReadScoreChunk(std::span<const std::uint8_t> bytes, ScoreFragment& fragment);

// One level of the tree each; false only for a unit of the wrong size below it.
bool ReadStaveChunk(const RiffNode& list, FragmentStave& stave);
bool ReadBarChunk(const RiffNode& list, FragmentBar& bar);
bool ReadNoteChunk(const RiffNode& list, FragmentEntry& entry);
// Copies the payload of the list's UNIT leaf into the unit (the last one wins); a list
// without one leaves the unit as it is. False for a UNIT leaf that is not 28 bytes.
bool ReadUnitChunk(const RiffNode& list, NoteUnit& unit);

NoteUnit DecodeNoteUnit(std::span<const std::uint8_t> bytes);

}  // namespace quaverly
