#include "engine/model/container_element.h"

namespace quaverly {

Rect ContainerElement::GetExtraRect(ScorePainter&)
{
    return {};
}

void ContainerElement::LayoutExtras(ScorePainter&) {}

void ContainerElement::BroadcastValue(int value)
{
    ForEachChild([value](ScoreElement& child) {
        if (auto* container = dynamic_cast<ContainerElement*>(&child))
            container->BroadcastValue(value);
    });
}

}  // namespace quaverly
