// The drawing and measuring interface through which the engine lays out and draws.
//
// The host program implements it on its drawing context and hands it to the engine for
// every run of the pending commands, every layout and every drawing pass; the engine
// never keeps it between calls. All coordinates, sizes and lengths are layout units
// (0.01 mm of the printed page, y growing downward). Every drawing operation takes the
// element's current colour index as its last argument; the device maps it to a colour.
// No operation reports a failure.
//
// The operations are declared in their fixed slot order (157 of them). The engine never
// deletes a painter, so the destructor is protected and not virtual.
#pragma once

#include <string_view>

#include "engine/model/bar_number_format.h"
#include "engine/model/extend_symbol.h"
#include "engine/model/layout_types.h"
#include "engine/model/page_text_data.h"

namespace quaverly {

class ScorePainter {
public:
    // --- Frames and lines (0-7) ---
    virtual void DrawPageEdge(const Rect& rect) = 0;
    // A rectangular frame (a selected track, selection frames of barlines and marks).
    virtual void DrawFrameRect(const Rect& rect, int color) = 0;
    // Top and bottom edges; the left edge only when closedLeft, the right one only when
    // closedRight (the block-selection highlight).
    virtual void DrawOpenFrameRect(const Rect& rect, bool closedLeft, bool closedRight,
                                   int color) = 0;
    virtual void DrawFrameRect2(const Rect& rect, int color) = 0;  // page border
    virtual void DrawTrackBaseLine(int x, int y, int length, int color) = 0;
    virtual void DrawThinVerticalLine(int x, int y, int height, int color) = 0;
    virtual void DrawGuideLine(int x, int y, int length, int color) = 0;   // caret line
    virtual void DrawGuideLine2(int x, int y, int length, int color) = 0;  // guide line

    // --- Barlines, jump marks, flat slurs, tuplets, part-group symbols (8-26) ---
    virtual Size GetBarLineExtent(int kind) = 0;
    virtual Size MeasureBarLine(int barlineType, int repeatMark) = 0;
    virtual void DrawBarLine(int x, int y, int height, int side, int barlineType,
                             bool joined, int color) = 0;
    virtual void DrawRepeatBarLine(int x, int y, int height, int side, int repeatMark,
                                   bool joined, int color) = 0;
    virtual Size MeasureJumpMark(int value) = 0;
    virtual Point GetJumpMarkOffset() = 0;
    virtual void DrawJumpMark(int x, int y, int value, int color) = 0;
    virtual int GetFlatSlurHeight() = 0;
    virtual Point GetFlatSlurOffset() = 0;
    virtual void DrawFlatSlurStart(int x, int y, int length, int color) = 0;
    virtual void DrawFlatSlurEnd(int x, int y, int length, int color) = 0;
    virtual void DrawFlatSlur(int x, int y, int length, int color) = 0;
    virtual int GetFlatSlurHeight2() = 0;  // height of a tuplet bracket
    virtual Size MeasureTupletNumber(int actual) = 0;
    virtual void DrawTuplet(int x, int y, int width, int actual, int color) = 0;
    virtual Size GetSlurEndSize() = 0;  // cx: horizontal room of a part-group symbol
    virtual void DrawSmoothSlur(int x, int y, int height, int color) = 0;
    virtual Size GetSlurEndSize2() = 0;
    virtual void DrawSmoothSlurSegment(int x, int y, int height, int color) = 0;

    // --- Note glyphs, normal size (27-36) ---
    // Pitch codes: 1 "0" (rest), 2-8 "1"-"7", 9 "-", 10 "X", 11-13 special symbols.
    virtual Size GetNoteSize() = 0;
    virtual void DrawNote(int x, int y, int pitchCode, int color) = 0;
    virtual Size MeasureDots(int count) = 0;
    virtual void DrawDots(int x, int y, int count, int color) = 0;
    virtual int GetOctaveDotInterval() = 0;
    // |octave| dots one interval apart, above for a positive octave, below otherwise.
    virtual void DrawOctaveDots(int x, int y, int octave, int color) = 0;
    // Accidentals -3 to 4; 0 draws nothing, -3 and 3 draw two signs.
    virtual Size MeasureAccidental(int accidental) = 0;
    virtual void DrawAccidental(int x, int y, int accidental, int color) = 0;
    virtual int GetLegerInterval() = 0;  // room of one duration underline
    virtual void DrawLegerLine(Point start, int width, int color) = 0;

    // --- Note glyphs, chord size (37-47) ---
    virtual int GetChordNoteInterval() = 0;  // gap between stacked chord notes
    virtual Size GetChordNoteSize() = 0;
    virtual void DrawChordNote(int x, int y, int pitchCode, int color) = 0;
    virtual Size MeasureChordDots(int count) = 0;
    virtual void DrawChordDots(int x, int y, int count, int color) = 0;
    virtual int GetChordOctaveDotInterval() = 0;
    virtual void DrawChordOctaveDots(int x, int y, int octave, int color) = 0;
    virtual Size MeasureChordAccidental(int accidental) = 0;
    virtual void DrawChordAccidental(int x, int y, int accidental, int color) = 0;
    virtual int GetChordLegerInterval() = 0;
    virtual void DrawChordLegerLine(Point start, int width, int color) = 0;

    // --- Note glyphs, grace size (48-58) ---
    virtual int GetGraceNoteInterval() = 0;  // gap between grace notes
    virtual Size GetGraceNoteSize() = 0;
    virtual void DrawGraceNote(int x, int y, int pitchCode, int color) = 0;
    virtual Size MeasureGraceAccidental(int accidental) = 0;
    virtual void DrawGraceAccidental(int x, int y, int accidental, int color) = 0;
    virtual Size MeasureGraceDots(int count) = 0;
    virtual void DrawGraceDots(int x, int y, int count, int color) = 0;
    virtual int GetGraceOctaveDotInterval() = 0;
    virtual void DrawGraceOctaveDots(int x, int y, int octave, int color) = 0;
    virtual int GetGraceLegerInterval() = 0;
    virtual void DrawGraceLegerLine(Point start, int width, int color) = 0;

    // --- Small marks under grace notes (59-60): "," and "-" centred on the rectangle
    // at its top; their size is GetSmallMarkSize ---
    virtual void DrawCommaMark(const Rect& rect, int color) = 0;
    virtual void DrawDashMark(const Rect& rect, int color) = 0;

    // --- Signatures and tempo (61-66) ---
    virtual Size MeasureKeySignature(int fifths) = 0;
    virtual void DrawKeySignature(int x, int y, int fifths, int color) = 0;
    virtual Size MeasureTimeSignature(int beats, int beatType) = 0;
    virtual void DrawTimeSignature(int x, int y, int beats, int beatType, int color) = 0;
    // beatUnit is a length in ticks (645120 a whole note).
    virtual Size MeasureTempoMark(int beatUnit, int perMinute) = 0;
    virtual void DrawTempoMark(int x, int y, int beatUnit, int perMinute, int color) = 0;

    // --- Texts (67-82): each Measure returns the size of the text in its font, each
    // Draw draws the text with its top-left corner at (x, y) ---
    virtual Size MeasureTitle(std::u16string_view text) = 0;
    virtual void DrawTitle(int x, int y, std::u16string_view text, int color) = 0;
    virtual Size MeasureSubtitle(std::u16string_view text) = 0;
    virtual void DrawSubtitle(int x, int y, std::u16string_view text, int color) = 0;
    virtual Size MeasurePoetText(std::u16string_view text) = 0;
    virtual void DrawPoetText(int x, int y, std::u16string_view text, int color) = 0;
    // Also the singer and adapter lines.
    virtual Size MeasureComposerText(std::u16string_view text) = 0;
    virtual void DrawComposerText(int x, int y, std::u16string_view text, int color) = 0;
    virtual Size MeasureExpressionText(std::u16string_view text) = 0;
    virtual void DrawExpressionText(int x, int y, std::u16string_view text, int color) = 0;
    virtual Size MeasureDefaultFontText(std::u16string_view text) = 0;  // the rights line
    virtual void DrawDefaultFontText(int x, int y, std::u16string_view text, int color) = 0;
    // The cy of an empty lyric is the height of one lyric line.
    virtual Size MeasureLyric(std::u16string_view text) = 0;
    virtual void DrawLyric(int x, int y, std::u16string_view text, int color) = 0;
    virtual Size MeasureInstrumentName(std::u16string_view text) = 0;
    virtual void DrawInstrumentName(int x, int y, std::u16string_view text, int color) = 0;

    // --- Edit marks, drawn on screen only (83-97) ---
    virtual Size MeasureEditMarkA() = 0;
    virtual void DrawEditMarkA(int x, int y, int color) = 0;
    virtual int GetEditMarkSize() = 0;
    virtual Size MeasureEditMarkB() = 0;
    virtual void DrawEditCursor(const Rect& rect, int color) = 0;
    virtual Size MeasureEditMarkC() = 0;
    virtual void DrawEditMarkC(int x, int y, int color) = 0;
    virtual Size MeasureEditMarkD() = 0;
    virtual void DrawEditMarkD(int x, int y, int color) = 0;
    virtual Size MeasureEditMarkE() = 0;
    virtual void DrawEditMarkE(int x, int y, int color) = 0;
    virtual Size MeasureEditMarkF() = 0;
    virtual void DrawEditMarkF(int x, int y, int color) = 0;
    virtual Size MeasureEditMarkG() = 0;
    virtual void DrawNumberedEditMark(int x, int y, int number, int color) = 0;

    // --- Layout metrics (98-111) ---
    virtual int GetBarLineHeight() = 0;  // height of a track's bar-line area
    virtual int GetMetric99() = 0;   // default staff size of a part
    virtual int GetMetric100() = 0;  // added for the last part and to a system's height
    virtual int GetMetric101() = 0;  // height of the heading area
    virtual int GetMetric102() = 0;  // gap between tempo/expression row and signatures
    virtual int GetMetric103() = 0;  // gap between header lines; key-to-time gap
    virtual int GetMetric104() = 0;
    virtual int GetMetric105() = 0;  // right margin of the right header column
    virtual int GetMetric106() = 0;  // gap under right-column texts and tempo marks
    virtual int GetMetric107() = 0;  // left margin of every bar
    virtual int GetMetric108() = 0;  // right margin of every bar
    virtual int GetMetric109() = 0;  // space added at every inner beat boundary
    virtual int GetMetric110() = 0;  // with GetMetric111: offset of lyric verse 0
    virtual int GetMetric111() = 0;  // offset of lyric verses 1 to 4

    // --- Dynamics and bar numbers (112-116) ---
    virtual Point GetDynamicMarkOffset() = 0;
    virtual Size MeasureDynamicMark(int code) = 0;
    virtual void DrawDynamicMark(int x, int y, int code, int color) = 0;
    virtual void DrawBarIndex(int x, int y, const BarNumberFormat& format, int number,
                              int color) = 0;
    virtual Size MeasureBarIndex(const BarNumberFormat& format, int number) = 0;

    // --- Line-mark placement (117-120) ---
    virtual int GetWedgeLineWidth() = 0;
    virtual Point GetWedgeOffset() = 0;   // hairpins, octave and trill lines, endings, ...
    virtual Point GetWedgeOffset2() = 0;  // slurs
    virtual int GetWedgeSpread() = 0;     // height of a line mark's rectangle

    // --- Line marks (121-145): from (x1, y1) to (x2, y2) ---
    virtual void DrawCrescendoStart(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawCrescendoEnd(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawCrescendo(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawDecrescendoStart(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawDecrescendoEnd(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawDecrescendo(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawTrillLine(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawTrillLineContinued(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawHighOctaveStart(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawHighOctaveEnd(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawHighOctave(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawLowOctaveStart(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawLowOctaveEnd(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawLowOctave(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawFirstEndingStart(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawEndingEnd(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawFirstEnding(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawSecondEndingStart(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawEndingEnd2(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawSecondEnding(int x1, int y1, int x2, int y2, int color) = 0;
    // A filled curved band through three points (slurs); the middle x is not used.
    virtual void DrawCurve(int x1, int y1, int x2, int y2, int x3, int y3, int color) = 0;
    virtual void DrawArpeggio(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawArpeggioUpwards(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawArpeggioDownwards(int x1, int y1, int x2, int y2, int color) = 0;
    virtual void DrawGlissando(int x1, int y1, int x2, int y2, int color) = 0;

    // --- Note symbols, user symbols, page texts (146-153) ---
    virtual int GetNoteSymbolSpacing() = 0;   // gap between stacked marks of a note
    virtual Point GetNoteSymbolOffset() = 0;  // where the first mark sits
    virtual Size MeasureNoteSymbol(int code) = 0;
    virtual void DrawNoteSymbol(int x, int y, int code, int color) = 0;
    virtual void DrawExtendSymbol(int x, int y, const ExtendSymbol& symbol, int color) = 0;
    virtual Size MeasureExtendSymbol(const ExtendSymbol& symbol) = 0;
    // The record's rectangle is already in page coordinates.
    virtual void DrawPageText(const PageTextData& text, int color) = 0;
    virtual Size GetSmallMarkSize() = 0;

    // --- Spacing (154-156) ---
    // Width of a note of that length in note-digit widths (larger for longer values).
    virtual double GetNoteSpacing(int duration) = 0;
    virtual double GetCloseSpacing() = 0;
    virtual double GetSpacingParam() = 0;

protected:
    ScorePainter() = default;
    ScorePainter(const ScorePainter&) = default;
    ScorePainter& operator=(const ScorePainter&) = default;
    ~ScorePainter() = default;
};

}  // namespace quaverly
