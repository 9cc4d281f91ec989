// The "staff-details" of a part, in its first measure: five "verse-offset" (each a
// "verse" 0 to 4 and its "offset") and then "staff-size".
//
// The staff size is written so that it reads back exactly, the not-set marker
// -16777216 included, so an unset size stays unset; a size the part refuses (not a
// number, negative, beyond the int range) leaves the part's size as it was. A verse
// outside 0 to 4 has no place in the part and is passed over.
#pragma once

#include <memory>

#include "engine/xml/xml_converter.h"

namespace quaverly {

class StaffDetailsConverter : public XmlConverter {
public:
    explicit StaffDetailsConverter(std::shared_ptr<Part> part) : part_(std::move(part)) {}

    void Read() override;
    void Write() override;

private:
    std::shared_ptr<Part> part_;
};

// One "verse-offset": "verse" then "offset"; reading starts from verse 0, offset 0.
class VerseOffsetConverter : public XmlConverter {
public:
    VerseOffsetConverter() = default;
    VerseOffsetConverter(int verse, int offset) : verse_(verse), offset_(offset) {}

    void Read() override;
    void Write() override;

    int GetVerse() const { return verse_; }
    int GetOffset() const { return offset_; }

private:
    int verse_ = 0;
    int offset_ = 0;
};

}  // namespace quaverly
