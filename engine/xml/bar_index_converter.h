// The bar-number mark of a bar ("bar-index", a child of "measure"): the decorator's
// offset in "relative-x"/"relative-y" and its record as the children "format"
// (numbering mode), "decorator" (frame), "index", "interval", "h-offset", "v_offset",
// then "count-from", "range-start" and "range-stop" (the first counted bar and the
// range of numbers shown), all decimal.
//
// Reading starts from the default record {0, 0, 0, 5, 0, 0, 1000, 0, -500}, so a
// document that lacks the last three children (other copies of the program do not
// write them) keeps the defaults; each child sets its field, and a new decorator with
// the record and the offset is attached to the bar.
#pragma once

#include <memory>

#include "engine/xml/xml_converter.h"

namespace quaverly {

class Bar;

class BarIndexConverter : public XmlConverter {
public:
    explicit BarIndexConverter(std::shared_ptr<Bar> bar) : bar_(std::move(bar)) {}

    void Read() override;
    // Writes nothing for a bar without a decorator.
    void Write() override;

private:
    std::shared_ptr<Bar> bar_;
};

}  // namespace quaverly
