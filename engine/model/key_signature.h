// The key of a jianpu score ("1=" and the key's tonic), from a bar on.
//
// The score keeps its key signatures in a table sorted by bar (Score). A key outside
// seven flats to seven sharps is refused: SetValue leaves the element as it was.
#pragma once

#include "engine/model/editable_element.h"

namespace quaverly {

// {bar index, fifths, mode}: sharps (positive) or flats (negative) in the circle of
// fifths, 0 the key of C; mode 1 major, 0 minor.
struct KeySignatureRecord {
    int bar = 0;
    int fifths = 0;
    int mode = 1;

    // Fifths within -7 to 7.
    bool IsValid() const { return fifths >= -7 && fifths <= 7; }

    friend bool operator==(const KeySignatureRecord&, const KeySignatureRecord&) = default;
};

class KeySignature final : public EditableElement {
public:
    KeySignature() = default;  // C major from bar 0

    // Replaces all values at once; any mode other than 0 is stored as 1 (major).
    // Returns false and changes nothing for a key outside -7 to 7.
    bool SetValue(const KeySignatureRecord& value);
    bool SetValue(int bar, int fifths, int mode) { return SetValue({bar, fifths, mode}); }
    KeySignatureRecord GetValue() const { return value_; }

    // Sends 1006 through its own Notify; the owners fill the slots.
    void DeleteSelected() override;
    // The rectangle {0, 0, width, height} measured for the fifths.
    void Layout(ScorePainter& painter) override;
    // Draws the key at origin + position + offset.
    void Draw(ScorePainter& painter) override;

private:
    KeySignatureRecord value_;
};

}  // namespace quaverly
