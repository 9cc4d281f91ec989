// The accidental drawn to the left of a note. The note stores its written accidental
// here too; the bar's layout may replace it with the accidental actually shown.
#pragma once

#include <memory>

#include "engine/model/editable_element.h"
#include "engine/model/note_style.h"

namespace quaverly {

class AccidentalSign : public EditableElement {
public:
    AccidentalSign();  // no accidental, normal size
    explicit AccidentalSign(std::shared_ptr<const NoteStyle> style);

    void SetAccidental(int accidental) { accidental_ = accidental; }
    int GetAccidental() const { return accidental_; }
    // A null style is ignored.
    void SetStyle(std::shared_ptr<const NoteStyle> style);
    const std::shared_ptr<const NoteStyle>& GetStyle() const { return style_; }

    // The rectangle gets the measured size; its left and top stay.
    void Layout(ScorePainter& painter) override;
    // Draws the accidental at origin + position + offset.
    void Draw(ScorePainter& painter) override;

private:
    int accidental_ = 0;
    std::shared_ptr<const NoteStyle> style_;
};

}  // namespace quaverly
