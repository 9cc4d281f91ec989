// Notes: values and their ranges, continuation glyphs and dots, underlines and octave
// dots, layout of the sub-elements, drawing in each size, the three other kinds and the
// note factory.
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/accidental_sign.h"
#include "engine/model/augmentation_dots.h"
#include "engine/model/duration_dash.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_styles.h"
#include "engine/model/note_symbol.h"
#include "engine/model/note_time.h"
#include "engine/model/rest.h"
#include "engine/model/unpitched_note.h"
#include "engine/model/symbol_mark.h"
#include "tests/support/fake_painter.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::PainterCall;
namespace m = fakes::fake_metrics;
namespace len = note_length;

// A note with the given values, placed at origin (1000, 2000) and position (50, 30),
// so its symbol sits at (1050, 2030); laid out once.
template <class T = Note>
std::shared_ptr<T> PlacedNote(FakePainter& painter, int pitch, int base, int dots = 0,
                              int octave = 0, int accidental = 0)
{
    auto note = std::make_shared<T>();
    note->SetPitchCode(pitch);
    note->SetDuration(base);
    note->SetDots(dots);
    note->SetOctave(octave);
    note->SetAccidental(accidental);
    note->SetOrigin({1000, 2000});
    note->SetPosition({50, 30});
    note->Layout(painter);
    painter.Clear();
    return note;
}

std::vector<PainterCall> DrawCallsOf(Note& note)
{
    FakePainter painter;
    note.Draw(painter);
    return painter.DrawCalls();
}

int CountDrawnNotes(const std::vector<PainterCall>& calls, int pitch)
{
    int count = 0;
    for (const PainterCall& call : calls) {
        if (call.name == "DrawNote" && call.ints[2] == pitch)
            ++count;
    }
    return count;
}

// --- Values ---

TEST(NoteTest, NewNoteHasTheDefaultValues)
{
    Note note;
    EXPECT_EQ(note.GetPitchCode(), pitch_code::kNone);
    EXPECT_EQ(note.GetDuration(), len::kQuarter);
    EXPECT_EQ(note.GetDots(), 0);
    EXPECT_EQ(note.GetAccidental(), 0);
    EXPECT_EQ(note.GetOctave(), 0);
    EXPECT_EQ(note.GetTupletActual(), 0);
    EXPECT_EQ(note.GetStyle()->GetKind(), note_style_kind::kNormal);
    EXPECT_EQ(note.GetAxisMask(), drag_axis::kBoth);
    EXPECT_TRUE(note.GetExtensionGlyphs().empty());
    EXPECT_TRUE(note.GetDotsElement());
    EXPECT_TRUE(note.GetAccidentalSign());
}

// A note makes its sub-elements when a value needs them, not for every note: laying out,
// drawing and selecting a plain note makes none.
TEST(NoteTest, SubElementsAreMadeWhenAValueNeedsThem)
{
    struct Made {
        bool dots, sign, lyric, graceBefore, graceAfter, chord;
        bool operator==(const Made&) const = default;
    };
    const auto made = [](const Note& note) {
        return Made{note.GetDotsElementIfMade() != nullptr,
                    note.GetAccidentalSignIfMade() != nullptr,
                    note.GetLyricIfMade(2) != nullptr,
                    note.GetGraceListAIfMade() != nullptr,
                    note.GetGraceListBIfMade() != nullptr,
                    note.GetChordNotesIfMade() != nullptr};
    };
    struct Case {
        const char* name;
        void (*change)(Note&);
        Made expected;
    };
    const Case cases[] = {
        {"nothing", [](Note&) {}, {}},
        {"no dots, no accidental, an empty text",
         [](Note& n) {
             n.SetDots(0);
             n.SetAccidental(accidental_code::kNone);
             n.SetLyricText(2, u"");
         },
         {}},
        {"a dot", [](Note& n) { n.SetDots(1); }, {true, false, false, false, false, false}},
        {"a sharp", [](Note& n) { n.SetAccidental(accidental_code::kSharp); },
         {false, true, false, false, false, false}},
        {"a lyric", [](Note& n) { n.SetLyricText(2, u"la"); },
         {false, false, true, false, false, false}},
        {"reading the lists",
         [](Note& n) {
             EXPECT_TRUE(n.GetGraceNotesBefore().empty());
             EXPECT_TRUE(n.GetGraceNotesAfter().empty());
             EXPECT_TRUE(n.GetChordMembers().empty());
             EXPECT_EQ(n.GetLyricText(2), u"");
             EXPECT_EQ(n.GetDots(), 0);
             EXPECT_EQ(n.GetShownAccidental(), accidental_code::kNone);
         },
         {}},
        {"asking for the lists", [](Note& n) {
             n.GetGraceListA();
             n.GetGraceListB();
             n.GetChordNotes();
         },
         {false, false, false, true, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        auto note = std::make_shared<Note>();
        note->SetPitchCode(3);
        c.change(*note);
        note->SetOrigin({1000, 2000});
        note->Layout(painter);
        note->Draw(painter);
        note->Select();
        note->Deselect();
        int handled = 0;
        note->OnDoubleClick({1000, 2000}, 0, handled);
        EXPECT_EQ(made(*note), c.expected);
    }
}

TEST(NoteTest, ValuesFromOutsideAreHeldToTheirRanges)
{
    struct Case {
        const char* name;
        void (*apply)(Note&);
        int (*read)(const Note&);
        int expected;
    };
    const Case cases[] = {
        {"negative base", [](Note& n) { n.SetDuration(-1); },
         [](const Note& n) { return n.GetDuration(); }, 0},
        {"huge base", [](Note& n) { n.SetDuration(INT_MAX); },
         [](const Note& n) { return n.GetDuration(); }, note_limits::kMaxBaseDuration},
        {"negative dots", [](Note& n) { n.SetDots(-2); }, [](const Note& n) { return n.GetDots(); },
         0},
        {"too many dots", [](Note& n) { n.SetDots(1000); },
         [](const Note& n) { return n.GetDots(); }, note_limits::kMaxDots},
        {"octave far up", [](Note& n) { n.SetOctave(100); },
         [](const Note& n) { return n.GetOctave(); }, note_limits::kMaxOctave},
        {"octave far down", [](Note& n) { n.SetOctave(INT_MIN); },
         [](const Note& n) { return n.GetOctave(); }, -note_limits::kMaxOctave},
        {"negative actual count", [](Note& n) { n.SetTupletActual(-3); },
         [](const Note& n) { return n.GetTupletActual(); }, 0},
        {"huge normal count", [](Note& n) { n.SetTupletNormal(1000); },
         [](const Note& n) { return n.GetTupletNormal(); }, note_limits::kMaxTupletCount},
        {"accidental above 4", [](Note& n) { n.SetAccidental(5); },
         [](const Note& n) { return n.GetAccidental(); }, 0},
        {"accidental below -3", [](Note& n) { n.SetAccidental(-4); },
         [](const Note& n) { return n.GetAccidental(); }, 0},
        {"natural", [](Note& n) { n.SetAccidental(4); },
         [](const Note& n) { return n.GetAccidental(); }, 4},
        {"natural-flat", [](Note& n) { n.SetAccidental(-3); },
         [](const Note& n) { return n.GetAccidentalSign()->GetAccidental(); }, -3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Note note;
        c.apply(note);
        EXPECT_EQ(c.read(note), c.expected);
    }
}

TEST(NoteTest, LongestAllowedValueHasABoundedNumberOfGlyphsAndLength)
{
    Note note;
    note.SetDuration(INT_MAX);
    note.SetDots(INT_MAX);
    note.SetTupletActual(1);
    note.SetTupletNormal(INT_MAX);
    // Two breves with three dots: 30 quarters, one glyph per further quarter.
    EXPECT_EQ(note.GetExtensionGlyphs().size(), 29u);
    EXPECT_EQ(GetNoteDuration(&note), 99 * GetDottedLength(note_limits::kMaxBaseDuration, 3));
}

TEST(NoteTest, OnlyVersesZeroToFourExist)
{
    Note note;
    for (int verse = -2; verse <= 6; ++verse) {
        SCOPED_TRACE(verse);
        note.SetLyricText(verse, u"词");  // outside 0..4 ignored
        const auto lyric = note.GetLyric(verse);
        const bool exists = verse >= 0 && verse < kVerseCount;
        ASSERT_EQ(lyric != nullptr, exists);
        if (exists) {
            EXPECT_EQ(lyric->GetText(), u"词");
        }
    }
}

// --- Continuation glyphs and dots ---

TEST(NoteTest, LongValuesContinueWithDashesAndShowTheRestOfTheirDots)
{
    struct Case {
        const char* name;
        int base;
        int dots;
        int dashes;
        int dotsDrawn;
    };
    const Case cases[] = {
        {"quarter", len::kQuarter, 0, 0, 0},
        {"dotted quarter", len::kQuarter, 1, 0, 1},
        {"double-dotted eighth", len::kEighth, 2, 0, 2},
        {"half", len::kHalf, 0, 1, 0},
        {"dotted half", len::kHalf, 1, 2, 0},
        {"double-dotted half", len::kHalf, 2, 2, 1},
        {"whole", len::kWhole, 0, 3, 0},
        {"dotted whole", len::kWhole, 1, 5, 0},
        {"double-dotted whole", len::kWhole, 2, 6, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        auto note = PlacedNote(painter, 5, c.base, c.dots);

        ASSERT_EQ(static_cast<int>(note->GetExtensionGlyphs().size()), c.dashes);
        for (const auto& glyph : note->GetExtensionGlyphs()) {
            EXPECT_NE(dynamic_cast<DurationDash*>(glyph.get()), nullptr);
            EXPECT_TRUE(glyph->IsExtensionGlyph());
        }
        EXPECT_EQ(note->GetDotsElement()->GetDrawnCount(), c.dotsDrawn);

        const auto calls = DrawCallsOf(*note);
        EXPECT_EQ(CountDrawnNotes(calls, pitch_code::kDash), c.dashes);
        EXPECT_EQ(CountDrawnNotes(calls, 5), 1);
        int drawnDots = 0;
        for (const PainterCall& call : calls) {
            if (call.name == "DrawDots")
                drawnDots += call.ints[2];
        }
        EXPECT_EQ(drawnDots, c.dotsDrawn);
    }
}

TEST(NoteTest, RestOfAHalfContinuesWithAFurtherRest)
{
    FakePainter painter;
    auto rest = PlacedNote<Rest>(painter, pitch_code::kRest, len::kHalf);
    ASSERT_EQ(rest->GetExtensionGlyphs().size(), 1u);
    EXPECT_NE(dynamic_cast<Rest*>(rest->GetExtensionGlyphs()[0].get()), nullptr);
    EXPECT_EQ(CountDrawnNotes(DrawCallsOf(*rest), pitch_code::kRest), 2);
}

TEST(NoteTest, PitchCodeSetAfterTheDurationKeepsTheKindOfGlyphs)
{
    Note note;
    note.SetPitchCode(pitch_code::kRest);
    note.SetDuration(len::kHalf);
    note.SetPitchCode(3);
    ASSERT_EQ(note.GetExtensionGlyphs().size(), 1u);
    EXPECT_NE(dynamic_cast<Rest*>(note.GetExtensionGlyphs()[0].get()), nullptr);
    note.SetDots(0);  // a rebuild follows the current pitch code
    EXPECT_NE(dynamic_cast<DurationDash*>(note.GetExtensionGlyphs()[0].get()), nullptr);
}

TEST(NoteTest, ShorteningADottedHalfToAQuarterShowsItsDot)
{
    Note note;
    note.SetDuration(len::kHalf);
    note.SetDots(1);
    EXPECT_EQ(note.GetDotsElement()->GetDrawnCount(), 0);
    note.SetDuration(len::kQuarter);
    EXPECT_TRUE(note.GetExtensionGlyphs().empty());
    EXPECT_EQ(note.GetDotsElement()->GetDrawnCount(), 1);
}

// --- Underlines and octave dots ---

TEST(NoteTest, UnderlinesFollowTheBaseValue)
{
    struct Case {
        const char* name;
        int base;
        int lines;
    };
    const Case cases[] = {
        {"eighth", len::kEighth, 1}, {"16th", len::k16th, 2},   {"32nd", len::k32nd, 3},
        {"64th", len::k64th, 4},     {"128th", len::k128th, 5}, {"quarter", len::kQuarter, 0},
        {"half", len::kHalf, 0},     {"base 0", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        auto note = PlacedNote(painter, 2, c.base);
        EXPECT_EQ(note->GetUnderlineCount(), c.lines);
        EXPECT_EQ(note->GetDepthBelow(painter), c.lines * m::kLegerInterval);
        std::vector<PainterCall> lines;
        for (const PainterCall& call : DrawCallsOf(*note)) {
            if (call.name == "DrawLegerLine")
                lines.push_back(call);
        }
        ASSERT_EQ(static_cast<int>(lines.size()), c.lines);
        for (int i = 0; i < c.lines; ++i) {
            const int y = 2030 + m::kNoteSize.cy + (i + 1) * m::kLegerInterval;
            EXPECT_EQ(lines[static_cast<std::size_t>(i)].ints,
                      (std::vector<int>{1050, y, m::kNoteSize.cx, 0}));
        }
    }
}

TEST(NoteTest, SixteenthAtOctaveMinusTwoWithASharpDrawsInOrder)
{
    FakePainter painter;
    auto note = PlacedNote(painter, 4, len::k16th, 0, -2, accidental_code::kSharp);
    note->Draw(painter);

    const int below = 2030 + m::kNoteSize.cy;
    const std::vector<PainterCall> expected = {
        {"GetNoteSize", {}, u""},
        {"GetLegerInterval", {}, u""},
        {"GetOctaveDotInterval", {}, u""},
        {"DrawLegerLine", {1050, below + 48, 120, 0}, u""},
        {"DrawLegerLine", {1050, below + 96, 120, 0}, u""},
        {"DrawOctaveDots", {1050, below + 96 + 60, -2, 0}, u""},
        // The sign sits left of the symbol, centred on its top edge.
        {"DrawAccidental", {1050 - 80, 2030 - 50, 1, 0}, u""},
        {"DrawNote", {1050, 2030, 4, 0}, u""},
    };
    EXPECT_EQ(painter.Calls(), expected);
}

TEST(NoteTest, BeamsAndChordsChangeWhatTheUnderlinesTakeAndDraw)
{
    struct Case {
        const char* name;
        bool beamed;
        bool chordMember;
        int depth;
        int lines;
        int octaveDotsY;
    };
    const int below = 2030 + m::kNoteSize.cy;
    const Case cases[] = {
        {"plain eighth", false, false, 48 + 60, 1, below + 48 + 60},
        {"beamed: room kept, nothing drawn", true, false, 48 + 60, 0, below + 48 + 60},
        {"chord member: no room, nothing drawn", false, true, 60, 0, below + 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        auto note = PlacedNote(painter, 6, len::kEighth, 0, -1);
        note->SetBeamed(c.beamed);
        note->SetChordMember(c.chordMember);
        EXPECT_EQ(note->GetDepthBelow(painter), c.depth);
        const auto calls = DrawCallsOf(*note);
        int lines = 0;
        for (const PainterCall& call : calls) {
            if (call.name == "DrawLegerLine")
                ++lines;
            if (call.name == "DrawOctaveDots") {
                EXPECT_EQ(call.ints, (std::vector<int>{1050, c.octaveDotsY, -1, 0}));
            }
        }
        EXPECT_EQ(lines, c.lines);
    }
}

TEST(NoteTest, OctaveDotsAboveTakeRoomAboveTheSymbol)
{
    FakePainter painter;
    auto note = PlacedNote(painter, 2, len::kQuarter, 0, 2);
    EXPECT_EQ(note->GetHeightAbove(painter), 2 * m::kOctaveDotInterval);
    EXPECT_EQ(note->GetDepthBelow(painter), 0);
    const auto calls = DrawCallsOf(*note);
    ASSERT_EQ(calls.size(), 2u);  // octave dots, symbol: no accidental, no sign drawn
    EXPECT_EQ(calls[0], (PainterCall{"DrawOctaveDots", {1050, 2030 - 120, 2, 0}, u""}));
}

// --- Sizes ---

TEST(NoteTest, SwappingTheStyleSwitchesEveryMeasureAndDrawing)
{
    struct Case {
        const char* name;
        std::shared_ptr<const NoteStyle> style;
        std::string prefix;
    };
    const Case cases[] = {
        {"chord", std::make_shared<ChordNoteStyle>(), "Chord"},
        {"grace", std::make_shared<GraceNoteStyle>(), "Grace"},
        {"normal", std::make_shared<NormalNoteStyle>(), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        auto note = PlacedNote(painter, 3, len::k16th, 1, -1, accidental_code::kFlat);
        note->SetStyle(c.style);
        EXPECT_EQ(note->GetStyle(), c.style);
        note->Layout(painter);
        note->Draw(painter);

        std::vector<std::string> names;
        for (const PainterCall& call : painter.Calls()) {
            const auto has = [&call](const char* part) {
                return call.name.find(part) != std::string::npos;
            };
            if ((has("Note") && !has("Symbol")) || has("Accidental") || has("Dot") || has("Leger"))
                names.push_back(call.name);
        }
        const std::string& p = c.prefix;
        const std::vector<std::string> expected = {
            // Layout: the note's own measures, then the sign's and the dots'; the grace
            // lists, never made, measure nothing.
            "Measure" + p + "Accidental", "Get" + p + "NoteSize", "Measure" + p + "Accidental",
            "Measure" + p + "Dots",
            // Drawing.
            "Get" + p + "NoteSize", "Get" + p + "LegerInterval", "Get" + p + "OctaveDotInterval",
            "Draw" + p + "LegerLine", "Draw" + p + "LegerLine", "Draw" + p + "OctaveDots",
            "Draw" + p + "Dots", "Draw" + p + "Accidental", "Draw" + p + "Note"};
        EXPECT_EQ(names, expected);
    }
}

TEST(NoteTest, NullStyleIsIgnored)
{
    Note note;
    const auto before = note.GetStyle();
    note.SetStyle(nullptr);
    EXPECT_EQ(note.GetStyle(), before);
}

// --- Layout of the sub-elements ---

TEST(NoteTest, LayoutPlacesTheSignAndMeasuresTheNote)
{
    struct Case {
        const char* name;
        int accidental;
        Rect extent;
        Point signPosition;
    };
    const Case cases[] = {
        {"no accidental", 0, {0, 0, 120, 240}, {0, -50}},
        {"sharp", 1, {0, 0, 200, 240}, {-80, -50}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        auto note = PlacedNote(painter, 2, len::kQuarter, 0, 0, c.accidental);
        // A note without an accidental makes its sign only when asked for it; the next
        // layout places it.
        EXPECT_EQ(note->GetAccidentalSignIfMade() != nullptr, c.accidental != 0);
        note->GetAccidentalSign();
        note->Layout(painter);
        EXPECT_EQ(note->GetRect(), (Rect{0, 0, 120, 240}));
        EXPECT_EQ(note->GetExtent(painter), c.extent);
        EXPECT_EQ(note->GetAccidentalSign()->GetPosition(), c.signPosition);
        EXPECT_EQ(note->GetAccidentalSign()->GetOrigin(), (Point{1050, 2030}));
        EXPECT_EQ(note->GetAccidentalSign()->GetParent(), note.get());
        EXPECT_EQ(note->GetDotsElement()->GetParent(), note.get());
    }
}

TEST(NoteTest, OriginAndPositionReachTheSubElements)
{
    FakePainter painter;
    auto note = PlacedNote(painter, 2, len::kHalf, 1);
    note->SetLyricText(0, u"啊");
    note->SetOrigin({500, 600});
    note->SetPosition({70, 80});

    EXPECT_EQ(note->GetAccidentalSign()->GetOrigin(), (Point{570, 680}));
    EXPECT_EQ(note->GetLyric(0)->GetOrigin(), (Point{500, 600}));
    // The glyphs and the dots share the note's origin; the bar places them by time.
    EXPECT_EQ(note->GetDotsElement()->GetOrigin(), (Point{500, 600}));
    for (const auto& glyph : note->GetExtensionGlyphs())
        EXPECT_EQ(glyph->GetOrigin(), (Point{500, 600}));
}

TEST(NoteTest, OrnamentsStackAboveInTheirOrder)
{
    FakePainter painter;
    auto note = PlacedNote(painter, 2, len::kQuarter);
    auto fermata = std::make_shared<NoteSymbol>(14, 9);
    auto staccato = std::make_shared<NoteSymbol>(3, 2);
    auto tenuto = std::make_shared<NoteSymbol>(4, 1);
    note->AddOrnament(fermata);
    note->AddOrnament(staccato);
    note->AddOrnament(nullptr);
    note->AddOrnament(tenuto);
    ASSERT_EQ(note->GetOrnaments().size(), 3u);
    EXPECT_EQ(note->GetOrnaments()[0], tenuto);
    EXPECT_EQ(note->GetOrnaments()[1], staccato);
    EXPECT_EQ(note->GetOrnaments()[2], fermata);

    note->Layout(painter);
    const int step = m::kNoteSymbolSpacing + m::kNoteSymbolSize.cy;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const auto& symbol = note->GetOrnaments()[static_cast<std::size_t>(i)];
        EXPECT_EQ(symbol->GetOrigin(), (Point{1050, 2030}));
        EXPECT_EQ(symbol->GetPosition(),
                  (Point{m::kNoteSymbolOffset.x, m::kNoteSymbolOffset.y - (i + 1) * step}));
        EXPECT_EQ(symbol->GetParent(), note.get());
    }

    note->RemoveOrnament(staccato.get());
    note->RemoveOrnament(staccato.get());  // absent: nothing
    EXPECT_EQ(note->GetOrnaments(), (std::vector<std::shared_ptr<NoteSymbol>>{tenuto, fermata}));

    painter.Clear();
    note->Draw(painter);
    EXPECT_EQ(painter.CallsNamed("DrawNoteSymbol")[0].ints,
              (std::vector<int>{1050, 2030 - 100 - step, 4, 0}));
}

TEST(NoteTest, SymbolsSitWhereTheirPlacementSays)
{
    struct Case {
        const char* name;
        int placement;
        Point position;  // before the user's offsets (5 right, 7 up)
    };
    const Case cases[] = {
        {"above", symbol_placement::kAbove, {10, -300}},
        {"below", symbol_placement::kBelow, {10, 240}},
        {"left", symbol_placement::kLeft, {-100, -30}},
        {"right", symbol_placement::kRight, {120, -30}},
        {"unknown", 7, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        auto note = PlacedNote(painter, 2, len::kQuarter);
        auto symbol = std::make_shared<SymbolMark>();
        ExtendSymbol data;
        data.text = u"★";  // 100 x 300
        data.placement = c.placement;
        data.hOffset = 5;
        data.vOffset = 7;
        symbol->SetSymbolData(data);
        note->AddSymbol(symbol);
        note->Layout(painter);
        EXPECT_EQ(symbol->GetOrigin(), (Point{1050, 2030}));
        EXPECT_EQ(symbol->GetPosition(), (Point{c.position.x + 5, c.position.y - 7}));
    }
}

TEST(NoteTest, SymbolsKeepTheOrderOfTheirIndex)
{
    Note note;
    auto a = std::make_shared<SymbolMark>();
    auto b = std::make_shared<SymbolMark>();
    auto c = std::make_shared<SymbolMark>();
    a->SetIndex(2);
    b->SetIndex(1);
    c->SetIndex(2);
    note.AddSymbol(a);
    note.AddSymbol(b);
    note.AddSymbol(c);
    EXPECT_EQ(note.GetSymbols(), (std::vector<std::shared_ptr<SymbolMark>>{b, a, c}));
    note.RemoveSymbol(a.get());
    EXPECT_EQ(note.GetSymbols(), (std::vector<std::shared_ptr<SymbolMark>>{b, c}));
}

TEST(NoteTest, LyricsAreLaidOutUnlessTheNoteIsAChordMember)
{
    struct Case {
        const char* name;
        bool chordMember;
    };
    const Case cases[] = {{"main note", false}, {"chord member", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        auto note = std::make_shared<Note>();
        note->SetChordMember(c.chordMember);
        note->SetLyricText(2, u"风");
        note->SetOrigin({1000, 2000});
        note->SetPosition({50, 30});
        note->Layout(painter);
        // Only the verse with a text has a lyric to lay out.
        EXPECT_EQ(painter.Count("MeasureLyric"), c.chordMember ? 0 : 1);
        EXPECT_EQ(note->GetLyricIfMade(1), nullptr);
        EXPECT_EQ(note->GetLyric(2)->GetParent(), c.chordMember ? nullptr : note.get());
        if (!c.chordMember) {
            EXPECT_EQ(note->GetLyric(2)->GetOrigin(), (Point{1000, 2000}));
            EXPECT_EQ(note->GetLyric(2)->GetRect(), (Rect{0, 0, 100, m::kLyricHeight}));
        }
    }
}

TEST(NoteTest, HitTestIgnoresTheNotesOwnOffset)
{
    FakePainter painter;
    auto note = PlacedNote(painter, 2, len::kQuarter);
    note->SetOffset({500, 500});
    EXPECT_TRUE(note->HitTest({1050, 2030}));
    EXPECT_TRUE(note->HitTest({1170, 2270}));
    EXPECT_FALSE(note->HitTest({1171, 2270}));
    EXPECT_FALSE(note->HitTest({1600, 2600}));
}

// --- The other kinds ---

TEST(NoteTest, RestDashAndSpecialNoteDifferFromANote)
{
    struct Case {
        const char* name;
        std::shared_ptr<Note> note;
        int axisMask;
        bool offsetCountsForHits;
        std::vector<std::string> drawn;  // a 16th at octave -1 with a sharp and a lyric
    };
    const Case cases[] = {
        {"note",
         std::make_shared<Note>(),
         drag_axis::kBoth,
         false,
         {"DrawLegerLine", "DrawLegerLine", "DrawOctaveDots", "DrawAccidental", "DrawNote",
          "DrawLyric"}},
        {"rest",
         std::make_shared<Rest>(),
         drag_axis::kX,
         true,
         {"DrawNote", "DrawLegerLine", "DrawLegerLine"}},
        {"dash", std::make_shared<DurationDash>(), drag_axis::kX, true, {"DrawNote"}},
        {"special note",
         std::make_shared<SpecialNote>(),
         drag_axis::kX,
         false,
         {"DrawLegerLine", "DrawLegerLine", "DrawOctaveDots", "DrawAccidental", "DrawNote",
          "DrawLyric"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        Note& note = *c.note;
        EXPECT_EQ(note.GetAxisMask(), c.axisMask);
        note.SetDuration(len::k16th);
        note.SetOctave(-1);
        note.SetAccidental(accidental_code::kSharp);
        note.SetLyricText(0, u"啊");
        note.SetOrigin({1000, 2000});
        note.SetPosition({50, 30});
        note.SetOffset({7, 0});
        note.Layout(painter);

        EXPECT_EQ(note.HitTest({1177, 2030}), c.offsetCountsForHits);
        EXPECT_EQ(note.HitTest({1051, 2030}), !c.offsetCountsForHits);

        std::vector<std::string> names;
        const auto calls = DrawCallsOf(note);
        for (const PainterCall& call : calls)
            names.push_back(call.name);
        EXPECT_EQ(names, c.drawn);
        // The symbol is drawn where the offset puts it only for a rest and a dash.
        for (const PainterCall& call : calls) {
            if (call.name == "DrawNote") {
                EXPECT_EQ(call.ints[0], c.offsetCountsForHits ? 1057 : 1050);
            }
        }
    }
}

TEST(NoteTest, FactoryMakesTheKindOfEachPitchCode)
{
    for (int code = -1; code <= 15; ++code) {
        SCOPED_TRACE(code);
        const auto note = CreateNote(code);
        const bool rest = code == pitch_code::kRest;
        const bool degree = code >= 2 && code <= 8;
        const bool special = code >= 10 && code <= 13;
        if (!rest && !degree && !special) {
            EXPECT_EQ(note, nullptr);
            continue;
        }
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(note->GetPitchCode(), code);
        EXPECT_EQ(note->GetDuration(), len::kQuarter);
        EXPECT_EQ(note->GetDots(), 0);
        EXPECT_EQ(note->GetTupletActual(), 0);
        EXPECT_EQ(dynamic_cast<Rest*>(note.get()) != nullptr, rest);
        EXPECT_EQ(dynamic_cast<SpecialNote*>(note.get()) != nullptr, special);
    }
    EXPECT_EQ(CreateNote(INT_MAX), nullptr);
}

}  // namespace
}  // namespace quaverly
