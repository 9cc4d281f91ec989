#include "engine/xml/part_converter.h"


#include "engine/model/part.h"
#include "engine/model/score.h"
#include "engine/xml/measure_converter.h"
#include "engine/xml/score_part_converter.h"

namespace quaverly {

void PartConverter::Read()
{
    ReadCommon();
    matched_ = -1;
    Score* score = GetScore();
    const std::u16string* id = FindAttribute(u"id");
    if (!score || !id)
        return;
    const int count = score->GetChildCount();
    for (int i = 0; i < count; ++i) {
        const std::shared_ptr<Part> part = PartAt(*score, i);
        if (part && TextEquals(part->GetId(), *id)) {
            matched_ = i;
            break;
        }
    }
    if (matched_ < 0)
        return;
    const std::shared_ptr<ScoreElement> entry = score->GetChild(matched_);
    const std::shared_ptr<Part> part = PartAt(*score, matched_);
    for (const XmlElement* child : ChildElements()) {
        if (!TextEquals(ElementName(*child), u"measure"))
            continue;
        // The bar's index is its place in the part, whatever the measure's number says.
        MeasureConverter measure(part->GetChildCount(), matched_, entry);
        ReadChild(measure, child);
    }
}

void PartConverter::Write()
{
    if (!ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"part");
    SetAttribute(*element, u"id", ScorePartConverter::PartIdOf(index_));
    Score* score = GetScore();
    const std::shared_ptr<Part> part = score ? PartAt(*score, index_) : nullptr;
    if (!part)
        return;
    const std::shared_ptr<ScoreElement> entry = score->GetChild(index_);
    const int bars = part->GetChildCount();
    for (int b = 0; b < bars; ++b) {
        MeasureConverter measure(b, index_, entry);
        WriteChild(measure, element);
    }
}

}  // namespace quaverly
