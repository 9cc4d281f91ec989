// The score view keeps its picture of the page: after a typed note only what the note
// changed is drawn again, and the picture is then the one a whole render of the same
// score gives, pixel for pixel, at every zoom; when the typing re-cuts the lines or
// carries the cursor to the next page as well.
#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/editor/score_editor.h"
#include "engine/layout/page_node.h"
#include "engine/layout/system_node.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/note.h"
#include "engine/model/score.h"
#include "engine/xml/music_xml_file.h"
#include "engine/xml/page_layout_result.h"
#include "app/shell/page_painter.h"
#include "platform/qt_device_context.h"
#include "program_fixture.h"
#include "rich_document.h"
#include "tests/engine/xml/full_score.h"

namespace {

namespace fs = std::filesystem;
using shell_test::Pump;

// The engine's full score (verses, dynamics, every line-mark kind, ties, tuplets, grace
// and chord notes) grown to 60 bars a part: several pages.
bool WriteLongDocument(const fs::path& path)
{
    using namespace quaverly;
    auto score = std::make_shared<Score>();
    xml_test::FillFullScore(*score);
    shell_test::GrowFullScore(*score, 60);
    score->SetTitle(u"茉莉花");
    score->SetComposer(u"何仿 整理");
    return shell_test::SaveWithPage(*score, {u"A4", 1, 210, 297, 20, 25, 20, 25}, path);
}

class PagePictureUpdateTest : public shell_test::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        const fs::path source = folder_ / "long.exl";
        ASSERT_TRUE(WriteLongDocument(source));
        ASSERT_TRUE(Open(source));
        Settled();
        ASSERT_GT(Editor().layout->GetChildCount(), 1);
    }

    quaverly::ScoreEditor& Editor() { return *static_cast<quaverly::ScoreEditor*>(View()->Editor()); }
    // The editor's notices delivered and the paints that run what they queued.
    void Settled()
    {
        for (int i = 0; i < 20; ++i) {
            Pump();
            (void)View()->viewport()->grab();
            if (View()->PendingRenders() <= 0 && View()->QueuedInputCount() == 0 && !View()->IsEditorBusy())
                return;
        }
    }
    // The page picture drawn whole from the score as it stands.
    QImage WholeRender()
    {
        View()->RequestPageRender();
        Settled();
        return View()->PageBitmap().copy();
    }
    // The bar ranges of the lines of every page.
    std::vector<std::pair<int, int>> LineRanges()
    {
        std::vector<std::pair<int, int>> ranges;
        for (int p = 0; p < Editor().layout->GetChildCount(); ++p) {
            const auto page = Editor().layout->GetChild(p);
            for (int l = 0; page && l < page->GetChildCount(); ++l)
                if (const auto line = std::dynamic_pointer_cast<quaverly::SystemNode>(page->GetChild(l)))
                    ranges.emplace_back(line->GetBarRange().first, line->GetBarRange().end);
        }
        return ranges;
    }
    // The first bar of the last line of page `page`.
    int LastLineBar(int page)
    {
        const auto node = Editor().layout->GetChild(page);
        int bar = -1;
        for (int l = 0; node && l < node->GetChildCount(); ++l)
            if (const auto line = std::dynamic_pointer_cast<quaverly::SystemNode>(node->GetChild(l)))
                bar = line->GetBarRange().first;
        return bar;
    }
};

void SetZoom(brindle::CBrindleView& view, int index)
{
    while (view.ZoomIndex() > index)
        view.ZoomOut();
    while (view.ZoomIndex() < index)
        view.ZoomIn();
}

// The pixels in which two pictures differ, as a count and the box around them.
std::string Differences(const QImage& a, const QImage& b, QPoint skip)
{
    if (a.size() != b.size())
        return "sizes differ";
    int count = 0;
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (QPoint(x, y) != skip && a.pixel(x, y) != b.pixel(x, y)) {
                ++count;
                box |= QRect(x, y, 1, 1);
            }
    if (count == 0)
        return {};
    return std::to_string(count) + " pixels in " + std::to_string(box.x()) + "," + std::to_string(box.y()) + " " +
           std::to_string(box.width()) + "x" + std::to_string(box.height());
}

TEST_F(PagePictureUpdateTest, TypedNotesLeaveThePictureAWholeRenderGivesAtEveryZoom)
{
    struct Case {
        const char* name;
        int zoom;
        bool recut;      // type until the lines are cut anew
        bool nextPage;   // type at the end of the first page until the cursor leaves it
    };
    const Case cases[] = {
        {"one note, half size", 0, false, false},
        {"one note, normal size", brindle::CBrindleView::kNormalZoomIndex, false, false},
        {"one note, double size", 6, false, false},
        {"notes until the lines are cut anew", brindle::CBrindleView::kNormalZoomIndex, true, false},
        {"notes until the lines are cut anew, three times the size", 7, true, false},
        {"notes into the next page", 2, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto& editor = Editor();
        SetZoom(*View(), c.zoom);
        // Bars no tie runs across: a note put between a tie's two notes breaks the tie, and
        // the lines of both its ends are drawn again with the rest of the page.
        const int bar = c.nextPage ? LastLineBar(0) + 1 : 5 + (c.recut ? 1 : 0);
        ASSERT_TRUE(editor.PlaceCursorOnBar(bar));
        ASSERT_EQ(editor.cursor.page, 0);
        // Rests: a degree typed on a note would join its chord.
        View()->OnRest();
        (void)WholeRender();

        // A mark the partial renders leave alone: the paper's bottom-left corner, far from
        // the lines the notes go into.
        const QImage& kept = View()->PageBitmap();
        const QPoint mark(1, kept.height() - 2);
        const QRgb red = qRgb(255, 0, 0);
        const_cast<QImage&>(kept).setPixel(mark, red);

        const auto rangesBefore = LineRanges();
        const std::size_t notesBefore = std::dynamic_pointer_cast<quaverly::Bar>(
                                            quaverly::GetElementAtPath3(*editor.score, 0, 0, bar))
                                            ->GetNotes()
                                            .size();
        int typed = 0;
        const int limit = c.recut || c.nextPage ? 24 : 1;
        while (typed < limit) {
            View()->QueueNoteInput();
            Settled();
            ++typed;
            if (c.recut && LineRanges() != rangesBefore)
                break;
            if (c.nextPage && View()->CurrentPage() != 0)
                break;
            if (!c.recut && !c.nextPage)
                break;
        }
        if (c.recut) {
            ASSERT_NE(LineRanges(), rangesBefore) << "the lines were not cut anew after " << typed << " notes";
        }
        if (c.nextPage) {
            ASSERT_EQ(View()->CurrentPage(), 1) << "the cursor stayed on the first page";
        }
        EXPECT_GT(std::dynamic_pointer_cast<quaverly::Bar>(quaverly::GetElementAtPath3(*editor.score, 0, 0, bar))
                      ->GetNotes()
                      .size(),
                  notesBefore);

        const QImage partial = View()->PageBitmap().copy();
        // The picture was drawn again only where the notes changed it (a new page is
        // drawn whole).
        if (!c.nextPage) {
            EXPECT_EQ(partial.pixel(mark), red);
        }
        const QImage whole = WholeRender();
        EXPECT_NE(whole.pixel(mark), red);
        EXPECT_EQ(Differences(partial, whole, c.nextPage ? QPoint(-1, -1) : mark), "");

        // Back to the first page for the next case.
        while (editor.history.CanUndo()) {
            editor.Undo();
            Settled();
        }
        if (View()->CurrentPage() != 0) {
            editor.SetCurrentPage(0);
            View()->SetCurrentPage(0);
        }
        View()->RequestPageRender();
        Settled();
    }
}

// Whatever else changes the score is drawn whole: undo, a change of zoom, another page.
TEST_F(PagePictureUpdateTest, UndoZoomAndPageChangesDrawThePictureWhole)
{
    auto& editor = Editor();
    ASSERT_TRUE(editor.PlaceCursorOnBar(2));
    View()->OnRest();
    View()->QueueNoteInput();
    Settled();
    const QImage& kept = View()->PageBitmap();
    const QPoint mark(1, kept.height() - 2);
    const QRgb red = qRgb(255, 0, 0);

    struct Step {
        const char* name;
        std::function<void()> run;
    };
    const Step steps[] = {
        {"undo", [&] { editor.Undo(); }},
        {"redo", [&] { editor.Redo(); }},
        {"zoom in", [&] { View()->ZoomIn(); }},
        {"page border hidden", [&] { editor.ShowPageBorder(false); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        const_cast<QImage&>(View()->PageBitmap()).setPixel(mark, red);
        step.run();
        Settled();
        EXPECT_NE(View()->PageBitmap().pixel(mark), red);
    }
}

// What a line draws stays inside the reach the view draws again around a changed line
// (stacked marks above the notes included), on every page of the document.
TEST_F(PagePictureUpdateTest, WhatALineDrawsStaysWithinItsReach)
{
    auto& editor = Editor();
    const int width = View()->PageWidth();
    const int height = View()->PageHeight();
    for (int p = 0; p < editor.layout->GetChildCount(); ++p) {
        editor.SetCurrentPage(p);
        const auto page = editor.layout->GetChild(p);
        for (int l = 0; page && l < page->GetChildCount(); ++l) {
            SCOPED_TRACE(testing::Message() << "page " << p << " line " << l);
            const auto line = page->GetChild(l);
            // The line alone, on a picture with room around the page on every side.
            QImage picture(width * 2, height * 2, QImage::Format_RGB32);
            picture.fill(Qt::white);
            QRect reach;
            {
                platform::QtDeviceContext dc(&picture);
                const brindle::PageGeometry geometry{width * 2, height * 2, width / 2, height / 2};
                const float f = brindle::MapPage(dc, geometry, {width * 2, height * 2});
                brindle::GdiScorePainter painter;
                brindle::SetUpPagePainter(painter, dc, &View()->DrawResources(), geometry, f);
                line->Draw(painter);
                const quaverly::Rect r =
                    quaverly::PageNode::InkReach(line->GetRect().Moved(line->GetAbsolutePoint()));
                const quaverly::Point origin = painter.GetOrigin();
                const platform::Point a = dc.LPtoDP({origin.x + r.left, origin.y + r.top});
                const platform::Point b = dc.LPtoDP({origin.x + r.right, origin.y + r.bottom});
                reach = QRect(QPoint(a.x, a.y), QPoint(b.x, b.y));
            }
            QRect ink;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    if (picture.pixel(x, y) != qRgb(255, 255, 255))
                        ink |= QRect(x, y, 1, 1);
            if (ink.isEmpty())
                continue;
            EXPECT_GE(ink.top(), reach.top());
            EXPECT_LE(ink.bottom(), reach.bottom());
        }
    }
}

}  // namespace
