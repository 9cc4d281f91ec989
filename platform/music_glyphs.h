// Face names and character codes of the program's music fonts (data/fonts/Tansy.ttc, made
// by scripts/make_music_fonts.py). The drawing code addresses every music glyph through
// these names; the font tests check that each one has a glyph of its own.
#pragma once

#include <array>
#include <string_view>

namespace platform::music {

// Faces of the collection.
inline constexpr std::u16string_view kSymbolFace = u"Tansy";
inline constexpr std::u16string_view kNumberFace = u"Tansy Number";
inline constexpr std::u16string_view kTupletFace = u"Tansy Tuplet";    // bold
inline constexpr std::u16string_view kTimesFace = u"Tansy Times";      // bold
inline constexpr std::u16string_view kSignatureFace = u"Tansy Signature";

// "Tansy": music symbols.
inline constexpr char16_t kFlat = 33;
inline constexpr char16_t kNatural = 34;
inline constexpr char16_t kSharp = 35;
inline constexpr char16_t kDoubleSharp = 161;
inline constexpr char16_t kDoubleFlat = 162;

inline constexpr char16_t kOpenBracket = 42;   // around a continued trill or octave sign
inline constexpr char16_t kCloseBracket = 43;
inline constexpr char16_t kGraceComma = 44;    // under grace notes before a note
inline constexpr char16_t kGraceDash = 45;     // under grace notes after a note
inline constexpr char16_t kEquals = 61;        // in key and tempo signatures
inline constexpr char16_t kKeyNameC = 72;      // key k (-7 .. 7) is kKeyNameC + k
inline constexpr int kLowestKey = -7;
inline constexpr int kHighestKey = 7;
inline constexpr char16_t kTempoWhole = 91;    // whole, half, quarter, ... 32nd: 91 .. 96
inline constexpr int kTempoNoteCount = 6;

inline constexpr char16_t kStaccato = 98;
inline constexpr char16_t kAccent = 99;
inline constexpr char16_t kFermata = 103;
inline constexpr char16_t kStaccatissimo = 107;
inline constexpr char16_t kTenuto = 109;
inline constexpr char16_t kTrill = 160;
inline constexpr char16_t kTurn = 163;
inline constexpr char16_t kMordent = 164;
inline constexpr char16_t kDelayedTurn = 165;
// The inverted mordent has a code of its own: 161 is the double sharp.
inline constexpr char16_t kInvertedMordent = 166;

inline constexpr char16_t kSegno = 208;
inline constexpr char16_t kCoda = 209;
inline constexpr char16_t kToCoda = 210;
inline constexpr char16_t kDalSegno = 211;
inline constexpr char16_t kDaCapo = 212;
inline constexpr char16_t kFine = 213;

inline constexpr char16_t kDynamicF = 224;
inline constexpr char16_t kDynamicM = 225;
inline constexpr char16_t kDynamicP = 227;
inline constexpr char16_t kDynamicR = 228;
inline constexpr char16_t kDynamicS = 229;
inline constexpr char16_t kDynamicZ = 230;

inline constexpr char16_t kArpeggioArrowUp = 240;
inline constexpr char16_t kArpeggioArrowDown = 241;
inline constexpr char16_t kOctaveHookUp = 243;    // end of the line below the notes
inline constexpr char16_t kOctaveHookDown = 244;  // end of the line above the notes
inline constexpr char16_t kWavyLine = 246;        // trill lines, arpeggios, glissandi
inline constexpr char16_t kOctaveDash = 247;
inline constexpr char16_t kOctaveEight = 248;
inline constexpr char16_t kOctaveVa = 249;
inline constexpr char16_t kOctaveVb = 250;
inline constexpr char16_t kFirstEnding = 251;
inline constexpr char16_t kSecondEnding = 252;

// "Tansy Number": note digits "0" .. "7", "-" (duration dash), "." (dots), "X" and three
// more unpitched note symbols.
inline constexpr char16_t kUnpitched1 = 0x3338;
inline constexpr char16_t kUnpitched2 = 0x3339;
inline constexpr char16_t kUnpitched3 = 0x3341;

// "Tansy Signature": "a" .. "o" the keys -7 .. 7, "A" .. "I" the time-signature buttons
// (2/2, 2/4, 3/4, 4/4, 3/8, 6/8, 9/8, 12/8, other), "O" .. "S" the note values whole to
// sixteenth, and "=".

// Every code the program draws, face by face (spaces left out).
struct FaceCodes {
    std::u16string_view face;
    bool bold;
    std::u16string_view codes;
};

inline constexpr char16_t kSymbolCodes[] = {
    kFlat, kNatural, kSharp, kOpenBracket, kCloseBracket, kGraceComma, kGraceDash, kEquals,
    65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79,
    91, 92, 93, 94, 95, 96,
    kStaccato, kAccent, kFermata, kStaccatissimo, kTenuto,
    kTrill, kDoubleSharp, kDoubleFlat, kTurn, kMordent, kDelayedTurn, kInvertedMordent,
    kSegno, kCoda, kToCoda, kDalSegno, kDaCapo, kFine,
    kDynamicF, kDynamicM, kDynamicP, kDynamicR, kDynamicS, kDynamicZ,
    kArpeggioArrowUp, kArpeggioArrowDown, kOctaveHookUp, kOctaveHookDown, kWavyLine,
    kOctaveDash, kOctaveEight, kOctaveVa, kOctaveVb, kFirstEnding, kSecondEnding};

inline constexpr char16_t kNumberCodes[] = {u'0', u'1', u'2', u'3', u'4', u'5', u'6',
                                            u'7', u'8', u'9', u'-', u'.', u'X',
                                            kUnpitched1, kUnpitched2, kUnpitched3};

inline constexpr char16_t kDigitCodes[] = {u'0', u'1', u'2', u'3', u'4',
                                           u'5', u'6', u'7', u'8', u'9'};

inline constexpr char16_t kSignatureCodes[] = {
    u'a', u'b', u'c', u'd', u'e', u'f', u'g', u'h', u'i', u'j', u'k', u'l', u'm', u'n', u'o',
    u'A', u'B', u'C', u'D', u'E', u'F', u'G', u'H', u'I',
    u'O', u'P', u'Q', u'R', u'S', u'='};

inline constexpr std::array<FaceCodes, 5> kAllFaces = {{
    {kSymbolFace, false, {kSymbolCodes, std::size(kSymbolCodes)}},
    {kNumberFace, false, {kNumberCodes, std::size(kNumberCodes)}},
    {kTupletFace, true, {kDigitCodes, std::size(kDigitCodes)}},
    {kTimesFace, true, {kDigitCodes, std::size(kDigitCodes)}},
    {kSignatureFace, false, {kSignatureCodes, std::size(kSignatureCodes)}},
}};

}  // namespace platform::music
