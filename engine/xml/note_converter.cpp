#include "engine/xml/note_converter.h"

#include <algorithm>


#include "engine/model/bar.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/int_clamp.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_styles.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"
#include "engine/model/tie.h"
#include "engine/model/tuplet.h"
#include "engine/xml/notations_converter.h"
#include "engine/xml/xml_document_context.h"

namespace quaverly {

namespace {

constexpr int kOctaveOfRegisterZero = 4;

// What the note shows, from its "rest" and its pitch's "step" in document order (the
// later wins); 0 when neither names anything. It decides the class of the new note.
int ShownCode(const std::vector<const XmlElement*>& children)
{
    int code = pitch_code::kNone;
    for (const XmlElement* child : children) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"rest")) {
            code = pitch_code::kRest;
        } else if (TextEquals(name, u"pitch")) {
            for (const XmlElement* part : child->Children()) {
                if (!TextEquals(ElementName(*part), u"step"))
                    continue;
                const int step = TextToStep(ElementText(*part));
                if (step >= 0)
                    code = step;
            }
        }
    }
    return code;
}

// The longest note value that a duration read without "type" holds (a 128th at least),
// so that the note writes back the value it was read with; nothing stays nothing.
int NoteValueOf(std::int64_t ticks)
{
    if (ticks <= 0)
        return 0;
    for (int value = note_length::kBreve; value > note_length::k128th; value /= 2) {
        if (ticks >= value)
            return value;
    }
    return note_length::k128th;
}

// The finest length a document of the program holds: one of the 128 divisions of a
// quarter it writes.
constexpr int kWrittenUnit = kTicksPerQuarter / XmlDocumentContext::kWrittenDivisions;

// The base duration of a note read with a "type": the type's value, unless the duration
// read is a cut of it. Overwrite entry cuts undotted notes outside tuplets to lengths no
// value names, and they are written with the shortest value that holds them: a length
// above half the type's value and below it, on the grid of the program's documents. A
// length the type does not hold (a quarter of two breves) or a performed length off
// that grid (470 of 480 divisions) gives the type's value, and so does no length at all.
int TypedBase(int typeValue, std::int64_t ticks, int dots, bool inTuplet)
{
    const bool cut = dots == 0 && !inTuplet && ticks < typeValue &&
                     ticks * 2 > typeValue && ticks % kWrittenUnit == 0;
    return cut ? static_cast<int>(ticks) : typeValue;
}

// Where the next grace note of a list starts: after the ones before it.
int RunningStart(const std::vector<std::shared_ptr<Note>>& graces)
{
    std::int64_t start = 0;
    for (const auto& grace : graces)
        start += GetNoteDuration(grace.get());
    return ClampToInt(start);
}

std::shared_ptr<Note> MakeNote(int code)
{
    std::shared_ptr<Note> note = CreateNote(code);
    return note ? note : std::make_shared<Note>();
}

// The tie the part's list holds for the note, as its start or its end.
void IndexTies(XmlDocumentContext& context, const Part& part)
{
    if (context.tiesIndexed == &part)
        return;
    context.tiesIndexed = &part;
    context.tieStarts.clear();
    context.tieEnds.clear();
    for (const std::shared_ptr<Tie>& tie : part.GetTies()) {
        if (!tie)
            continue;
        if (const auto& start = tie->GetStart().note)
            context.tieStarts.emplace(start.get(), tie);
        if (const auto& end = tie->GetEnd().note)
            context.tieEnds.emplace(end.get(), tie);
    }
}

}  // namespace

int NoteConverter::WrittenType(const Note& note)
{
    return TextToNoteType(NoteTypeToText(NoteTypeAtLeast(note.GetDuration())));
}

std::int64_t NoteConverter::ReadBackLength(const Note& note)
{
    // What the reader makes of the written type and duration.
    constexpr int divisions = XmlDocumentContext::kWrittenDivisions;
    const std::int64_t units = std::int64_t{divisions} * note.GetDuration() / kTicksPerQuarter;
    const int base = TypedBase(WrittenType(note), units * kTicksPerQuarter / divisions,
                               note.GetDots(), note.GetTupletActual() != 0);
    return GetPlayedLength(base, note.GetDots(), note.GetTupletActual(), note.GetTupletNormal());
}

void NoteConverter::Read()
{
    ReadCommon();
    XmlDocumentContext* context = Context();
    note_.reset();
    if (!context || !bar_)
        return;
    auto note = MakeNote(ShownCode(ChildElements()));
    note->SetOffset(ReadRelativeXY(Attributes()));
    std::shared_ptr<const NoteStyle> style = SharedNormalNoteStyle();
    bool explicitSize = false;
    bool typeSeen = false;
    int base = kTicksPerQuarter;
    std::int64_t converted = 0;
    int dots = 0;
    int staff = 1;
    int voice = 0;
    bool timeModified = false;
    int actual = 3;
    int normal = 2;
    NotationLinks links;

    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"chord")) {
            chord_ = true;
        } else if (TextEquals(name, u"grace")) {
            // Only the presence of the attributes counts.
            const AttributeMap attributes = CollectAttributes(*child);
            graceBefore_ = attributes.count(u"steal-time-following") != 0;
            graceAfter_ = attributes.count(u"steal-time-previous") != 0;
        } else if (TextEquals(name, u"duration")) {
            converted = context->DurationToTicks(TextToInt(ElementText(*child)));
        } else if (TextEquals(name, u"dot")) {
            dots = std::min(dots + 1, note_limits::kMaxDots);
        } else if (TextEquals(name, u"type")) {
            typeSeen = true;
            base = TextToNoteType(ElementText(*child));
        } else if (TextEquals(name, u"pitch")) {
            PitchConverter pitch(note);
            ReadChild(pitch, child);
        } else if (TextEquals(name, u"accidental")) {
            note->SetAccidental(TextToAccidental(ElementText(*child)));
        } else if (TextEquals(name, u"size")) {
            // An unknown size keeps the style the note has.
            if (auto named = CreateNoteStyle(TextToNoteKind(ElementText(*child)))) {
                style = std::move(named);
                explicitSize = true;
            }
        } else if (TextEquals(name, u"time-modification")) {
            timeModified = true;
            for (const XmlElement* count : child->Children()) {
                const std::u16string countName = ElementName(*count);
                if (TextEquals(countName, u"actual-notes"))
                    actual = TextToInt(ElementText(*count));
                else if (TextEquals(countName, u"normal-notes"))
                    normal = TextToInt(ElementText(*count));
            }
        } else if (TextEquals(name, u"notations")) {
            NotationsConverter notations(note);
            ReadChild(notations, child);
            const NotationLinks& read = notations.GetLinks();
            // A later notations element adds to what an earlier one said.
            if (read.tupletStart || !links.tupletStart) {
                links.tupletStart = read.tupletStart;
                links.tupletOffset = read.tupletOffset;
            }
            if (read.tieStart) {
                links.tieStart = true;
                links.tieStartOffset = read.tieStartOffset;
            }
            if (read.tieStop) {
                links.tieStop = true;
                links.tieStopOffset = read.tieStopOffset;
            }
        } else if (TextEquals(name, u"staff")) {
            staff = TextToInt(ElementText(*child));
        } else if (TextEquals(name, u"voice")) {
            voice = TextToInt(ElementText(*child));
        } else if (TextEquals(name, u"lyric")) {
            LyricConverter lyric(note);
            ReadChild(lyric, child);
        }
    }

    // A tuplet start without a time modification is a triplet.
    const bool inTuplet = (timeModified || links.tupletStart) && actual > 0 && normal > 0;
    note->SetDuration(typeSeen ? TypedBase(base, converted, dots, inTuplet)
                               : NoteValueOf(converted));
    note->SetDots(dots);
    note->SetStartTime(context->readingPosition);
    note->SetStyle(style);

    // The counts as the note keeps them.
    actual = std::min(actual, note_limits::kMaxTupletCount);
    normal = std::min(normal, note_limits::kMaxTupletCount);
    const bool main = !chord_ && !graceBefore_ && !graceAfter_;
    const std::int64_t played = GetPlayedLength(note->GetDuration(), note->GetDots(),
                                                inTuplet ? actual : 0, inTuplet ? normal : 0);
    // A value of 0 has no place in a bar.
    if (note->GetDuration() <= 0)
        return;

    const bool first = staff <= 1;
    const int s = first ? 0 : 1;
    StaffReadingState& state = context->staves[static_cast<std::size_t>(s)];
    std::shared_ptr<Bar> bar = bar_;
    std::shared_ptr<Part> tieOwner =
        partEntry_ ? std::dynamic_pointer_cast<Part>(partEntry_->GetChild(0)) : nullptr;
    if (!first) {
        context->secondStaff = true;
        tieOwner = context->pendingPart;
        const int count = tieOwner ? tieOwner->GetChildCount() : 0;
        bar = count > 0 ? std::dynamic_pointer_cast<Bar>(tieOwner->GetChild(count - 1)) : nullptr;
        if (!bar)
            return;
    }

    // Only the lowest voice of the staff is kept; a dropped note still takes its time.
    int& lowest = context->lowestVoice[static_cast<std::size_t>(s)];
    if (lowest < voice) {
        if (main)
            context->MoveReadingPosition(played);
        return;
    }
    lowest = voice;

    if (chord_) {
        if (!state.lastMainNote)
            return;  // nothing to stack on
        if (!first || !explicitSize)
            note->SetStyle(SharedChordNoteStyle());
        if (!first || !state.lastMainNoteSized)
            state.lastMainNote->SetStyle(SharedChordNoteStyle());
        note->SetStartTime(state.lastMainNote->GetStartTime());
        state.lastMainNote->GetChordNotes()->AddNote(note);
    } else if (graceBefore_) {
        // Grace notes run from 0 in their list, each after the one before, as they are
        // entered.
        note->SetStartTime(RunningStart(state.pendingGraceNotes));
        state.pendingGraceNotes.push_back(note);
    } else if (graceAfter_) {
        if (!state.lastMainNote)
            return;  // no main note to follow
        note->SetStartTime(RunningStart(state.lastMainNote->GetGraceListB()->GetNotes()));
        state.lastMainNote->GetGraceListB()->AddNote(note);
    } else {
        state.DropStaleTies(++state.chord);
        for (std::shared_ptr<Note>& grace : state.pendingGraceNotes)
            note->GetGraceListA()->AddNote(std::move(grace));
        state.pendingGraceNotes.clear();
        bar->AddNote(note);
        state.lastMainNote = note;
        state.lastMainNoteSized = first && explicitSize;
        context->MoveReadingPosition(played);
    }
    note_ = note;

    if (links.tupletStart && inTuplet) {
        auto tuplet = std::make_shared<Tuplet>();
        tuplet->SetActualCount(actual);
        tuplet->SetNormalCount(normal);
        tuplet->SetFirstNote(note);
        tuplet->SetOffset(links.tupletOffset);
        bar->AddTuplet(std::move(tuplet));
    } else if (inTuplet) {
        // A further note of the tuplet the bar has open.
        note->SetTupletActual(actual);
        note->SetTupletNormal(normal);
        const auto& tuplets = bar->GetTuplets();
        if (main && !tuplets.empty() && tuplets.back()->GetActualCount() == actual &&
            tuplets.back()->GetNormalCount() == normal)
            tuplets.back()->AddNote(note);
    }

    if (!tieOwner)
        return;
    // Chord notes tie as main notes do: each stop ends the tie of its own pitch.
    if (links.tieStop) {
        if (auto ended = state.TakePendingTie(*note))
            ended->SetEnd({bar, note});
    }
    if (links.tieStart) {
        // A tie started again on its pitch before it ended joins nothing.
        if (auto open = state.TakePendingTie(*note, true))
            tieOwner->RemoveTie(open);
        auto tie = std::make_shared<Tie>();
        tie->SetStart({bar, note});
        tie->SetOffset(links.tieStartOffset);
        tieOwner->AddTie(tie);
        state.pendingTies.push_back({std::move(tie), tieOwner, state.chord});
    }
}

void NoteConverter::Write()
{
    XmlDocumentContext* context = Context();
    if (!note_ || !context || !ParentElement())
        return;
    const Note& n = *note_;
    XmlElement* element = AppendElement(*ParentElement(), u"note");
    WriteRelativeXY(*element, n.GetOffset());
    if (chord_)
        AppendElement(*element, u"chord");
    if (graceBefore_ || graceAfter_) {
        XmlElement* grace = AppendElement(*element, u"grace");
        if (graceBefore_)
            SetAttribute(*grace, u"steal-time-following", u"33");
        if (graceAfter_)
            SetAttribute(*grace, u"steal-time-previous", u"33");
    }
    if (n.GetPitchCode() == pitch_code::kRest) {
        AppendElement(*element, u"rest");
    } else {
        PitchConverter pitch(note_);
        WriteChild(pitch, element);
    }
    const std::int64_t units =
        std::int64_t{context->divisions} * n.GetDuration() / kTicksPerQuarter;
    AppendTextElement(*element, u"duration", IntToText(ClampToInt(units)));
    AppendTextElement(*element, u"type", NoteTypeToText(WrittenType(n)));
    for (int d = 0; d < n.GetDots(); ++d)
        AppendElement(*element, u"dot");
    if (n.GetAccidental() != accidental_code::kNone)
        AppendTextElement(*element, u"accidental", AccidentalToText(n.GetAccidental()));
    AppendTextElement(*element, u"size",
                      NoteKindToText(n.GetStyle() ? n.GetStyle()->GetKind() : 0));
    if (n.GetTupletActual() != 0) {
        XmlElement* modification = AppendElement(*element, u"time-modification");
        AppendTextElement(*modification, u"actual-notes", IntToText(n.GetTupletActual()));
        AppendTextElement(*modification, u"normal-notes", IntToText(n.GetTupletNormal()));
    }

    NotationLinks links;
    if (bar_) {
        for (const std::shared_ptr<Tuplet>& tuplet : bar_->GetTuplets()) {
            if (tuplet && tuplet->GetFirstNote() == note_) {
                links.tupletStart = true;
                links.tupletOffset = tuplet->GetOffset();
            }
        }
    }
    const auto part =
        partEntry_ ? std::dynamic_pointer_cast<Part>(partEntry_->GetChild(0)) : nullptr;
    if (part) {
        IndexTies(*context, *part);
        if (const auto found = context->tieStarts.find(&n); found != context->tieStarts.end()) {
            links.tieStart = true;
            links.tieStartOffset = found->second->GetOffset();
        }
        if (const auto found = context->tieEnds.find(&n); found != context->tieEnds.end()) {
            links.tieStop = true;
            links.tieStopOffset = found->second->GetOffset();
        }
    }
    NotationsConverter notations(note_);
    notations.SetLinks(links);
    WriteChild(notations, element);
    LyricConverter lyrics(note_);
    WriteChild(lyrics, element);
}

// --- pitch ---

void PitchConverter::Read()
{
    ReadCommon();
    if (!note_)
        return;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        const std::u16string text = ElementText(*child);
        if (TextEquals(name, u"step")) {
            const int step = TextToStep(text);
            if (step >= 0)
                note_->SetPitchCode(step);
        } else if (TextEquals(name, u"alter")) {
            note_->SetAccidental(TextToInt(text));
        } else if (TextEquals(name, u"octave")) {
            note_->SetOctave(ClampToInt(std::int64_t{TextToInt(text)} - kOctaveOfRegisterZero));
        }
    }
}

void PitchConverter::Write()
{
    if (!note_ || !ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"pitch");
    AppendTextElement(*element, u"step", StepToText(note_->GetPitchCode()));
    AppendTextElement(*element, u"alter", IntToText(note_->GetAccidental()));
    AppendTextElement(*element, u"octave", IntToText(note_->GetOctave() + kOctaveOfRegisterZero));
}

// --- lyric ---

void LyricConverter::Read()
{
    ReadCommon();
    if (!note_)
        return;
    const std::u16string* number = FindAttribute(u"number");
    const int verse = number ? TextToIndex(*number) : 0;
    std::u16string text;
    std::u16string syllabic;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"text"))
            text = ElementText(*child);
        else if (TextEquals(name, u"syllabic"))
            syllabic = ElementText(*child);
    }
    if (TextEquals(syllabic, u"begin") || TextEquals(syllabic, u"middle"))
        text += u'-';
    const std::shared_ptr<Lyric> lyric = note_->GetLyric(verse);
    if (!lyric)
        return;
    lyric->SetText(std::move(text));
    lyric->SetOffset(ReadRelativeXY(Attributes()));
}

void LyricConverter::Write()
{
    if (!note_ || !ParentElement())
        return;
    for (int verse = 0; verse < kVerseCount; ++verse) {
        const Lyric* lyric = note_->GetLyricIfMade(verse);
        if (lyric == nullptr || lyric->GetText().empty())
            continue;
        XmlElement* element = AppendElement(*ParentElement(), u"lyric");
        SetAttribute(*element, u"number", IndexToText(verse));
        WriteRelativeXY(*element, lyric->GetOffset());
        AppendTextElement(*element, u"text", lyric->GetText());
    }
}

}  // namespace quaverly
