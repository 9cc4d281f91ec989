#include "engine/xml/measure_converter.h"

#include <cmath>
#include <limits>

#include <xercesc/dom/DOMElement.hpp>

#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/barline_mark.h"
#include "engine/model/part.h"
#include "engine/xml/attributes_converter.h"
#include "engine/xml/bar_index_converter.h"
#include "engine/xml/barline_converter.h"
#include "engine/xml/direction_converter.h"
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

    for (dom::DOMElement* child : ChildElements()) {
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
            DirectionConverter direction;
            ReadChild(direction, child);
            if (direction.GetJumpKind() >= 3) {
                const std::shared_ptr<Barline>& barline = bar->GetBarline(direction.GetJumpSide());
                barline->SetMarkValue(direction.GetJumpKind());
                if (barline->GetMark())
                    barline->GetMark()->SetOffset(direction.GetJumpOffset());
            }
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
    dom::DOMElement* element = AppendElement(*ParentElement(), u"measure");
    SetAttribute(*element, u"number", IndexToText(barIndex_));
    SetAttribute(*element, u"manual-adjust", FloatToExactText(bar->GetManualAdjust()));

    BarlineConverter left(bar, BarlineConverter::kLeft);
    WriteChild(left, element);
    WriteJumpMark(*element, *bar, BarlineConverter::kLeft);
    BarIndexConverter barIndex(bar);
    WriteChild(barIndex, element);
    if (partIndex_ == 0 && context->lineBreaks.count(barIndex_) != 0) {
        dom::DOMElement* print = AppendElement(*element, u"print");
        SetAttribute(*print, u"new-system", u"yes");
    }
    AttributesConverter attributes(bar, barIndex_, partIndex_, partEntry_);
    WriteChild(attributes, element);
    if (partIndex_ == 0 && barIndex_ == 0) {
        SoundConverter sound;
        WriteChild(sound, element);
    }
    WriteJumpMark(*element, *bar, BarlineConverter::kRight);
    BarlineConverter right(bar, BarlineConverter::kRight);
    WriteChild(right, element);
}

void MeasureConverter::WriteJumpMark(dom::DOMElement& measure, const Bar& bar, int side)
{
    const std::shared_ptr<Barline>& barline = bar.GetBarline(side);
    if (!barline || JumpMarkToText(barline->GetMarkValue()).empty())
        return;
    const Point offset = barline->GetMark() ? barline->GetMark()->GetOffset() : Point{};
    DirectionConverter direction(barline->GetMarkValue(), side, offset);
    WriteChild(direction, &measure);
}

}  // namespace quaverly
