#include "engine/xml/measure_converter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>


#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/barline_mark.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/note.h"
#include "engine/model/part.h"
#include "engine/xml/attributes_converter.h"
#include "engine/xml/bar_index_converter.h"
#include "engine/xml/barline_converter.h"
#include "engine/xml/direction_converter.h"
#include "engine/xml/note_converter.h"
#include "engine/xml/xml_document_context.h"

namespace quaverly {

void MeasureConverter::Read()
{
    ReadCommon();
    XmlDocumentContext* context = Context();
    const auto part =
        partEntry_ ? std::dynamic_pointer_cast<Part>(partEntry_->GetChild(0)) : nullptr;
    if (!context || !part)
        return;
    auto bar = std::make_shared<Bar>(barIndex_);
    auto pendingBar = std::make_shared<Bar>(barIndex_);
    if (context->pendingPart)
        context->pendingPart->AppendChild(pendingBar);
    context->readingPosition = 0;
    ReadManualAdjust(*bar);

    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"barline")) {
            BarlineConverter barline(bar);
            ReadChild(barline, child);
            const int side = barline.GetLocation();
            bar->GetBarline(side)->SetType(barline.GetStyle());
            if (barline.GetRepeat() == 1 || barline.GetRepeat() == 2)
                bar->GetBarline(side)->SetMarkValue(barline.GetRepeat());
            pendingBar->GetBarline(side)->SetType(barline.GetStyle());
        } else if (TextEquals(name, u"attributes")) {
            AttributesConverter attributes(bar, barIndex_, partIndex_, partEntry_);
            ReadChild(attributes, child);
        } else if (TextEquals(name, u"sound")) {
            SoundConverter sound;
            ReadChild(sound, child);
        } else if (TextEquals(name, u"direction")) {
            DirectionConverter direction(barIndex_, partIndex_);
            ReadChild(direction, child);
            const DirectionValues& values = direction.GetValues();
            if (values.dynamicsKind != 0) {
                auto mark = std::make_shared<DynamicMark>();
                mark->SetTimePosition(values.position.value_or(context->readingPosition));
                mark->SetDynamicsCode(values.dynamicsKind);
                mark->SetOffset(values.dynamicsOffset);
                bar->AddDirection(std::move(mark));
            }
            if (direction.GetJumpKind() >= 3) {
                const std::shared_ptr<Barline>& barline = bar->GetBarline(direction.GetJumpSide());
                barline->SetMarkValue(direction.GetJumpKind());
                if (barline->GetMark())
                    barline->GetMark()->SetOffset(direction.GetJumpOffset());
            }
        } else if (TextEquals(name, u"note")) {
            NoteConverter note(bar, partEntry_);
            ReadChild(note, child);
        } else if (TextEquals(name, u"backup")) {
            BackupConverter backup;
            ReadChild(backup, child);
        } else if (TextEquals(name, u"print")) {
            const AttributeMap attributes = CollectAttributes(*child);
            const auto newSystem = attributes.find(u"new-system");
            if (newSystem != attributes.end() && TextEquals(newSystem->second, u"yes"))
                context->lineBreaks.insert(barIndex_);
        } else if (TextEquals(name, u"bar-index")) {
            BarIndexConverter barIndex(bar);
            ReadChild(barIndex, child);
        }
    }
    part->AppendChild(bar);
}

void MeasureConverter::ReadManualAdjust(Bar& bar) const
{
    const std::u16string* text = FindAttribute(u"manual-adjust");
    if (!text)
        return;
    const double value = TextToReal(*text);
    // A value beyond the float range would become an infinity.
    if (std::fabs(value) <= std::numeric_limits<float>::max())
        bar.SetManualAdjust(static_cast<float>(value));
}

void MeasureConverter::Write()
{
    XmlDocumentContext* context = Context();
    const auto part =
        partEntry_ ? std::dynamic_pointer_cast<Part>(partEntry_->GetChild(0)) : nullptr;
    const auto bar = part ? std::dynamic_pointer_cast<Bar>(part->GetChild(barIndex_)) : nullptr;
    if (!context || !bar || !ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"measure");
    SetAttribute(*element, u"number", IndexToText(barIndex_));
    SetAttribute(*element, u"manual-adjust", FloatToExactText(bar->GetManualAdjust()));

    BarlineConverter left(bar, BarlineConverter::kLeft);
    WriteChild(left, element);
    WriteJumpMark(*element, *bar, BarlineConverter::kLeft);
    BarIndexConverter barIndex(bar);
    WriteChild(barIndex, element);
    if (partIndex_ == 0 && context->lineBreaks.count(barIndex_) != 0) {
        XmlElement* print = AppendElement(*element, u"print");
        SetAttribute(*print, u"new-system", u"yes");
    }
    AttributesConverter attributes(bar, barIndex_, partIndex_, partEntry_);
    WriteChild(attributes, element);
    if (partIndex_ == 0 && barIndex_ == 0) {
        SoundConverter sound;
        WriteChild(sound, element);
    }
    DirectionConverter barMarks(barIndex_, partIndex_);
    barMarks.SetWithBarMarks(true);
    WriteChild(barMarks, element);
    WriteNotes(*element, bar);
    WriteJumpMark(*element, *bar, BarlineConverter::kRight);
    BarlineConverter right(bar, BarlineConverter::kRight);
    WriteChild(right, element);
}

void MeasureConverter::WriteNotes(XmlElement& measure, const std::shared_ptr<Bar>& bar)
{
    // Each dynamics mark goes before the first note that starts at its time, at most one
    // per note; the rest follow the notes. Where the reader will not stand at the
    // mark's time (it moves on by each main note's played length), the mark carries
    // its time.
    std::vector<std::shared_ptr<DynamicMark>> marks = bar->GetDirections();
    std::int64_t readerAt = 0;
    for (const std::shared_ptr<Note>& note : bar->GetNotes()) {
        if (!note)
            continue;
        const auto mark = std::find_if(marks.begin(), marks.end(), [&](const auto& m) {
            return m && m->GetTimePosition() == note->GetStartTime();
        });
        if (mark != marks.end()) {
            WriteDynamics(measure, **mark, readerAt);
            marks.erase(mark);
        }
        for (const std::shared_ptr<Note>& grace : note->GetGraceNotesBefore())
            WriteNote(measure, bar, grace, kGraceBefore);
        WriteNote(measure, bar, note, kMain);
        for (const std::shared_ptr<Note>& grace : note->GetGraceNotesAfter())
            WriteNote(measure, bar, grace, kGraceAfter);
        for (const std::shared_ptr<Note>& chord : note->GetChordMembers())
            WriteNote(measure, bar, chord, kChord);
        readerAt += NoteConverter::ReadBackLength(*note);
    }
    for (const std::shared_ptr<DynamicMark>& mark : marks) {
        if (mark)
            WriteDynamics(measure, *mark, readerAt);
    }
}

void MeasureConverter::WriteNote(XmlElement& measure, const std::shared_ptr<Bar>& bar,
                                 const std::shared_ptr<Note>& note, NoteRole role)
{
    if (!note)
        return;
    NoteConverter writer(note, bar, partEntry_);
    writer.SetChord(role == kChord);
    writer.SetGraceBefore(role == kGraceBefore);
    writer.SetGraceAfter(role == kGraceAfter);
    WriteChild(writer, &measure);
}

void MeasureConverter::WriteDynamics(XmlElement& measure, const DynamicMark& mark,
                                     std::int64_t readerAt)
{
    DirectionValues values;
    values.dynamicsKind = mark.GetDynamicsCode();
    values.dynamicsOffset = mark.GetOffset();
    if (mark.GetTimePosition() != readerAt)
        values.position = mark.GetTimePosition();
    DirectionConverter direction(barIndex_, partIndex_);
    direction.SetValues(values);
    WriteChild(direction, &measure);
}

void MeasureConverter::WriteJumpMark(XmlElement& measure, const Bar& bar, int side)
{
    const std::shared_ptr<Barline>& barline = bar.GetBarline(side);
    if (!barline || JumpMarkToText(barline->GetMarkValue()).empty())
        return;
    DirectionValues values;
    values.jumpKind = barline->GetMarkValue();
    values.jumpSide = side;
    values.jumpOffset = barline->GetMark() ? barline->GetMark()->GetOffset() : Point{};
    DirectionConverter direction(barIndex_, partIndex_);
    direction.SetValues(values);
    WriteChild(direction, &measure);
}

}  // namespace quaverly
