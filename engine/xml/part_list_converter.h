// The "part-list" element: the parts of the score with their names, instruments and MIDI
// settings ("score-part"), the braces and brackets over ranges of parts ("part-group")
// and the staff pairs ("staff-group").
//
// Reading creates one per-part container with its Part for every "score-part", in
// document order, and the part groups that a start and a stop of the same number
// enclose. Writing gives the parts the ids "P1", "P2", ... in score order, whatever ids
// they were read with, puts each group's start before its first part and its stop after
// its last part, and closes with one "staff-group" per staff pair.
#pragma once

#include "engine/xml/xml_converter.h"

namespace quaverly {

class PartListConverter : public XmlConverter {
public:
    void Read() override;
    void Write() override;
};

}  // namespace quaverly
