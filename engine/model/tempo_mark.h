// A metronome mark (a note value = so many per minute) above a bar of the score.
//
// Its position is the score-wide index of the bar that carries it. The values are
// stored as given and passed unchanged to the drawing interface, which draws any beat
// unit sensibly.
#pragma once

#include "engine/model/editable_element.h"
#include "engine/model/note_time.h"

namespace quaverly {

// {position, beat unit, per minute}: the score-wide bar index, the length of the
// counted note value in ticks (161280 a quarter note) and the beats per minute.
struct TempoMarkRecord {
    int position = 0;
    int beatUnit = kTicksPerQuarter;
    int perMinute = 120;

    friend bool operator==(const TempoMarkRecord&, const TempoMarkRecord&) = default;
};

class TempoMark final : public EditableElement {
public:
    TempoMark() = default;  // a quarter note = 120 at bar 0

    void SetValue(const TempoMarkRecord& value) { value_ = value; }
    void SetValue(int position, int beatUnit, int perMinute)
    {
        value_ = {position, beatUnit, perMinute};
    }
    TempoMarkRecord GetValue() const { return value_; }

    // Sends 1008 through its own Notify; the owners fill the slots.
    void DeleteSelected() override;
    // The rectangle {0, 0, width, height} measured for beat unit and speed.
    void Layout(ScorePainter& painter) override;
    // Draws the mark at origin + position + offset.
    void Draw(ScorePainter& painter) override;

private:
    TempoMarkRecord value_;
};

}  // namespace quaverly
