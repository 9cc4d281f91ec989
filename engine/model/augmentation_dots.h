// The augmentation dots of a note. It keeps the dot count and, apart from it, the
// number of dots actually drawn: a note longer than a quarter shows most of its dots as
// continuation dashes (see Note), so it may draw fewer dots than it has. Setting the
// count sets both numbers. The bar's layout gives the dots their own time and place.
#pragma once

#include <memory>

#include "engine/model/editable_element.h"
#include "engine/model/note_style.h"

namespace quaverly {

class AugmentationDots : public EditableElement {
public:
    AugmentationDots();  // no dots, normal size
    explicit AugmentationDots(std::shared_ptr<const NoteStyle> style);

    // Sets the count and the number drawn.
    void SetCount(int count);
    int GetCount() const { return count_; }
    void SetDrawnCount(int count) { drawnCount_ = count; }
    int GetDrawnCount() const { return drawnCount_; }
    // The time at which the layout places the dots (ticks from the start of the bar).
    void SetStartTime(int time) { startTime_ = time; }
    int GetStartTime() const { return startTime_; }
    // A null style is ignored.
    void SetStyle(std::shared_ptr<const NoteStyle> style);
    const std::shared_ptr<const NoteStyle>& GetStyle() const { return style_; }

    // The rectangle {0, 0, width, height} measured for the count.
    void Layout(ScorePainter& painter) override;
    // When visible, draws the dots drawn at origin + position + offset.
    void Draw(ScorePainter& painter) override;

private:
    int count_ = 0;
    int drawnCount_ = 0;
    int startTime_ = 0;
    std::shared_ptr<const NoteStyle> style_;
};

}  // namespace quaverly
