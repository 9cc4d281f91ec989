// The specimen page: every glyph of the music fonts and every mark the drawing device
// draws, through GdiScorePainter on an image, saved as a PNG for people to look at:
//
//     build/bin/test_app_painter --gtest_filter='Specimen.*'
//
// writes build/bin/specimen/music_specimen.png (or into $BRINDLE_SPECIMEN_DIR). The test
// checks that every glyph cell received ink.
#include "app/painter/draw_resource_table.h"
#include "app/painter/gdi_score_painter.h"
#include "platform/music_glyphs.h"
#include "tests/app/painter/painter_test_util.h"

#include <QDir>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using painter_test::Face;
using painter_test::SaveSpecimen;

using brindle::GdiScorePainter;
using quaverly::Rect;

constexpr double kZoom = 2.0;
constexpr int kPageWidth = 900;   // screen pixels at 100 %
constexpr int kPageHeight = 1340;
constexpr int kCell = 56;         // glyph cell, screen pixels
constexpr int kColumns = 15;

int U(double pixels)
{
    return static_cast<int>(pixels * painter_test::kScreenScale);
}

struct Cell {
    int left, top;  // screen pixels of the page at 100 %
};

class SpecimenPage {
public:
    explicit SpecimenPage(GdiScorePainter& painter) : painter_(painter) {}

    void Heading(const std::u16string& text)
    {
        if (column_ != 0)
            NewRow();
        y_ += 10;
        painter_.DrawString(painter_.ScaledFont(Face(u"Liberation Sans", -14, 700)), U(20),
                            U(y_), platform::kTaTop | platform::kTaLeft, text, 0);
        y_ += 24;
    }

    // The next cell of the grid, with its label above the glyph's baseline.
    Cell Next(const std::u16string& label)
    {
        if (column_ == kColumns)
            NewRow();
        const Cell cell{20 + column_ * kCell, y_};
        ++column_;
        painter_.DrawString(painter_.ScaledFont(Face(u"Liberation Sans", -9)), U(cell.left + 2),
                            U(cell.top + 1), platform::kTaTop | platform::kTaLeft, label, 2);
        painter_.DrawTrackBaseLine(U(cell.left), U(cell.top + kCell * 0.62), U(kCell - 4), 32);
        return cell;
    }

    void NewRow()
    {
        column_ = 0;
        y_ += kCell;
    }

    int Y() const { return y_; }
    void Skip(int pixels) { y_ += pixels; }

private:
    GdiScorePainter& painter_;
    int column_ = 0;
    int y_ = 20;
};

std::u16string Number(int n)
{
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

TEST(Specimen, EveryGlyphAndMarkThroughThePainter)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    painter_test::PaintedPage page(static_cast<int>(kPageWidth * kZoom),
                                   static_cast<int>(kPageHeight * kZoom), kZoom,
                                   painter_test::NoteSizes::Measured);
    GdiScorePainter& painter = page.Painter();
    const brindle::DrawResourceTable& table = page.Table();

    SpecimenPage sheet(painter);
    std::vector<std::pair<Cell, int>> glyphCells;  // cell and the code drawn in it

    // The five faces, at the heights the program uses them.
    struct FaceRow {
        std::u16string title;
        quaverly::LogFont font;
    };
    const FaceRow faces[] = {
        {u"Tansy (font key 0, 20 px)", table.GetFont(brindle::font_key::kMusic)},
        {u"Tansy Number (font key 1, 15 px)", table.GetFont(brindle::font_key::kNote)},
        {u"Tansy Tuplet (font key 2, 12 px bold)", table.GetFont(brindle::font_key::kTuplet)},
        {u"Tansy Times (font key 8, 12 px bold)",
         table.GetFont(brindle::font_key::kTimeSignature)},
        {u"Tansy Signature (dialogs, 22 px)",
         Face(platform::music::kSignatureFace, -22)},
    };
    for (std::size_t i = 0; i < std::size(faces); ++i) {
        sheet.Heading(faces[i].title);
        for (char16_t code : platform::music::kAllFaces[i].codes) {
            const Cell cell = sheet.Next(Number(code));
            painter.DrawString(painter.ScaledFont(faces[i].font), U(cell.left + 8),
                               U(cell.top + kCell * 0.62),
                               platform::kTaBaseline | platform::kTaLeft,
                               std::u16string(1, code), 0);
            glyphCells.emplace_back(cell, code);
        }
    }

    sheet.Heading(u"Dynamics marks 1-23 (box: the measured size)");
    for (int code = 1; code <= 23; ++code) {
        const Cell cell = sheet.Next(Number(code));
        const quaverly::Size size = painter.MeasureDynamicMark(code);
        const int x = U(cell.left + 6), y = U(cell.top + 12);
        painter.DrawFrameRect(Rect{x, y, x + size.cx, y + size.cy}, 32);
        painter.DrawDynamicMark(x, y, code, 0);
    }

    sheet.Heading(u"Edit marks A, C, D, E, F, numbered F; editing cursor");
    {
        const int y = U(sheet.Y() + 10);
        painter.DrawEditMarkA(U(30), y, 34);
        painter.DrawEditMarkC(U(70), y, 34);
        painter.DrawEditMarkD(U(110), y, 34);
        painter.DrawEditMarkE(U(150), y, 34);
        painter.DrawEditMarkF(U(190), y, 34);
        painter.DrawNumberedEditMark(U(240), y + U(20), 12, 34);
        painter.DrawEditCursor(Rect{U(300), y, U(340), y + U(40)}, 1);
        sheet.Skip(70);
    }

    sheet.Heading(u"Frames and lines: page edge, frame, open frame, base line, guides, thin line");
    {
        const int y = U(sheet.Y() + 5);
        painter.DrawPageEdge(Rect{U(20), y, U(120), y + U(50)});
        painter.DrawFrameRect(Rect{U(140), y, U(240), y + U(50)}, 33);
        painter.DrawOpenFrameRect(Rect{U(260), y, U(360), y + U(50)}, true, false, 34);
        painter.DrawTrackBaseLine(U(380), y + U(25), U(100), 32);
        painter.DrawGuideLine(U(500), y, U(50), 29);
        painter.DrawGuideLine2(U(520), y, U(50), 30);
        painter.DrawThinVerticalLine(U(540), y, U(50), 0);
        sheet.Skip(70);
    }

    sheet.Heading(u"Flat slurs (whole, start, end, short), tuplets 3 and 5, curved band");
    {
        const int y = U(sheet.Y() + 40);
        painter.DrawFlatSlur(U(20), y, U(120), 0);
        painter.DrawFlatSlurStart(U(160), y, U(100), 0);
        painter.DrawFlatSlurEnd(U(300), y, U(100), 0);
        painter.DrawFlatSlur(U(430), y, U(15), 0);
        painter.DrawTuplet(U(480), y, U(120), 3, 0);
        painter.DrawTuplet(U(620), y, U(80), 5, 1);
        painter.DrawCurve(U(720), y, 0, y - U(25), U(860), y, 0);
        sheet.Skip(70);
    }
    ASSERT_LT(sheet.Y(), kPageHeight);

    const QImage& image = page.Finish();
    // Every glyph cell has ink besides its label and base line.
    for (const auto& [cell, code] : glyphCells) {
        SCOPED_TRACE(static_cast<int>(code));
        const int left = static_cast<int>((cell.left + 6) * kZoom);
        const int top = static_cast<int>((cell.top + 12) * kZoom);
        const int right = static_cast<int>((cell.left + kCell - 2) * kZoom);
        const int bottom = static_cast<int>((cell.top + kCell) * kZoom);
        EXPECT_GT(painter_test::InkIn(image, left, top, right, bottom), 0);
    }

    EXPECT_TRUE(SaveSpecimen(image, "music_specimen.png"));
}

// ---- Notes, glyphs and texts, on a page of their own: glyph_text_specimen.png ----

namespace glyph_text {

constexpr int kPageHeight = 1560;

// Where a cell's note box goes: its left edge and top, page units.
int NoteX(const Cell& cell, int dx = 12)
{
    return U(cell.left + dx);
}
int NoteTop(const Cell& cell, int dy = 20)
{
    return U(cell.top + dy);
}

void Frame(GdiScorePainter& painter, int x, int y, quaverly::Size size)
{
    painter.DrawFrameRect(Rect{x, y, x + size.cx, y + size.cy}, 32);
}

// Note codes 1-13 at the three sizes, each in a frame of its note box.
void NoteCodes(GdiScorePainter& painter, SpecimenPage& sheet, std::vector<Cell>& inked)
{
    const quaverly::Size note = painter.GetNoteSize();
    const quaverly::Size grace = painter.GetGraceNoteSize();
    for (int size = 0; size < 3; ++size) {
        const char16_t* titles[] = {u"Note codes 1-13 (frame: the note size; 9 the dash)",
                                    u"Chord notes 1-13 (frame: the note size)",
                                    u"Grace notes 1-13 (frame: the grace-note size; no dash)"};
        sheet.Heading(titles[size]);
        for (int code = 1; code <= 13; ++code) {
            const Cell cell = sheet.Next(Number(code));
            const int x = NoteX(cell), y = NoteTop(cell);
            Frame(painter, x, y, size == 2 ? grace : note);
            if (size == 0)
                painter.DrawNote(x, y, code, 0);
            else if (size == 1)
                painter.DrawChordNote(x, y, code, 0);
            else
                painter.DrawGraceNote(x, y, code, 0);
            if (!(size == 2 && code == 9))
                inked.push_back(cell);
        }
    }
}

// Accidentals -3 to 4 before a "5" at the three sizes, placed as a note places them.
void Accidentals(GdiScorePainter& painter, SpecimenPage& sheet, std::vector<Cell>& inked)
{
    sheet.Heading(u"Accidentals -3 to 4: normal, chord, grace (grace -3 and 3 draw nothing)");
    for (int size = 0; size < 3; ++size) {
        for (int accidental = -3; accidental <= 4; ++accidental) {
            const Cell cell = sheet.Next(Number(accidental));
            const int x = NoteX(cell, 24), y = NoteTop(cell);
            quaverly::Size a;
            if (size == 0) {
                a = painter.MeasureAccidental(accidental);
                painter.DrawNote(x, y, 6, 0);
                painter.DrawAccidental(x - a.cx, y - a.cy / 2, accidental, 1);
            } else if (size == 1) {
                a = painter.MeasureChordAccidental(accidental);
                painter.DrawChordNote(x, y, 6, 0);
                painter.DrawChordAccidental(x - a.cx, y - a.cy / 2, accidental, 1);
            } else {
                a = painter.MeasureGraceAccidental(accidental);
                painter.DrawGraceNote(x, y, 6, 0);
                painter.DrawGraceAccidental(x - a.cx, y - a.cy / 2, accidental, 1);
            }
            inked.push_back(cell);
        }
        sheet.NewRow();
    }
}

// Augmentation dots 1-3, octave dots 1-3 above and below, underlines 1-3.
void Dots(GdiScorePainter& painter, SpecimenPage& sheet, std::vector<Cell>& inked)
{
    sheet.Heading(u"Dots 1-3, octave dots +1..+3 and -1..-3, underlines 1-3: normal, chord, grace");
    for (int size = 0; size < 3; ++size) {
        const quaverly::Size note = size == 2 ? painter.GetGraceNoteSize() : painter.GetNoteSize();
        const int octave = size == 0   ? painter.GetOctaveDotInterval()
                           : size == 1 ? painter.GetChordOctaveDotInterval()
                                       : painter.GetGraceOctaveDotInterval();
        const int leger = size == 2 ? painter.GetGraceLegerInterval() : painter.GetLegerInterval();
        auto drawNote = [&](int x, int y) {
            if (size == 0)
                painter.DrawNote(x, y, 4, 0);
            else if (size == 1)
                painter.DrawChordNote(x, y, 4, 0);
            else
                painter.DrawGraceNote(x, y, 4, 0);
        };
        for (int n = 1; n <= 3; ++n) {
            const Cell cell = sheet.Next(u"." + Number(n));
            const int x = NoteX(cell), y = NoteTop(cell);
            drawNote(x, y);
            if (size == 0)
                painter.DrawDots(x + note.cx, y, n, 0);
            else if (size == 1)
                painter.DrawChordDots(x + note.cx, y, n, 0);
            else
                painter.DrawGraceDots(x + note.cx, y, n, 0);
            inked.push_back(cell);
        }
        for (int n : {1, 2, 3, -1, -2, -3}) {
            const Cell cell = sheet.Next((n > 0 ? u"+" : u"") + Number(n));
            const int x = NoteX(cell), y = NoteTop(cell);
            drawNote(x, y);
            const int dotsY = n > 0 ? y - n * octave : y + note.cy + octave;
            if (size == 0)
                painter.DrawOctaveDots(x, dotsY, n, 0);
            else if (size == 1)
                painter.DrawChordOctaveDots(x, dotsY, n, 0);
            else
                painter.DrawGraceOctaveDots(x, dotsY, n, 0);
            inked.push_back(cell);
        }
        for (int n = 1; n <= 3; ++n) {
            const Cell cell = sheet.Next(u"_" + Number(n));
            const int x = NoteX(cell), y = NoteTop(cell);
            drawNote(x, y);
            for (int i = 1; i <= n; ++i) {
                const quaverly::Point at{x, y + note.cy + i * leger};
                if (size == 0)
                    painter.DrawLegerLine(at, note.cx, 0);
                else if (size == 1)
                    painter.DrawChordLegerLine(at, note.cx, 0);
                else
                    painter.DrawGraceLegerLine(at, note.cx, 0);
            }
            inked.push_back(cell);
        }
        sheet.NewRow();
    }
}

// Grace notes with their comma and dash marks, jump marks and note symbols.
void Marks(GdiScorePainter& painter, SpecimenPage& sheet, std::vector<Cell>& inked)
{
    sheet.Heading(u"Grace marks; jump marks 3-8 and note symbols above a note (frame: measured)");
    const quaverly::Size grace = painter.GetGraceNoteSize();
    for (int mark = 0; mark < 2; ++mark) {
        const Cell cell = sheet.Next(mark == 0 ? u"comma" : u"dash");
        const int x = NoteX(cell), y = NoteTop(cell);
        const int step = grace.cx + painter.GetGraceNoteInterval();
        painter.DrawGraceNote(x, y, 2, 0);
        painter.DrawGraceNote(x + step, y, 4, 0);
        const Rect span{x, y + grace.cy + U(4), x + step + grace.cx, y + grace.cy + U(8)};
        if (mark == 0)
            painter.DrawCommaMark(span, 0);
        else
            painter.DrawDashMark(span, 0);
        inked.push_back(cell);
    }
    for (int kind = 3; kind <= 8; ++kind) {
        const Cell cell = sheet.Next(Number(kind));
        const int x = NoteX(cell, 6), y = NoteTop(cell, 16);
        Frame(painter, x, y, painter.MeasureJumpMark(kind));
        painter.DrawJumpMark(x, y, kind, 0);
        inked.push_back(cell);
    }
    const quaverly::Size note = painter.GetNoteSize();
    const quaverly::Point offset = painter.GetNoteSymbolOffset();
    for (int code : {2, 3, 4, 6, 14, 19, 20, 21, 24, 25}) {
        const Cell cell = sheet.Next(Number(code));
        const int x = NoteX(cell, 20), y = NoteTop(cell, 36);
        painter.DrawNote(x, y, 6, 0);
        // Placed as the note places its first mark.
        const quaverly::Size s = painter.MeasureNoteSymbol(code);
        const int sx = x + offset.x - (s.cx - note.cx) / 2;
        const int sy = y + offset.y - (painter.GetNoteSymbolSpacing() + s.cy);
        Frame(painter, sx, sy, s);
        painter.DrawNoteSymbol(sx, sy, code, 0);
        inked.push_back(cell);
    }
}

// Key signatures -7 to 7, time signatures, tempo marks and bar numbers.
void Signatures(GdiScorePainter& painter, SpecimenPage& sheet, std::vector<Cell>& inked)
{
    sheet.Heading(u"Key signatures -7 to 7 (frame: measured)");
    for (int key = -7; key <= 7; ++key) {
        const Cell cell = sheet.Next(Number(key));
        const int x = NoteX(cell, 6), y = NoteTop(cell);
        Frame(painter, x, y, painter.MeasureKeySignature(key));
        painter.DrawKeySignature(x, y, key, 0);
        inked.push_back(cell);
    }
    sheet.Heading(u"Time signatures, 3/16 and 9/16 as wide as their denominators; tempo marks");
    const std::pair<int, int> times[] = {{2, 4}, {3, 4}, {4, 4}, {6, 8}, {12, 8}, {3, 16}, {9, 16}};
    for (const auto& [beats, beatType] : times) {
        const Cell cell = sheet.Next(Number(beats) + u"/" + Number(beatType));
        const int x = NoteX(cell, 0), y = NoteTop(cell, 14);
        Frame(painter, x, y, painter.MeasureTimeSignature(beats, beatType));
        painter.DrawTimeSignature(x, y, beats, beatType, 0);
        inked.push_back(cell);
    }
    sheet.NewRow();
    // Whole to 32nd, a dotted quarter (the quarter) and none (the quarter).
    const std::pair<int, int> tempos[] = {{645120, 40},  {322560, 60},  {161280, 120},
                                          {80640, 90},   {40320, 70},   {20160, 200},
                                          {241920, 60},  {0, 100}};
    for (const auto& [beatUnit, perMinute] : tempos) {
        const Cell cell = sheet.Next(Number(beatUnit));
        const int x = NoteX(cell, 4), y = NoteTop(cell);
        Frame(painter, x, y, painter.MeasureTempoMark(beatUnit, perMinute));
        painter.DrawTempoMark(x, y, beatUnit, perMinute, 0);
        inked.push_back(cell);
    }
    sheet.Heading(u"Bar numbers: plain, brackets, box, circle (frame: measured), 7 and 128");
    for (int number : {7, 128}) {
        for (int style = 0; style <= 3; ++style) {
            const Cell cell = sheet.Next(Number(style));
            quaverly::BarNumberFormat format;
            format.decorator = style;
            const int x = NoteX(cell, 8), y = NoteTop(cell, 24);
            Frame(painter, x, y, painter.MeasureBarIndex(format, number));
            painter.DrawBarIndex(x, y, format, number, 0);
            inked.push_back(cell);
        }
    }
}

// Header texts, lyrics, user symbols and a page text, each framed with its measured size.
void Texts(GdiScorePainter& painter, SpecimenPage& sheet, std::vector<Rect>& inked)
{
    sheet.Heading(u"Header texts, lyrics (frame: measured, closing punctuation left out)");
    int y = sheet.Y();
    auto line = [&](const std::u16string& text, auto measure, auto draw) {
        const quaverly::Size size = measure(text);
        const Rect box{U(20), U(y), U(20) + size.cx, U(y) + size.cy};
        painter.DrawFrameRect(box, 32);
        draw(box.left, box.top, text);
        inked.push_back(box);
        y += static_cast<int>(size.cy / painter_test::kScreenScale) + 6;
    };
    GdiScorePainter& p = painter;
    line(u"标题 Title", [&](auto t) { return p.MeasureTitle(t); },
         [&](int x, int yy, auto t) { p.DrawTitle(x, yy, t, 0); });
    line(u"副标题 Subtitle", [&](auto t) { return p.MeasureSubtitle(t); },
         [&](int x, int yy, auto t) { p.DrawSubtitle(x, yy, t, 0); });
    line(u"作词：某某", [&](auto t) { return p.MeasurePoetText(t); },
         [&](int x, int yy, auto t) { p.DrawPoetText(x, yy, t, 0); });
    line(u"作曲：某某", [&](auto t) { return p.MeasureComposerText(t); },
         [&](int x, int yy, auto t) { p.DrawComposerText(x, yy, t, 0); });
    line(u"中速 深情地", [&](auto t) { return p.MeasureExpressionText(t); },
         [&](int x, int yy, auto t) { p.DrawExpressionText(x, yy, t, 0); });
    line(u"版权所有 (default font)", [&](auto t) { return p.MeasureDefaultFontText(t); },
         [&](int x, int yy, auto t) { p.DrawDefaultFontText(x, yy, t, 0); });
    line(u"二胡", [&](auto t) { return p.MeasureInstrumentName(t); },
         [&](int x, int yy, auto t) { p.DrawInstrumentName(x, yy, t, 0); });

    // A line of syllables spaced by their measured widths.
    int x = U(20);
    int lyricHeight = 0;
    for (const char16_t* syllable : {u"春", u"眠，", u"不", u"觉。", u"处", u"处,", u"闻；"}) {
        const quaverly::Size size = painter.MeasureLyric(syllable);
        const Rect box{x, U(y), x + size.cx, U(y) + size.cy};
        painter.DrawFrameRect(box, 32);
        painter.DrawLyric(box.left, box.top, syllable, 0);
        inked.push_back(box);
        x += size.cx + U(10);
        lyricHeight = size.cy;
    }
    y += static_cast<int>(lyricHeight / painter_test::kScreenScale) + 10;

    // User symbols in fonts of their own.
    x = U(20);
    for (const auto& [text, face] : {std::pair{u"rit.", u"Times New Roman"},
                                     std::pair{u"a tempo", u"Times New Roman"},
                                     std::pair{u"♪ 渐慢", u"宋体"}}) {
        quaverly::ExtendSymbol symbol;
        symbol.text = text;
        symbol.font = Face(face, -16);
        symbol.font.italic = 1;
        const quaverly::Size size = painter.MeasureExtendSymbol(symbol);
        const Rect box{x, U(y), x + size.cx, U(y) + size.cy};
        painter.DrawFrameRect(box, 32);
        painter.DrawExtendSymbol(box.left, box.top, symbol, 0);
        inked.push_back(box);
        x += size.cx + U(20);
    }
    y += 34;

    // A page text wrapped in its rectangle.
    quaverly::PageTextData page;
    page.font = Face(u"宋体", -14);
    page.rect = Rect{U(20), U(y), U(320), U(y + 90)};
    page.text = u"页面文字在矩形中自动换行。A page text wraps at the edge of its rectangle, "
                u"word by word, and keeps to its width.\r\n第二段从新的一行开始。";
    painter.DrawFrameRect(page.rect, 32);
    painter.DrawPageText(page, 0);
    inked.push_back(page.rect);
    sheet.Skip(y + 100 - sheet.Y());
}

}  // namespace glyph_text

TEST(Specimen, NotesGlyphsAndTextsThroughThePainter)
{
    using namespace glyph_text;
    ASSERT_TRUE(painter_test::AddMusicFonts());
    painter_test::PaintedPage page(static_cast<int>(kPageWidth * kZoom),
                                   static_cast<int>(glyph_text::kPageHeight * kZoom), kZoom,
                                   painter_test::NoteSizes::Measured);
    brindle::DrawResourceTable& table = page.Table();
    table.SetFont(brindle::font_key::kTitle, Face(u"宋体", -24, 700));
    table.SetFont(brindle::font_key::kSubtitle, Face(u"宋体", -16));
    table.SetFont(brindle::font_key::kPoet, Face(u"宋体", -12));
    table.SetFont(brindle::font_key::kComposer, Face(u"宋体", -12));
    table.SetFont(brindle::font_key::kExpression, Face(u"楷体", -14));
    table.SetFont(brindle::font_key::kDefaultText, Face(u"宋体", -11));
    table.SetFont(brindle::font_key::kLyric, Face(u"宋体", -14));
    table.SetFont(brindle::font_key::kBarIndex, Face(u"Arial", -10));
    table.SetFont(brindle::font_key::kInstrumentName, Face(u"宋体", -12));
    GdiScorePainter& painter = page.Painter();

    SpecimenPage sheet(painter);
    std::vector<Cell> cells;
    std::vector<Rect> boxes;
    NoteCodes(painter, sheet, cells);
    Accidentals(painter, sheet, cells);
    Dots(painter, sheet, cells);
    Marks(painter, sheet, cells);
    Signatures(painter, sheet, cells);
    Texts(painter, sheet, boxes);
    ASSERT_LT(sheet.Y(), glyph_text::kPageHeight);

    const QImage& image = page.Finish();
    for (const Cell& cell : cells) {
        SCOPED_TRACE(::testing::Message() << cell.left << ", " << cell.top);
        EXPECT_GT(painter_test::InkIn(image, static_cast<int>((cell.left + 4) * kZoom),
                                      static_cast<int>((cell.top + 12) * kZoom),
                                      static_cast<int>((cell.left + kCell) * kZoom),
                                      static_cast<int>((cell.top + kCell) * kZoom)),
                  0);
    }
    for (const Rect& box : boxes) {
        auto px = [](int units) { return static_cast<int>(units / painter_test::kScreenScale * kZoom); };
        EXPECT_GT(painter_test::InkIn(image, px(box.left), px(box.top), px(box.right) + 1,
                                      px(box.bottom) + 1),
                  0);
    }

    EXPECT_TRUE(SaveSpecimen(image, "glyph_text_specimen.png"));
}

}  // namespace

// --- Lines and line marks ---
//
//     build/bin/test_app_painter --gtest_filter='Specimen.LinesAndLineMarks'
//
// writes line_specimen.png beside music_specimen.png, and checks that each mark put ink
// where it belongs.
namespace {

// A small label in grey.
void Label(GdiScorePainter& painter, int left, int top, const std::u16string& text)
{
    painter.DrawString(painter.ScaledFont(Face(u"Liberation Sans", -9)), U(left), U(top),
                       platform::kTaTop | platform::kTaLeft, text, 2);
}

// A place that must have received ink, in screen pixels of the page at 100 %.
struct InkBox {
    std::string what;
    int left, top, right, bottom;
};

// Bar lines with repeat dots, the brace and the bracket, wedges, trill, octave and ending
// lines, arpeggios, glissandi, and the flat slurs and tuplets that break or bend.
void LineSection(GdiScorePainter& painter, brindle::DrawResourceTable& table,
                 SpecimenPage& sheet, std::vector<InkBox>& inked)
{
    const int barHeight = painter.GetBarLineHeight();  // 700: 26.5 px

    sheet.Heading(u"Bar lines 1, 5, 6, 7; end repeat, start repeat, both; "
                  u"single printed (filled)");
    {
        const int top = sheet.Y() + 16;
        struct Bar {
            std::u16string name;
            int kind;
            int dots;  // 0 none, 1 right, 2 left, 3 an end and a start repeat
            bool printed;
        };
        const Bar bars[] = {{u"1", 1, 0, false},     {u"5", 5, 0, false},
                            {u"6", 6, 0, false},     {u"7", 7, 0, false},
                            {u"6 :|", 6, 2, false},  {u"|: 7", 7, 1, false},
                            {u":|: 6 7", 0, 3, false}, {u"1 printed", 1, 0, true}};
        int x = 70;
        for (const Bar& bar : bars) {
            Label(painter, x - 24, top - 14, bar.name);
            painter.DrawTrackBaseLine(U(x - 45), U(top) + barHeight, U(90), 32);
            table.SetBlackAndWhite(bar.printed);
            if (bar.dots == 3) {
                painter.DrawBarLine(U(x), U(top), barHeight, 0, 6, false, 0);
                painter.DrawRepeatBarLine(U(x), U(top), barHeight, 0, 2, false, 0);
                painter.DrawBarLine(U(x), U(top), barHeight, 0, 7, false, 0);
                painter.DrawRepeatBarLine(U(x), U(top), barHeight, 0, 1, false, 0);
            } else {
                painter.DrawBarLine(U(x), U(top), barHeight, 0, bar.kind, false, 0);
                if (bar.dots != 0)
                    painter.DrawRepeatBarLine(U(x), U(top), barHeight, 0, bar.dots, false, 0);
            }
            table.SetBlackAndWhite(false);
            inked.push_back({"bar line", x - 8, top + 2, x + 8, top + 24});
            x += 100;
        }
        sheet.Skip(56);
    }

    sheet.Heading(u"Brace and bracket joining two staves");
    {
        const int top = sheet.Y() + 8;
        const int length = U(70);
        for (const int x : {80, 280}) {
            painter.DrawTrackBaseLine(U(x + 5), U(top), U(120), 32);
            painter.DrawTrackBaseLine(U(x + 5), U(top) + length, U(120), 32);
            painter.DrawThinVerticalLine(U(x), U(top), length, 0);
        }
        painter.DrawSmoothSlur(U(80), U(top), length, 0);
        painter.DrawSmoothSlurSegment(U(280), U(top), length, 0);
        inked.push_back({"brace", 68, top + 10, 79, top + 60});
        inked.push_back({"bracket", 270, top + 10, 276, top + 60});
        sheet.Skip(96);
    }

    sheet.Heading(u"Wedges: crescendo, its start and end pieces; decrescendo, start, end");
    {
        const int y = U(sheet.Y() + 14);
        using Wedge = void (GdiScorePainter::*)(int, int, int, int, int);
        const Wedge wedges[] = {&GdiScorePainter::DrawCrescendo, &GdiScorePainter::DrawCrescendoStart,
                                &GdiScorePainter::DrawCrescendoEnd, &GdiScorePainter::DrawDecrescendo,
                                &GdiScorePainter::DrawDecrescendoStart,
                                &GdiScorePainter::DrawDecrescendoEnd};
        int x = 20;
        for (const Wedge wedge : wedges) {
            (painter.*wedge)(U(x), y, U(x + 120), y, 0);
            inked.push_back({"wedge", x + 50, sheet.Y() + 8, x + 70, sheet.Y() + 20});
            x += 140;
        }
        sheet.Skip(36);
    }

    sheet.Heading(u"Trill lines (whole, continued); octave lines 8va and 8vb: start, "
                  u"continued end, whole");
    {
        using Mark = void (GdiScorePainter::*)(int, int, int, int, int);
        struct Row {
            std::u16string name;
            Mark draw;
        };
        const Row rows[] = {
            {u"trill", &GdiScorePainter::DrawTrillLine},
            {u"trill, continued", &GdiScorePainter::DrawTrillLineContinued},
            {u"8va start", &GdiScorePainter::DrawHighOctaveStart},
            {u"8va end", &GdiScorePainter::DrawHighOctaveEnd},
            {u"8va", &GdiScorePainter::DrawHighOctave},
            {u"8vb start", &GdiScorePainter::DrawLowOctaveStart},
            {u"8vb end", &GdiScorePainter::DrawLowOctaveEnd},
            {u"8vb", &GdiScorePainter::DrawLowOctave},
        };
        for (std::size_t i = 0; i < std::size(rows); ++i) {
            const int left = i % 2 == 0 ? 20 : 460;
            const int top = sheet.Y() + static_cast<int>(i / 2) * 34;
            Label(painter, left, top - 2, rows[i].name);
            (painter.*rows[i].draw)(U(left + 90), U(top), U(left + 400), U(top), 0);
            inked.push_back({"glyph line start", left + 90, top, left + 110, top + 14});
            inked.push_back({"glyph line row", left + 300, top - 4, left + 360, top + 14});
        }
        sheet.Skip(4 * 34 + 10);
    }

    sheet.Heading(u"Endings: first start, end, first whole; second start, second whole, end 2");
    {
        using Mark = void (GdiScorePainter::*)(int, int, int, int, int);
        const Mark endings[] = {&GdiScorePainter::DrawFirstEndingStart,
                                &GdiScorePainter::DrawEndingEnd, &GdiScorePainter::DrawFirstEnding,
                                &GdiScorePainter::DrawSecondEndingStart,
                                &GdiScorePainter::DrawSecondEnding, &GdiScorePainter::DrawEndingEnd2};
        int x = 20;
        const int top = sheet.Y() + 6;
        for (const Mark ending : endings) {
            (painter.*ending)(U(x), U(top), U(x + 120), U(top), 0);
            inked.push_back({"ending", x + 40, top - 1, x + 80, top + 2});
            x += 140;
        }
        sheet.Skip(40);
    }

    sheet.Heading(u"Arpeggios (plain, up, down); glissandi (rising, falling, level, vertical)");
    {
        const int top = sheet.Y() + 10;
        const int bottom = top + 70;
        painter.DrawArpeggio(U(40), U(top), U(40), U(bottom), 0);
        painter.DrawArpeggioUpwards(U(100), U(top), U(100), U(bottom), 0);
        painter.DrawArpeggioDownwards(U(160), U(top), U(160), U(bottom), 0);
        for (const int x : {40, 100, 160})
            inked.push_back({"arpeggio", x - 10, top + 20, x + 10, top + 50});
        painter.DrawGlissando(U(240), U(bottom), U(400), U(top), 0);
        painter.DrawGlissando(U(440), U(top), U(600), U(bottom), 0);
        painter.DrawGlissando(U(640), U(top + 35), U(780), U(top + 35), 0);
        painter.DrawGlissando(U(840), U(top), U(840), U(bottom), 0);
        inked.push_back({"glissando", 310, top + 28, 330, top + 48});
        inked.push_back({"glissando", 510, top + 28, 530, top + 48});
        inked.push_back({"glissando", 700, top + 28, 720, top + 44});
        inked.push_back({"glissando", 828, top + 25, 852, top + 45});
        sheet.Skip(96);
    }

    sheet.Heading(u"Flat slurs 520 and 519 wide (a curve); tuplets broken around 3 and 6; "
                  u"a slur start clipped to the caller's clip (left of the red line)");
    {
        const int y = U(sheet.Y() + 30);
        painter.DrawFlatSlur(U(20), y, 520, 0);
        painter.DrawFlatSlur(U(60), y, 519, 0);
        painter.DrawTuplet(U(120), y, U(140), 3, 0);
        painter.DrawTuplet(U(300), y, U(90), 6, 0);
        // The caller clips at x = 560 px.
        platform::DeviceContext& dc = *painter.GetDC();
        const platform::Point clipEdge = dc.LPtoDP(platform::Point{U(560), 0});
        const platform::Region clip(platform::Rect{0, 0, clipEdge.x, 1 << 20});
        dc.SelectClipRegion(&clip);
        painter.DrawFlatSlurStart(U(440), y, U(200), 0);
        painter.DrawThinVerticalLine(U(600), y - U(20), U(20), 0);  // clipped away
        dc.SelectClipRegion(nullptr);
        painter.DrawThinVerticalLine(U(560), y - U(20), U(24), 1);
        inked.push_back({"tuplet left", 125, sheet.Y() + 18, 170, sheet.Y() + 22});
        inked.push_back({"slur start", 470, sheet.Y() + 18, 550, sheet.Y() + 22});
        sheet.Skip(50);
    }
}

TEST(Specimen, LinesAndLineMarks)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    constexpr int kHeight = 900;
    painter_test::PaintedPage page(static_cast<int>(kPageWidth * kZoom),
                                   static_cast<int>(kHeight * kZoom), kZoom,
                                   painter_test::NoteSizes::Measured);
    GdiScorePainter& painter = page.Painter();

    SpecimenPage sheet(painter);
    std::vector<InkBox> inked;
    LineSection(painter, page.Table(), sheet, inked);
    ASSERT_LT(sheet.Y(), kHeight);

    const QImage& image = page.Finish();
    for (const InkBox& box : inked) {
        SCOPED_TRACE(box.what + " at " + std::to_string(box.left) + ", " +
                     std::to_string(box.top));
        EXPECT_GT(painter_test::InkIn(image, static_cast<int>(box.left * kZoom),
                                      static_cast<int>(box.top * kZoom),
                                      static_cast<int>(box.right * kZoom),
                                      static_cast<int>(box.bottom * kZoom)),
                  0);
    }
    // Nothing of the clipped slur start or the line after it right of the caller's clip.
    const int clipTop = sheet.Y() - 50 + 5;
    EXPECT_EQ(painter_test::InkIn(image, static_cast<int>(562 * kZoom),
                                  static_cast<int>(clipTop * kZoom),
                                  static_cast<int>(660 * kZoom),
                                  static_cast<int>((clipTop + 40) * kZoom)),
              0);

    EXPECT_TRUE(SaveSpecimen(image, "line_specimen.png"));
}

}  // namespace

// --- A short phrase at screen scale ---
//
//     build/bin/test_app_painter --gtest_filter='Specimen.JianpuPhrase*'
//
// writes phrase.png (100 %) and phrase_200.png (200 %): key, time and tempo signatures, two
// bars of notes with underlines, a dotted note, octave dots above and below, accidentals,
// bar lines, a slur and a lyric line, placed as the notes place them. The checks hold the
// music fonts to what a reader needs at screen scale: a mark beside a digit never runs into
// it, nor into the underline it stands under.
namespace phrase {

// One note of the phrase.
struct PhraseNote {
    int code;        // 2-8 the degrees 1-7; 0 a bar line
    int octave;      // dots above (+) or below (-)
    int accidental;  // -3 .. 4
    int dots;
    int underlines;
    std::u16string lyric;
    int advance;     // to the next note, page units
};

// A region of the page (page units) that must show `parts` separate pieces of ink, going
// down (rows) or across (columns): a mark and the digit, or the digit, an underline and a
// dot below it.
struct Separation {
    std::string what;
    Rect area;
    bool across;
    int parts;
};

std::vector<Separation> DrawPhrase(GdiScorePainter& painter, brindle::DrawResourceTable& table)
{
    table.SetFont(brindle::font_key::kLyric, Face(u"宋体", -14));
    std::vector<Separation> checks;
    const quaverly::Size note = painter.GetNoteSize();
    const int leger = painter.GetLegerInterval();
    const int dotStep = painter.GetOctaveDotInterval();

    // Signatures on the first line.
    const int signY = 500;
    const int x0 = 600;
    painter.DrawKeySignature(x0, signY, 2, 0);
    const quaverly::Size key = painter.MeasureKeySignature(2);
    painter.DrawTimeSignature(x0 + key.cx + 100, signY - 300, 2, 4, 0);
    painter.DrawTempoMark(x0 + key.cx + 1200, signY, 161280, 96, 0);

    const int top = 2200;  // the notes' top
    const PhraseNote notes[] = {
        {6, 0, 0, 0, 0, u"春", 900},  {2, -1, 0, 0, 1, u"眠", 500}, {4, 0, 0, 0, 1, u"不", 900},
        {0, 0, 0, 0, 0, u"", 0},
        {5, 0, 1, 0, 0, u"觉", 900},  {6, 0, 0, 1, 0, u"晓，", 1250}, {7, 1, 0, 0, 1, u"处", 500},
        {8, 0, -1, 0, 1, u"处", 900},
        {0, 0, 0, 0, 0, u"", 0},
        {3, 2, 0, 0, 0, u"闻", 900},  {2, -2, 3, 0, 0, u"啼", 900},
    };
    const int barHeight = painter.GetBarLineHeight();
    const int barTop = top + note.cy / 2 - barHeight / 2;
    int x = x0;
    int slurFrom = 0, slurTo = 0;
    for (const PhraseNote& n : notes) {
        if (n.code == 0) {
            painter.DrawBarLine(x - 250, barTop, barHeight, 0, 1, false, 0);
            x += 150;
            continue;
        }
        const std::string name = "note " + std::to_string(n.code - 1) + " at " + std::to_string(x);
        painter.DrawNote(x, top, n.code, 0);
        if (n.accidental != 0) {
            const quaverly::Size a = painter.MeasureAccidental(n.accidental);
            painter.DrawAccidental(x - a.cx, top - a.cy / 2, n.accidental, 0);
            checks.push_back({name + ": accidental", {x - 2 * a.cx, top, x + note.cx, top + note.cy},
                              true, 2});
        }
        if (n.dots > 0) {
            painter.DrawDots(x + note.cx, top, n.dots, 0);
            checks.push_back({name + ": dot", {x, top, x + note.cx + 300, top + note.cy}, true, 2});
        }
        // Eighths under one beam share their underline.
        const int underlineWidth = n.advance < 900 ? n.advance + note.cx : note.cx;
        for (int i = 1; i <= n.underlines; ++i)
            painter.DrawLegerLine({x, top + note.cy + i * leger}, underlineWidth, 0);
        const int underlines = n.underlines * leger;
        if (n.underlines > 0 && n.octave >= 0)
            checks.push_back({name + ": underline",
                              {x, top + note.cy / 2, x + note.cx, top + note.cy + underlines + 30},
                              false, 2});
        if (n.octave > 0) {
            painter.DrawOctaveDots(x, top - n.octave * dotStep, n.octave, 0);
            checks.push_back({name + ": dots above",
                              {x, top - (n.octave + 1) * dotStep, x + note.cx, top + note.cy / 2},
                              false, 2});
        } else if (n.octave < 0) {
            const int y = top + note.cy + underlines + dotStep;
            painter.DrawOctaveDots(x, y, n.octave, 0);
            checks.push_back({name + ": dots below",
                              {x, top + note.cy / 2, x + note.cx, y - n.octave * dotStep + 100},
                              false, n.underlines > 0 ? 3 : 2});
        }
        if (!n.lyric.empty()) {
            const quaverly::Size w = painter.MeasureLyric(n.lyric);
            painter.DrawLyric(x + note.cx / 2 - w.cx / 2, top + 900, n.lyric, 0);
        }
        if (n.dots > 0)
            slurFrom = x;
        if (n.octave > 0 && slurFrom != 0 && slurTo == 0)
            slurTo = x + note.cx;
        x += n.advance;
    }
    // A slur over the dotted note and the next, clear of the octave dot.
    painter.DrawFlatSlur(slurFrom, top - 2 * dotStep - 40, slurTo - slurFrom, 0);
    painter.DrawBarLine(x - 250, barTop, barHeight, 0, 6, false, 0);
    return checks;
}

// The separate pieces of ink in an area: runs of inked rows, or of inked columns.
int InkPieces(const QImage& image, const Rect& area, bool across, double zoom)
{
    auto px = [zoom](int units) { return static_cast<int>(units / painter_test::kScreenScale * zoom); };
    const int left = px(area.left), top = px(area.top);
    const int right = px(area.right) + 1, bottom = px(area.bottom) + 1;
    int pieces = 0;
    bool inked = false;
    for (int i = across ? left : top; i < (across ? right : bottom); ++i) {
        const bool now = across ? painter_test::InkIn(image, i, top, i + 1, bottom) > 0
                                : painter_test::InkIn(image, left, i, right, i + 1) > 0;
        pieces += now && !inked ? 1 : 0;
        inked = now;
    }
    return pieces;
}

}  // namespace phrase

TEST(Specimen, JianpuPhraseAtScreenScale)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    for (const double zoom : {1.0, 2.0}) {
        SCOPED_TRACE(::testing::Message() << "zoom " << zoom);
        painter_test::PaintedPage page(static_cast<int>(420 * zoom), static_cast<int>(140 * zoom),
                                       zoom, painter_test::NoteSizes::Measured);
        const std::vector<phrase::Separation> checks =
            phrase::DrawPhrase(page.Painter(), page.Table());
        const QImage& image = page.Finish();
        for (const phrase::Separation& c : checks)
            EXPECT_GE(phrase::InkPieces(image, c.area, c.across, zoom), c.parts) << c.what;
        EXPECT_TRUE(SaveSpecimen(image, zoom == 1.0 ? "phrase.png" : "phrase_200.png"));
    }
}
