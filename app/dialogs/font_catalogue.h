// The fonts installed on the desktop as the glyph chooser offers them: one entry per font
// family, in the desktop's order, each with its kind (outline or not) and the characters
// it holds as ranges of UTF-16 code units. Dialogs ask the catalogue in force, so tests
// put in one of their own with a fixed set of fonts.
#pragma once

#include <string>
#include <vector>

#include "engine/model/log_font.h"

namespace brindle {

class FontCatalogue {
public:
    // Kinds of font family.
    static constexpr int kRasterFontType = 1;
    static constexpr int kDeviceFontType = 2;
    static constexpr int kTrueTypeFontType = 4;

    struct Family {
        quaverly::LogFont font;  // the face name and a size the family is shown in
        int fontType = kTrueTypeFontType;
    };
    // The code units low, low + 1, ..., low + count - 1.
    struct GlyphRange {
        char16_t low = 0;
        int count = 0;
        friend bool operator==(const GlyphRange&, const GlyphRange&) = default;
    };

    virtual ~FontCatalogue() = default;

    virtual std::vector<Family> Families() = 0;
    // The characters of a font, ranges from low to high code units.
    virtual std::vector<GlyphRange> UnicodeRanges(const quaverly::LogFont& font) = 0;

    // The catalogue in force: the one installed last, else the desktop's own.
    static FontCatalogue& Current();
    // Puts a catalogue in force (not owned) and returns the one it replaces (null for the
    // built-in one); null puts the built-in one back.
    static FontCatalogue* Install(FontCatalogue* catalogue);
};

// The desktop's fonts through Qt's font database: every family that is not private, an
// outline family when it scales smoothly; a family's characters are the code units of the
// basic plane its font maps to a glyph.
class QtFontCatalogue : public FontCatalogue {
public:
    // The em height, in pixels, the families are described with.
    static constexpr int kShownHeight = -24;

    std::vector<Family> Families() override;
    std::vector<GlyphRange> UnicodeRanges(const quaverly::LogFont& font) override;
};

// Puts a catalogue in force for the lifetime of the object, then the previous one back.
class ScopedFontCatalogue {
public:
    explicit ScopedFontCatalogue(FontCatalogue& catalogue) : previous_(FontCatalogue::Install(&catalogue)) {}
    ~ScopedFontCatalogue() { FontCatalogue::Install(previous_); }
    ScopedFontCatalogue(const ScopedFontCatalogue&) = delete;
    ScopedFontCatalogue& operator=(const ScopedFontCatalogue&) = delete;

private:
    FontCatalogue* previous_;
};

}  // namespace brindle
