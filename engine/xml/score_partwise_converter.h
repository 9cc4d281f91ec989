// The document element "score-partwise": reads its children in document order into the
// score and writes the score's elements in a fixed order (titles, identification, part
// list, one "part" per score part, the page layout, the line layout).
//
// After every "part" element the reader starts the next part afresh. When the part had
// notes on a second staff (another program's two-staff piano part), the notes of that
// staff were gathered in the context's pending part; it is joined to the part it belongs
// to, right after it, under a brace, and plays with that part's instrument and MIDI
// settings.
#pragma once

#include <memory>

#include "engine/xml/xml_converter.h"

namespace quaverly {

class ContainerElement;

class ScorePartwiseConverter : public XmlConverter {
public:
    void Read() override;
    void Write() override;

    // Puts the pending container right after score child `ownIndex` as the second part of
    // a staff pair with it: the two parts get the staff links first and second, the
    // pending part takes the own part's instrument name, MIDI program and channel, part
    // groups at or after the own part move with the parts (a group that ends at the own
    // part takes its second staff in), and a brace over the two is added. Nothing happens
    // when there is no part at `ownIndex` or the container holds no part.
    static void JoinSecondStaff(Score& score, int ownIndex,
                                const std::shared_ptr<ContainerElement>& pending);

private:
    // What follows every "part" element; `matched` is the index of the part it filled.
    void FinishPart(int matched);
};

}  // namespace quaverly
