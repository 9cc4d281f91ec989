// One entry of a count map of the layout: "system-bar-number" (how many bars a line
// holds) under "system-layout", and "page-system-number" (how many lines a page holds)
// under "page-layout". Both have the children "index" (the line or page index plus 1)
// and "count", written in that order.
//
// Reading starts from index 0 and count 1; each child sets its value, a later one of
// the same name overriding the earlier.
#pragma once

#include <string>
#include <string_view>

#include "engine/xml/xml_converter.h"

namespace quaverly {

class SystemBarNumberConverter : public XmlConverter {
public:
    SystemBarNumberConverter() = default;
    // For writing: the entry.
    SystemBarNumberConverter(int index, int count) : index_(index), count_(count) {}

    void Read() override;
    void Write() override;

    int GetIndex() const { return index_; }
    int GetCount() const { return count_; }
    // An entry the layout can use: an index from 0 and a count from 1. The readers
    // pass over the others, so the layout never fills a line or page with no room.
    bool IsUsable() const { return index_ >= 0 && count_ >= 1; }

protected:
    // The element name written.
    virtual std::u16string_view ElementNameWritten() const { return u"system-bar-number"; }

private:
    int index_ = 0;
    int count_ = 1;
};

// The lines-per-page entry: the same element under its own name.
class PageSystemNumberConverter final : public SystemBarNumberConverter {
public:
    using SystemBarNumberConverter::SystemBarNumberConverter;

protected:
    std::u16string_view ElementNameWritten() const override { return u"page-system-number"; }
};

}  // namespace quaverly
