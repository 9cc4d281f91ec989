// The beat of a score (beats over beat type), from a bar on. Shown after the left
// barline of the bar in which it starts, unless the line that begins with that bar has
// taken it into its own list (the system-placed flag).
//
// A beat count or beat type of 0 or less is refused: SetValue leaves the element as it
// was, so no bar length is ever computed from it.
#pragma once

#include "engine/model/editable_element.h"

namespace quaverly {

// {bar index, beats, beat type, common flag}; common 1 shows the common-time symbol.
struct TimeSignatureRecord {
    int bar = 0;
    int beats = 4;
    int beatType = 4;
    int common = 1;

    // Beats and beat type above 0.
    bool IsValid() const { return beats > 0 && beatType > 0; }

    friend bool operator==(const TimeSignatureRecord&, const TimeSignatureRecord&) = default;
};

class TimeSignature final : public EditableElement {
public:
    TimeSignature() = default;  // 4/4, common, from bar 0; not system-placed

    // Replaces all values at once; any common flag other than 0 is stored as 1. Returns
    // false and changes nothing when beats or beat type is 0 or less.
    bool SetValue(const TimeSignatureRecord& value);
    bool SetValue(int bar, int beats, int beatType, int common)
    {
        return SetValue({bar, beats, beatType, common});
    }
    TimeSignatureRecord GetValue() const { return value_; }

    // Set by the line layout when the line shows this signature itself.
    void SetSystemPlaced(bool placed) { systemPlaced_ = placed; }
    bool IsSystemPlaced() const { return systemPlaced_; }

    // Sends 1007 through its own Notify; the owners fill the slots.
    void DeleteSelected() override;
    // The rectangle {0, 0, width, height} measured for beats and beat type.
    void Layout(ScorePainter& painter) override;
    // Draws the signature at origin + position + offset.
    void Draw(ScorePainter& painter) override;

private:
    bool systemPlaced_ = false;
    TimeSignatureRecord value_;
};

}  // namespace quaverly
