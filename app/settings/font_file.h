// The font file: the twelve text fonts of the score as logical fonts, one section per
// font. A missing section reads as an empty face name, height 0, weight 400, character
// set 1 and everything else 0; every font read has quality 4 (antialiased), whatever
// the file says under "Quality".
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/settings/settings_file_base.h"
#include "engine/model/log_font.h"

namespace brindle {

enum FontKind : int {
    kCommonFont = 0,
    kNoteFont = 1,
    kTupletFont = 2,
    kTimeSignatureFont = 3,
    kTempoSignatureFont = 4,
    kTitleFont = 5,
    kSubtitleFont = 6,
    kComposerFont = 7,
    kExpressionFont = 8,
    kLyricFont = 9,
    kInstrumentNameFont = 10,
    kBarIndexFont = 11,
};

class FontFile : public SettingsFileBase {
public:
    static constexpr int kFontKindCount = 12;
    static constexpr std::array<std::u16string_view, kFontKindCount> kSections = {
        u"COMMON FONT",     u"NOTE FONT",  u"TUPLET FONT",   u"TIME SIGNATURE FONT",
        u"TEMPO SIGNATURE FONT", u"TITLE FONT", u"SUBTITLE FONT", u"COMPOSER FONT",
        u"EXPRESSION FONT", u"LYRIC FONT", u"INSTRUMENT NAME FONT", u"BAR INDEX FONT",
    };
    // The quality every font read from a settings file gets.
    static constexpr std::uint8_t kReadQuality = 4;

    FontFile() = default;

    // The font of a kind; a kind outside 0-11 gives the font of a missing section.
    quaverly::LogFont GetFont(int kind) const;
    // False for a kind outside 0-11 or when the file could not be written.
    bool SetFont(int kind, const quaverly::LogFont& font);

    // The fourteen font keys of a section of any settings file.
    static quaverly::LogFont ReadFont(const ProfileSnapshot& file, std::u16string_view section);
    static quaverly::LogFont ReadFont(const ProfileFile& file, std::u16string_view section)
    {
        return ReadFont(file.Snapshot(), section);
    }
    static bool WriteFont(ProfileFile& file, std::u16string_view section, const quaverly::LogFont& font);
    // The fourteen keys and their texts, in the order they are written.
    static std::vector<std::pair<std::u16string, std::u16string>> FontEntries(const quaverly::LogFont& font);
};

}  // namespace brindle
