// The text of one lyric verse under a note. A note owns five of them, one per verse.
//
// An empty lyric is never hit, never drawn and cannot be opened for editing. A double
// click on a lyric asks the editor's host to open an in-place editor over it (request
// 12, filled on the way up with the verse and the note's start time); Delete on a
// selected lyric asks for its text to be removed (1010).
#pragma once

#include <string>
#include <utility>

#include "engine/model/editable_element.h"

namespace quaverly {

class Lyric : public EditableElement {
public:
    Lyric() = default;
    ~Lyric() override = default;

    const std::u16string& GetText() const { return text_; }
    void SetText(std::u16string text) { text_ = std::move(text); }

    // Sends 1010 through its own Notify; the note and its owners fill the slots.
    void DeleteSelected() override;
    // Sends 12 through its own Notify with its screen rectangle (the rectangle moved by
    // origin + position + offset) and a copy of its text.
    void RequestEdit() override;
    // Gives the click to every child, visible or not, then asks for an edit on a hit.
    // It does not mark the click taken.
    void OnDoubleClick(Point point, int flags, int& handled) override;
    // Never hit while the text is empty.
    bool HitTest(Point point) const override;
    // The rectangle {0, 0, width, height} of the measured text.
    void Layout(ScorePainter& painter) override;
    // Draws a non-empty text at origin + position + offset.
    void Draw(ScorePainter& painter) override;

protected:
    Lyric(const Lyric& other) = default;

private:
    std::u16string text_;
};

}  // namespace quaverly
