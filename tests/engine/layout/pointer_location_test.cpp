// Locating a pointer position in the laid-out pages, and the input modes that move the
// editor's cursor there.
#include <memory>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "engine/editor/score_editor.h"
#include "engine/layout/input_mode.h"
#include "engine/layout/pointer_location.h"
#include "tests/engine/layout/laid_out_score.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using layout_test::BarOf;
using layout_test::MakeFilledScore;
using layout_test::MakeLaidOutRoot;

constexpr int kQuarter = note_length::kQuarter;

// Two parts of six bars (bar 4 of part 0 empty) on two lines of one page each: [0, 3)
// on page 0 after the heading, [3, 6) on page 1.
struct LocateFixture {
    FakePainter painter;
    std::shared_ptr<Score> score = MakeFilledScore(2, 6);
    std::shared_ptr<LayoutRoot> root;

    LocateFixture()
    {
        auto empty = BarOf(*score, 0, 4);
        for (const auto& note : std::vector<Bar::NotePtr>(empty->GetNotes()))
            empty->RemoveNote(note.get());
        root = MakeLaidOutRoot(score, painter, {{0, 3}, {3, 6}}, 1, true);
    }
    std::shared_ptr<Bar> LaidBar(int page, int line, int track, int bar) const
    {
        return std::dynamic_pointer_cast<Bar>(root->GetChild(page)->GetChild(line)->GetChild(track)->GetChild(bar));
    }
    static Rect Placed(const ScoreElement& element, bool withOffset)
    {
        return element.GetRect().Moved(withOffset ? element.GetAbsolutePoint()
                                                  : element.GetChildOrigin());
    }
    static int MidY(const Rect& r) { return (r.top + r.bottom) / 2; }
    std::optional<PointerLocation> Locate(int x, int y, int page) const
    {
        PointerLocation found{-7, -7, -7, -7};
        if (!LocatePointer(x, y, *root, page, found)) {
            EXPECT_EQ(found, (PointerLocation{-7, -7, -7, -7}));  // untouched
            return std::nullopt;
        }
        return found;
    }
};

TEST(LocatePointerTest, TheTimeIsZeroBeforeTheFirstNoteTheLeftEndBetweenAndTheStartOnANote)
{
    LocateFixture f;
    // Page 0: the heading is line 0, the music line 1.
    const auto bar = f.LaidBar(0, 1, 1, 2);
    const Rect barRect = LocateFixture::Placed(*bar, false);
    const int y = LocateFixture::MidY(barRect);
    const auto& notes = bar->GetNotes();
    const Rect n0 = LocateFixture::Placed(*notes[0], true);
    const Rect n1 = LocateFixture::Placed(*notes[1], true);
    const Rect n3 = LocateFixture::Placed(*notes[3], true);
    ASSERT_LT(barRect.left, n0.left);
    ASSERT_LT(n0.right + 1, n1.left);

    struct Case {
        const char* name;
        int x;
        int time;
    };
    for (const Case& c : {Case{"left of the first note", barRect.left + 1, 0},
                          Case{"on the first note's left edge", n0.left, 0},
                          Case{"between the first two notes", n0.right + 1, kQuarter},
                          Case{"on the second note", (n1.left + n1.right) / 2, kQuarter},
                          Case{"on the last note's right edge", n3.right, 3 * kQuarter},
                          Case{"right of the last note", barRect.right, 4 * kQuarter}}) {
        SCOPED_TRACE(c.name);
        const auto found = f.Locate(c.x, y, 0);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(*found, (PointerLocation{1, 1, 2, c.time}));
    }
}

TEST(LocatePointerTest, ABarWithoutNotesGivesTimeZero)
{
    LocateFixture f;
    const Rect r = LocateFixture::Placed(*f.LaidBar(1, 0, 0, 1), false);  // bar 4 of part 0
    const auto found = f.Locate((r.left + r.right) / 2, LocateFixture::MidY(r), 1);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(*found, (PointerLocation{0, 0, 1, 0}));
}

TEST(LocatePointerTest, ABarsRightEdgeBelongsToItAndTheBorderToTheFirstBar)
{
    LocateFixture f;
    const Rect first = LocateFixture::Placed(*f.LaidBar(0, 1, 0, 0), false);
    const Rect second = LocateFixture::Placed(*f.LaidBar(0, 1, 0, 1), false);
    ASSERT_EQ(first.right, second.left);
    const auto found = f.Locate(first.right, first.bottom, 0);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->bar, 0);
    const auto next = f.Locate(first.right + 1, first.bottom, 0);
    ASSERT_TRUE(next.has_value());
    EXPECT_EQ(next->bar, 1);
}

TEST(LocatePointerTest, HiddenRowsOtherPagesAndEmptyPaperHoldNothing)
{
    LocateFixture f;
    const Rect r = LocateFixture::Placed(*f.LaidBar(0, 1, 0, 1), false);
    const int x = (r.left + r.right) / 2;
    const int y = LocateFixture::MidY(r);
    ASSERT_TRUE(f.Locate(x, y, 0).has_value());
    EXPECT_FALSE(f.Locate(x, -100000, 0).has_value());
    for (int page : {2, -1, 99, 100})
        EXPECT_FALSE(f.Locate(x, y, page).has_value());
    f.root->GetChild(0)->GetChild(1)->GetChild(0)->SetVisible(false);
    EXPECT_FALSE(f.Locate(x, y, 0).has_value());
}

// The notices an editor listener receives, with what they carry.
struct Notice {
    int code = 0;
    std::optional<NoticePosition> position;
    std::optional<Rect> region;
};

class CapturingListener final : public EditorListener {
public:
    void Notify(const EditorNotice& notice) override
    {
        Notice copy{notice.code, std::nullopt, std::nullopt};
        if (notice.position != nullptr)
            copy.position = *notice.position;
        if (notice.region != nullptr)
            copy.region = *notice.region;
        notices.push_back(copy);
    }
    std::vector<Notice> notices;
};

struct ModeFixture : LocateFixture {
    ScoreEditor editor;
    CapturingListener listener;
    std::map<int, std::shared_ptr<InputMode>> modes = MakeInputModes(editor);

    ModeFixture()
    {
        editor.layout = root;
        editor.listener = &listener;
        editor.cursor = {0, 1, 0, 0, 0};
    }
    Point InBar(int page, int line, int track, int bar) const
    {
        const Rect r = Placed(*LaidBar(page, line, track, bar), false);
        return {r.left + 1, MidY(r)};
    }
};

TEST(InputModeTest, ModeOneMovesTheCursorAndSendsNotices15And2)
{
    ModeFixture f;
    f.editor.currentPage = 1;
    const Point at = f.InBar(1, 0, 1, 2);
    EXPECT_TRUE(f.modes.at(1)->OnButtonDown(at, 0));
    EXPECT_EQ(f.editor.cursor, (CursorPosition{1, 0, 1, 2, 0}));
    ASSERT_EQ(f.listener.notices.size(), 2U);
    EXPECT_EQ(f.listener.notices[0].code, EditorNoticeCode::CursorPositionChanged);
    const NoticePosition& position = *f.listener.notices[0].position;
    EXPECT_EQ(position.page, 1);
    EXPECT_EQ(position.line, 0);
    EXPECT_EQ(position.track, 1);
    EXPECT_EQ(position.bar, 5);  // the line starts at bar 3
    EXPECT_EQ(position.time, 0);
    EXPECT_EQ(f.listener.notices[1].code, EditorNoticeCode::RegionChanged);
    EXPECT_EQ(*f.listener.notices[1].region, LocateFixture::Placed(*f.LaidBar(1, 0, 1, 2), false));
}

TEST(InputModeTest, APressOutsideEveryBarChangesNothingAndSendsNothing)
{
    ModeFixture f;
    const CursorPosition before = f.editor.cursor;
    for (int mode : {0, 1, 2}) {
        EXPECT_FALSE(f.modes.at(mode)->OnButtonDown({-9000, -9000}, 0));
        EXPECT_EQ(f.editor.cursor, before);
    }
    EXPECT_TRUE(f.listener.notices.empty());
}

TEST(InputModeTest, ModesZeroAndTwoLocateOnTheCurrentPageSilently)
{
    for (int mode : {0, 2}) {
        SCOPED_TRACE(mode);
        ModeFixture f;
        f.editor.cursor = {0, 1, 0, 0, 0};  // the cursor still on page 0
        f.editor.currentPage = 1;           // the page shown is page 1
        const Point at = f.InBar(1, 0, 0, 1);
        EXPECT_TRUE(f.modes.at(mode)->OnButtonDown(at, 0));
        EXPECT_EQ(f.editor.cursor, (CursorPosition{1, 0, 0, 1, 0}));
        EXPECT_TRUE(f.listener.notices.empty());
    }
}

}  // namespace
}  // namespace quaverly
