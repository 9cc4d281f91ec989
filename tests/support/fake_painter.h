// A recording ScorePainter for engine tests.
//
// Every call is appended to a list of PainterCall records {operation name, int
// arguments, text}: points and rectangles are spread into their ints (x, y or left, top,
// right, bottom), flags become 0 or 1, the colour index is the last int of a drawing
// call. Records add their fields: a bar-number format its nine ints, a symbol its
// offsets and placement (its characters go to the text), a page text its rectangle (its
// text goes to the text).
//
// Metrics are the fixed constants of fake_metrics below. Every Measure operation returns
// the size that the matching Draw covers, so an element that lays itself out with a
// Measure and draws with the Draw of the same arguments covers exactly its rectangle.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/model/score_painter.h"

namespace quaverly::fakes {

namespace fake_metrics {
// Note digits (GetNoteSize; GetChordNoteSize is the same) and grace-note digits.
inline constexpr Size kNoteSize{120, 240};
inline constexpr Size kGraceNoteSize{84, 168};
// One augmentation dot; n dots are n times as wide. Grace dots are 0.7 times the size.
inline constexpr Size kDotSize{60, 40};
inline constexpr Size kGraceDotSize{42, 28};
// Any accidental but 0 (which is 0 wide): normal, chord and grace size.
inline constexpr Size kAccidentalSize{80, 100};
inline constexpr Size kChordAccidentalSize{80, 70};
inline constexpr Size kGraceAccidentalSize{56, 70};
inline constexpr int kOctaveDotInterval = 60;  // normal and chord notes
inline constexpr int kGraceOctaveDotInterval = 50;
inline constexpr int kLegerInterval = 48;  // normal and chord notes
inline constexpr int kGraceLegerInterval = 42;
inline constexpr int kChordNoteInterval = 130;
inline constexpr int kGraceNoteInterval = 30;
// Texts: every UTF-16 unit is kCharWidth wide (an empty text measures as one unit);
// each text family has its own height.
inline constexpr int kCharWidth = 100;
inline constexpr int kTitleHeight = 600;
inline constexpr int kSubtitleHeight = 500;
inline constexpr int kPoetHeight = 400;
inline constexpr int kComposerHeight = 350;
inline constexpr int kExpressionHeight = 300;
inline constexpr int kDefaultFontHeight = 250;
inline constexpr int kLyricHeight = 280;
inline constexpr int kInstrumentNameHeight = 320;
inline constexpr int kExtendSymbolHeight = 300;
// Numbers (tuplet, bar number, tempo): kDigitWidth per decimal digit (a minus sign
// counts as a digit).
inline constexpr int kDigitWidth = 60;
inline constexpr int kTupletNumberHeight = 120;
inline constexpr int kBarIndexHeight = 200;
// Signatures: key {300, 240}; time {kDigitWidth x digits of beats + 150, 600}; tempo
// {200 + kDigitWidth x digits of the speed, 200}.
inline constexpr Size kKeySignatureSize{300, 240};
inline constexpr int kTimeSignatureHeight = 600;
inline constexpr int kTempoMarkHeight = 200;
// Barlines: 30 wide, 130 with a repeat mark; as high as the bar-line area.
inline constexpr int kBarLineWidth = 30;
inline constexpr int kRepeatBarLineWidth = 130;
inline constexpr Size kBarLineExtent{90, 700};
// Jump marks 3 to 8; 0 to 2 have no glyph and measure {0, 0}.
inline constexpr Size kJumpMarkSize{200, 150};
// Dynamics codes 1 to 23; other codes measure {0, 0}.
inline constexpr Size kDynamicMarkSize{200, 150};
inline constexpr Size kNoteSymbolSize{120, 120};
// Edit marks.
inline constexpr Size kEditMarkSize{80, 80};    // A, B, C, D
inline constexpr Size kEditMarkESize{60, 60};
inline constexpr Size kEditMarkFSize{100, 100};  // F, G
inline constexpr int kEditMarkSizeValue = 100;   // GetEditMarkSize
inline constexpr Size kSmallMarkSize{60, 100};
// Offsets and heights of the layout table.
inline constexpr Point kJumpMarkOffset{0, 200};
inline constexpr int kFlatSlurHeight = 260;
inline constexpr Point kFlatSlurOffset{0, 0};
inline constexpr Size kSlurEndSize{100, 0};
inline constexpr Point kDynamicMarkOffset{0, 100};
inline constexpr int kWedgeLineWidth = 31;
inline constexpr Point kWedgeOffset{0, 300};
inline constexpr Point kWedgeOffset2{0, 0};
inline constexpr int kWedgeSpread = 200;
inline constexpr int kNoteSymbolSpacing = 150;
inline constexpr Point kNoteSymbolOffset{0, -100};
// Layout metrics: GetBarLineHeight, then GetMetric99 to GetMetric111.
inline constexpr int kBarLineHeight = 700;
inline constexpr int kMetric[13] = {1219, 1219, 2500, 186, 93, 744, 0,
                                    372,  200,  200,  150, 200, 150};
// Spacing: GetNoteSpacing gives 32 for a breve, halving down to 0.5 for a 32nd and
// 0.25 for a 64th and a 128th; 0 for any other length.
inline constexpr double kCloseSpacing = 0.25;
inline constexpr double kSpacingParam = 0.5;
}  // namespace fake_metrics

struct PainterCall {
    std::string name;
    std::vector<int> ints;
    std::u16string text;

    friend bool operator==(const PainterCall&, const PainterCall&) = default;
};

class FakePainter final : public ScorePainter {
public:
    FakePainter() = default;

    const std::vector<PainterCall>& Calls() const { return calls_; }
    // The calls whose name begins with "Draw", in order.
    std::vector<PainterCall> DrawCalls() const;
    std::vector<PainterCall> CallsNamed(std::string_view name) const;
    int Count(std::string_view name) const;
    // The names of all calls, in order.
    std::vector<std::string> Names() const;
    void Clear() { calls_.clear(); }
    // Replaces the size that MeasureDynamicMark gives for the codes 1 to 23.
    void SetDynamicMarkSize(Size size) { dynamicMarkSize_ = size; }

    void DrawPageEdge(const Rect& rect) override;
    void DrawFrameRect(const Rect& rect, int color) override;
    void DrawOpenFrameRect(const Rect& rect, bool closedLeft, bool closedRight,
                           int color) override;
    void DrawFrameRect2(const Rect& rect, int color) override;
    void DrawTrackBaseLine(int x, int y, int length, int color) override;
    void DrawThinVerticalLine(int x, int y, int height, int color) override;
    void DrawGuideLine(int x, int y, int length, int color) override;
    void DrawGuideLine2(int x, int y, int length, int color) override;
    Size GetBarLineExtent(int kind) override;
    Size MeasureBarLine(int barlineType, int repeatMark) override;
    void DrawBarLine(int x, int y, int height, int side, int barlineType, bool joined,
                     int color) override;
    void DrawRepeatBarLine(int x, int y, int height, int side, int repeatMark, bool joined,
                           int color) override;
    Size MeasureJumpMark(int value) override;
    Point GetJumpMarkOffset() override;
    void DrawJumpMark(int x, int y, int value, int color) override;
    int GetFlatSlurHeight() override;
    Point GetFlatSlurOffset() override;
    void DrawFlatSlurStart(int x, int y, int length, int color) override;
    void DrawFlatSlurEnd(int x, int y, int length, int color) override;
    void DrawFlatSlur(int x, int y, int length, int color) override;
    int GetFlatSlurHeight2() override;
    Size MeasureTupletNumber(int actual) override;
    void DrawTuplet(int x, int y, int width, int actual, int color) override;
    Size GetSlurEndSize() override;
    void DrawSmoothSlur(int x, int y, int height, int color) override;
    Size GetSlurEndSize2() override;
    void DrawSmoothSlurSegment(int x, int y, int height, int color) override;
    Size GetNoteSize() override;
    void DrawNote(int x, int y, int pitchCode, int color) override;
    Size MeasureDots(int count) override;
    void DrawDots(int x, int y, int count, int color) override;
    int GetOctaveDotInterval() override;
    void DrawOctaveDots(int x, int y, int octave, int color) override;
    Size MeasureAccidental(int accidental) override;
    void DrawAccidental(int x, int y, int accidental, int color) override;
    int GetLegerInterval() override;
    void DrawLegerLine(Point start, int width, int color) override;
    int GetChordNoteInterval() override;
    Size GetChordNoteSize() override;
    void DrawChordNote(int x, int y, int pitchCode, int color) override;
    Size MeasureChordDots(int count) override;
    void DrawChordDots(int x, int y, int count, int color) override;
    int GetChordOctaveDotInterval() override;
    void DrawChordOctaveDots(int x, int y, int octave, int color) override;
    Size MeasureChordAccidental(int accidental) override;
    void DrawChordAccidental(int x, int y, int accidental, int color) override;
    int GetChordLegerInterval() override;
    void DrawChordLegerLine(Point start, int width, int color) override;
    int GetGraceNoteInterval() override;
    Size GetGraceNoteSize() override;
    void DrawGraceNote(int x, int y, int pitchCode, int color) override;
    Size MeasureGraceAccidental(int accidental) override;
    void DrawGraceAccidental(int x, int y, int accidental, int color) override;
    Size MeasureGraceDots(int count) override;
    void DrawGraceDots(int x, int y, int count, int color) override;
    int GetGraceOctaveDotInterval() override;
    void DrawGraceOctaveDots(int x, int y, int octave, int color) override;
    int GetGraceLegerInterval() override;
    void DrawGraceLegerLine(Point start, int width, int color) override;
    void DrawCommaMark(const Rect& rect, int color) override;
    void DrawDashMark(const Rect& rect, int color) override;
    Size MeasureKeySignature(int fifths) override;
    void DrawKeySignature(int x, int y, int fifths, int color) override;
    Size MeasureTimeSignature(int beats, int beatType) override;
    void DrawTimeSignature(int x, int y, int beats, int beatType, int color) override;
    Size MeasureTempoMark(int beatUnit, int perMinute) override;
    void DrawTempoMark(int x, int y, int beatUnit, int perMinute, int color) override;
    Size MeasureTitle(std::u16string_view text) override;
    void DrawTitle(int x, int y, std::u16string_view text, int color) override;
    Size MeasureSubtitle(std::u16string_view text) override;
    void DrawSubtitle(int x, int y, std::u16string_view text, int color) override;
    Size MeasurePoetText(std::u16string_view text) override;
    void DrawPoetText(int x, int y, std::u16string_view text, int color) override;
    Size MeasureComposerText(std::u16string_view text) override;
    void DrawComposerText(int x, int y, std::u16string_view text, int color) override;
    Size MeasureExpressionText(std::u16string_view text) override;
    void DrawExpressionText(int x, int y, std::u16string_view text, int color) override;
    Size MeasureDefaultFontText(std::u16string_view text) override;
    void DrawDefaultFontText(int x, int y, std::u16string_view text, int color) override;
    Size MeasureLyric(std::u16string_view text) override;
    void DrawLyric(int x, int y, std::u16string_view text, int color) override;
    Size MeasureInstrumentName(std::u16string_view text) override;
    void DrawInstrumentName(int x, int y, std::u16string_view text, int color) override;
    Size MeasureEditMarkA() override;
    void DrawEditMarkA(int x, int y, int color) override;
    int GetEditMarkSize() override;
    Size MeasureEditMarkB() override;
    void DrawEditCursor(const Rect& rect, int color) override;
    Size MeasureEditMarkC() override;
    void DrawEditMarkC(int x, int y, int color) override;
    Size MeasureEditMarkD() override;
    void DrawEditMarkD(int x, int y, int color) override;
    Size MeasureEditMarkE() override;
    void DrawEditMarkE(int x, int y, int color) override;
    Size MeasureEditMarkF() override;
    void DrawEditMarkF(int x, int y, int color) override;
    Size MeasureEditMarkG() override;
    void DrawNumberedEditMark(int x, int y, int number, int color) override;
    int GetBarLineHeight() override;
    int GetMetric99() override;
    int GetMetric100() override;
    int GetMetric101() override;
    int GetMetric102() override;
    int GetMetric103() override;
    int GetMetric104() override;
    int GetMetric105() override;
    int GetMetric106() override;
    int GetMetric107() override;
    int GetMetric108() override;
    int GetMetric109() override;
    int GetMetric110() override;
    int GetMetric111() override;
    Point GetDynamicMarkOffset() override;
    Size MeasureDynamicMark(int code) override;
    void DrawDynamicMark(int x, int y, int code, int color) override;
    void DrawBarIndex(int x, int y, const BarNumberFormat& format, int number,
                      int color) override;
    Size MeasureBarIndex(const BarNumberFormat& format, int number) override;
    int GetWedgeLineWidth() override;
    Point GetWedgeOffset() override;
    Point GetWedgeOffset2() override;
    int GetWedgeSpread() override;
    void DrawCrescendoStart(int x1, int y1, int x2, int y2, int color) override;
    void DrawCrescendoEnd(int x1, int y1, int x2, int y2, int color) override;
    void DrawCrescendo(int x1, int y1, int x2, int y2, int color) override;
    void DrawDecrescendoStart(int x1, int y1, int x2, int y2, int color) override;
    void DrawDecrescendoEnd(int x1, int y1, int x2, int y2, int color) override;
    void DrawDecrescendo(int x1, int y1, int x2, int y2, int color) override;
    void DrawTrillLine(int x1, int y1, int x2, int y2, int color) override;
    void DrawTrillLineContinued(int x1, int y1, int x2, int y2, int color) override;
    void DrawHighOctaveStart(int x1, int y1, int x2, int y2, int color) override;
    void DrawHighOctaveEnd(int x1, int y1, int x2, int y2, int color) override;
    void DrawHighOctave(int x1, int y1, int x2, int y2, int color) override;
    void DrawLowOctaveStart(int x1, int y1, int x2, int y2, int color) override;
    void DrawLowOctaveEnd(int x1, int y1, int x2, int y2, int color) override;
    void DrawLowOctave(int x1, int y1, int x2, int y2, int color) override;
    void DrawFirstEndingStart(int x1, int y1, int x2, int y2, int color) override;
    void DrawEndingEnd(int x1, int y1, int x2, int y2, int color) override;
    void DrawFirstEnding(int x1, int y1, int x2, int y2, int color) override;
    void DrawSecondEndingStart(int x1, int y1, int x2, int y2, int color) override;
    void DrawEndingEnd2(int x1, int y1, int x2, int y2, int color) override;
    void DrawSecondEnding(int x1, int y1, int x2, int y2, int color) override;
    void DrawCurve(int x1, int y1, int x2, int y2, int x3, int y3, int color) override;
    void DrawArpeggio(int x1, int y1, int x2, int y2, int color) override;
    void DrawArpeggioUpwards(int x1, int y1, int x2, int y2, int color) override;
    void DrawArpeggioDownwards(int x1, int y1, int x2, int y2, int color) override;
    void DrawGlissando(int x1, int y1, int x2, int y2, int color) override;
    int GetNoteSymbolSpacing() override;
    Point GetNoteSymbolOffset() override;
    Size MeasureNoteSymbol(int code) override;
    void DrawNoteSymbol(int x, int y, int code, int color) override;
    void DrawExtendSymbol(int x, int y, const ExtendSymbol& symbol, int color) override;
    Size MeasureExtendSymbol(const ExtendSymbol& symbol) override;
    void DrawPageText(const PageTextData& text, int color) override;
    Size GetSmallMarkSize() override;
    double GetNoteSpacing(int duration) override;
    double GetCloseSpacing() override;
    double GetSpacingParam() override;

private:
    void Record(const char* name, std::vector<int> ints = {}, std::u16string_view text = {});

    std::vector<PainterCall> calls_;
    Size dynamicMarkSize_ = fake_metrics::kDynamicMarkSize;
};

}  // namespace quaverly::fakes
