// GdiScorePainter: the note and glyph operations. Each draws characters of the music
// fonts at a computed place: note digits (normal, chord and grace size) with their
// augmentation dots, octave dots, accidentals and duration underlines, the marks under
// grace notes, jump marks and the articulation and ornament symbols.
#include "app/painter/gdi_score_painter.h"

#include "platform/music_glyphs.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace brindle {
namespace {

namespace music = platform::music;

constexpr unsigned kBaselineCentre = platform::kTaBaseline | platform::kTaCenter;
constexpr unsigned kBaselineLeft = platform::kTaBaseline | platform::kTaLeft;
constexpr unsigned kBaselineRight = platform::kTaBaseline | platform::kTaRight;

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

// The number of octave dots of a signed count, without overflow at the lowest int.
int DotCount(int octave)
{
    const std::int64_t n = std::llabs(static_cast<std::int64_t>(octave));
    return n > INT32_MAX ? INT32_MAX : static_cast<int>(n);
}

}  // namespace

// --- Helpers ---

platform::TextMetrics GdiScorePainter::FontMetrics(const quaverly::LogFont& scaledFont)
{
    if (!dc_)
        return {};
    const quaverly::LogFont saved = dc_->SelectFont(scaledFont);
    const platform::TextMetrics tm = dc_->GetTextMetrics();
    dc_->SelectFont(saved);
    return tm;
}

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

// --- Normal notes ---

void GdiScorePainter::DrawNote(int x, int y, int pitchCode, int color)
{
    const char16_t ch = NoteCharacter(pitchCode);
    if (ch == 0)
        return;
    const quaverly::Size note = GetNoteSize();
    const quaverly::Point shift =
        pitchCode == kDashCode ? Table().GetMetrics().noteDashOffset : quaverly::Point{};
    DrawString(ScaledFont(font_key::kNote), x + note.cx / 2 + shift.x, y + note.cy + shift.y,
               kBaselineCentre, One(ch), color);
}

quaverly::Size GdiScorePainter::MeasureDots(int count)
{
    const LayoutMetrics& m = Table().GetMetrics();
    const int step = static_cast<int>(m.noteDotInterval * GetNoteSize().cx);
    const int height = MeasureString(ScaledFont(font_key::kNote), u".").cy;
    return {step * std::max(count, 0) + m.noteDotOffset.x, height};
}

void GdiScorePainter::DrawDots(int x, int y, int count, int color)
{
    const LayoutMetrics& m = Table().GetMetrics();
    const quaverly::Size note = GetNoteSize();
    const int step = static_cast<int>(m.noteDotInterval * note.cx);
    GlyphRun(ScaledFont(font_key::kNote), x + m.noteDotOffset.x,
             y + m.noteDotOffset.y + 8 * note.cy / 10, step, 0, count, u'.', kBaselineCentre,
             color);
}

void GdiScorePainter::DrawOctaveDots(int x, int y, int octave, int color)
{
    if (octave == 0)
        return;
    const LayoutMetrics& m = Table().GetMetrics();
    const quaverly::Point offset = octave > 0 ? m.noteHighOctaveOffset : m.noteLowOctaveOffset;
    GlyphRun(ScaledFont(font_key::kNote), x + GetNoteSize().cx / 2 + offset.x, y + offset.y, 0,
             GetOctaveDotInterval(), DotCount(octave), u'.', kBaselineCentre, color);
}

quaverly::Size GdiScorePainter::MeasureAccidental(int accidental)
{
    const int width = AccidentalGlyphs(accidental).empty()
                          ? 0
                          : MeasureString(ScaledFont(font_key::kMusic), One(music::kSharp)).cx;
    return {width, Pixels(10)};
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

// --- Chord notes: smaller digits in the place of a normal note ---

void GdiScorePainter::DrawChordNote(int x, int y, int pitchCode, int color)
{
    const char16_t ch = NoteCharacter(pitchCode);
    if (ch == 0)
        return;
    const quaverly::Size note = GetNoteSize();
    const quaverly::Point shift =
        pitchCode == kDashCode ? Table().GetMetrics().noteDashOffset : quaverly::Point{};
    DrawString(ChordFont(font_key::kNote), x + note.cx / 2 + shift.x, y + note.cy + shift.y,
               kBaselineCentre, One(ch), color);
}

quaverly::Size GdiScorePainter::MeasureChordDots(int count)
{
    const LayoutMetrics& m = Table().GetMetrics();
    const int step = static_cast<int>(m.noteDotInterval * Table().GetChordNoteSize().cx);
    const int height = MeasureString(ScaledFont(font_key::kNote), u".").cy;
    return {step * std::max(count, 0) + m.noteDotOffset.x, height};
}

void GdiScorePainter::DrawChordDots(int x, int y, int count, int color)
{
    const LayoutMetrics& m = Table().GetMetrics();
    const quaverly::Size chord = Table().GetChordNoteSize();
    const int step = static_cast<int>(m.noteDotInterval * chord.cx);
    GlyphRun(ScaledFont(font_key::kNote), x + m.noteDotOffset.x,
             y + m.noteDotOffset.y + GetNoteSize().cy - 2 * chord.cy / 10, step, 0, count, u'.',
             kBaselineCentre, color);
}

void GdiScorePainter::DrawChordOctaveDots(int x, int y, int octave, int color)
{
    if (octave == 0)
        return;
    const LayoutMetrics& m = Table().GetMetrics();
    const quaverly::Point offset =
        octave > 0 ? m.chordHighOctaveOffset : m.chordLowOctaveOffset;
    GlyphRun(ScaledFont(font_key::kNote), x + GetChordNoteSize().cx / 2 + offset.x, y + offset.y,
             0, GetChordOctaveDotInterval(), DotCount(octave), u'.', kBaselineCentre, color);
}

quaverly::Size GdiScorePainter::MeasureChordAccidental(int accidental)
{
    const int width = AccidentalGlyphs(accidental).empty()
                          ? 0
                          : MeasureString(ChordFont(font_key::kMusic), One(music::kSharp)).cx;
    return {width, static_cast<int>(10.0 * scale_ * Table().GetChordNoteScale())};
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

// --- Grace notes: the grace-note size and scale throughout ---

void GdiScorePainter::DrawGraceNote(int x, int y, int pitchCode, int color)
{
    const char16_t ch = NoteCharacter(pitchCode);
    if (ch == 0 || pitchCode == kDashCode)
        return;
    const quaverly::Size grace = GetGraceNoteSize();
    DrawString(GraceFont(font_key::kNote), x + grace.cx / 2, y + grace.cy, kBaselineCentre,
               One(ch), color);
}

quaverly::Size GdiScorePainter::MeasureGraceAccidental(int accidental)
{
    // Only single glyphs are drawn at grace size.
    const int width =
        AccidentalGlyphs(accidental).size() == 1
            ? MeasureString(GraceFont(font_key::kMusic), One(music::kSharp)).cx
            : 0;
    return {width, static_cast<int>(10.0 * scale_ * Table().GetGraceNoteScale())};
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
    const LayoutMetrics& m = Table().GetMetrics();
    const int step = static_cast<int>(m.graceDotInterval * GetGraceNoteSize().cx);
    const int height = MeasureString(GraceFont(font_key::kNote), u".").cy;
    return {step * std::max(count, 0) + m.graceDotOffset.x, height};
}

void GdiScorePainter::DrawGraceDots(int x, int y, int count, int color)
{
    const LayoutMetrics& m = Table().GetMetrics();
    const quaverly::Size grace = GetGraceNoteSize();
    const int step = static_cast<int>(m.graceDotInterval * grace.cx);
    GlyphRun(GraceFont(font_key::kNote), x + m.graceDotOffset.x,
             y + m.graceDotOffset.y + 8 * grace.cy / 10, step, 0, count, u'.', kBaselineCentre,
             color);
}

void GdiScorePainter::DrawGraceOctaveDots(int x, int y, int octave, int color)
{
    if (octave == 0)
        return;
    const LayoutMetrics& m = Table().GetMetrics();
    const quaverly::Point offset =
        octave > 0 ? m.graceHighOctaveOffset : m.graceLowOctaveOffset;
    GlyphRun(GraceFont(font_key::kNote), x + GetGraceNoteSize().cx / 2 + offset.x, y + offset.y,
             0, GetGraceOctaveDotInterval(), DotCount(octave), u'.', kBaselineCentre, color);
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
