// Note styles: each size forwards every operation, arguments unchanged, to the drawing
// operations of its own size and returns their results.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/note_styles.h"
#include "tests/support/fake_painter.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::PainterCall;
namespace m = fakes::fake_metrics;

struct StyleCase {
    const char* name;
    std::shared_ptr<NoteStyle> style;
    int kind;
    std::string prefix;  // "", "Chord" or "Grace" in the painter's operation names
    Size noteSize;
    Size accidentalSize;  // of a sharp
    Size twoDots;
    int legerInterval;
    int octaveDotInterval;
};

std::vector<StyleCase> StyleCases()
{
    return {
        {"normal",
         std::make_shared<NormalNoteStyle>(),
         note_style_kind::kNormal,
         "",
         m::kNoteSize,
         m::kAccidentalSize,
         {2 * m::kDotSize.cx, m::kDotSize.cy},
         m::kLegerInterval,
         m::kOctaveDotInterval},
        {"chord",
         std::make_shared<ChordNoteStyle>(),
         note_style_kind::kChord,
         "Chord",
         m::kNoteSize,
         m::kChordAccidentalSize,
         {2 * m::kDotSize.cx, m::kDotSize.cy},
         m::kLegerInterval,
         m::kOctaveDotInterval},
        {"grace",
         std::make_shared<GraceNoteStyle>(),
         note_style_kind::kGrace,
         "Grace",
         m::kGraceNoteSize,
         m::kGraceAccidentalSize,
         {2 * m::kGraceDotSize.cx, m::kGraceDotSize.cy},
         m::kGraceLegerInterval,
         m::kGraceOctaveDotInterval},
    };
}

TEST(NoteStyleTest, EachSizeForwardsToItsOwnPainterOperations)
{
    for (const StyleCase& c : StyleCases()) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        const NoteStyle& style = *c.style;

        EXPECT_EQ(style.GetKind(), c.kind);
        EXPECT_EQ(style.GetNoteSize(painter), c.noteSize);
        EXPECT_EQ(style.MeasureAccidental(painter, 1), c.accidentalSize);
        EXPECT_EQ(style.MeasureDots(painter, 2), c.twoDots);
        EXPECT_EQ(style.GetLegerInterval(painter), c.legerInterval);
        EXPECT_EQ(style.GetOctaveDotInterval(painter), c.octaveDotInterval);
        style.DrawNote(painter, 10, 20, 5, 1);
        style.DrawOctaveDots(painter, 11, 21, -2, 0);
        style.DrawLegerLine(painter, {12, 22}, 120, 1);
        style.DrawAccidental(painter, 13, 23, -3, 0);
        style.DrawDots(painter, 14, 24, 3, 1);

        const std::string& p = c.prefix;
        const std::vector<PainterCall> expected = {
            {"Get" + p + "NoteSize", {}, u""},
            {"Measure" + p + "Accidental", {1}, u""},
            {"Measure" + p + "Dots", {2}, u""},
            {"Get" + p + "LegerInterval", {}, u""},
            {"Get" + p + "OctaveDotInterval", {}, u""},
            {"Draw" + p + "Note", {10, 20, 5, 1}, u""},
            {"Draw" + p + "OctaveDots", {11, 21, -2, 0}, u""},
            {"Draw" + p + "LegerLine", {12, 22, 120, 1}, u""},
            {"Draw" + p + "Accidental", {13, 23, -3, 0}, u""},
            {"Draw" + p + "Dots", {14, 24, 3, 1}, u""},
        };
        EXPECT_EQ(painter.Calls(), expected);
    }
}

}  // namespace
}  // namespace quaverly
