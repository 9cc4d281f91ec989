// A fixed set of fonts for the symbol dialogs' tests: families with their kinds and
// character ranges, handed out in the order they were added.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/dialogs/font_catalogue.h"

namespace dialog_test {

class FakeFontCatalogue : public brindle::FontCatalogue {
public:
    void Add(std::u16string face, std::vector<GlyphRange> ranges, int fontType = kTrueTypeFontType,
             int height = -24)
    {
        Family family;
        family.font.height = height;
        family.font.weight = 400;
        family.font.charSet = 134;
        family.font.quality = 0;
        family.font.SetFaceName(face);
        family.fontType = fontType;
        families_.push_back(family);
        ranges_[face] = std::move(ranges);
    }

    std::vector<Family> Families() override { return families_; }
    std::vector<GlyphRange> UnicodeRanges(const quaverly::LogFont& font) override
    {
        ++rangeQueries;
        auto it = ranges_.find(font.FaceName());
        return it == ranges_.end() ? std::vector<GlyphRange>{} : it->second;
    }

    int rangeQueries = 0;

private:
    std::vector<Family> families_;
    std::map<std::u16string, std::vector<GlyphRange>> ranges_;
};

}  // namespace dialog_test
