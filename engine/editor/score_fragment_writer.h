// Writes a score fragment as its chunk tree:
//
//   RIFF "SCOR"
//     RIFF "STAV"             one per stave, in order
//       RIFF "BAR0"           one per bar, in order
//         RIFF "NOTE"         one per entry, in order
//           RIFF "NORM"       the main unit
//           RIFF "CHOD" ...   one per chord note
//           RIFF "PREG" ...   one per grace note before the note
//           RIFF "PSTG" ...   one per grace note after the note
//             UNIT            (in each of the four) the 28-byte unit
//
// Every list uses the identifier "RIFF". An empty fragment is the 12 bytes "RIFF", 4,
// "SCOR"; a unit list is 48 bytes, a note without chord or grace notes 60.
#pragma once

#include "engine/editor/riff_chunk_builder.h"
#include "engine/editor/score_fragment.h"

namespace quaverly {

// Replaces the content of `out` with the byte form of the fragment.
void WriteScoreChunk(const ScoreFragment& fragment, ByteVector& out);

// The byte form of one level of the tree.
ByteVector WriteStaveChunk(const FragmentStave& stave);
ByteVector WriteBarChunk(const FragmentBar& bar);
ByteVector WriteNoteChunk(const FragmentEntry& entry);
// A list of the type holding the unit's UNIT leaf.
ByteVector WriteUnitChunk(std::string_view listType, const NoteUnit& unit);

// The 28 bytes of the unit, each field little-endian in field order.
ByteVector EncodeNoteUnit(const NoteUnit& unit);

}  // namespace quaverly
