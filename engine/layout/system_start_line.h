// The thin vertical line that joins the rows of a line at its left end, drawn only for a
// line that shows more than one part. It reaches from the top of the first row down to
// the bottom of the last row's bar-line area.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "engine/model/editable_element.h"

namespace quaverly {

class SystemStartLine final : public EditableElement {
public:
    SystemStartLine();  // cannot be dragged

    // The element the score keeps for the start line; only held.
    void BindModelElement(std::shared_ptr<ScoreElement> element) { bound_ = std::move(element); }
    const std::shared_ptr<ScoreElement>& GetModelElement() const { return bound_; }
    // The visible rows, top to bottom.
    void AppendTrack(std::shared_ptr<ScoreElement> track);
    const std::vector<std::shared_ptr<ScoreElement>>& GetTracks() const { return tracks_; }

    // Position at the first row's position and offset; rectangle (0, 0, 0, h) down to
    // the bottom of the last row's bar-line area. Nothing without rows.
    void Layout(ScorePainter& painter) override;
    // A thin vertical line the rectangle's height long; nothing without rows.
    void Draw(ScorePainter& painter) override;

private:
    std::shared_ptr<ScoreElement> bound_;
    std::vector<std::shared_ptr<ScoreElement>> tracks_;
};

}  // namespace quaverly
