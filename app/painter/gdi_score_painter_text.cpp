// GdiScorePainter: the text operations. Header texts, lyrics and instrument names in the
// fonts of their keys; key, time and tempo signatures; bar numbers with their frames;
// user symbols and page texts in the fonts of their records.
#include "app/painter/gdi_score_painter.h"

#include "platform/music_glyphs.h"

#include <algorithm>
#include <string>

namespace brindle {
namespace {

namespace music = platform::music;

// One line centred in its box.
constexpr unsigned kCentredLine = platform::kDtCenter | platform::kDtVCenter |
                                  platform::kDtSingleLine | platform::kDtNoPrefix;

constexpr int kWholeNote = 645120;  // ticks

// Punctuation that may close a lyric syllable without widening it: comma, full stop and
// semicolon, ASCII and full width.
bool IsClosingPunctuation(char16_t ch)
{
    return std::u16string_view(u",.;\uFF0C\u3002\uFF1B").find(ch) != std::u16string_view::npos;
}

// "=" and the key name of a key from -7 (C flat) to 7 (C sharp); "=" alone for any other.
std::u16string KeyNameText(int key)
{
    std::u16string text(1, music::kEquals);
    if (key >= music::kLowestKey && key <= music::kHighestKey)
        text += static_cast<char16_t>(music::kKeyNameC + key);
    return text;
}

// The note of a tempo mark, 0 the whole note to 5 the 32nd: the longest note not longer
// than the beat unit, so a dotted beat shows its undotted note. A beat unit longer than a
// whole note shows the whole note; none (0 or less) the quarter note.
int TempoNoteIndex(int beatUnit)
{
    if (beatUnit <= 0)
        return 2;
    int k = 0;
    while (k < music::kTempoNoteCount - 1 && (kWholeNote >> k) > beatUnit)
        ++k;
    return k;
}

std::u16string TempoNoteText(int beatUnit)
{
    return {static_cast<char16_t>(music::kTempoWhole + TempoNoteIndex(beatUnit)), music::kEquals};
}

}  // namespace

// --- Helpers ---

quaverly::LogFont GdiScorePainter::RecordFont(const quaverly::LogFont& font) const
{
    // A record that names no height gets the context's default size as the screen shows
    // it at full size, in page units: left at zero it would stay the same number of
    // device pixels at every zoom and on the printer, and not fit the box measured for it.
    constexpr std::int32_t kDefaultEmPixels = 16;
    quaverly::LogFont sized = font;
    if (sized.height == 0)
        sized.height = -kDefaultEmPixels;
    quaverly::LogFont scaled = ScaledFont(sized);
    scaled.width = 0;
    scaled.quality = 4;  // antialiased
    return scaled;
}

void GdiScorePainter::FrameShape(const quaverly::Rect& rect, bool ellipse, int width,
                                 int colorKey)
{
    if (!dc_)
        return;
    const platform::Pen savedPen =
        dc_->SelectPen(platform::Pen{platform::kPsSolid, width, Color(colorKey)});
    const platform::Brush savedBrush = dc_->SelectBrush(platform::Brush::Null());
    if (ellipse)
        dc_->Ellipse(At(rect));
    else
        dc_->Rectangle(At(rect));
    dc_->SelectBrush(savedBrush);
    dc_->SelectPen(savedPen);
}

quaverly::Size GdiScorePainter::MeasureKeyText(int fontKey, std::u16string_view text)
{
    return MeasureString(ScaledFont(fontKey), text.empty() ? u" " : text);
}

void GdiScorePainter::DrawKeyText(int fontKey, int x, int y, std::u16string_view text,
                                  int colorKey)
{
    DrawString(ScaledFont(fontKey), x, y, kTopLeft, text, colorKey);
}

quaverly::Size GdiScorePainter::TimeSignatureBox(int beats, int beatType)
{
    const quaverly::LogFont font = ScaledFont(font_key::kTimeSignature);
    const int width = std::max(MeasureString(font, Decimal(beats)).cx,
                               MeasureString(font, Decimal(beatType)).cx);
    return {width, VisibleHeight(font)};
}

// --- Key, time and tempo signatures ---

quaverly::Size GdiScorePainter::MeasureKeySignature(int fifths)
{
    const quaverly::Size note = GetNoteSize();
    return {note.cx + MeasureString(ScaledFont(font_key::kMusic), KeyNameText(fifths)).cx,
            note.cy};
}

void GdiScorePainter::DrawKeySignature(int x, int y, int fifths, int color)
{
    const quaverly::Size note = GetNoteSize();
    // "1" with its digit top at y, then "=" and the key name.
    const quaverly::LogFont digits = ScaledFont(font_key::kNote);
    DrawString(digits, x, y - FontMetrics(digits).internalLeading, kTopLeft, u"1", color);
    DrawString(ScaledFont(font_key::kMusic), x + note.cx, y + note.cy / 2 + 170, kBaselineLeft,
               KeyNameText(fifths), color);
}

quaverly::Size GdiScorePainter::MeasureTimeSignature(int beats, int beatType)
{
    const quaverly::Size box = TimeSignatureBox(beats, beatType);
    return {box.cx + 150, 2 * box.cy + 200};
}

void GdiScorePainter::DrawTimeSignature(int x, int y, int beats, int beatType, int color)
{
    // Both numbers centred in a box as wide as the wider one, the fraction bar as wide as
    // the box; the digits are never clipped.
    const quaverly::Size box = TimeSignatureBox(beats, beatType);
    const quaverly::LogFont font = ScaledFont(font_key::kTimeSignature);
    const int left = x + 150;
    const int bar = Table().GetMetrics().timeSignatureBarThickness;
    const unsigned format = kCentredLine | platform::kDtNoClip;
    DrawStringInRect(font, {left, y, left + box.cx, y + box.cy}, format, Decimal(beats), color);
    const int barTop = y + box.cy - bar / 2 + 100;
    FillBox({left, barTop, left + box.cx, barTop + bar}, color);
    const int lowerTop = barTop + 100;
    DrawStringInRect(font, {left, lowerTop, left + box.cx, lowerTop + box.cy}, format,
                     Decimal(beatType), color);
}

quaverly::Size GdiScorePainter::MeasureTempoMark(int beatUnit, int perMinute)
{
    const int noteWidth = MeasureString(ScaledFont(font_key::kMusic), TempoNoteText(beatUnit)).cx;
    const quaverly::LogFont numberFont = ScaledFont(font_key::kTempo);
    return {noteWidth + MeasureString(numberFont, Decimal(perMinute)).cx,
            VisibleHeight(numberFont)};
}

void GdiScorePainter::DrawTempoMark(int x, int y, int beatUnit, int perMinute, int color)
{
    const quaverly::LogFont noteFont = ScaledFont(font_key::kMusic);
    const quaverly::LogFont numberFont = ScaledFont(font_key::kTempo);
    const std::u16string note = TempoNoteText(beatUnit);
    const int noteWidth = MeasureString(noteFont, note).cx;
    const int numberHeight = VisibleHeight(numberFont);
    DrawString(noteFont, x, y + numberHeight / 2 + 180, kBaselineLeft, note, color);
    DrawString(numberFont, x + noteWidth, y + numberHeight, kBaselineLeft, Decimal(perMinute),
               color);
}

// --- Header texts, lyrics and instrument names ---

quaverly::Size GdiScorePainter::MeasureTitle(std::u16string_view text)
{
    return MeasureKeyText(font_key::kTitle, text);
}

void GdiScorePainter::DrawTitle(int x, int y, std::u16string_view text, int color)
{
    DrawKeyText(font_key::kTitle, x, y, text, color);
}

quaverly::Size GdiScorePainter::MeasureSubtitle(std::u16string_view text)
{
    return MeasureKeyText(font_key::kSubtitle, text);
}

void GdiScorePainter::DrawSubtitle(int x, int y, std::u16string_view text, int color)
{
    DrawKeyText(font_key::kSubtitle, x, y, text, color);
}

quaverly::Size GdiScorePainter::MeasurePoetText(std::u16string_view text)
{
    return MeasureKeyText(font_key::kPoet, text);
}

void GdiScorePainter::DrawPoetText(int x, int y, std::u16string_view text, int color)
{
    DrawKeyText(font_key::kPoet, x, y, text, color);
}

quaverly::Size GdiScorePainter::MeasureComposerText(std::u16string_view text)
{
    return MeasureKeyText(font_key::kComposer, text);
}

void GdiScorePainter::DrawComposerText(int x, int y, std::u16string_view text, int color)
{
    DrawKeyText(font_key::kComposer, x, y, text, color);
}

quaverly::Size GdiScorePainter::MeasureExpressionText(std::u16string_view text)
{
    return MeasureKeyText(font_key::kExpression, text);
}

void GdiScorePainter::DrawExpressionText(int x, int y, std::u16string_view text, int color)
{
    DrawKeyText(font_key::kExpression, x, y, text, color);
}

quaverly::Size GdiScorePainter::MeasureDefaultFontText(std::u16string_view text)
{
    return MeasureKeyText(font_key::kDefaultText, text);
}

void GdiScorePainter::DrawDefaultFontText(int x, int y, std::u16string_view text, int color)
{
    DrawKeyText(font_key::kDefaultText, x, y, text, color);
}

quaverly::Size GdiScorePainter::MeasureLyric(std::u16string_view text)
{
    // Syllables are spaced by their width without closing punctuation.
    const quaverly::LogFont font = ScaledFont(font_key::kLyric);
    if (text.empty())
        return MeasureString(font, u" ");
    std::u16string_view word = text;
    while (!word.empty() && IsClosingPunctuation(word.back()))
        word.remove_suffix(1);
    if (word.empty())
        return {0, MeasureString(font, u" ").cy};  // punctuation alone: no width
    return MeasureString(font, word);
}

void GdiScorePainter::DrawLyric(int x, int y, std::u16string_view text, int color)
{
    const quaverly::LogFont font = ScaledFont(font_key::kLyric);
    const quaverly::Size whole = MeasureString(font, text);
    DrawStringInRect(font, {x, y, x + whole.cx, y + whole.cy}, kCentredLine, text, color);
}

quaverly::Size GdiScorePainter::MeasureInstrumentName(std::u16string_view text)
{
    return MeasureKeyText(font_key::kInstrumentName, text);
}

void GdiScorePainter::DrawInstrumentName(int x, int y, std::u16string_view text, int color)
{
    DrawKeyText(font_key::kInstrumentName, x, y, text, color);
}

// --- Bar numbers ---

void GdiScorePainter::DrawBarIndex(int x, int y, const quaverly::BarNumberFormat& format,
                                   int number, int color)
{
    namespace frame = quaverly::bar_number_frame;
    constexpr int kFramePen = 30;
    const quaverly::LogFont font = ScaledFont(font_key::kBarIndex);
    const std::u16string text = Decimal(number);
    const quaverly::Size size = MeasureString(font, text);
    switch (format.decorator) {
    case frame::kNone:
        DrawString(font, x, y, kTopLeft, text, color);
        break;
    case frame::kBrackets:
        DrawString(font, x, y, kTopLeft, u"(" + text + u")", color);
        break;
    case frame::kBox: {
        const quaverly::Rect box{x, y - 120, x + size.cx + 120, y - 120 + size.cy};
        FrameShape(box, false, kFramePen, color);
        DrawStringInRect(font, box, kCentredLine, text, color);
        break;
    }
    case frame::kCircle: {
        const int d = static_cast<int>(std::max(size.cx, size.cy) * 1.414);
        const quaverly::Rect square{x, y + size.cy - d, x + d, y + size.cy};
        FrameShape(square, true, kFramePen, color);
        DrawStringInRect(font, square, kCentredLine, text, color);
        break;
    }
    default:
        break;
    }
}

quaverly::Size GdiScorePainter::MeasureBarIndex(const quaverly::BarNumberFormat&, int number)
{
    return MeasureString(ScaledFont(font_key::kBarIndex), Decimal(number));
}

// --- User symbols and page texts ---

void GdiScorePainter::DrawExtendSymbol(int x, int y, const quaverly::ExtendSymbol& symbol,
                                       int color)
{
    DrawString(RecordFont(symbol.font), x, y, kTopLeft, symbol.text, color);
}

quaverly::Size GdiScorePainter::MeasureExtendSymbol(const quaverly::ExtendSymbol& symbol)
{
    return MeasureString(RecordFont(symbol.font), symbol.text);
}

void GdiScorePainter::DrawPageText(const quaverly::PageTextData& text, int color)
{
    DrawStringInRect(RecordFont(text.font), text.rect,
                     platform::kDtWordBreak | platform::kDtNoPrefix | platform::kDtEditControl,
                     text.text, color);
}

}  // namespace brindle
