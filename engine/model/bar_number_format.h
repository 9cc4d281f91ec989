// The bar-number record: how bar numbers are chosen, framed and placed. A bar-number
// element stores one and hands it to the drawing interface, which reads the frame
// style; the rest is read by the numbering operation and the document.
#pragma once

namespace quaverly {

// Frame styles of a bar number.
namespace bar_number_frame {
inline constexpr int kNone = 0;
inline constexpr int kBrackets = 1;
inline constexpr int kBox = 2;
inline constexpr int kCircle = 3;
}  // namespace bar_number_frame

struct BarNumberFormat {
    int format = 0;       // numbering mode: 0 the first bar of every line, 1 every N bars
    int decorator = 0;    // frame style (bar_number_frame)
    int index = 0;        // the number shown
    int interval = 5;     // N
    int countFrom = 0;    // bar counted as the first one (bar - 1)
    int firstNumber = 0;  // numbers shown from here ...
    int lastNumber = 1000;  // ... up to here
    int hOffset = 0;      // placement relative to the bar, 0.01 mm
    int vOffset = -500;

    friend bool operator==(const BarNumberFormat&, const BarNumberFormat&) = default;
};

}  // namespace quaverly
