// The base of the view's container nodes (pages, systems, tracks, the heading node and
// the layout root) and, used as it is, a list node that only holds children (the
// container of one part under the score).
#pragma once

#include "engine/model/score_element.h"

namespace quaverly {

class ContainerElement : public ScoreElement {
public:
    ContainerElement() = default;

    // Three more virtual operations after the element's own.

    // Room a container adds around its children; {0, 0, 0, 0} here.
    virtual Rect GetExtraRect(ScorePainter& painter);
    // Places and lays out side views; empty here.
    virtual void LayoutExtras(ScorePainter& painter);
    // Passes the value to the same operation of every child that is a container.
    virtual void BroadcastValue(int value);

protected:
    ContainerElement(const ContainerElement& other) = default;
};

}  // namespace quaverly
