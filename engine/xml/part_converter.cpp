#include "engine/xml/part_converter.h"

#include <xercesc/dom/DOMElement.hpp>

#include "engine/model/part.h"
#include "engine/model/score.h"
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
}

void PartConverter::Write()
{
    if (!ParentElement())
        return;
    dom::DOMElement* element = AppendElement(*ParentElement(), u"part");
    SetAttribute(*element, u"id", ScorePartConverter::PartIdOf(index_));
}

}  // namespace quaverly
