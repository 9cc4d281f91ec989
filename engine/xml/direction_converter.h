// A "direction" of a measure and its "direction-type". So far it carries the jump mark
// that sits on a barline: an element named by the mark ("dc", "ds", "fine", "coda",
// "tocoda", "segno") with "position" ("left" or "right": which barline of the bar) and
// the mark's offset in "relative-x"/"relative-y". A "sound" inside a direction sets the
// document tempo. The other direction types are passed over.
//
// A jump mark read without "position" sits at the left barline; any value other than
// "left" is the right one. A later "direction-type" replaces what an earlier one gave.
#pragma once

#include "engine/xml/xml_converter.h"

namespace quaverly {

class DirectionConverter : public XmlConverter {
public:
    DirectionConverter() = default;
    // For writing: a jump mark (3 to 8) at a side (0 left, 1 right) with its offset.
    DirectionConverter(int jumpKind, int jumpSide, Point jumpOffset)
        : jumpKind_(jumpKind), jumpSide_(jumpSide), jumpOffset_(jumpOffset)
    {
    }

    void Read() override;
    // "placement" "above" for placement 1, else "below"; one "direction-type".
    void Write() override;

    void SetPlacement(int placement) { placement_ = placement; }
    // After reading: the jump mark (0 when none was read), its side and offset.
    int GetJumpKind() const { return jumpKind_; }
    int GetJumpSide() const { return jumpSide_; }
    Point GetJumpOffset() const { return jumpOffset_; }

private:
    int placement_ = 1;
    int jumpKind_ = 0;
    int jumpSide_ = 0;
    Point jumpOffset_;
};

// The content of a direction; the direction hands its values down and takes them back.
class DirectionTypeConverter : public XmlConverter {
public:
    DirectionTypeConverter() = default;
    DirectionTypeConverter(int jumpKind, int jumpSide, Point jumpOffset)
        : jumpKind_(jumpKind), jumpSide_(jumpSide), jumpOffset_(jumpOffset)
    {
    }

    void Read() override;
    void Write() override;

    int GetJumpKind() const { return jumpKind_; }
    int GetJumpSide() const { return jumpSide_; }
    Point GetJumpOffset() const { return jumpOffset_; }

private:
    int jumpKind_ = 0;
    int jumpSide_ = 0;
    Point jumpOffset_;
};

// "sound": its "tempo" attribute is the document tempo (beats per minute). A tempo of
// 0 or less is not a tempo and is passed over.
class SoundConverter : public XmlConverter {
public:
    void Read() override;
    // Writes the context's tempo.
    void Write() override;
};

}  // namespace quaverly
