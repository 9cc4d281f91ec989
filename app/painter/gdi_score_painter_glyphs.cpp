// GdiScorePainter: the note and glyph operations. Each draws characters of the music
// fonts at a computed place: note digits (normal, chord and grace size) with their
// augmentation dots, octave dots, accidentals and duration underlines, the marks under
// grace notes, jump marks and the articulation and ornament symbols.
#include "app/painter/gdi_score_painter.h"

#include "platform/music_glyphs.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace brindle {
namespace {

namespace music = platform::music;

constexpr int kDashCode = 9;  // the duration dash among the note codes

// The note-font character of a note code: 1 the rest "0", 2-8 the degrees "1"-"7", 9 the
// duration dash, 10-13 the unpitched note symbols; 0 for any other code.
char16_t NoteCharacter(int code)
{
    if (code >= 1 && code <= 8)
        return static_cast<char16_t>(u'0' + (code - 1));
    switch (code) {
    case kDashCode: return u'-';
    case 10: return u'X';
    case 11: return music::kUnpitched1;
    case 12: return music::kUnpitched2;
    case 13: return music::kUnpitched3;
    default: return 0;
    }
}

// The music-font glyphs of an accidental, left to right; empty for 0 and for values
// outside -3 .. 4.
std::u16string AccidentalGlyphs(int accidental)
{
    switch (accidental) {
    case -3: return {music::kNatural, music::kFlat};
    case -2: return {music::kDoubleFlat};
    case -1: return {music::kFlat};
    case 1: return {music::kSharp};
    case 2: return {music::kDoubleSharp};
    case 3: return {music::kNatural, music::kSharp};
    case 4: return {music::kNatural};
    default: return {};
    }
}

struct JumpGlyph {
    char16_t glyph;
    int heightPixels;  // the height the layout reserves, screen pixels
};

// Jump marks 3-8: D.C., D.S. and Fine as words, coda, To Coda and segno as signs.
std::optional<JumpGlyph> JumpMarkGlyph(int kind)
{
    switch (kind) {
    case 3: return JumpGlyph{music::kDaCapo, 10};
    case 4: return JumpGlyph{music::kDalSegno, 10};
    case 5: return JumpGlyph{music::kFine, 10};
    case 6: return JumpGlyph{music::kCoda, 15};
    case 7: return JumpGlyph{music::kToCoda, 15};
    case 8: return JumpGlyph{music::kSegno, 15};
    default: return std::nullopt;
    }
}

struct SymbolGlyph {
    char16_t glyph;
    int baseline;  // below the symbol's top, 0.01 mm
};

// Articulations and ornaments by their note-symbol code.
std::optional<SymbolGlyph> NoteSymbolGlyph(int code)
{
    switch (code) {
    case 2: return SymbolGlyph{music::kAccent, 250};
    case 3: return SymbolGlyph{music::kStaccato, 250};
    case 4: return SymbolGlyph{music::kTenuto, 150};
    case 6: return SymbolGlyph{music::kStaccatissimo, 350};
    case 14: return SymbolGlyph{music::kFermata, 300};
    case 19: return SymbolGlyph{music::kTrill, 250};
    case 20: return SymbolGlyph{music::kTurn, 250};
    case 21: return SymbolGlyph{music::kDelayedTurn, 250};
    case 24: return SymbolGlyph{music::kMordent, 150};
    case 25: return SymbolGlyph{music::kInvertedMordent, 150};
    default: return std::nullopt;
    }
}

std::u16string_view One(const char16_t& glyph)
{
    return std::u16string_view(&glyph, 1);
}

// Stacks up to this many dots are set on whole pixels; taller ones (no note has them)
// are drawn as they come.
constexpr int kMaxSnappedDots = 16;
// Dots this many device pixels apart (a printer's, a picture's without pixels) are
// apart whatever their fractions: they are drawn as they come.
constexpr double kMaxSnappedStepPixels = 24.0;

// The number of octave dots of a signed count, without overflow at the lowest int.
int DotCount(int octave)
{
    const std::int64_t n = std::llabs(static_cast<std::int64_t>(octave));
    return n > INT32_MAX ? INT32_MAX : static_cast<int>(n);
}

}  // namespace

// --- Helpers ---

quaverly::LogFont GdiScorePainter::ChordFont(int fontKey)
{
    quaverly::LogFont font = ScaledFont(fontKey, Table().GetChordNoteScale());
    font.width = FontMetrics(ScaledFont(fontKey)).aveCharWidth;
    return font;
}

quaverly::LogFont GdiScorePainter::GraceFont(int fontKey) const
{
    return ScaledFont(fontKey, Table().GetGraceNoteScale());
}

quaverly::LogFont GdiScorePainter::SizedFont(GlyphSize size, int fontKey)
{
    switch (size) {
    case GlyphSize::Chord: return ChordFont(fontKey);
    case GlyphSize::Grace: return GraceFont(fontKey);
    case GlyphSize::Normal: break;
    }
    return ScaledFont(fontKey);
}

void GdiScorePainter::GlyphRun(const quaverly::LogFont& scaledFont, int x, int y, int dx,
                               int dy, int count, char16_t glyph, unsigned align, int colorKey)
{
    for (int i = 0; i < count; ++i) {
        const std::int64_t px = x + static_cast<std::int64_t>(i) * dx;
        const std::int64_t py = y + static_cast<std::int64_t>(i) * dy;
        if (px < INT32_MIN || px > INT32_MAX || py < INT32_MIN || py > INT32_MAX)
            return;  // the rest lies outside any page
        DrawString(scaledFont, static_cast<int>(px), static_cast<int>(py), align, One(glyph),
                   colorKey);
    }
}

// --- The three sizes of note glyphs ---

// What sets normal notes, chord notes and grace notes apart. Fonts are made only when a
// glyph is measured or drawn.
struct GdiScorePainter::NoteFamily {
    GlyphSize digits = GlyphSize::Normal;  // the digits and accidentals
    GlyphSize dots = GlyphSize::Normal;    // the augmentation and octave dots
    quaverly::Size box;       // a digit stands centred in its width, baseline at its height
    bool drawsDash = true;    // the duration dash, moved by the dash offset
    int dotStep = 0;          // from one augmentation dot to the next
    quaverly::Point dotOffset;  // of the first augmentation dot
    int dotBaseline = 0;      // of the augmentation dots, below the note's top
    quaverly::Point highOctaveOffset;
    quaverly::Point lowOctaveOffset;
    int octaveDotStep = 0;    // from one octave dot to the next
    double accidentalScale = 1.0;  // of an accidental's height of 10 pixels
};

GdiScorePainter::NoteFamily GdiScorePainter::NormalNotes()
{
    const LayoutMetrics& m = Table().GetMetrics();
    const quaverly::Size note = GetNoteSize();
    NoteFamily f;
    f.box = note;
    f.dotStep = static_cast<int>(m.noteDotInterval * note.cx);
    f.dotOffset = m.noteDotOffset;
    f.dotBaseline = 8 * note.cy / 10;
    f.highOctaveOffset = m.noteHighOctaveOffset;
    f.lowOctaveOffset = m.noteLowOctaveOffset;
    f.octaveDotStep = GetOctaveDotInterval();
    return f;
}

// Chord notes: smaller digits in the place of a normal note, their dots at full size.
GdiScorePainter::NoteFamily GdiScorePainter::ChordNotes()
{
    const LayoutMetrics& m = Table().GetMetrics();
    const quaverly::Size chord = Table().GetChordNoteSize();
    NoteFamily f;
    f.digits = GlyphSize::Chord;
    f.box = GetChordNoteSize();
    f.dotStep = static_cast<int>(m.noteDotInterval * chord.cx);
    f.dotOffset = m.noteDotOffset;
    f.dotBaseline = GetNoteSize().cy - 2 * chord.cy / 10;
    f.highOctaveOffset = m.chordHighOctaveOffset;
    f.lowOctaveOffset = m.chordLowOctaveOffset;
    f.octaveDotStep = GetChordOctaveDotInterval();
    f.accidentalScale = Table().GetChordNoteScale();
    return f;
}

// Grace notes: the grace-note size and scale throughout; no dash. (Their accidentals
// draw no pairs of glyphs, but measure as the others do.)
GdiScorePainter::NoteFamily GdiScorePainter::GraceNotes()
{
    const LayoutMetrics& m = Table().GetMetrics();
    const quaverly::Size grace = GetGraceNoteSize();
    NoteFamily f;
    f.digits = GlyphSize::Grace;
    f.dots = GlyphSize::Grace;
    f.box = grace;
    f.drawsDash = false;
    f.dotStep = static_cast<int>(m.graceDotInterval * grace.cx);
    f.dotOffset = m.graceDotOffset;
    f.dotBaseline = 8 * grace.cy / 10;
    f.highOctaveOffset = m.graceHighOctaveOffset;
    f.lowOctaveOffset = m.graceLowOctaveOffset;
    f.octaveDotStep = GetGraceOctaveDotInterval();
    f.accidentalScale = Table().GetGraceNoteScale();
    return f;
}

void GdiScorePainter::NoteDigit(const NoteFamily& f, int x, int y, int pitchCode, int color)
{
    const char16_t ch = NoteCharacter(pitchCode);
    if (ch == 0 || (pitchCode == kDashCode && !f.drawsDash))
        return;
    const quaverly::Point shift =
        pitchCode == kDashCode ? Table().GetMetrics().noteDashOffset : quaverly::Point{};
    DrawString(SizedFont(f.digits, font_key::kNote), x + f.box.cx / 2 + shift.x,
               y + f.box.cy + shift.y, kBaselineCentre, One(ch), color);
}

quaverly::Size GdiScorePainter::MeasureDotRow(const NoteFamily& f, int count)
{
    const int height = MeasureString(SizedFont(f.dots, font_key::kNote), u".").cy;
    return {f.dotStep * std::max(count, 0) + f.dotOffset.x, height};
}

void GdiScorePainter::DotRow(const NoteFamily& f, int x, int y, int count, int color)
{
    GlyphRun(SizedFont(f.dots, font_key::kNote), x + f.dotOffset.x,
             y + f.dotOffset.y + f.dotBaseline, f.dotStep, 0, count, u'.', kBaselineCentre,
             color);
}

void GdiScorePainter::OctaveDotColumn(const NoteFamily& f, int x, int y, int octave, int color)
{
    if (octave == 0)
        return;
    const quaverly::Point offset = octave > 0 ? f.highOctaveOffset : f.lowOctaveOffset;
    const quaverly::LogFont font = SizedFont(f.dots, font_key::kNote);
    const int count = DotCount(octave);
    const int cx = x + f.box.cx / 2 + offset.x;
    const int top = y + offset.y;
    const double perUnit = dc_ ? std::fabs(dc_->GetMapping().ScaleY()) : 0.0;
    const double stepPixels = f.octaveDotStep * perUnit;
    if (count < 2 || count > kMaxSnappedDots || !(stepPixels > 0.0) ||
        stepPixels > kMaxSnappedStepPixels) {
        GlyphRun(font, cx, top, 0, f.octaveDotStep, count, u'.', kBaselineCentre, color);
        return;
    }
    // The dots of a stack stand a whole number of device pixels apart, with at least one
    // clear pixel between two: a step of a fraction of a pixel put their soft edges on
    // neighbouring rows at some places, and two dots read as one. The context puts each
    // dot on a whole pixel, so all of them cover the same rows of their own; a step of
    // the dot's rows plus one clears them whatever the phase. The dot next to the digit
    // keeps its place and the others move away from it, never into the digit.
    const double dotPixels = InkWidth(font, u'.') * perUnit;
    const long step = std::max(std::lround(stepPixels),
                               static_cast<long>(std::ceil(dotPixels)) + 2);
    const int nearest = octave > 0 ? count - 1 : 0;
    const platform::Point anchor =
        dc_->LPtoDP(At(cx, top + static_cast<int>(static_cast<std::int64_t>(nearest) *
                                                  f.octaveDotStep)));
    for (int i = 0; i < count; ++i) {
        const long deviceY = anchor.y + (i - nearest) * step;
        const int logicalY = dc_->DPtoLP({anchor.x, static_cast<std::int32_t>(deviceY)}).y;
        DrawString(font, cx, logicalY - At(0, 0).y, kBaselineCentre, One(u'.'), color);
    }
}

quaverly::Size GdiScorePainter::AccidentalBox(const NoteFamily& f, int accidental)
{
    // As wide as a sharp for every accidental from -3 to 4 but 0, whether or not its size
    // draws it.
    const bool hasGlyphs = !AccidentalGlyphs(accidental).empty();
    const int width =
        hasGlyphs ? MeasureString(SizedFont(f.digits, font_key::kMusic), One(music::kSharp)).cx : 0;
    return {width, static_cast<int>(10.0 * scale_ * f.accidentalScale)};
}

// --- Normal notes ---

void GdiScorePainter::DrawNote(int x, int y, int pitchCode, int color)
{
    NoteDigit(NormalNotes(), x, y, pitchCode, color);
}

quaverly::Size GdiScorePainter::MeasureDots(int count)
{
    return MeasureDotRow(NormalNotes(), count);
}

void GdiScorePainter::DrawDots(int x, int y, int count, int color)
{
    DotRow(NormalNotes(), x, y, count, color);
}

void GdiScorePainter::DrawOctaveDots(int x, int y, int octave, int color)
{
    OctaveDotColumn(NormalNotes(), x, y, octave, color);
}

quaverly::Size GdiScorePainter::MeasureAccidental(int accidental)
{
    return AccidentalBox(NormalNotes(), accidental);
}

void GdiScorePainter::DrawAccidental(int x, int y, int accidental, int color)
{
    const std::u16string glyphs = AccidentalGlyphs(accidental);
    if (glyphs.empty())
        return;
    const quaverly::Size size = MeasureAccidental(4);
    const quaverly::Point offset = Table().GetMetrics().accidentalOffset;
    const quaverly::LogFont font = ScaledFont(font_key::kMusic);
    const int baseline = y + size.cy + offset.y;
    // A pair's first glyph ends where the second begins.
    if (glyphs.size() == 2)
        DrawString(font, x + offset.x, baseline, kBaselineRight, One(glyphs.front()), color);
    DrawString(font, x + size.cx + offset.x, baseline, kBaselineRight, One(glyphs.back()),
               color);
}

void GdiScorePainter::DrawLegerLine(quaverly::Point start, int width, int color)
{
    const LayoutMetrics& m = Table().GetMetrics();
    Line({start.x - m.noteLeftLegerBulge, start.y},
         {start.x + width + m.noteRightLegerBulge, start.y}, platform::kPsSolid,
         m.noteLegerThickness, color);
}

// --- Chord notes ---

void GdiScorePainter::DrawChordNote(int x, int y, int pitchCode, int color)
{
    NoteDigit(ChordNotes(), x, y, pitchCode, color);
}

quaverly::Size GdiScorePainter::MeasureChordDots(int count)
{
    return MeasureDotRow(ChordNotes(), count);
}

void GdiScorePainter::DrawChordDots(int x, int y, int count, int color)
{
    DotRow(ChordNotes(), x, y, count, color);
}

void GdiScorePainter::DrawChordOctaveDots(int x, int y, int octave, int color)
{
    OctaveDotColumn(ChordNotes(), x, y, octave, color);
}

quaverly::Size GdiScorePainter::MeasureChordAccidental(int accidental)
{
    return AccidentalBox(ChordNotes(), accidental);
}

void GdiScorePainter::DrawChordAccidental(int x, int y, int accidental, int color)
{
    const std::u16string glyphs = AccidentalGlyphs(accidental);
    if (glyphs.empty())
        return;
    const int h = MeasureChordAccidental(4).cy;
    const quaverly::Point offset = Table().GetMetrics().chordAccidentalOffset;
    const quaverly::LogFont font = ChordFont(font_key::kMusic);
    // The smaller glyph stands as low as the smaller digit.
    const int baseline =
        y + h + (GetNoteSize().cy - Table().GetChordNoteSize().cy) + offset.y;
    if (glyphs.size() == 2)
        DrawString(font, x + offset.x, baseline, kBaselineRight, One(glyphs.front()), color);
    DrawString(font, x + offset.x, baseline, kBaselineLeft, One(glyphs.back()), color);
}

// --- Grace notes ---

void GdiScorePainter::DrawGraceNote(int x, int y, int pitchCode, int color)
{
    NoteDigit(GraceNotes(), x, y, pitchCode, color);
}

quaverly::Size GdiScorePainter::MeasureGraceAccidental(int accidental)
{
    return AccidentalBox(GraceNotes(), accidental);
}

void GdiScorePainter::DrawGraceAccidental(int x, int y, int accidental, int color)
{
    const std::u16string glyphs = AccidentalGlyphs(accidental);
    if (glyphs.size() != 1)
        return;
    DrawString(GraceFont(font_key::kMusic), x, y + MeasureGraceAccidental(4).cy, kBaselineLeft,
               glyphs, color);
}

quaverly::Size GdiScorePainter::MeasureGraceDots(int count)
{
    return MeasureDotRow(GraceNotes(), count);
}

void GdiScorePainter::DrawGraceDots(int x, int y, int count, int color)
{
    DotRow(GraceNotes(), x, y, count, color);
}

void GdiScorePainter::DrawGraceOctaveDots(int x, int y, int octave, int color)
{
    OctaveDotColumn(GraceNotes(), x, y, octave, color);
}

void GdiScorePainter::DrawGraceLegerLine(quaverly::Point start, int width, int color)
{
    const LayoutMetrics& m = Table().GetMetrics();
    Line({start.x - m.graceLegerBulge, start.y}, {start.x + width + m.graceLegerBulge, start.y},
         platform::kPsSolid, m.graceLegerThickness, color);
}

// --- Marks under grace notes: both glyphs centre their ink on the middle of the span ---

void GdiScorePainter::DrawCommaMark(const quaverly::Rect& rect, int color)
{
    DrawString(ScaledFont(font_key::kMusic), (rect.left + rect.right) / 2, rect.top,
               kBaselineLeft, One(music::kGraceComma), color);
}

void GdiScorePainter::DrawDashMark(const quaverly::Rect& rect, int color)
{
    DrawString(ScaledFont(font_key::kMusic), (rect.left + rect.right) / 2, rect.top,
               kBaselineRight, One(music::kGraceDash), color);
}

// --- Jump marks and note symbols ---

quaverly::Size GdiScorePainter::MeasureJumpMark(int value)
{
    const std::optional<JumpGlyph> jump = JumpMarkGlyph(value);
    if (!jump)
        return {};
    return {MeasureString(ScaledFont(font_key::kMusic), One(jump->glyph)).cx,
            Pixels(jump->heightPixels)};
}

void GdiScorePainter::DrawJumpMark(int x, int y, int value, int color)
{
    const std::optional<JumpGlyph> jump = JumpMarkGlyph(value);
    if (!jump)
        return;
    DrawString(ScaledFont(font_key::kMusic), x, y + MeasureJumpMark(value).cy, kBaselineLeft,
               One(jump->glyph), color);
}

quaverly::Size GdiScorePainter::MeasureNoteSymbol(int code)
{
    const std::optional<SymbolGlyph> symbol = NoteSymbolGlyph(code);
    if (!symbol)
        return {};
    const quaverly::LogFont font = ScaledFont(font_key::kMusic);
    return {MeasureString(font, One(symbol->glyph)).cx, VisibleHeight(font)};
}

void GdiScorePainter::DrawNoteSymbol(int x, int y, int code, int color)
{
    const std::optional<SymbolGlyph> symbol = NoteSymbolGlyph(code);
    if (!symbol)
        return;
    DrawString(ScaledFont(font_key::kMusic), x, y + symbol->baseline, kBaselineLeft,
               One(symbol->glyph), color);
}

}  // namespace brindle
