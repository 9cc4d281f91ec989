// Tempo or expression words above a bar of the score (a tempo heading, "rit.", ...).
//
// Its position is the score-wide index of the bar that carries it. An empty text still
// measures: its size is whatever the drawing interface gives for it.
#pragma once

#include <string>

#include "engine/model/editable_element.h"

namespace quaverly {

// {position, text}: the score-wide bar index and the words.
struct ExpressionRecord {
    int position = 0;
    std::u16string text;

    friend bool operator==(const ExpressionRecord&, const ExpressionRecord&) = default;
};

class ExpressionText final : public EditableElement {
public:
    ExpressionText() = default;

    // Stores the position, then the text.
    void SetValue(const ExpressionRecord& value);
    ExpressionRecord GetValue() const { return value_; }

    // Sends 1009 through its own Notify; the owners fill the slots.
    void DeleteSelected() override;
    // The rectangle {0, 0, width, height} measured for the text.
    void Layout(ScorePainter& painter) override;
    // Draws the text at origin + position + offset.
    void Draw(ScorePainter& painter) override;

private:
    ExpressionRecord value_;
};

}  // namespace quaverly
