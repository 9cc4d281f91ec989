// The block selection: a range of parts by a range of bars that the user selects by
// clicking bars. It keeps the block's two corners {part, bar}, selects every note in the
// block and draws the block on the current page as adjacent highlight columns, one per
// bar, reaching 300 units above the first part and below the last, closed only on the
// left of the first bar and on the right of the last.
//
// The block is found in the laid-out view of its owner (the layout root): bar b of part
// p is the bar of row p in the first line whose range holds b. Bars or parts that are
// no longer laid out (deleted since the block was set) are skipped: the block then
// selects and draws only what is still there.
#pragma once

#include <vector>

#include "engine/model/score_element.h"

namespace quaverly {

class Bar;
class LayoutRoot;

// One bar's column of the highlight, in absolute coordinates.
struct HighlightColumn {
    int page = 0;
    Rect rect;
    bool closedLeft = false;
    bool closedRight = false;

    friend bool operator==(const HighlightColumn&, const HighlightColumn&) = default;
};

class SelectionRange final : public ScoreElement {
public:
    SelectionRange();  // empty; colour 34

    // The layout root whose pages are searched and whose current page is drawn; not
    // owned.
    void SetOwner(LayoutRoot* owner) { owner_ = owner; }

    void SetFirst(int part, int bar);
    void GetFirst(int& part, int& bar) const;
    void GetLast(int& part, int& bar) const;
    // A valid block grows to cover (part, bar): the first corner takes the smaller part
    // and bar of itself and the pair, the last corner the larger. An empty block (no
    // corner set) becomes that one bar; a block with only its first corner gets the pair
    // as its last corner. Then the notes of the block are selected.
    void Extend(int part, int bar);
    // Sets all four values to -1.
    void ClearChildren() override;
    void Clear() { ClearChildren(); }
    // No value is -1.
    bool IsValid() const;
    // Valid, and the bar lies between the block's smaller and larger bar, both included.
    bool CoversBar(int bar) const;

    // Selects the notes (and their chord notes) of the block; the range's own state and
    // colour do not change.
    void Select() override;
    // Deselects the notes (and their chord notes) of the block, as before a new block is
    // set in its place; the corners stay.
    void DeselectNotes();
    // Rebuilds the highlight columns and draws those of the owner's current page.
    void Draw(ScorePainter& painter) override;

    // The columns of the last Draw.
    const std::vector<HighlightColumn>& GetColumns() const { return columns_; }

private:
    struct Bounds {
        int partMin, partMax, barMin, barMax;
    };
    Bounds GetBounds() const;
    // Selects or deselects the notes of the block with their chord notes.
    void MarkNotes(bool selected);
    // The laid-out bar of part p at bar b, and the index of its page; null when none.
    std::shared_ptr<Bar> FindBar(int part, int bar, int* page, bool visibleOnly) const;

    int firstPart_ = -1;
    int firstBar_ = -1;
    int lastPart_ = -1;
    int lastBar_ = -1;
    LayoutRoot* owner_ = nullptr;
    std::vector<HighlightColumn> columns_;
};

}  // namespace quaverly
