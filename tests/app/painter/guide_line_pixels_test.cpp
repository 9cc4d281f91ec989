// The guide line that stands for the caret while the view is busy (playing, recording,
// loading): the editor's caret update on a score laid out and drawn by the drawing
// device on an image, read back in pixels. The picture goes to build/bin/specimen
// (guide_line.png).
#include "engine/editor/new_score_settings.h"
#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/note.h"
#include "tests/app/painter/painter_test_util.h"
#include "tests/support/recording_listener.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

using namespace quaverly;

constexpr int kPageWidth = 18500;  // 0.01 mm
constexpr int kPageHeight = 24700;
constexpr int kQuarter = note_length::kQuarter;

int Pixels(int units)
{
    return static_cast<int>(std::lround(units / painter_test::kScreenScale));
}

struct EditorDeleter {
    void operator()(ScoreEditor* editor) const { editor->Destroy(); }
};

class GuideLinePixelsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(painter_test::AddMusicFonts());
        editor_.reset(static_cast<ScoreEditor*>(create_quaverly_editor()));
        ASSERT_NE(editor_, nullptr);
        editor_->SetPageContentSize(kPageWidth, kPageHeight);
        NewScoreSettings settings;
        settings.title = u"小星星";
        settings.staves = {{0, false, 0}, {0, false, 1}};
        settings.barsPerLine = 4;
        editor_->NewDocument(settings);
        Run();
        // "1 2 3 4" typed into the first bar of the upper part.
        for (int degree = 1; degree <= 4; ++degree) {
            editor_->InputNote(degree + 1, 0, kQuarter, 0, 0, 0, 0);
            Run();
        }
        editor_->SetListener(&listener_);
    }

    // The queued commands, run with the drawing device as the view runs them.
    void Run()
    {
        painter_test::PaintedPage page(Pixels(kPageWidth), Pixels(kPageHeight), 1.0,
                                       painter_test::NoteSizes::Measured);
        editor_->RunPendingCommands(&page.Painter());
    }

    std::unique_ptr<ScoreEditor, EditorDeleter> editor_;
    fakes::RecordingListener listener_;
};

TEST_F(GuideLinePixelsTest, TheGuideLineRunsDownBothRowsAtTheNoteTheCaretStandsAt)
{
    const auto bar = std::dynamic_pointer_cast<Bar>(GetElementAtPath3(*editor_->score, 0, 0, 0));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->GetNotes().size(), 4u);
    for (const std::size_t index : {std::size_t{0}, std::size_t{2}}) {
        SCOPED_TRACE(index);
        const auto& note = bar->GetNotes()[index];
        ASSERT_TRUE(editor_->PlaceCursorOnBar(0));
        editor_->cursor.timeInBar = note->GetStartTime();

        painter_test::PaintedPage page(Pixels(kPageWidth), Pixels(kPageHeight), 1.0,
                                       painter_test::NoteSizes::Measured);
        listener_.regions.clear();
        editor_->UpdateCaret(&page.Painter());
        const QImage& image = page.Finish();
        if (index == 2) {
            EXPECT_TRUE(painter_test::SaveSpecimen(image, "guide_line.png"));
        }
        ASSERT_EQ(listener_.regions.size(), 1u);
        const Rect caret = listener_.regions[0];
        ASSERT_EQ(caret.left, caret.right);

        // The caret stands over the middle of the note's digit.
        const Rect digit = note->GetRect().Moved(note->GetChildOrigin());
        EXPECT_NEAR(caret.left, (digit.left + digit.right) / 2, digit.Width() / 4 + 1);
        // From the upper row's top to below the lower row's bar line.
        const auto lower = GetElementAtPath3(*editor_->layout, 0, 1, 1);
        ASSERT_NE(lower, nullptr);
        EXPECT_LT(caret.top, digit.top);
        EXPECT_GT(caret.bottom, lower->GetChildOrigin().y);

        // In pixels: one line down that column, its full height, and nothing else.
        const int x = Pixels(caret.left);
        const int top = Pixels(caret.top);
        const int bottom = Pixels(caret.bottom);
        ASSERT_GT(bottom - top, 50);
        const QRgb white = qRgb(255, 255, 255);
        int missing = 0;
        for (int y = top + 1; y < bottom - 1; ++y) {
            bool ink = false;
            for (int dx = -1; dx <= 1; ++dx)
                ink = ink || image.pixel(x + dx, y) != white;
            missing += ink ? 0 : 1;
        }
        EXPECT_EQ(missing, 0);
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int px = 0; px < image.width(); ++px)
                drawn += image.pixel(px, y) != white ? 1 : 0;
        EXPECT_GE(drawn, bottom - top - 2);
        EXPECT_LE(drawn, 3 * (bottom - top + 2)) << "something besides the guide line was drawn";
        for (int y = top; y < bottom; ++y) {
            EXPECT_EQ(image.pixel(x - 6, y), white);
            EXPECT_EQ(image.pixel(x + 6, y), white);
        }
    }
}


// One part with sung words, one bar to a line: while the view plays, the guide line stands
// in the line the music is at and stops above the next line's row.
TEST_F(GuideLinePixelsTest, TheGuideLineStaysInsideTheLineItStandsIn)
{
    editor_->SetListener(nullptr);
    NewScoreSettings settings;
    settings.title = u"小星星";
    settings.staves = {{0, false, 0}};
    settings.barsPerLine = 1;
    editor_->NewDocument(settings);
    Run();
    for (int note = 0; note < 8; ++note) {
        editor_->InputNote(note % 4 + 2, 0, kQuarter, 0, 0, 0, 0);
        Run();
    }
    editor_->SetLyrics(0, 0, {u"一", u"闪", u"一", u"闪", u"亮", u"晶", u"晶", u"满"});
    Run();
    editor_->SetListener(&listener_);

    const auto firstRow = GetElementAtPath3(*editor_->layout, 0, 1, 0);
    const auto nextRow = GetElementAtPath3(*editor_->layout, 0, 2, 0);
    ASSERT_NE(firstRow, nullptr);
    ASSERT_NE(nextRow, nullptr);
    const auto next = std::dynamic_pointer_cast<Bar>(GetElementAtPath3(*editor_->score, 0, 0, 1));
    ASSERT_NE(next, nullptr);
    ASSERT_FALSE(next->GetNotes().empty());
    const Rect nextDigit = next->GetNotes()[0]->GetRect().Moved(next->GetNotes()[0]->GetChildOrigin());

    ASSERT_TRUE(editor_->PlaceCursorOnBar(0));
    painter_test::PaintedPage page(Pixels(kPageWidth), Pixels(kPageHeight), 1.0,
                                   painter_test::NoteSizes::Measured);
    listener_.regions.clear();
    editor_->UpdateCaret(&page.Painter());
    const QImage& image = page.Finish();
    ASSERT_EQ(listener_.regions.size(), 1u);
    const Rect caret = listener_.regions[0];
    // Down the first line's row, over its bar line and the digit the caret stands at.
    const auto first = std::dynamic_pointer_cast<Bar>(GetElementAtPath3(*editor_->score, 0, 0, 0));
    ASSERT_NE(first, nullptr);
    const auto& note = first->GetNotes()[0];
    const Rect digit = note->GetRect().Moved(note->GetChildOrigin());
    EXPECT_LE(caret.top, firstRow->GetChildOrigin().y);
    EXPECT_LT(caret.top, digit.top);
    EXPECT_GT(caret.bottom, digit.bottom);
    // ...and not on into the next line's row and its notes.
    EXPECT_LE(caret.bottom, nextRow->GetChildOrigin().y);
    EXPECT_LT(caret.bottom, nextDigit.top);
    // In pixels: the lowest ink down the caret's column lies above the next line's digits.
    int lowest = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.pixel(Pixels(caret.left) + dx, y) != qRgb(255, 255, 255))
                lowest = y;
    EXPECT_GE(lowest, Pixels(digit.bottom));
    EXPECT_LT(lowest, Pixels(nextDigit.top));
}

}  // namespace
