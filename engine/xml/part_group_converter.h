// A "part-group" of the part list: the start or the stop of a brace or bracket over a
// range of parts, paired by their "number".
//
// A start opens the group in its slot (the number minus 1; slot 0 without a number) with
// the index of the next part as its first part; a later start of the same number
// replaces an open one. A stop closes the slot's open group with the index of the last
// part read as its last part and adds it to the score; a stop with no open start, and a
// second stop of the same number, add nothing. A start whose "group-symbol" names
// neither "brace" nor "bracket" (another program's "line" or "square", say) is taken as
// a bracket, the plainer of the two.
#pragma once

#include <memory>

#include "engine/xml/xml_converter.h"

namespace quaverly {

class PartGroup;

class PartGroupConverter : public XmlConverter {
public:
    // For reading: the number of score parts read before the element.
    explicit PartGroupConverter(int partsRead);
    // For writing: the group, its number and whether this is its start.
    PartGroupConverter(std::shared_ptr<PartGroup> group, int number, bool start);

    void Read() override;
    void Write() override;

private:
    int partsRead_ = 0;
    std::shared_ptr<PartGroup> group_;
    int number_ = 1;
    bool start_ = true;
};

// A "staff-group": the two parts, by 1-based position, that share one staff as its first
// and second part. Positions outside the parts read so far are passed over.
class StaffGroupConverter : public XmlConverter {
public:
    StaffGroupConverter() = default;
    // For writing: the 1-based position of the first part of the pair.
    explicit StaffGroupConverter(int firstPosition) : firstPosition_(firstPosition) {}

    void Read() override;
    void Write() override;

private:
    int firstPosition_ = 1;
};

}  // namespace quaverly
