// A "score-part" of the part list: one part's id, name, instrument name and MIDI channel
// and program (1-based in the document, 0-based in the model).
//
// Reading appends a new per-part container holding a new Part to the score. A channel
// outside 1-16 or a program outside 1-128 is not a MIDI value and leaves the part's
// setting at 0. Writing names the part "P" followed by its position from 1.
#pragma once

#include <memory>
#include <string>

#include "engine/xml/xml_converter.h"

namespace quaverly {

class ScorePartConverter : public XmlConverter {
public:
    static constexpr int kMidiChannels = 16;
    static constexpr int kMidiPrograms = 128;

    ScorePartConverter() = default;
    // For writing: the part at that position of the score.
    ScorePartConverter(std::shared_ptr<Part> part, int index);

    void Read() override;
    void Write() override;

    // The id a saved document gives the part at that index: "P1" for index 0.
    static std::u16string PartIdOf(int index);

private:
    void ReadInstrument(const XmlElement& element, Part& part);
    void ReadMidi(const XmlElement& element, Part& part);

    std::shared_ptr<Part> part_;
    int index_ = 0;
};

}  // namespace quaverly
