// The shortcut file: one section per note-entry command, each holding one key under
// "System Key", "Virtual Key", "Scan Code", "Extend Scan Code" and "Using Scan Code".
// A missing file, section or key reads as zero or false (no key).
#pragma once

#include <array>
#include <string_view>

#include "app/settings/settings_file_base.h"
#include "app/settings/shortcut_key.h"

namespace brindle {

class ShortcutFile : public SettingsFileBase {
public:
    // Every command section, in the order of the getters below.
    static constexpr std::array<std::u16string_view, 38> kSections = {
        u"REST",
        u"DO",
        u"RE",
        u"ME",
        u"FA",
        u"SOL",
        u"LA",
        u"SI",
        u"DRUM",
        u"DURATION WHOLE",
        u"DURATION HALF",
        u"DURATION QUARTER",
        u"DURATION EIGHT",
        u"DURATION SIXTEEN",
        u"DURATION 32",
        u"DURATION 64",
        u"DURATION 128",
        u"DURATION PLUS",
        u"DURATION MINUS",
        u"DOT ONE",
        u"OCTIVE THREE PLUS",
        u"OCTIVE TWO PLUS",
        u"OCTIVE ONE PLUS",
        u"OCTIVE NORMAL",
        u"OCTIVE ONE MINUS",
        u"OCTIVE TWO MINUS",
        u"OCTIVE THREE MINUS",
        u"OCTIVE PLUS",
        u"OCTIVE MINUS",
        u"TIE",
        u"TRIPLET",
        u"PRE GRACE",
        u"POST GRACE",
        u"SYMBOL DOUBLE SHARP",
        u"SYMBOL SHARP",
        u"SYMBOL NATURAL",
        u"SYMBOL FLAT",
        u"SYMBOL DOUBLE FLAT",
    };

    ShortcutFile() = default;

    ShortcutKey ReadShortcut(std::u16string_view section) const { return ReadShortcut(File(), section); }
    bool WriteShortcut(std::u16string_view section, const ShortcutKey& key) { return WriteShortcut(File(), section, key); }

    // The five keys in a section of any settings file (the extended symbol file keeps a
    // symbol's shortcut in the symbol's own section). The write is one rewrite of the file.
    static ShortcutKey ReadShortcut(const ProfileSnapshot& file, std::u16string_view section);
    static ShortcutKey ReadShortcut(const ProfileFile& file, std::u16string_view section)
    {
        return ReadShortcut(file.Snapshot(), section);
    }
    static bool WriteShortcut(ProfileFile& file, std::u16string_view section, const ShortcutKey& key);

    ShortcutKey GetRestShortcut() const { return ReadShortcut(u"REST"); }
    bool SetRestShortcut(const ShortcutKey& key) { return WriteShortcut(u"REST", key); }
    ShortcutKey GetDoShortcut() const { return ReadShortcut(u"DO"); }
    bool SetDoShortcut(const ShortcutKey& key) { return WriteShortcut(u"DO", key); }
    ShortcutKey GetReShortcut() const { return ReadShortcut(u"RE"); }
    bool SetReShortcut(const ShortcutKey& key) { return WriteShortcut(u"RE", key); }
    ShortcutKey GetMeShortcut() const { return ReadShortcut(u"ME"); }
    bool SetMeShortcut(const ShortcutKey& key) { return WriteShortcut(u"ME", key); }
    ShortcutKey GetFaShortcut() const { return ReadShortcut(u"FA"); }
    bool SetFaShortcut(const ShortcutKey& key) { return WriteShortcut(u"FA", key); }
    ShortcutKey GetSolShortcut() const { return ReadShortcut(u"SOL"); }
    bool SetSolShortcut(const ShortcutKey& key) { return WriteShortcut(u"SOL", key); }
    ShortcutKey GetLaShortcut() const { return ReadShortcut(u"LA"); }
    bool SetLaShortcut(const ShortcutKey& key) { return WriteShortcut(u"LA", key); }
    ShortcutKey GetSiShortcut() const { return ReadShortcut(u"SI"); }
    bool SetSiShortcut(const ShortcutKey& key) { return WriteShortcut(u"SI", key); }
    ShortcutKey GetDrumShortcut() const { return ReadShortcut(u"DRUM"); }
    bool SetDrumShortcut(const ShortcutKey& key) { return WriteShortcut(u"DRUM", key); }
    ShortcutKey GetDurationWholeShortcut() const { return ReadShortcut(u"DURATION WHOLE"); }
    bool SetDurationWholeShortcut(const ShortcutKey& key) { return WriteShortcut(u"DURATION WHOLE", key); }
    ShortcutKey GetDurationHalfShortcut() const { return ReadShortcut(u"DURATION HALF"); }
    bool SetDurationHalfShortcut(const ShortcutKey& key) { return WriteShortcut(u"DURATION HALF", key); }
    ShortcutKey GetDurationQuarterShortcut() const { return ReadShortcut(u"DURATION QUARTER"); }
    bool SetDurationQuarterShortcut(const ShortcutKey& key) { return WriteShortcut(u"DURATION QUARTER", key); }
    ShortcutKey GetDurationEightShortcut() const { return ReadShortcut(u"DURATION EIGHT"); }
    bool SetDurationEightShortcut(const ShortcutKey& key) { return WriteShortcut(u"DURATION EIGHT", key); }
    ShortcutKey GetDurationSixteenShortcut() const { return ReadShortcut(u"DURATION SIXTEEN"); }
    bool SetDurationSixteenShortcut(const ShortcutKey& key) { return WriteShortcut(u"DURATION SIXTEEN", key); }
    ShortcutKey GetDuration32Shortcut() const { return ReadShortcut(u"DURATION 32"); }
    bool SetDuration32Shortcut(const ShortcutKey& key) { return WriteShortcut(u"DURATION 32", key); }
    ShortcutKey GetDuration64Shortcut() const { return ReadShortcut(u"DURATION 64"); }
    ShortcutKey GetDuration128Shortcut() const { return ReadShortcut(u"DURATION 128"); }
    ShortcutKey GetDurationPlusShortcut() const { return ReadShortcut(u"DURATION PLUS"); }
    ShortcutKey GetDurationMinusShortcut() const { return ReadShortcut(u"DURATION MINUS"); }
    ShortcutKey GetDotOneShortcut() const { return ReadShortcut(u"DOT ONE"); }
    bool SetDotOneShortcut(const ShortcutKey& key) { return WriteShortcut(u"DOT ONE", key); }
    ShortcutKey GetOctaveThreePlusShortcut() const { return ReadShortcut(u"OCTIVE THREE PLUS"); }
    ShortcutKey GetOctaveTwoPlusShortcut() const { return ReadShortcut(u"OCTIVE TWO PLUS"); }
    bool SetOctaveTwoPlusShortcut(const ShortcutKey& key) { return WriteShortcut(u"OCTIVE TWO PLUS", key); }
    ShortcutKey GetOctaveOnePlusShortcut() const { return ReadShortcut(u"OCTIVE ONE PLUS"); }
    bool SetOctaveOnePlusShortcut(const ShortcutKey& key) { return WriteShortcut(u"OCTIVE ONE PLUS", key); }
    ShortcutKey GetOctaveNormalShortcut() const { return ReadShortcut(u"OCTIVE NORMAL"); }
    bool SetOctaveNormalShortcut(const ShortcutKey& key) { return WriteShortcut(u"OCTIVE NORMAL", key); }
    ShortcutKey GetOctaveOneMinusShortcut() const { return ReadShortcut(u"OCTIVE ONE MINUS"); }
    bool SetOctaveOneMinusShortcut(const ShortcutKey& key) { return WriteShortcut(u"OCTIVE ONE MINUS", key); }
    ShortcutKey GetOctaveTwoMinusShortcut() const { return ReadShortcut(u"OCTIVE TWO MINUS"); }
    bool SetOctaveTwoMinusShortcut(const ShortcutKey& key) { return WriteShortcut(u"OCTIVE TWO MINUS", key); }
    ShortcutKey GetOctaveThreeMinusShortcut() const { return ReadShortcut(u"OCTIVE THREE MINUS"); }
    ShortcutKey GetOctavePlusShortcut() const { return ReadShortcut(u"OCTIVE PLUS"); }
    ShortcutKey GetOctaveMinusShortcut() const { return ReadShortcut(u"OCTIVE MINUS"); }
    ShortcutKey GetTieShortcut() const { return ReadShortcut(u"TIE"); }
    bool SetTieShortcut(const ShortcutKey& key) { return WriteShortcut(u"TIE", key); }
    ShortcutKey GetTripletShortcut() const { return ReadShortcut(u"TRIPLET"); }
    bool SetTripletShortcut(const ShortcutKey& key) { return WriteShortcut(u"TRIPLET", key); }
    ShortcutKey GetPreGraceShortcut() const { return ReadShortcut(u"PRE GRACE"); }
    ShortcutKey GetPostGraceShortcut() const { return ReadShortcut(u"POST GRACE"); }
    ShortcutKey GetDoubleSharpShortcut() const { return ReadShortcut(u"SYMBOL DOUBLE SHARP"); }
    ShortcutKey GetSharpShortcut() const { return ReadShortcut(u"SYMBOL SHARP"); }
    bool SetSharpShortcut(const ShortcutKey& key) { return WriteShortcut(u"SYMBOL SHARP", key); }
    ShortcutKey GetNaturalShortcut() const { return ReadShortcut(u"SYMBOL NATURAL"); }
    bool SetNaturalShortcut(const ShortcutKey& key) { return WriteShortcut(u"SYMBOL NATURAL", key); }
    ShortcutKey GetFlatShortcut() const { return ReadShortcut(u"SYMBOL FLAT"); }
    bool SetFlatShortcut(const ShortcutKey& key) { return WriteShortcut(u"SYMBOL FLAT", key); }
    ShortcutKey GetDoubleFlatShortcut() const { return ReadShortcut(u"SYMBOL DOUBLE FLAT"); }
};

}  // namespace brindle
