// The "key" of a bar: "fifths" (sharps, negative for flats), "mode" ("major" or
// "minor") and the key's offset in "relative-x"/"relative-y".
//
// Writing takes the first entry of the score's key table for the bar and writes
// nothing when there is none. Reading starts from {bar, 0, major}; only the exact text
// "major" is major, and a missing "mode" stays major. The score keeps one key per bar
// (a second read for the bar replaces the first) and refuses keys beyond seven sharps
// or flats.
#pragma once

#include "engine/xml/xml_converter.h"

namespace quaverly {

class KeyConverter : public XmlConverter {
public:
    explicit KeyConverter(int barIndex) : barIndex_(barIndex) {}

    void Read() override;
    void Write() override;

private:
    int barIndex_ = 0;
};

}  // namespace quaverly
