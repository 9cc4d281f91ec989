// A "part" element: the measures of one part of the part list, found by its "id".
//
// Reading looks for the first score part whose id is the element's "id" and passes the
// whole element over when none has it; the index of the part it matched is kept for the
// document reader, which joins a second staff to that part. Each "measure" becomes the
// part's next bar. Writing gives the element the id "P" followed by the part's position
// from 1 and writes one "measure" per bar.
#pragma once

#include "engine/xml/xml_converter.h"

namespace quaverly {

class PartConverter : public XmlConverter {
public:
    PartConverter() = default;
    // For writing: the part's index among the score's children.
    explicit PartConverter(int index) : index_(index) {}

    void Read() override;
    void Write() override;

    // After reading: the index of the score child whose part the element filled, or -1.
    int GetMatchedIndex() const { return matched_; }

private:
    int index_ = 0;
    int matched_ = -1;
};

}  // namespace quaverly
