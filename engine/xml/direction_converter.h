// A "direction" of a measure and its "direction-type": what stands above or below a bar.
//
// A measure writes three kinds of direction, each with one "direction-type":
// - the bar's own direction, always: in the first part the bar's expression text
//   ("words" with "expression") and metronome mark ("metronome"), and in every part
//   the part's line marks that start in the bar ("staff-line"), each written once;
// - one per dynamics mark ("dynamics" holding one empty element named by the code),
//   placed before the note at whose start the mark sits; a mark that sits elsewhere,
//   or a second mark at one note, also carries its time in the bar in "pos" (ticks),
//   so it comes back where it was;
// - one per jump mark at a barline: an element named by the mark ("dc", "ds", "fine",
//   "coda", "tocoda", "segno") with "position" ("left" or "right").
// Offsets travel in "relative-x"/"relative-y" of the inner elements.
//
// Reading takes any mix: a later "direction-type" replaces the dynamics and jump values
// an earlier one gave. Words and metronome marks go to the score keyed by the bar, line
// marks to the part being read; a line mark identical to one the part already holds
// (a copy that older files repeat in every direction of a bar) is not added again. A
// jump mark without "position" sits at the left barline; any value other than "left"
// is the right one. A "sound" inside a direction sets the document tempo.
#pragma once

#include <optional>

#include "engine/xml/xml_converter.h"

namespace quaverly {

class LineMark;

// What a direction carries besides the bar's own marks.
struct DirectionValues {
    int dynamicsKind = 0;  // 0: none
    Point dynamicsOffset;
    int jumpKind = 0;  // 3 to 8; anything else: none
    int jumpSide = 0;  // 0 the left barline, 1 the right one
    Point jumpOffset;
    // The dynamics mark's time in the bar when it is not the reading position.
    std::optional<int> position;
};

class DirectionConverter : public XmlConverter {
public:
    DirectionConverter() = default;
    // The bar and part the direction belongs to (reading and writing).
    DirectionConverter(int barIndex, int partIndex) : barIndex_(barIndex), partIndex_(partIndex) {}

    void Read() override;
    // "placement" "above" for placement 1, else "below"; one "direction-type", and
    // "pos" when the values carry a position.
    void Write() override;

    void SetPlacement(int placement) { placement_ = placement; }
    // Writing: the bar's words, metronome mark and line marks go into this direction.
    void SetWithBarMarks(bool with) { withBarMarks_ = with; }
    void SetValues(const DirectionValues& values) { values_ = values; }
    // After reading.
    const DirectionValues& GetValues() const { return values_; }
    int GetJumpKind() const { return values_.jumpKind; }
    int GetJumpSide() const { return values_.jumpSide; }
    Point GetJumpOffset() const { return values_.jumpOffset; }

private:
    int barIndex_ = 0;
    int partIndex_ = 0;
    int placement_ = 1;
    bool withBarMarks_ = false;
    DirectionValues values_;
};

// The content of a direction; the direction hands its values down and takes them back.
class DirectionTypeConverter : public XmlConverter {
public:
    DirectionTypeConverter(int barIndex, int partIndex, bool withBarMarks,
                           const DirectionValues& values)
        : barIndex_(barIndex), partIndex_(partIndex), withBarMarks_(withBarMarks), values_(values)
    {
    }

    void Read() override;
    void Write() override;

    const DirectionValues& GetValues() const { return values_; }

private:
    void ReadWords(const XmlElement& element);
    void ReadMetronome(const XmlElement& element);
    void ReadDynamics(const XmlElement& element);
    void WriteWords(XmlElement& element);
    void WriteMetronome(XmlElement& element);

    int barIndex_;
    int partIndex_;
    bool withBarMarks_;
    DirectionValues values_;
};

// "staff-line": one line mark of a part. "type" names the kind; "bar" (0-based, as
// written), "pos" and "duration" (ticks) and "radian" (the shape parameter, written so
// that it reads back exactly) follow; an absent child keeps the value of a new mark of
// the kind. A type that names no kind makes nothing; a negative bar, time or length
// is held at 0.
class LineMarkConverter : public XmlConverter {
public:
    // Reading: the part that receives the mark. Writing: the mark to write.
    explicit LineMarkConverter(std::shared_ptr<Part> part) : part_(std::move(part)) {}
    explicit LineMarkConverter(std::shared_ptr<LineMark> mark) : mark_(std::move(mark)) {}

    void Read() override;
    void Write() override;

    // True when the two marks are of one kind with the same bar, time, length, shape
    // and offset.
    static bool SameMark(const LineMark& a, const LineMark& b);

private:
    std::shared_ptr<Part> part_;
    std::shared_ptr<LineMark> mark_;
};

// "sound": its "tempo" attribute is the document tempo (beats per minute). A tempo of
// 0 or less is not a tempo and is passed over.
class SoundConverter : public XmlConverter {
public:
    void Read() override;
    // Writes the context's tempo.
    void Write() override;
};

// "backup": moves the reading position back by its "duration" (in divisions), never
// before the start of the measure. Read only.
class BackupConverter : public XmlConverter {
public:
    void Read() override;
};

}  // namespace quaverly
