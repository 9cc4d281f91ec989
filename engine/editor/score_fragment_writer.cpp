#include "engine/editor/score_fragment_writer.h"

namespace quaverly {

void WriteScoreChunk(const ScoreFragment& fragment, ByteVector& out)
{
    RiffListBuilder score("SCOR");
    for (const FragmentStave& stave : fragment.staves)
        score.Append(WriteStaveChunk(stave));
    out = score.Finish();
}

ByteVector WriteStaveChunk(const FragmentStave& stave)
{
    RiffListBuilder list("STAV");
    for (const FragmentBar& bar : stave)
        list.Append(WriteBarChunk(bar));
    return list.Finish();
}

ByteVector WriteBarChunk(const FragmentBar& bar)
{
    RiffListBuilder list("BAR0");
    for (const FragmentEntry& entry : bar)
        list.Append(WriteNoteChunk(entry));
    return list.Finish();
}

ByteVector WriteNoteChunk(const FragmentEntry& entry)
{
    RiffListBuilder list("NOTE");
    list.Append(WriteUnitChunk("NORM", entry.main));
    for (const NoteUnit& unit : entry.chordNotes)
        list.Append(WriteUnitChunk("CHOD", unit));
    for (const NoteUnit& unit : entry.graceBefore)
        list.Append(WriteUnitChunk("PREG", unit));
    for (const NoteUnit& unit : entry.graceAfter)
        list.Append(WriteUnitChunk("PSTG", unit));
    return list.Finish();
}

ByteVector WriteUnitChunk(std::string_view listType, const NoteUnit& unit)
{
    RiffLeafBuilder leaf("UNIT");
    leaf.Append(EncodeNoteUnit(unit));
    RiffListBuilder list(listType);
    list.Append(leaf.Finish());
    return list.Finish();
}

ByteVector EncodeNoteUnit(const NoteUnit& unit)
{
    ByteVector bytes;
    bytes.reserve(kNoteUnitSize);
    for (const std::int32_t field : {unit.startTime, unit.typeCode, unit.duration, unit.octave,
                                     unit.dots, unit.accidental, unit.kind})
        AppendLittleEndian32(bytes, static_cast<std::uint32_t>(field));
    return bytes;
}

}  // namespace quaverly
