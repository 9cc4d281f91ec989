// The layout parameter file: how the parts of a note, chords, grace notes, bars, staves,
// systems, the title block and lyrics are spaced, and how much room each note value
// takes. Pairs are stored as "x;y" and read (0, 0) when missing; numbers keep 6
// significant digits. Three entries ("Height" and "Interval" of "TRACK PARAM",
// "Interval" of "SYSTEM PARAM") are written as ints and read as numbers truncated
// toward zero.
#pragma once

#include <string_view>

#include "app/settings/settings_file_base.h"

namespace brindle {

// The key of "NOTE SPACING PARAM" for a note value in ticks (161280 per quarter note);
// only the plain values from the 128th to the breve have keys of their own, every other
// value uses "quarter".
std::u16string_view GetNoteSpacingKey(int durationTicks);

class FontParamFile : public SettingsFileBase {
public:
    FontParamFile() = default;

    IntPair GetNormalNoteDashOffset() const { return GetPair(u"NORMAL NOTE PARAM", u"Dash Offset"); }
    bool SetNormalNoteDashOffset(const IntPair& value) { return SetPair(u"NORMAL NOTE PARAM", u"Dash Offset", value); }
    IntPair GetNormalNoteSymbolOffset() const { return GetPair(u"NORMAL NOTE PARAM", u"Symbol Offset"); }
    bool SetNormalNoteSymbolOffset(const IntPair& value) { return SetPair(u"NORMAL NOTE PARAM", u"Symbol Offset", value); }
    IntPair GetNormalNoteDotOffset() const { return GetPair(u"NORMAL NOTE PARAM", u"Dot Offset"); }
    bool SetNormalNoteDotOffset(const IntPair& value) { return SetPair(u"NORMAL NOTE PARAM", u"Dot Offset", value); }
    double GetNormalNoteDotInterval() const { return File().ReadFloat(u"NORMAL NOTE PARAM", u"Dot Interval", 0); }
    bool SetNormalNoteDotInterval(double value) { return File().WriteDouble(u"NORMAL NOTE PARAM", u"Dot Interval", value); }
    double GetNormalNoteOctaveDotInterval() const { return File().ReadFloat(u"NORMAL NOTE PARAM", u"Octive Dot Interval", 0.25); }
    bool SetNormalNoteOctaveDotInterval(double value) { return File().WriteDouble(u"NORMAL NOTE PARAM", u"Octive Dot Interval", value); }
    IntPair GetNormalNoteHighOctaveOffset() const { return GetPair(u"NORMAL NOTE PARAM", u"High Octive Offset"); }
    bool SetNormalNoteHighOctaveOffset(const IntPair& value) { return SetPair(u"NORMAL NOTE PARAM", u"High Octive Offset", value); }
    IntPair GetNormalNoteLowOctaveOffset() const { return GetPair(u"NORMAL NOTE PARAM", u"Low Octive Offset"); }
    bool SetNormalNoteLowOctaveOffset(const IntPair& value) { return SetPair(u"NORMAL NOTE PARAM", u"Low Octive Offset", value); }
    double GetNormalNoteLegerInterval() const { return File().ReadFloat(u"NORMAL NOTE PARAM", u"Leger Interval", 0.2); }
    bool SetNormalNoteLegerInterval(double value) { return File().WriteDouble(u"NORMAL NOTE PARAM", u"Leger Interval", value); }
    int GetNormalNoteLegerLineThick() const { return File().ReadInt(u"NORMAL NOTE PARAM", u"Leger Line Thick", 0); }
    bool SetNormalNoteLegerLineThick(int value) { return File().WriteInt(u"NORMAL NOTE PARAM", u"Leger Line Thick", value); }
    int GetNormalNoteLeftLegerBulge() const { return File().ReadInt(u"NORMAL NOTE PARAM", u"Left Leger Bulge", 0); }
    bool SetNormalNoteLeftLegerBulge(int value) { return File().WriteInt(u"NORMAL NOTE PARAM", u"Left Leger Bulge", value); }
    int GetNormalNoteRightLegerBulge() const { return File().ReadInt(u"NORMAL NOTE PARAM", u"Right Leger Bulge", 0); }
    bool SetNormalNoteRightLegerBulge(int value) { return File().WriteInt(u"NORMAL NOTE PARAM", u"Right Leger Bulge", value); }
    int GetChordNoteInterval() const { return File().ReadInt(u"CHORD NOTE PARAM", u"Interval", 0); }
    bool SetChordNoteInterval(int value) { return File().WriteInt(u"CHORD NOTE PARAM", u"Interval", value); }
    double GetChordNoteScale() const { return File().ReadFloat(u"CHORD NOTE PARAM", u"Scale", 1); }
    bool SetChordNoteScale(double value) { return File().WriteDouble(u"CHORD NOTE PARAM", u"Scale", value); }
    IntPair GetChordNoteSymbolOffset() const { return GetPair(u"CHORD NOTE PARAM", u"Symbol Offset"); }
    bool SetChordNoteSymbolOffset(const IntPair& value) { return SetPair(u"CHORD NOTE PARAM", u"Symbol Offset", value); }
    IntPair GetChordNoteHighOctaveOffset() const { return GetPair(u"CHORD NOTE PARAM", u"High Octive Offset"); }
    bool SetChordNoteHighOctaveOffset(const IntPair& value) { return SetPair(u"CHORD NOTE PARAM", u"High Octive Offset", value); }
    IntPair GetChordNoteLowOctaveOffset() const { return GetPair(u"CHORD NOTE PARAM", u"Low Octive Offset"); }
    bool SetChordNoteLowOctaveOffset(const IntPair& value) { return SetPair(u"CHORD NOTE PARAM", u"Low Octive Offset", value); }
    double GetGraceNoteScale() const { return File().ReadFloat(u"GRACE NOTE PARAM", u"Scale", 1); }
    bool SetGraceNoteScale(double value) { return File().WriteDouble(u"GRACE NOTE PARAM", u"Scale", value); }
    int GetGraceNoteNoteInterval() const { return File().ReadInt(u"GRACE NOTE PARAM", u"Note Interval", 0); }
    bool SetGraceNoteNoteInterval(int value) { return File().WriteInt(u"GRACE NOTE PARAM", u"Note Interval", value); }
    IntPair GetGraceNoteDotOffset() const { return GetPair(u"GRACE NOTE PARAM", u"Dot Offset"); }
    bool SetGraceNoteDotOffset(const IntPair& value) { return SetPair(u"GRACE NOTE PARAM", u"Dot Offset", value); }
    double GetGraceNoteDotInterval() const { return File().ReadFloat(u"GRACE NOTE PARAM", u"Dot Interval", 0); }
    bool SetGraceNoteDotInterval(double value) { return File().WriteDouble(u"GRACE NOTE PARAM", u"Dot Interval", value); }
    double GetGraceNoteOctaveDotInterval() const { return File().ReadFloat(u"GRACE NOTE PARAM", u"Octive Dot Interval", 0.5); }
    bool SetGraceNoteOctaveDotInterval(double value) { return File().WriteDouble(u"GRACE NOTE PARAM", u"Octive Dot Interval", value); }
    IntPair GetGraceNoteHighOctaveOffset() const { return GetPair(u"GRACE NOTE PARAM", u"High Octive Offset"); }
    bool SetGraceNoteHighOctaveOffset(const IntPair& value) { return SetPair(u"GRACE NOTE PARAM", u"High Octive Offset", value); }
    IntPair GetGraceNoteLowOctaveOffset() const { return GetPair(u"GRACE NOTE PARAM", u"Low Octive Offset"); }
    bool SetGraceNoteLowOctaveOffset(const IntPair& value) { return SetPair(u"GRACE NOTE PARAM", u"Low Octive Offset", value); }
    double GetGraceNoteLegerInterval() const { return File().ReadFloat(u"GRACE NOTE PARAM", u"Leger Interval", 0); }
    bool SetGraceNoteLegerInterval(double value) { return File().WriteDouble(u"GRACE NOTE PARAM", u"Leger Interval", value); }
    int GetBarLeftMargin() const { return File().ReadInt(u"BAR PARAM", u"Left Margin", 0); }
    bool SetBarLeftMargin(int value) { return File().WriteInt(u"BAR PARAM", u"Left Margin", value); }
    int GetBarRightMargin() const { return File().ReadInt(u"BAR PARAM", u"Right Margin", 0); }
    bool SetBarRightMargin(int value) { return File().WriteInt(u"BAR PARAM", u"Right Margin", value); }
    int GetBarBeatBeatInterval() const { return File().ReadInt(u"BAR PARAM", u"Beat Beat Interval", 0); }
    bool SetBarBeatBeatInterval(int value) { return File().WriteInt(u"BAR PARAM", u"Beat Beat Interval", value); }
    int GetTrackHeight() const { return GetTruncated(u"TRACK PARAM", u"Height", 609.6); }
    bool SetTrackHeight(int value) { return File().WriteInt(u"TRACK PARAM", u"Height", value); }
    int GetTrackInterval() const { return GetTruncated(u"TRACK PARAM", u"Interval", 1219.2); }
    bool SetTrackInterval(int value) { return File().WriteInt(u"TRACK PARAM", u"Interval", value); }
    int GetSystemInterval() const { return GetTruncated(u"SYSTEM PARAM", u"Interval", 1219.2); }
    bool SetSystemInterval(int value) { return File().WriteInt(u"SYSTEM PARAM", u"Interval", value); }
    int GetTitleSystemHeight() const { return File().ReadInt(u"TITLE SYSTEM PARAM", u"Height", 1500); }
    bool SetTitleSystemHeight(int value) { return File().WriteInt(u"TITLE SYSTEM PARAM", u"Height", value); }
    int GetLyricInterval() const { return File().ReadInt(u"LYRIC PARAM", u"Interval", 0); }
    bool SetLyricInterval(int value) { return File().WriteInt(u"LYRIC PARAM", u"Interval", value); }
    int GetLyricNoteLyricDistance() const { return File().ReadInt(u"LYRIC PARAM", u"Note Lyric Distance", 0); }
    bool SetLyricNoteLyricDistance(int value) { return File().WriteInt(u"LYRIC PARAM", u"Note Lyric Distance", value); }
    double GetNoteSpacingCloseScale() const { return File().ReadFloat(u"NOTE SPACING PARAM", u"Close Scale", 1); }
    bool SetNoteSpacingCloseScale(double value) { return File().WriteDouble(u"NOTE SPACING PARAM", u"Close Scale", value); }

    // Room taken by a note value, by the key of GetNoteSpacingKey; 1 when missing.
    double GetNoteSpacing(int durationTicks) const;
    bool SetNoteSpacing(int durationTicks, double value);

private:
    IntPair GetPair(std::u16string_view section, std::u16string_view key) const;
    bool SetPair(std::u16string_view section, std::u16string_view key, const IntPair& value);
    int GetTruncated(std::u16string_view section, std::u16string_view key, double defaultValue) const;
};

}  // namespace brindle
