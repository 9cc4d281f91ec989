// Clear space between neighbouring glyphs at 96 dpi (and at 200 %): octave dots and the
// digit they belong to, octave dots below underlines, the notes of a chord with their
// octave dots, a tuplet number and its bracket, an ending number and its bracket. Each
// pair is drawn through GdiScorePainter on an image, placed as the notes place it, and the
// clear pixels between the two inks are counted.
#include "app/painter/draw_resource_table.h"
#include "app/painter/gdi_score_painter.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/note.h"
#include "engine/model/note_styles.h"
#include "engine/model/note_time.h"
#include "tests/app/painter/painter_test_util.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using brindle::GdiScorePainter;
using quaverly::Size;

constexpr double kUnitsPerPixel = painter_test::kScreenScale;
constexpr int kMinGap = 2;  // clear pixels between neighbouring glyphs

using Ink = std::vector<QPoint>;

bool Inked(QRgb pixel)
{
    return qGray(pixel) < 192;
}

Ink InkOf(const QImage& image, const std::function<bool(QRgb)>& wanted = Inked)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (wanted(image.pixel(x, y)))
                ink.emplace_back(x, y);
    return ink;
}

// The clear pixels between two inks: the fewest pixels a line of pixels (straight or
// diagonal steps) crosses from one to the other; -1 when they touch.
int Clearance(const Ink& a, const Ink& b)
{
    int best = INT_MAX;
    for (const QPoint& p : a)
        for (const QPoint& q : b)
            best = std::min(best, std::max(std::abs(p.x() - q.x()), std::abs(p.y() - q.y())));
    return best == INT_MAX ? INT_MAX : best - 1;
}

// Pieces of ink that touch one another (eight neighbours), largest first.
std::vector<Ink> Pieces(const Ink& ink)
{
    std::vector<Ink> pieces;
    std::vector<bool> taken(ink.size(), false);
    for (std::size_t start = 0; start < ink.size(); ++start) {
        if (taken[start])
            continue;
        Ink piece{ink[start]};
        taken[start] = true;
        for (std::size_t i = 0; i < piece.size(); ++i) {
            for (std::size_t j = 0; j < ink.size(); ++j) {
                if (!taken[j] && std::abs(ink[j].x() - piece[i].x()) <= 1 &&
                    std::abs(ink[j].y() - piece[i].y()) <= 1) {
                    taken[j] = true;
                    piece.push_back(ink[j]);
                }
            }
        }
        pieces.push_back(std::move(piece));
    }
    std::sort(pieces.begin(), pieces.end(),
              [](const Ink& a, const Ink& b) { return a.size() > b.size(); });
    return pieces;
}

// Draws on a fresh page at `zoom` and returns its ink.
Ink Drawn(double zoom, const std::function<void(GdiScorePainter&)>& draw)
{
    painter_test::PaintedPage page(static_cast<int>(160 * zoom), static_cast<int>(160 * zoom), zoom,
                                   painter_test::NoteSizes::Measured);
    draw(page.Painter());
    return InkOf(page.Finish());
}

int U(double pixels)
{
    return static_cast<int>(pixels * kUnitsPerPixel);
}

// --- Octave dots and underlines at the three note sizes ---

enum class Family { Normal, Chord, Grace };

const char* Name(Family f)
{
    switch (f) {
        case Family::Normal: return "normal";
        case Family::Chord: return "chord";
        case Family::Grace: return "grace";
    }
    return "";
}

// A note of one family drawn piece by piece, placed as Note::Draw places the pieces.
struct FamilyNote {
    Family family;
    int x = U(60);
    int y = U(60);

    Size Box(GdiScorePainter& p) const
    {
        return family == Family::Grace ? p.GetGraceNoteSize() : p.GetNoteSize();
    }
    int OctaveStep(GdiScorePainter& p) const
    {
        switch (family) {
            case Family::Normal: return p.GetOctaveDotInterval();
            case Family::Chord: return p.GetChordOctaveDotInterval();
            case Family::Grace: return p.GetGraceOctaveDotInterval();
        }
        return 0;
    }
    int UnderlineStep(GdiScorePainter& p) const
    {
        return family == Family::Grace ? p.GetGraceLegerInterval() : p.GetLegerInterval();
    }
    void Digit(GdiScorePainter& p, int code) const
    {
        switch (family) {
            case Family::Normal: p.DrawNote(x, y, code, 0); break;
            case Family::Chord: p.DrawChordNote(x, y, code, 0); break;
            case Family::Grace: p.DrawGraceNote(x, y, code, 0); break;
        }
    }
    void Underlines(GdiScorePainter& p, int lines) const
    {
        const Size box = Box(p);
        for (int i = 1; i <= lines; ++i) {
            const quaverly::Point at{x, y + box.cy + i * UnderlineStep(p)};
            if (family == Family::Grace)
                p.DrawGraceLegerLine(at, box.cx, 0);
            else
                p.DrawLegerLine(at, box.cx, 0);
        }
    }
    void OctaveDots(GdiScorePainter& p, int octave, int lines) const
    {
        const int step = OctaveStep(p);
        const int dotsY =
            octave > 0 ? y - octave * step : y + Box(p).cy + lines * UnderlineStep(p) + step;
        switch (family) {
            case Family::Normal: p.DrawOctaveDots(x, dotsY, octave, 0); break;
            case Family::Chord: p.DrawChordOctaveDots(x, dotsY, octave, 0); break;
            case Family::Grace: p.DrawGraceOctaveDots(x, dotsY, octave, 0); break;
        }
    }
};

TEST(GlyphGap, OctaveDotsClearTheirDigitAndTheUnderlines)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    for (const Family family : {Family::Normal, Family::Chord, Family::Grace}) {
        for (const double zoom : {1.0, 1.5, 2.0, 3.0}) {
            for (const double shift : {0.0, 0.3, 0.6}) {
                FamilyNote note{family};
                note.x += U(shift);
                note.y += U(shift);
                // Chord notes draw no underlines of their own.
                const int maxLines = family == Family::Chord ? 0 : 3;
                for (int lines = 0; lines <= maxLines; ++lines) {
                    for (const int octave : {1, 2, 3, -1, -2, -3}) {
                        if (octave > 0 && lines > 0)
                            continue;  // the underlines do not move the dots above
                        SCOPED_TRACE(::testing::Message()
                                     << Name(family) << " note, octave " << octave << ", " << lines
                                     << " underlines, zoom " << zoom << ", " << shift << " px off");
                        const Ink dots = Drawn(
                            zoom, [&](GdiScorePainter& p) { note.OctaveDots(p, octave, lines); });
                        ASSERT_FALSE(dots.empty());
                        for (const int code : {1, 4, 6, 8}) {  // "0", "3", "5", "7"
                            const Ink digit =
                                Drawn(zoom, [&](GdiScorePainter& p) { note.Digit(p, code); });
                            EXPECT_GE(Clearance(digit, dots), kMinGap) << "digit code " << code;
                        }
                        if (lines == 0)
                            continue;
                        const Ink underlines =
                            Drawn(zoom, [&](GdiScorePainter& p) { note.Underlines(p, lines); });
                        EXPECT_GE(Clearance(underlines, dots), kMinGap) << "underlines";
                    }
                }
            }
        }
    }
}

TEST(GlyphGap, StackedOctaveDotsStayApartAtEveryQuarterPixel)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    // Any tint counts as ink here: the pixel between two dots must be clear paper.
    const auto tinted = [](QRgb pixel) { return qGray(pixel) < 232; };
    for (const Family family : {Family::Normal, Family::Chord}) {
        for (const int octave : {2, 3, -2, -3}) {
            for (int qx = 0; qx < 4; ++qx) {
                for (int qy = 0; qy < 4; ++qy) {
                    SCOPED_TRACE(::testing::Message() << Name(family) << " note, octave " << octave
                                                      << ", origin +" << qx << "/4, +" << qy
                                                      << "/4 px");
                    FamilyNote note{family};
                    note.x += U(qx / 4.0);
                    note.y += U(qy / 4.0);
                    painter_test::PaintedPage page(160, 160, 1.0,
                                                   painter_test::NoteSizes::Measured);
                    note.OctaveDots(page.Painter(), octave, 0);
                    const Ink ink = InkOf(page.Finish(), tinted);
                    const std::vector<Ink> dots = Pieces(ink);
                    ASSERT_EQ(dots.size(), static_cast<std::size_t>(std::abs(octave)));
                    for (std::size_t i = 0; i < dots.size(); ++i)
                        for (std::size_t j = i + 1; j < dots.size(); ++j)
                            EXPECT_GE(Clearance(dots[i], dots[j]), 1) << "dots " << i << ", " << j;
                    // All of one size: none lost half its ink to a neighbour.
                    EXPECT_EQ(dots.front().size(), dots.back().size());
                }
            }
        }
    }
}

TEST(GlyphGap, UnderlinesStaySeparateLinesAtEveryPlace)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    for (const Family family : {Family::Normal, Family::Grace}) {
        for (const double zoom : {1.0, 2.0}) {
            // Tenths of a pixel: the lines must not run together into one grey band.
            for (int tenth = 0; tenth < 10; ++tenth) {
                FamilyNote note{family};
                note.y += U(tenth / 10.0);
                for (int lines = 2; lines <= 3; ++lines) {
                    SCOPED_TRACE(::testing::Message()
                                 << Name(family) << ", " << lines << " underlines, zoom " << zoom
                                 << ", " << tenth << "/10 px off");
                    const Ink ink =
                        Drawn(zoom, [&](GdiScorePainter& p) { note.Underlines(p, lines); });
                    EXPECT_EQ(Pieces(ink).size(), static_cast<std::size_t>(lines));
                    // Each a solid line: no half-tone rows.
                    painter_test::PaintedPage page(static_cast<int>(160 * zoom),
                                                   static_cast<int>(160 * zoom), zoom,
                                                   painter_test::NoteSizes::Measured);
                    note.Underlines(page.Painter(), lines);
                    const QImage& image = page.Finish();
                    int grey = 0;
                    for (const QPoint& p : ink) {
                        const int g = qGray(image.pixel(p));
                        grey += g > 64 && g < 192 ? 1 : 0;
                    }
                    EXPECT_LE(grey, lines * 2) << "grey pixels";  // the line ends at most
                    const Ink digit = Drawn(zoom, [&](GdiScorePainter& p) { note.Digit(p, 6); });
                    EXPECT_GE(Clearance(digit, ink), 1) << "digit";
                }
            }
        }
    }
}

// --- The notes of a chord ---

struct ChordCase {
    int ownerOctave;
    std::vector<int> chordOctaves;  // lowest first
};

// Colour keys that tell the notes apart on the image: red, blue, green.
constexpr int kNoteColours[] = {1, 4, 31};

bool OfColour(QRgb pixel, int key)
{
    if (!Inked(pixel))
        return false;
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    switch (key) {
        case 1: return r - std::max(g, b) > 40;
        case 4: return b - std::max(r, g) > 40;
        case 31: return g - std::max(r, b) > 20;
        default: return false;
    }
}

TEST(GlyphGap, ChordNotesLeaveRoomForTheirOctaveDots)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    const ChordCase cases[] = {
        {0, {0}},  {1, {0}},  {2, {0}},    {3, {0}},    {0, {-1}},    {0, {-2}},
        {1, {-1}}, {2, {-2}}, {0, {1, 2}}, {1, {1, 1}}, {-1, {0, 1}}, {0, {-1, 1}},
    };
    for (const ChordCase& c : cases) {
        for (const double zoom : {1.0, 2.0}) {
            std::string name = "owner " + std::to_string(c.ownerOctave) + ", chord";
            for (int o : c.chordOctaves)
                name += " " + std::to_string(o);
            SCOPED_TRACE(::testing::Message() << name << ", zoom " << zoom);

            auto owner = std::make_shared<quaverly::Note>();
            owner->SetPitchCode(6);
            owner->SetOctave(c.ownerOctave);
            owner->SetDuration(quaverly::note_length::kQuarter);
            owner->SetColor(kNoteColours[0]);
            std::vector<std::shared_ptr<quaverly::Note>> notes{owner};
            for (std::size_t i = 0; i < c.chordOctaves.size(); ++i) {
                auto chord = std::make_shared<quaverly::Note>();
                chord->SetStyle(std::make_shared<quaverly::ChordNoteStyle>());
                chord->SetPitchCode(4);
                chord->SetOctave(c.chordOctaves[i]);
                chord->SetDuration(quaverly::note_length::kQuarter);
                chord->SetColor(kNoteColours[i + 1]);
                owner->GetChordNotes()->AddNote(chord);
                notes.push_back(chord);
            }
            owner->GetChordNotes()->SortNotes();

            painter_test::PaintedPage page(static_cast<int>(120 * zoom),
                                           static_cast<int>(200 * zoom), zoom,
                                           painter_test::NoteSizes::Measured);
            owner->SetOrigin({U(50), U(150)});
            owner->Layout(page.Painter());
            owner->Draw(page.Painter());
            const QImage& image = page.Finish();
            for (std::size_t i = 0; i + 1 < notes.size(); ++i) {
                const int lower = kNoteColours[i];
                const int upper = kNoteColours[i + 1];
                const Ink a = InkOf(image, [lower](QRgb px) { return OfColour(px, lower); });
                const Ink b = InkOf(image, [upper](QRgb px) { return OfColour(px, upper); });
                ASSERT_FALSE(a.empty());
                ASSERT_FALSE(b.empty());
                EXPECT_GE(Clearance(a, b), kMinGap) << "notes " << i << " and " << i + 1;
            }
        }
    }
}

// --- Tuplet numbers and ending numbers against their brackets ---

TEST(GlyphGap, TupletNumberClearsItsBracket)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    for (const int number : {3, 5, 6, 7, 12}) {
        for (const double zoom : {1.0, 2.0}) {
            for (const double shift : {0.0, 0.3, 0.6}) {
                SCOPED_TRACE(::testing::Message() << "tuplet " << number << ", zoom " << zoom
                                                  << ", " << shift << " px off");
                const int x = U(10 + shift);
                const int y = U(40 + shift);
                const int width = U(120);
                const Ink ink =
                    Drawn(zoom, [&](GdiScorePainter& p) { p.DrawTuplet(x, y, width, number, 0); });
                // The bracket's two halves reach the span's ends; the rest is the number.
                const double leftEnd = x / kUnitsPerPixel * zoom;
                const double rightEnd = (x + width) / kUnitsPerPixel * zoom;
                Ink bracket, digits;
                for (const Ink& piece : Pieces(ink)) {
                    const bool atEnd = std::any_of(piece.begin(), piece.end(), [&](QPoint p) {
                        return p.x() <= leftEnd + 2 || p.x() >= rightEnd - 3;
                    });
                    Ink& into = atEnd ? bracket : digits;
                    into.insert(into.end(), piece.begin(), piece.end());
                }
                ASSERT_FALSE(digits.empty());
                EXPECT_GE(Clearance(bracket, digits), kMinGap);
            }
        }
    }
}

TEST(GlyphGap, EndingNumberClearsItsHookAndLine)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    using Ending = void (GdiScorePainter::*)(int, int, int, int, int);
    struct Row {
        const char* name;
        Ending draw;
    };
    const Row rows[] = {
        {"first ending start", &GdiScorePainter::DrawFirstEndingStart},
        {"first ending", &GdiScorePainter::DrawFirstEnding},
        {"second ending start", &GdiScorePainter::DrawSecondEndingStart},
        {"second ending", &GdiScorePainter::DrawSecondEnding},
    };
    for (const Row& row : rows) {
        for (const double zoom : {1.0, 2.0}) {
            for (const double shift : {0.0, 0.3, 0.6}) {
                SCOPED_TRACE(::testing::Message()
                             << row.name << ", zoom " << zoom << ", " << shift << " px off");
                const int x = U(20 + shift);
                const int y = U(20 + shift);
                const Ink ink =
                    Drawn(zoom, [&](GdiScorePainter& p) { (p.*row.draw)(x, y, x + U(100), y, 0); });
                // The bracket is the largest piece; the number and its full stop the rest.
                std::vector<Ink> pieces = Pieces(ink);
                ASSERT_GE(pieces.size(), 2u);
                Ink number;
                for (std::size_t i = 1; i < pieces.size(); ++i)
                    number.insert(number.end(), pieces[i].begin(), pieces[i].end());
                EXPECT_GE(Clearance(pieces[0], number), kMinGap);
            }
        }
    }
}

// --- The whole note of a tempo mark ---

TEST(GlyphGap, WholeNoteOfATempoMarkIsNotDwarfedByTheNumber)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    for (const double zoom : {1.0, 2.0}) {
        SCOPED_TRACE(::testing::Message() << "zoom " << zoom);
        const Ink ink = Drawn(zoom, [](GdiScorePainter& p) {
            p.DrawTempoMark(U(20), U(40), 645120, 40, 0);  // whole note = 40
        });
        std::vector<Ink> pieces = Pieces(ink);
        ASSERT_GE(pieces.size(), 3u);
        auto left = [](const Ink& piece) {
            return std::min_element(piece.begin(), piece.end(),
                                    [](QPoint a, QPoint b) { return a.x() < b.x(); })
                ->x();
        };
        auto height = [](const Ink& piece) {
            const auto [lo, hi] = std::minmax_element(
                piece.begin(), piece.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); });
            return hi->y() - lo->y() + 1;
        };
        std::sort(pieces.begin(), pieces.end(),
                  [&](const Ink& a, const Ink& b) { return left(a) < left(b); });
        // The note head against the last digit: at least two fifths of its height.
        EXPECT_GE(5 * height(pieces.front()), 2 * height(pieces.back()));
    }
}

// --- A tempo word and the metronome mark written after it ---

// The leftmost piece of ink.
Ink Leftmost(const std::vector<Ink>& pieces)
{
    const auto left = [](const Ink& piece) {
        return std::min_element(piece.begin(), piece.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); })->x();
    };
    return *std::min_element(pieces.begin(), pieces.end(),
                             [&](const Ink& a, const Ink& b) { return left(a) < left(b); });
}

QRect Bounds(const Ink& ink)
{
    QRect r;
    for (const QPoint& p : ink)
        r |= QRect(p, QSize(1, 1));
    return r;
}

TEST(GlyphGap, TempoNoteKeepsClearOfTheWordBeforeItAndOfTheEqualsSign)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    for (const int unit : {645120, 161280, 40320}) {
        for (const double zoom : {1.0, 2.0}) {
            for (const double shift : {0.0, 0.3, 0.6}) {
                SCOPED_TRACE(::testing::Message() << "note " << unit << ", zoom " << zoom << ", " << shift << " px off");
                // Placed as a line places them: the word at the bar's start, the mark
                // right after the word, both standing on the same row.
                const int x = U(10 + shift);
                const int row = U(60 + shift);
                int markX = 0;
                const Ink word = Drawn(zoom, [&](GdiScorePainter& p) {
                    const Size size = p.MeasureExpressionText(u"行板");
                    p.DrawExpressionText(x, row - p.GetMetric106() - size.cy, u"行板", 0);
                    markX = x + size.cx;
                });
                ASSERT_FALSE(word.empty());
                const Ink mark = Drawn(zoom, [&](GdiScorePainter& p) {
                    const Size size = p.MeasureTempoMark(unit, 96);
                    p.DrawTempoMark(markX, row - p.GetMetric106() - size.cy, unit, 96, 0);
                });
                const std::vector<Ink> pieces = Pieces(mark);
                ASSERT_GE(pieces.size(), 2u);  // the note, then "=" and the digits
                const Ink note = Leftmost(pieces);
                Ink rest;
                for (const QPoint& p : mark)
                    if (std::find(note.begin(), note.end(), p) == note.end())
                        rest.push_back(p);
                EXPECT_GE(Clearance(word, note), kMinGap);
                EXPECT_GE(Clearance(note, rest), kMinGap);
                // Not dwarfed by the number: a note with a stem stands as tall as the
                // number, its head at least 4 pixels wide at 100 %.
                if (unit != 645120) {
                    EXPECT_GE(Bounds(note).height(), Bounds(rest).height() - 1);
                    EXPECT_GE(Bounds(note).width(), static_cast<int>(4 * zoom));
                }
            }
        }
    }
}

// "行板♩=96" at 100 % and 200 %, for people to look at: tempo_word_and_mark.png.
TEST(GlyphGap, SpecimenOfATempoWordAndMark)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    QImage sheet(400, 130, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter out(&sheet);
    int top = 0;
    for (const double zoom : {1.0, 2.0}) {
        painter_test::PaintedPage page(static_cast<int>(180 * zoom), static_cast<int>(40 * zoom), zoom,
                                       painter_test::NoteSizes::Measured);
        GdiScorePainter& p = page.Painter();
        const int x = U(10);
        const int row = U(32);
        const Size word = p.MeasureExpressionText(u"行板");
        p.DrawExpressionText(x, row - p.GetMetric106() - word.cy, u"行板", 0);
        const Size mark = p.MeasureTempoMark(161280, 96);
        p.DrawTempoMark(x + word.cx, row - p.GetMetric106() - mark.cy, 161280, 96, 0);
        const QImage& picture = page.Finish();
        out.drawImage(0, top, picture);
        top += picture.height() + 10;
    }
    out.end();
    EXPECT_TRUE(painter_test::SaveSpecimen(sheet, "tempo_word_and_mark.png"));
}

// --- Octave lines end in a hook that shows ---

TEST(GlyphGap, OctaveLineHookIsAsTallAsTheSignAndJoinsTheLine)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    using Mark = void (GdiScorePainter::*)(int, int, int, int, int);
    for (const Mark mark :
         {&GdiScorePainter::DrawHighOctave, &GdiScorePainter::DrawLowOctave,
          &GdiScorePainter::DrawHighOctaveEnd, &GdiScorePainter::DrawLowOctaveEnd}) {
        for (const double zoom : {1.0, 2.0}) {
            for (const int length : {U(80), U(80) + 40, U(80) + 80, U(80) + 120}) {
                SCOPED_TRACE(::testing::Message() << "zoom " << zoom << ", length " << length);
                const int x1 = U(20), y = U(60);
                const Ink ink =
                    Drawn(zoom, [&](GdiScorePainter& p) { (p.*mark)(x1, y, x1 + length, y, 0); });
                // The hook: the ink right of the line's end, less a pixel.
                const double end = (x1 + length) / kUnitsPerPixel * zoom;
                int top = INT_MAX, bottom = INT_MIN, rightmost = INT_MIN;
                for (const QPoint& p : ink) {
                    rightmost = std::max(rightmost, p.x());
                    if (p.x() >= end - 1) {
                        top = std::min(top, p.y());
                        bottom = std::max(bottom, p.y());
                    }
                }
                ASSERT_NE(top, INT_MAX) << "no hook";
                // At least 6 pixels of hook at 100 %.
                EXPECT_GE(bottom - top + 1, static_cast<int>(6 * zoom));
                // The dashes come up to the hook: no gap wider than a dash's own gap
                // before it.
                int lastDash = INT_MIN;
                for (const QPoint& p : ink)
                    if (p.x() < end - 1 && p.x() > end - 12 * zoom)
                        lastDash = std::max(lastDash, p.x());
                EXPECT_GE(lastDash, static_cast<int>(end - 3 * zoom)) << "gap before the hook";
            }
        }
    }
}

}  // namespace
