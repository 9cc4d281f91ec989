// The "time" of a bar: "beats", "beat-type", "symbol" ("common" for the common-time
// sign, "normal" for the figures) and the signature's offset in
// "relative-x"/"relative-y".
//
// Reading starts from {bar, 4, 4, common}; "symbol" other than "common" gives the
// figures, a missing one the common sign. A time whose beats are not above 0, whose
// beat type is not a power of two from 1 to 64, or whose bar would be too long to count
// in ticks, is passed over. A new signature is
// attached to the bar and recorded in the score's table.
#pragma once

#include <memory>

#include "engine/xml/xml_converter.h"

namespace quaverly {

class Bar;

class TimeConverter : public XmlConverter {
public:
    explicit TimeConverter(std::shared_ptr<Bar> bar) : bar_(std::move(bar)) {}

    void Read() override;
    // Nothing for a bar without a time signature.
    void Write() override;

private:
    std::shared_ptr<Bar> bar_;
};

}  // namespace quaverly
