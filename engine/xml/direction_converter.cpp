#include "engine/xml/direction_converter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>


#include "engine/model/int_clamp.h"
#include "engine/model/line_mark.h"
#include "engine/model/part.h"
#include "engine/model/score.h"
#include "engine/xml/xml_document_context.h"

namespace quaverly {

namespace {

template <class Mark>
std::shared_ptr<Mark> FirstAt(const std::vector<std::shared_ptr<Mark>>& list, int position)
{
    for (const auto& mark : list) {
        if (mark && mark->GetValue().position == position)
            return mark;
    }
    return nullptr;
}

}  // namespace

// --- direction ---

void DirectionConverter::Read()
{
    ReadCommon();
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"direction-type")) {
            DirectionTypeConverter type(barIndex_, partIndex_, false, {});
            ReadChild(type, child);
            const std::optional<int> position = values_.position;
            values_ = type.GetValues();
            values_.position = position;
        } else if (TextEquals(name, u"pos")) {
            values_.position = std::max(0, TextToInt(ElementText(*child)));
        } else if (TextEquals(name, u"sound")) {
            SoundConverter sound;
            ReadChild(sound, child);
        }
    }
}

void DirectionConverter::Write()
{
    if (!ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"direction");
    SetAttribute(*element, u"placement", placement_ == 1 ? u"above" : u"below");
    DirectionTypeConverter type(barIndex_, partIndex_, withBarMarks_, values_);
    WriteChild(type, element);
    if (values_.position)
        AppendTextElement(*element, u"pos", IntToText(*values_.position));
}

// --- direction-type ---

void DirectionTypeConverter::Read()
{
    ReadCommon();
    Score* score = GetScore();
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"words")) {
            ReadWords(*child);
        } else if (const int kind = TextToJumpMark(name); kind != 0) {
            const AttributeMap attributes = CollectAttributes(*child);
            const auto position = attributes.find(u"position");
            values_.jumpKind = kind;
            values_.jumpSide =
                (position == attributes.end() || TextEquals(position->second, u"left")) ? 0 : 1;
            values_.jumpOffset = ReadRelativeXY(attributes);
        } else if (TextEquals(name, u"dynamics")) {
            ReadDynamics(*child);
        } else if (TextEquals(name, u"metronome")) {
            ReadMetronome(*child);
        } else if (TextEquals(name, u"staff-line")) {
            LineMarkConverter line(score ? PartAt(*score, partIndex_) : nullptr);
            ReadChild(line, child);
        }
    }
}

void DirectionTypeConverter::ReadWords(const XmlElement& element)
{
    Score* score = GetScore();
    const AttributeMap attributes = CollectAttributes(element);
    if (!score || attributes.count(u"expression") == 0)
        return;
    score->SetExpressionText({barIndex_, ElementText(element)});
    if (const auto text = FirstAt(score->GetExpressionTextList(), barIndex_))
        text->SetOffset(ReadRelativeXY(attributes));
}

void DirectionTypeConverter::ReadMetronome(const XmlElement& element)
{
    Score* score = GetScore();
    if (!score)
        return;
    TempoMarkRecord record{barIndex_, kTicksPerQuarter, 120};
    for (const XmlElement* node : element.Children()) {
        const XmlElement& child = *node;
        const std::u16string& name = ElementName(child);
        if (TextEquals(name, u"beat-unit"))
            record.beatUnit = TextToNoteType(ElementText(child));
        else if (TextEquals(name, u"per-minute"))
            record.perMinute = TextToInt(ElementText(child));
    }
    // A speed of 0 or less cannot be played.
    if (record.perMinute <= 0)
        return;
    score->SetTempoMark(record);
    if (const auto mark = FirstAt(score->GetTempoMarkList(), barIndex_))
        mark->SetOffset(ReadRelativeXY(CollectAttributes(element)));
}

void DirectionTypeConverter::ReadDynamics(const XmlElement& element)
{
    // The last child names the mark.
    for (const XmlElement* child : element.Children())
        values_.dynamicsKind = TextToDynamics(ElementName(*child));
    values_.dynamicsOffset = ReadRelativeXY(CollectAttributes(element));
}

void DirectionTypeConverter::Write()
{
    if (!ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"direction-type");
    Score* score = GetScore();
    if (withBarMarks_ && partIndex_ == 0) {
        WriteWords(*element);
        WriteMetronome(*element);
    }
    if (const std::u16string name = DynamicsToText(values_.dynamicsKind); !name.empty()) {
        XmlElement* dynamics = AppendElement(*element, u"dynamics");
        AppendElement(*dynamics, name);
        WriteRelativeXY(*dynamics, values_.dynamicsOffset);
    }
    if (const std::u16string name = JumpMarkToText(values_.jumpKind); !name.empty()) {
        XmlElement* mark = AppendElement(*element, name);
        SetAttribute(*mark, u"position", values_.jumpSide != 0 ? u"right" : u"left");
        WriteRelativeXY(*mark, values_.jumpOffset);
    }
    if (!withBarMarks_ || !score)
        return;
    if (const std::shared_ptr<Part> part = PartAt(*score, partIndex_)) {
        for (const std::shared_ptr<LineMark>& mark : part->GetLineMarks()) {
            if (!mark || mark->GetBar() != barIndex_)
                continue;
            LineMarkConverter line(mark);
            WriteChild(line, element);
        }
    }
}

void DirectionTypeConverter::WriteWords(XmlElement& element)
{
    Score* score = GetScore();
    const auto text = score ? FirstAt(score->GetExpressionTextList(), barIndex_) : nullptr;
    if (!text)
        return;
    XmlElement* words = AppendTextElement(element, u"words", text->GetValue().text);
    SetAttribute(*words, u"expression", u"true");
    WriteRelativeXY(*words, text->GetOffset());
}

void DirectionTypeConverter::WriteMetronome(XmlElement& element)
{
    Score* score = GetScore();
    const auto mark = score ? FirstAt(score->GetTempoMarkList(), barIndex_) : nullptr;
    if (!mark)
        return;
    const TempoMarkRecord record = mark->GetValue();
    XmlElement* metronome = AppendElement(element, u"metronome");
    SetAttribute(*metronome, u"placement", u"above");
    AppendTextElement(*metronome, u"beat-unit", NoteTypeToText(record.beatUnit));
    AppendTextElement(*metronome, u"per-minute", IntToText(record.perMinute));
    WriteRelativeXY(*metronome, mark->GetOffset());
}

// --- staff-line ---

bool LineMarkConverter::SameMark(const LineMark& a, const LineMark& b)
{
    return a.GetKind() == b.GetKind() && a.GetBar() == b.GetBar() &&
           a.GetTimePosition() == b.GetTimePosition() && a.GetDuration() == b.GetDuration() &&
           a.GetRadian() == b.GetRadian() && a.GetOffset() == b.GetOffset();
}

void LineMarkConverter::Read()
{
    ReadCommon();
    const std::u16string* type = FindAttribute(u"type");
    if (!part_ || !type)
        return;
    std::shared_ptr<LineMark> mark = CreateLineMark(*type);
    if (!mark)
        return;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        const std::u16string text = ElementText(*child);
        if (TextEquals(name, u"bar")) {
            mark->SetBar(std::max(0, TextToInt(text)));
        } else if (TextEquals(name, u"pos")) {
            mark->SetTimePosition(std::max(0, TextToInt(text)));
        } else if (TextEquals(name, u"duration")) {
            mark->SetDuration(std::max(0, TextToInt(text)));
        } else if (TextEquals(name, u"radian")) {
            const double radian = TextToReal(text);
            if (std::fabs(radian) <= std::numeric_limits<float>::max())
                mark->SetRadian(static_cast<float>(radian));
        }
    }
    mark->SetOffset(ReadRelativeXY(Attributes()));
    for (const std::shared_ptr<LineMark>& held : part_->GetLineMarks()) {
        if (held && SameMark(*held, *mark))
            return;
    }
    part_->AddLineMark(std::move(mark));
}

void LineMarkConverter::Write()
{
    if (!mark_ || !ParentElement())
        return;
    const std::u16string type = LineMarkKindToText(mark_->GetKind());
    if (type.empty())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"staff-line");
    SetAttribute(*element, u"type", type);
    AppendTextElement(*element, u"bar", IntToText(mark_->GetBar()));
    AppendTextElement(*element, u"pos", IntToText(mark_->GetTimePosition()));
    AppendTextElement(*element, u"duration", IntToText(mark_->GetDuration()));
    AppendTextElement(*element, u"radian", FloatToExactText(mark_->GetRadian()));
    WriteRelativeXY(*element, mark_->GetOffset());
}

// --- sound and backup ---

void SoundConverter::Read()
{
    ReadCommon();
    XmlDocumentContext* context = Context();
    const std::u16string* tempo = FindAttribute(u"tempo");
    if (!context || !tempo)
        return;
    const int value = TextToInt(*tempo);
    if (value > 0)
        context->pageResult.tempo = value;
}

void SoundConverter::Write()
{
    XmlDocumentContext* context = Context();
    if (!context || !ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"sound");
    SetAttribute(*element, u"tempo", IntToText(context->pageResult.tempo));
}

void BackupConverter::Read()
{
    ReadCommon();
    XmlDocumentContext* context = Context();
    if (!context)
        return;
    for (const XmlElement* child : ChildElements()) {
        if (!TextEquals(ElementName(*child), u"duration"))
            continue;
        const int units = TextToInt(ElementText(*child));
        if (units > 0)
            context->MoveReadingPosition(-context->DurationToTicks(units));
    }
}

}  // namespace quaverly
