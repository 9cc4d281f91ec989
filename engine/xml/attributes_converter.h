// The "attributes" of a measure, written in every measure (also when empty): in bar 0
// of the first part the document's "divisions"; the "key" when the score's key table
// has an entry for this bar; the "time" when the bar has a time signature; in bar 0 of
// every part a fixed treble "clef" and the part's "staff-details" (verse offsets and
// staff size).
//
// Reading handles the children in document order, so a later one of the same name
// wins. Divisions of 0 or less (a text that holds no number among them) make the whole
// document unreadable: every duration is divided by them. "clef" and the other MusicXML
// attributes are ignored.
#pragma once

#include <memory>

#include "engine/xml/xml_converter.h"

namespace quaverly {

class Bar;
class ScoreElement;

class AttributesConverter : public XmlConverter {
public:
    // The bar of the measure, its index, the part's index and the part's container
    // (whose first child is the Part).
    AttributesConverter(std::shared_ptr<Bar> bar, int barIndex, int partIndex,
                        std::shared_ptr<ScoreElement> partEntry)
        : bar_(std::move(bar)),
          barIndex_(barIndex),
          partIndex_(partIndex),
          partEntry_(std::move(partEntry))
    {
    }

    void Read() override;
    void Write() override;

private:
    std::shared_ptr<Part> GetPart() const;

    std::shared_ptr<Bar> bar_;
    int barIndex_ = 0;
    int partIndex_ = 0;
    std::shared_ptr<ScoreElement> partEntry_;
};

}  // namespace quaverly
