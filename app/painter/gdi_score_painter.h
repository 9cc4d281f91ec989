// The score's drawing device: the engine's drawing and measuring interface on a drawing
// context. The score view builds one for each pass (layout, drawing, printing, export,
// the caret, the document-loading worker), sets it up in this order: SetDC,
// SetResourceTable, SetOrigin, SetScale, SetTransparentBackground; hands it to one editor
// operation and drops it.
//
// Units: every coordinate and size that crosses the interface is 0.01 mm of the page, y
// downwards; the context maps one logical unit to 0.01 mm. The origin is added to every x
// and y drawn (never to measurements). The scale is the number of logical units one
// screen pixel at 100 % covers on the target: font heights of the resource table are
// screen pixels and are multiplied by it, and so are the sizes given as "n pixels" below.
// Pen widths and the table's metrics are 0.01 mm already.
//
// Every font, pen and brush is made for one operation and the context's previous one is
// selected again before the operation returns. Colour keys become colours through the
// resource table at the moment of drawing (black for every key in black-and-white mode);
// the screen-only operations draw nothing in that mode, while every size still answers.
//
// The note and glyph operations (notes, dots, octave dots, accidentals, underlines, grace
// marks, jump marks, note symbols, dynamics) are defined in gdi_score_painter_glyphs.cpp,
// the text operations (header texts, lyrics, signatures, bar numbers, user symbols, page
// texts) in gdi_score_painter_text.cpp, and the line operations other than the frames,
// guides, flat slurs, tuplet brackets and the curved band (bar lines with repeat dots,
// braces and brackets, wedges, trill, octave and ending lines, arpeggios, glissandi) in
// gdi_score_painter_lines.cpp.
#pragma once

#include "app/painter/draw_resource_table.h"
#include "engine/model/drawn_area.h"
#include "engine/model/score_painter.h"
#include "platform/device_context.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brindle {

class GdiScorePainter final : public quaverly::ScorePainter, public quaverly::DrawnArea {
public:
    GdiScorePainter() = default;
    ~GdiScorePainter() = default;
    GdiScorePainter(const GdiScorePainter&) = delete;
    GdiScorePainter& operator=(const GdiScorePainter&) = delete;

    // The context drawn on, not owned; without one nothing is drawn and sizes are zero.
    void SetDC(platform::DeviceContext* dc) { dc_ = dc; }
    // The view's table, not owned; without one the built-in defaults apply.
    void SetResourceTable(const DrawResourceTable* table) { table_ = table; }
    void SetOrigin(int x, int y)
    {
        xOffset_ = x;
        yOffset_ = y;
    }
    void SetScale(float scale) { scale_ = scale; }
    // Text and glyphs never paint a background box.
    void SetTransparentBackground();

    platform::DeviceContext* GetDC() const { return dc_; }
    float GetScale() const { return scale_; }
    quaverly::Point GetOrigin() const { return {xOffset_, yOffset_}; }

    // The common text path, for every text and glyph the device draws.
    // A copy of the font with its height (screen pixels) times the scale and `extraScale`,
    // truncated toward zero.
    quaverly::LogFont ScaledFont(const quaverly::LogFont& font, double extraScale = 1.0) const;
    quaverly::LogFont ScaledFont(int fontKey, double extraScale = 1.0) const;
    // Draws `text` in a scaled font with its reference point (by the alignment flags of the
    // drawing context) at (x, y) moved by the origin, in the colour of the key.
    void DrawString(const quaverly::LogFont& scaledFont, int x, int y, unsigned align,
                    std::u16string_view text, int colorKey);
    // Extent of `text` in a scaled font: advance width and cell height.
    quaverly::Size MeasureString(const quaverly::LogFont& scaledFont, std::u16string_view text);
    // Ascent less internal leading of a scaled font: the height of its capitals and digits.
    int VisibleHeight(const quaverly::LogFont& scaledFont);

    // Frames and guide lines (0-7): drawn in the screen colours, not in black-and-white
    // mode, except the thin vertical line.
    void DrawPageEdge(const quaverly::Rect& rect) override;
    void DrawFrameRect(const quaverly::Rect& rect, int color) override;
    void DrawOpenFrameRect(const quaverly::Rect& rect, bool closedLeft, bool closedRight,
                           int color) override;
    void DrawFrameRect2(const quaverly::Rect& rect, int color) override;
    void DrawTrackBaseLine(int x, int y, int length, int color) override;
    void DrawThinVerticalLine(int x, int y, int height, int color) override;
    void DrawGuideLine(int x, int y, int length, int color) override;
    void DrawGuideLine2(int x, int y, int length, int color) override;

    // Bar lines, jump marks, flat slurs, tuplets, part-group symbols (8-26).
    quaverly::Size GetBarLineExtent(int kind) override;
    quaverly::Size MeasureBarLine(int barlineType, int repeatMark) override;
    void DrawBarLine(int x, int y, int height, int side, int barlineType, bool joined,
                     int color) override;
    void DrawRepeatBarLine(int x, int y, int height, int side, int repeatMark, bool joined,
                           int color) override;
    quaverly::Size MeasureJumpMark(int value) override;
    quaverly::Point GetJumpMarkOffset() override;
    void DrawJumpMark(int x, int y, int value, int color) override;
    int GetFlatSlurHeight() override;
    quaverly::Point GetFlatSlurOffset() override;
    void DrawFlatSlurStart(int x, int y, int length, int color) override;
    void DrawFlatSlurEnd(int x, int y, int length, int color) override;
    void DrawFlatSlur(int x, int y, int length, int color) override;
    int GetFlatSlurHeight2() override;
    quaverly::Size MeasureTupletNumber(int actual) override;
    void DrawTuplet(int x, int y, int width, int actual, int color) override;
    quaverly::Size GetSlurEndSize() override;
    void DrawSmoothSlur(int x, int y, int height, int color) override;
    quaverly::Size GetSlurEndSize2() override;
    void DrawSmoothSlurSegment(int x, int y, int height, int color) override;

    // Note glyphs, normal size (27-36).
    quaverly::Size GetNoteSize() override;
    void DrawNote(int x, int y, int pitchCode, int color) override;
    quaverly::Size MeasureDots(int count) override;
    void DrawDots(int x, int y, int count, int color) override;
    int GetOctaveDotInterval() override;
    void DrawOctaveDots(int x, int y, int octave, int color) override;
    quaverly::Size MeasureAccidental(int accidental) override;
    void DrawAccidental(int x, int y, int accidental, int color) override;
    int GetLegerInterval() override;
    void DrawLegerLine(quaverly::Point start, int width, int color) override;

    // Note glyphs, chord size (37-47).
    int GetChordNoteInterval() override;
    quaverly::Size GetChordNoteSize() override;
    void DrawChordNote(int x, int y, int pitchCode, int color) override;
    quaverly::Size MeasureChordDots(int count) override;
    void DrawChordDots(int x, int y, int count, int color) override;
    int GetChordOctaveDotInterval() override;
    void DrawChordOctaveDots(int x, int y, int octave, int color) override;
    quaverly::Size MeasureChordAccidental(int accidental) override;
    void DrawChordAccidental(int x, int y, int accidental, int color) override;
    int GetChordLegerInterval() override;
    void DrawChordLegerLine(quaverly::Point start, int width, int color) override;

    // Note glyphs, grace size (48-58).
    int GetGraceNoteInterval() override;
    quaverly::Size GetGraceNoteSize() override;
    void DrawGraceNote(int x, int y, int pitchCode, int color) override;
    quaverly::Size MeasureGraceAccidental(int accidental) override;
    void DrawGraceAccidental(int x, int y, int accidental, int color) override;
    quaverly::Size MeasureGraceDots(int count) override;
    void DrawGraceDots(int x, int y, int count, int color) override;
    int GetGraceOctaveDotInterval() override;
    void DrawGraceOctaveDots(int x, int y, int octave, int color) override;
    int GetGraceLegerInterval() override;
    void DrawGraceLegerLine(quaverly::Point start, int width, int color) override;

    // Marks under grace notes (59-60).
    void DrawCommaMark(const quaverly::Rect& rect, int color) override;
    void DrawDashMark(const quaverly::Rect& rect, int color) override;

    // Key, time and tempo signatures (61-66).
    quaverly::Size MeasureKeySignature(int fifths) override;
    void DrawKeySignature(int x, int y, int fifths, int color) override;
    quaverly::Size MeasureTimeSignature(int beats, int beatType) override;
    void DrawTimeSignature(int x, int y, int beats, int beatType, int color) override;
    quaverly::Size MeasureTempoMark(int beatUnit, int perMinute) override;
    void DrawTempoMark(int x, int y, int beatUnit, int perMinute, int color) override;

    // Texts (67-82).
    quaverly::Size MeasureTitle(std::u16string_view text) override;
    void DrawTitle(int x, int y, std::u16string_view text, int color) override;
    quaverly::Size MeasureSubtitle(std::u16string_view text) override;
    void DrawSubtitle(int x, int y, std::u16string_view text, int color) override;
    quaverly::Size MeasurePoetText(std::u16string_view text) override;
    void DrawPoetText(int x, int y, std::u16string_view text, int color) override;
    quaverly::Size MeasureComposerText(std::u16string_view text) override;
    void DrawComposerText(int x, int y, std::u16string_view text, int color) override;
    quaverly::Size MeasureExpressionText(std::u16string_view text) override;
    void DrawExpressionText(int x, int y, std::u16string_view text, int color) override;
    quaverly::Size MeasureDefaultFontText(std::u16string_view text) override;
    void DrawDefaultFontText(int x, int y, std::u16string_view text, int color) override;
    quaverly::Size MeasureLyric(std::u16string_view text) override;
    void DrawLyric(int x, int y, std::u16string_view text, int color) override;
    quaverly::Size MeasureInstrumentName(std::u16string_view text) override;
    void DrawInstrumentName(int x, int y, std::u16string_view text, int color) override;

    // Edit marks (83-97): sizes in every mode, drawn on screen only.
    quaverly::Size MeasureEditMarkA() override;
    void DrawEditMarkA(int x, int y, int color) override;
    int GetEditMarkSize() override;
    quaverly::Size MeasureEditMarkB() override;
    void DrawEditCursor(const quaverly::Rect& rect, int color) override;
    quaverly::Size MeasureEditMarkC() override;
    void DrawEditMarkC(int x, int y, int color) override;
    quaverly::Size MeasureEditMarkD() override;
    void DrawEditMarkD(int x, int y, int color) override;
    quaverly::Size MeasureEditMarkE() override;
    void DrawEditMarkE(int x, int y, int color) override;
    quaverly::Size MeasureEditMarkF() override;
    void DrawEditMarkF(int x, int y, int color) override;
    quaverly::Size MeasureEditMarkG() override;
    void DrawNumberedEditMark(int x, int y, int number, int color) override;

    // Layout metrics (98-111).
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

    // Dynamics and bar numbers (112-116).
    quaverly::Point GetDynamicMarkOffset() override;
    quaverly::Size MeasureDynamicMark(int code) override;
    void DrawDynamicMark(int x, int y, int code, int color) override;
    void DrawBarIndex(int x, int y, const quaverly::BarNumberFormat& format, int number,
                      int color) override;
    quaverly::Size MeasureBarIndex(const quaverly::BarNumberFormat& format, int number) override;

    // Line-mark placement (117-120).
    int GetWedgeLineWidth() override;
    quaverly::Point GetWedgeOffset() override;
    quaverly::Point GetWedgeOffset2() override;
    int GetWedgeSpread() override;

    // Line marks (121-145).
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

    // Note symbols, user symbols, page texts (146-153).
    int GetNoteSymbolSpacing() override;
    quaverly::Point GetNoteSymbolOffset() override;
    quaverly::Size MeasureNoteSymbol(int code) override;
    void DrawNoteSymbol(int x, int y, int code, int color) override;
    void DrawExtendSymbol(int x, int y, const quaverly::ExtendSymbol& symbol, int color) override;
    quaverly::Size MeasureExtendSymbol(const quaverly::ExtendSymbol& symbol) override;
    void DrawPageText(const quaverly::PageTextData& text, int color) override;
    quaverly::Size GetSmallMarkSize() override;

    // Spacing (154-156).
    double GetNoteSpacing(int duration) override;
    double GetCloseSpacing() override;
    double GetSpacingParam() override;
    // Whether the area meets the clip of the context (always, without a clip).
    bool IsAreaDrawn(const quaverly::Rect& area) const override;

private:
    class FontScope;
    class ClipScope;

    // How far the ink of a string's first character reaches left of its starting point
    // and the ink of its last character right of its advance; 0 where it stays inside.
    struct Overhang {
        int left = 0;
        int right = 0;
    };
    Overhang InkOverhang(const quaverly::LogFont& scaledFont, std::u16string_view text);
    // The width of a glyph's ink (its black box), logical units; 0 without a context.
    double InkWidth(const quaverly::LogFont& scaledFont, char16_t glyph);

    // The rest of the common text path.
    // Metrics of a scaled font; zeros without a context.
    platform::TextMetrics FontMetrics(const quaverly::LogFont& scaledFont);
    // The text path in a rectangle (page coordinates) with the DrawText flags `format`.
    void DrawStringInRect(const quaverly::LogFont& scaledFont, const quaverly::Rect& rect,
                          unsigned format, std::u16string_view text, int colorKey);

    // Glyph and text helpers (gdi_score_painter_glyphs.cpp, gdi_score_painter_text.cpp).
    // A key's font for chord notes: the height also times the chord-note scale, the
    // characters as wide as in the full-size font (its average character width).
    quaverly::LogFont ChordFont(int fontKey);
    // A key's font for grace notes: the height also times the grace-note scale.
    quaverly::LogFont GraceFont(int fontKey) const;
    // The three sizes of note glyphs, and a key's font at one of them.
    enum class GlyphSize { Normal, Chord, Grace };
    quaverly::LogFont SizedFont(GlyphSize size, int fontKey);
    // What sets the note glyphs of one size apart (gdi_score_painter_glyphs.cpp), and the
    // note operations written once for all three sizes.
    struct NoteFamily;
    NoteFamily NormalNotes();
    NoteFamily ChordNotes();
    NoteFamily GraceNotes();
    void NoteDigit(const NoteFamily& f, int x, int y, int pitchCode, int color);
    quaverly::Size MeasureDotRow(const NoteFamily& f, int count);
    void DotRow(const NoteFamily& f, int x, int y, int count, int color);
    void OctaveDotColumn(const NoteFamily& f, int x, int y, int octave, int color);
    quaverly::Size AccidentalBox(const NoteFamily& f, int accidental);
    // A font of a record (user symbols, page texts): its height (no height: the default
    // 16 screen pixels) times the scale, natural width, antialiased.
    quaverly::LogFont RecordFont(const quaverly::LogFont& font) const;
    // `count` copies of one glyph, the first at (x, y) and each next one moved by
    // (dx, dy); nothing for a count below 1.
    void GlyphRun(const quaverly::LogFont& scaledFont, int x, int y, int dx, int dy,
                  int count, char16_t glyph, unsigned align, int colorKey);
    // The outline of a rectangle, or of the ellipse inscribed in it, with a solid pen of
    // `width`; nothing inside.
    void FrameShape(const quaverly::Rect& rect, bool ellipse, int width, int colorKey);
    // Header texts: the extent in a key's font, an empty text measured as one space;
    // drawn top-left at (x, y).
    quaverly::Size MeasureKeyText(int fontKey, std::u16string_view text);
    void DrawKeyText(int fontKey, int x, int y, std::u16string_view text, int colorKey);
    // The width of the wider of the two numbers of a time signature and the visible
    // height of its font.
    quaverly::Size TimeSignatureBox(int beats, int beatType);

    // Text alignments the device draws with.
    static constexpr unsigned kTopLeft = platform::kTaTop | platform::kTaLeft;
    static constexpr unsigned kBaselineLeft = platform::kTaBaseline | platform::kTaLeft;
    static constexpr unsigned kBaselineCentre = platform::kTaBaseline | platform::kTaCenter;
    static constexpr unsigned kBaselineRight = platform::kTaBaseline | platform::kTaRight;
    // A number in decimal digits.
    static std::u16string Decimal(int value);

    const DrawResourceTable& Table() const;
    platform::ColorRef Color(int colorKey) const;
    bool BlackAndWhite() const { return Table().IsBlackAndWhite(); }
    // n screen pixels in logical units, truncated.
    int Pixels(double n) const { return static_cast<int>(n * scale_); }
    platform::Point At(int x, int y) const { return {x + xOffset_, y + yOffset_}; }
    platform::Rect At(const quaverly::Rect& r) const;
    // The device pixels of a page rectangle.
    platform::Region DeviceRegion(const quaverly::Rect& r) const;
    // The clip of one piece of a broken flat slur of the given height: the piece's span
    // across, the bracket's height above.
    platform::Region SlurPieceClip(int x, int y, int length, int height) const;

    // The common line path (page coordinates; the origin is added here).
    // Connected lines through the points with a pen of `style` and `width`.
    void Polyline(std::initializer_list<quaverly::Point> points, int style, int width,
                  int colorKey);
    void Line(quaverly::Point a, quaverly::Point b, int style, int width, int colorKey);
    void Outline(const quaverly::Rect& r, int style, int colorKey);
    // A rectangle filled with the colour of a key.
    void FillBox(const quaverly::Rect& rect, int colorKey);
    void FilledPolygon(std::initializer_list<quaverly::Point> points, int penWidth,
                       int colorKey);
    void FlatBracket(int x1, int y1, int x2, int y2, int colorKey);
    void Band(int x1, int y1, int y2, int x3, int y3, int colorKey);

    // Line helpers (gdi_score_painter_lines.cpp).
    struct GlyphLineSpec;
    // One glyph of a scaled font, baseline-left at (x, y); and its advance width.
    void Glyph(const quaverly::LogFont& font, int x, int y, char16_t code, int colorKey);
    int GlyphWidth(const quaverly::LogFont& font, char16_t code);
    // Glyphs in a row from startX while each ends before endX; stops at once when the
    // glyph has no width. Returns where the row stopped.
    int GlyphRow(const quaverly::LogFont& font, char16_t code, int startX, int endX, int y,
                 int colorKey);
    void GlyphLine(int x1, int y1, int x2, int y2, const GlyphLineSpec& spec, int colorKey);
    void EndingLine(int x1, int y1, int x2, int y2, char16_t number, int startHook,
                    int endHook, int colorKey);
    // The two lines of a wedge from (x1, y1) to (x2, y2), each `startHalf` above and below
    // the first point and `endHalf` above and below the second.
    void Wedge(int x1, int y1, int x2, int y2, int startHalf, int endHalf, int colorKey);
    // The turned wavy line of an arpeggio; returns where it stopped (the lower end).
    int ArpeggioRow(int x1, int y1, int y2, int colorKey);

    // The table's font of a key, looked up once while the table and its fonts stay.
    quaverly::LogFont TableFont(int fontKey) const;

    platform::DeviceContext* dc_ = nullptr;
    const DrawResourceTable* table_ = nullptr;
    int xOffset_ = 0;
    int yOffset_ = 0;
    float scale_ = 1.0f;

    // Fonts looked up in the table, by key, for the table and font generation named.
    struct TableFonts {
        const DrawResourceTable* table = nullptr;
        std::uint64_t generation = 0;
        std::array<std::optional<quaverly::LogFont>, 16> fonts;
    };
    mutable TableFonts tableFonts_;
};

}  // namespace brindle
