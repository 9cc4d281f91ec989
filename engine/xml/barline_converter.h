// One side of a bar as a "barline": "location" ("left" or "right"), "bar-style" (the
// style's name), "repeat" (attribute "direction": "forward" or "backward") and one
// "other-notation" per user symbol at that barline.
//
// Reading only parses: it gives the location, the style and the repeat, and the measure
// applies them; the symbols go straight into the bar's barline at that location, which
// the attribute gives before any child is read. "ending" is read and dropped.
#pragma once

#include <memory>

#include "engine/xml/xml_converter.h"

namespace quaverly {

class Bar;

class BarlineConverter : public XmlConverter {
public:
    static constexpr int kLeft = 0;
    static constexpr int kRight = 1;

    // For reading: the bar whose barlines receive the symbols.
    explicit BarlineConverter(std::shared_ptr<Bar> bar) : bar_(std::move(bar)) {}
    // For writing: the bar and the side written.
    BarlineConverter(std::shared_ptr<Bar> bar, int location)
        : bar_(std::move(bar)), location_(location)
    {
    }

    // Location: 1 for "right" or a missing attribute, 0 for any other value. Style: the
    // first name of the style table equal to the "bar-style" text, else 1 (regular).
    // Repeat: 1 for direction "forward", 2 for any other direction, 0 without one.
    void Read() override;
    // The style and, for a mark value of 1 or 2, the repeat of the bar's barline at the
    // location; a jump mark (3 and more) is the measure's "direction", not a repeat.
    void Write() override;

    int GetStyle() const { return style_; }
    int GetRepeat() const { return repeat_; }
    int GetLocation() const { return location_; }

private:
    std::shared_ptr<Bar> bar_;
    int style_ = 1;
    int repeat_ = 0;
    int location_ = kRight;
};

}  // namespace quaverly
