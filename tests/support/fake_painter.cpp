#include "tests/support/fake_painter.h"

#include <algorithm>
#include <string>

namespace quaverly::fakes {

namespace m = fake_metrics;

namespace {

int Digits(int number)
{
    return static_cast<int>(std::to_string(number).size());
}

int TextWidth(std::u16string_view text)
{
    return m::kCharWidth * std::max<int>(1, static_cast<int>(text.size()));
}

std::vector<int> RectInts(const Rect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

std::vector<int> Join(std::vector<int> first, std::initializer_list<int> rest)
{
    first.insert(first.end(), rest);
    return first;
}

std::vector<int> FormatInts(const BarNumberFormat& f)
{
    return {f.format,      f.decorator,  f.index,   f.interval, f.countFrom,
            f.firstNumber, f.lastNumber, f.hOffset, f.vOffset};
}

Size Scaled(Size size, int count)
{
    return count > 0 ? Size{size.cx * count, size.cy} : Size{};
}

}  // namespace

void FakePainter::Record(const char* name, std::vector<int> ints, std::u16string_view text)
{
    calls_.push_back(PainterCall{name, std::move(ints), std::u16string(text)});
}

std::vector<PainterCall> FakePainter::DrawCalls() const
{
    std::vector<PainterCall> result;
    for (const PainterCall& call : calls_) {
        if (call.name.starts_with("Draw"))
            result.push_back(call);
    }
    return result;
}

std::vector<PainterCall> FakePainter::CallsNamed(std::string_view name) const
{
    std::vector<PainterCall> result;
    for (const PainterCall& call : calls_) {
        if (call.name == name)
            result.push_back(call);
    }
    return result;
}

int FakePainter::Count(std::string_view name) const
{
    return static_cast<int>(std::count_if(calls_.begin(), calls_.end(),
                                          [name](const PainterCall& c) { return c.name == name; }));
}

std::vector<std::string> FakePainter::Names() const
{
    std::vector<std::string> names;
    names.reserve(calls_.size());
    for (const PainterCall& call : calls_)
        names.push_back(call.name);
    return names;
}

// --- Frames and lines ---

void FakePainter::DrawPageEdge(const Rect& rect)
{
    Record("DrawPageEdge", RectInts(rect));
}

void FakePainter::DrawFrameRect(const Rect& rect, int color)
{
    Record("DrawFrameRect", Join(RectInts(rect), {color}));
}

void FakePainter::DrawOpenFrameRect(const Rect& rect, bool closedLeft, bool closedRight,
                                    int color)
{
    Record("DrawOpenFrameRect", Join(RectInts(rect), {closedLeft, closedRight, color}));
}

void FakePainter::DrawFrameRect2(const Rect& rect, int color)
{
    Record("DrawFrameRect2", Join(RectInts(rect), {color}));
}

#define FAKE_XY_LENGTH(Name)                                      \
    void FakePainter::Name(int x, int y, int length, int color)   \
    {                                                             \
        Record(#Name, {x, y, length, color});                     \
    }

FAKE_XY_LENGTH(DrawTrackBaseLine)
FAKE_XY_LENGTH(DrawThinVerticalLine)
FAKE_XY_LENGTH(DrawGuideLine)
FAKE_XY_LENGTH(DrawGuideLine2)
FAKE_XY_LENGTH(DrawFlatSlurStart)
FAKE_XY_LENGTH(DrawFlatSlurEnd)
FAKE_XY_LENGTH(DrawFlatSlur)
FAKE_XY_LENGTH(DrawSmoothSlur)
FAKE_XY_LENGTH(DrawSmoothSlurSegment)

// --- Barlines, jump marks, slurs, tuplets ---

Size FakePainter::GetBarLineExtent(int kind)
{
    Record("GetBarLineExtent", {kind});
    return m::kBarLineExtent;
}

Size FakePainter::MeasureBarLine(int barlineType, int repeatMark)
{
    Record("MeasureBarLine", {barlineType, repeatMark});
    return {repeatMark != 0 ? m::kRepeatBarLineWidth : m::kBarLineWidth, m::kBarLineHeight};
}

void FakePainter::DrawBarLine(int x, int y, int height, int side, int barlineType,
                              bool joined, int color)
{
    Record("DrawBarLine", {x, y, height, side, barlineType, joined, color});
}

void FakePainter::DrawRepeatBarLine(int x, int y, int height, int side, int repeatMark,
                                    bool joined, int color)
{
    Record("DrawRepeatBarLine", {x, y, height, side, repeatMark, joined, color});
}

Size FakePainter::MeasureJumpMark(int value)
{
    Record("MeasureJumpMark", {value});
    return value >= 3 && value <= 8 ? m::kJumpMarkSize : Size{};
}

Point FakePainter::GetJumpMarkOffset()
{
    Record("GetJumpMarkOffset");
    return m::kJumpMarkOffset;
}

#define FAKE_XY_VALUE(Name)                                      \
    void FakePainter::Name(int x, int y, int value, int color)   \
    {                                                            \
        Record(#Name, {x, y, value, color});                     \
    }

FAKE_XY_VALUE(DrawJumpMark)

int FakePainter::GetFlatSlurHeight()
{
    Record("GetFlatSlurHeight");
    return m::kFlatSlurHeight;
}

Point FakePainter::GetFlatSlurOffset()
{
    Record("GetFlatSlurOffset");
    return m::kFlatSlurOffset;
}

int FakePainter::GetFlatSlurHeight2()
{
    Record("GetFlatSlurHeight2");
    return m::kFlatSlurHeight;
}

Size FakePainter::MeasureTupletNumber(int actual)
{
    Record("MeasureTupletNumber", {actual});
    return {m::kDigitWidth * Digits(actual), m::kTupletNumberHeight};
}

void FakePainter::DrawTuplet(int x, int y, int width, int actual, int color)
{
    Record("DrawTuplet", {x, y, width, actual, color});
}

Size FakePainter::GetSlurEndSize()
{
    Record("GetSlurEndSize");
    return m::kSlurEndSize;
}

Size FakePainter::GetSlurEndSize2()
{
    Record("GetSlurEndSize2");
    return m::kSlurEndSize;
}

// --- Note glyphs ---

#define FAKE_GETTER(Type, Name, value) \
    Type FakePainter::Name()           \
    {                                  \
        Record(#Name);                 \
        return value;                  \
    }

FAKE_GETTER(Size, GetNoteSize, m::kNoteSize)
FAKE_XY_VALUE(DrawNote)

Size FakePainter::MeasureDots(int count)
{
    Record("MeasureDots", {count});
    return Scaled(m::kDotSize, count);
}

FAKE_XY_VALUE(DrawDots)
FAKE_GETTER(int, GetOctaveDotInterval, m::kOctaveDotInterval)
FAKE_XY_VALUE(DrawOctaveDots)

Size FakePainter::MeasureAccidental(int accidental)
{
    Record("MeasureAccidental", {accidental});
    return {accidental != 0 ? m::kAccidentalSize.cx : 0, m::kAccidentalSize.cy};
}

FAKE_XY_VALUE(DrawAccidental)
FAKE_GETTER(int, GetLegerInterval, m::kLegerInterval)

#define FAKE_LEGER(Name)                                          \
    void FakePainter::Name(Point start, int width, int color)     \
    {                                                             \
        Record(#Name, {start.x, start.y, width, color});          \
    }

FAKE_LEGER(DrawLegerLine)

FAKE_GETTER(int, GetChordNoteInterval, m::kChordNoteInterval)
FAKE_GETTER(Size, GetChordNoteSize, m::kNoteSize)
FAKE_XY_VALUE(DrawChordNote)

Size FakePainter::MeasureChordDots(int count)
{
    Record("MeasureChordDots", {count});
    return Scaled(m::kDotSize, count);
}

FAKE_XY_VALUE(DrawChordDots)
FAKE_GETTER(int, GetChordOctaveDotInterval, m::kOctaveDotInterval)
FAKE_XY_VALUE(DrawChordOctaveDots)

Size FakePainter::MeasureChordAccidental(int accidental)
{
    Record("MeasureChordAccidental", {accidental});
    return {accidental != 0 ? m::kChordAccidentalSize.cx : 0, m::kChordAccidentalSize.cy};
}

FAKE_XY_VALUE(DrawChordAccidental)
FAKE_GETTER(int, GetChordLegerInterval, m::kLegerInterval)
FAKE_LEGER(DrawChordLegerLine)

FAKE_GETTER(int, GetGraceNoteInterval, m::kGraceNoteInterval)
FAKE_GETTER(Size, GetGraceNoteSize, m::kGraceNoteSize)
FAKE_XY_VALUE(DrawGraceNote)

Size FakePainter::MeasureGraceAccidental(int accidental)
{
    Record("MeasureGraceAccidental", {accidental});
    return {accidental != 0 ? m::kGraceAccidentalSize.cx : 0, m::kGraceAccidentalSize.cy};
}

FAKE_XY_VALUE(DrawGraceAccidental)

Size FakePainter::MeasureGraceDots(int count)
{
    Record("MeasureGraceDots", {count});
    return Scaled(m::kGraceDotSize, count);
}

FAKE_XY_VALUE(DrawGraceDots)
FAKE_GETTER(int, GetGraceOctaveDotInterval, m::kGraceOctaveDotInterval)
FAKE_XY_VALUE(DrawGraceOctaveDots)
FAKE_GETTER(int, GetGraceLegerInterval, m::kGraceLegerInterval)
FAKE_LEGER(DrawGraceLegerLine)

void FakePainter::DrawCommaMark(const Rect& rect, int color)
{
    Record("DrawCommaMark", Join(RectInts(rect), {color}));
}

void FakePainter::DrawDashMark(const Rect& rect, int color)
{
    Record("DrawDashMark", Join(RectInts(rect), {color}));
}

// --- Signatures and tempo ---

Size FakePainter::MeasureKeySignature(int fifths)
{
    Record("MeasureKeySignature", {fifths});
    return m::kKeySignatureSize;
}

FAKE_XY_VALUE(DrawKeySignature)

Size FakePainter::MeasureTimeSignature(int beats, int beatType)
{
    Record("MeasureTimeSignature", {beats, beatType});
    return {m::kDigitWidth * Digits(beats) + 150, m::kTimeSignatureHeight};
}

void FakePainter::DrawTimeSignature(int x, int y, int beats, int beatType, int color)
{
    Record("DrawTimeSignature", {x, y, beats, beatType, color});
}

Size FakePainter::MeasureTempoMark(int beatUnit, int perMinute)
{
    Record("MeasureTempoMark", {beatUnit, perMinute});
    return {200 + m::kDigitWidth * Digits(perMinute), m::kTempoMarkHeight};
}

void FakePainter::DrawTempoMark(int x, int y, int beatUnit, int perMinute, int color)
{
    Record("DrawTempoMark", {x, y, beatUnit, perMinute, color});
}

// --- Texts ---

#define FAKE_TEXT(Measure, Draw, height)                                          \
    Size FakePainter::Measure(std::u16string_view text)                           \
    {                                                                             \
        Record(#Measure, {}, text);                                               \
        return {TextWidth(text), height};                                         \
    }                                                                             \
    void FakePainter::Draw(int x, int y, std::u16string_view text, int color)     \
    {                                                                             \
        Record(#Draw, {x, y, color}, text);                                       \
    }

FAKE_TEXT(MeasureTitle, DrawTitle, m::kTitleHeight)
FAKE_TEXT(MeasureSubtitle, DrawSubtitle, m::kSubtitleHeight)
FAKE_TEXT(MeasurePoetText, DrawPoetText, m::kPoetHeight)
FAKE_TEXT(MeasureComposerText, DrawComposerText, m::kComposerHeight)
FAKE_TEXT(MeasureExpressionText, DrawExpressionText, m::kExpressionHeight)
FAKE_TEXT(MeasureDefaultFontText, DrawDefaultFontText, m::kDefaultFontHeight)
FAKE_TEXT(MeasureLyric, DrawLyric, m::kLyricHeight)
FAKE_TEXT(MeasureInstrumentName, DrawInstrumentName, m::kInstrumentNameHeight)

// --- Edit marks ---

#define FAKE_XY(Name)                                \
    void FakePainter::Name(int x, int y, int color)  \
    {                                                \
        Record(#Name, {x, y, color});                \
    }

FAKE_GETTER(Size, MeasureEditMarkA, m::kEditMarkSize)
FAKE_XY(DrawEditMarkA)
FAKE_GETTER(int, GetEditMarkSize, m::kEditMarkSizeValue)
FAKE_GETTER(Size, MeasureEditMarkB, m::kEditMarkSize)

void FakePainter::DrawEditCursor(const Rect& rect, int color)
{
    Record("DrawEditCursor", Join(RectInts(rect), {color}));
}

FAKE_GETTER(Size, MeasureEditMarkC, m::kEditMarkSize)
FAKE_XY(DrawEditMarkC)
FAKE_GETTER(Size, MeasureEditMarkD, m::kEditMarkSize)
FAKE_XY(DrawEditMarkD)
FAKE_GETTER(Size, MeasureEditMarkE, m::kEditMarkESize)
FAKE_XY(DrawEditMarkE)
FAKE_GETTER(Size, MeasureEditMarkF, m::kEditMarkFSize)
FAKE_XY(DrawEditMarkF)
FAKE_GETTER(Size, MeasureEditMarkG, m::kEditMarkFSize)
FAKE_XY_VALUE(DrawNumberedEditMark)

// --- Layout metrics ---

FAKE_GETTER(int, GetBarLineHeight, m::kBarLineHeight)
FAKE_GETTER(int, GetMetric99, m::kMetric[0])
FAKE_GETTER(int, GetMetric100, m::kMetric[1])
FAKE_GETTER(int, GetMetric101, m::kMetric[2])
FAKE_GETTER(int, GetMetric102, m::kMetric[3])
FAKE_GETTER(int, GetMetric103, m::kMetric[4])
FAKE_GETTER(int, GetMetric104, m::kMetric[5])
FAKE_GETTER(int, GetMetric105, m::kMetric[6])
FAKE_GETTER(int, GetMetric106, m::kMetric[7])
FAKE_GETTER(int, GetMetric107, m::kMetric[8])
FAKE_GETTER(int, GetMetric108, m::kMetric[9])
FAKE_GETTER(int, GetMetric109, m::kMetric[10])
FAKE_GETTER(int, GetMetric110, m::kMetric[11])
FAKE_GETTER(int, GetMetric111, m::kMetric[12])

// --- Dynamics and bar numbers ---

FAKE_GETTER(Point, GetDynamicMarkOffset, m::kDynamicMarkOffset)

Size FakePainter::MeasureDynamicMark(int code)
{
    Record("MeasureDynamicMark", {code});
    return code >= 1 && code <= 23 ? dynamicMarkSize_ : Size{};
}

FAKE_XY_VALUE(DrawDynamicMark)

void FakePainter::DrawBarIndex(int x, int y, const BarNumberFormat& format, int number,
                               int color)
{
    std::vector<int> ints{x, y};
    for (int value : FormatInts(format))
        ints.push_back(value);
    ints.push_back(number);
    ints.push_back(color);
    Record("DrawBarIndex", std::move(ints));
}

Size FakePainter::MeasureBarIndex(const BarNumberFormat& format, int number)
{
    Record("MeasureBarIndex", Join(FormatInts(format), {number}));
    return {m::kDigitWidth * Digits(number), m::kBarIndexHeight};
}

// --- Line marks ---

FAKE_GETTER(int, GetWedgeLineWidth, m::kWedgeLineWidth)
FAKE_GETTER(Point, GetWedgeOffset, m::kWedgeOffset)
FAKE_GETTER(Point, GetWedgeOffset2, m::kWedgeOffset2)
FAKE_GETTER(int, GetWedgeSpread, m::kWedgeSpread)

#define FAKE_LINE(Name)                                                    \
    void FakePainter::Name(int x1, int y1, int x2, int y2, int color)      \
    {                                                                      \
        Record(#Name, {x1, y1, x2, y2, color});                            \
    }

FAKE_LINE(DrawCrescendoStart)
FAKE_LINE(DrawCrescendoEnd)
FAKE_LINE(DrawCrescendo)
FAKE_LINE(DrawDecrescendoStart)
FAKE_LINE(DrawDecrescendoEnd)
FAKE_LINE(DrawDecrescendo)
FAKE_LINE(DrawTrillLine)
FAKE_LINE(DrawTrillLineContinued)
FAKE_LINE(DrawHighOctaveStart)
FAKE_LINE(DrawHighOctaveEnd)
FAKE_LINE(DrawHighOctave)
FAKE_LINE(DrawLowOctaveStart)
FAKE_LINE(DrawLowOctaveEnd)
FAKE_LINE(DrawLowOctave)
FAKE_LINE(DrawFirstEndingStart)
FAKE_LINE(DrawEndingEnd)
FAKE_LINE(DrawFirstEnding)
FAKE_LINE(DrawSecondEndingStart)
FAKE_LINE(DrawEndingEnd2)
FAKE_LINE(DrawSecondEnding)

void FakePainter::DrawCurve(int x1, int y1, int x2, int y2, int x3, int y3, int color)
{
    Record("DrawCurve", {x1, y1, x2, y2, x3, y3, color});
}

FAKE_LINE(DrawArpeggio)
FAKE_LINE(DrawArpeggioUpwards)
FAKE_LINE(DrawArpeggioDownwards)
FAKE_LINE(DrawGlissando)

// --- Note symbols, user symbols, page texts ---

FAKE_GETTER(int, GetNoteSymbolSpacing, m::kNoteSymbolSpacing)
FAKE_GETTER(Point, GetNoteSymbolOffset, m::kNoteSymbolOffset)

Size FakePainter::MeasureNoteSymbol(int code)
{
    Record("MeasureNoteSymbol", {code});
    return m::kNoteSymbolSize;
}

FAKE_XY_VALUE(DrawNoteSymbol)

void FakePainter::DrawExtendSymbol(int x, int y, const ExtendSymbol& symbol, int color)
{
    Record("DrawExtendSymbol", {x, y, symbol.hOffset, symbol.vOffset, symbol.placement, color},
           symbol.text);
}

Size FakePainter::MeasureExtendSymbol(const ExtendSymbol& symbol)
{
    Record("MeasureExtendSymbol", {symbol.hOffset, symbol.vOffset, symbol.placement},
           symbol.text);
    return {TextWidth(symbol.text), m::kExtendSymbolHeight};
}

void FakePainter::DrawPageText(const PageTextData& text, int color)
{
    Record("DrawPageText", Join(RectInts(text.rect), {color}), text.text);
}

FAKE_GETTER(Size, GetSmallMarkSize, m::kSmallMarkSize)

// --- Spacing ---

double FakePainter::GetNoteSpacing(int duration)
{
    Record("GetNoteSpacing", {duration});
    switch (duration) {
    case 1290240: return 32.0;
    case 645120: return 16.0;
    case 322560: return 8.0;
    case 161280: return 4.0;
    case 80640: return 2.0;
    case 40320: return 1.0;
    case 20160: return 0.5;
    case 10080:
    case 5040: return 0.25;
    default: return 0.0;
    }
}

double FakePainter::GetCloseSpacing()
{
    Record("GetCloseSpacing");
    return m::kCloseSpacing;
}

double FakePainter::GetSpacingParam()
{
    Record("GetSpacingParam");
    return m::kSpacingParam;
}

}  // namespace quaverly::fakes
