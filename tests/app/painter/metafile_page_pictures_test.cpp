// A laid-out score page drawn by the drawing device into an enhanced metafile, set up as the
// metafile export sets it up (a frame of the page in 0.01 mm, the isotropic mapping of the
// page's pixels, black and white, the page origin at the margins, a one-pixel black outline
// along the frame). The records are played back and compared with the same page drawn on an
// image; the file and both pictures go to $BRINDLE_SPECIMEN_DIR or build/bin/specimen
// (score_page.emf, for a look in other programs).
#include "app/painter/gdi_score_painter.h"
#include "app/shell/brindle_view.h"
#include "bench/benchmark_score.h"
#include "engine/editor/score_editor.h"
#include "platform/metafile_device_context.h"
#include "tests/app/painter/painter_test_util.h"
#include "tests/support/emf_player.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

namespace {

using namespace quaverly;

constexpr int kBars = 24;

// Draws the editor's current page on `dc` as the export does, in 0.01 mm with the frame
// outline; the context's device is the page's pixels at zoom 1.
void DrawPage(brindle::CBrindleView& view, ScoreEditor& editor, platform::DeviceContext& dc,
              const platform::Rect& frame)
{
    const float f = static_cast<float>(view.UnitsPerPixel());
    const brindle::PageInfo& paper = view.GetPageInfo();
    const double pixelsPerMm = 100.0 / f;
    const int marginLeft = static_cast<int>(paper.left * pixelsPerMm);
    const int marginTop = static_cast<int>(paper.top * pixelsPerMm);
    dc.SetMapMode(platform::MapMode::Isotropic);
    dc.SetWindowExt({frame.right, frame.bottom});
    dc.SetViewportExt({view.PageWidth(), view.PageHeight()});
    view.DrawResources().SetBlackAndWhite(true);
    {
        brindle::GdiScorePainter painter;
        painter.SetDC(&dc);
        painter.SetResourceTable(&view.DrawResources());
        painter.SetScale(f);
        painter.SetTransparentBackground();
        painter.SetOrigin(static_cast<int>(marginLeft * f), static_cast<int>(marginTop * f));
        editor.Draw(&painter);
    }
    const platform::Pen old = dc.SelectPen(platform::Pen{platform::kPsSolid, 0, platform::Rgb(0, 0, 0)});
    dc.MoveTo(frame.left, frame.bottom);
    dc.LineTo(frame.left, frame.top);
    dc.LineTo(frame.right, frame.top);
    dc.LineTo(frame.right, frame.bottom);
    dc.LineTo(frame.left, frame.bottom);
    dc.SelectPen(old);
    view.DrawResources().SetBlackAndWhite(false);
}

TEST(Specimen, ScorePageAsAMetafile)
{
    ASSERT_TRUE(painter_test::AddMusicFonts());
    auto* editor = static_cast<ScoreEditor*>(create_quaverly_editor());
    ASSERT_NE(editor, nullptr);
    brindle::CBrindleView view;
    view.UseEditor(editor);
    view.resize(900, 1000);
    view.Create();
    view.InitialUpdate();
    // The set-up empties the editor's document: the score comes after it.
    editor->score->SetTimeSignature({0, 4, 4, 1});
    editor->score->SetKeySignature({0, 2, 1});
    bench::AppendParts(*editor->score, kBars, bench::BarTies::EveryFourthBar);
    editor->SetTitle(u"茉莉花");
    editor->SetComposer(u"民歌");
    view.SetPageInfo(brindle::PageInfo{});  // A4, the default margins
    view.ApplyPageInfo();

    const float f = static_cast<float>(view.UnitsPerPixel());
    const QSize page(view.PageWidth(), view.PageHeight());
    const platform::Rect frame{0, 0, static_cast<std::int32_t>(page.width() * f),
                               static_cast<std::int32_t>(page.height() * f)};
    // Laid out as the view's own first pass does.
    QImage screen(page, QImage::Format_RGB32);
    screen.fill(Qt::white);
    {
        platform::QtDeviceContext dc(&screen);
        dc.SetMapMode(platform::MapMode::Isotropic);
        dc.SetWindowExt({frame.right, frame.bottom});
        dc.SetViewportExt({page.width(), page.height()});
        view.DrawResources().MeasureNoteSizes(dc, f);
        brindle::GdiScorePainter painter;
        painter_test::SetUpPainter(painter, dc, view.DrawResources(), f);
        editor->RelayoutFrom(painter, 1, 1);
        editor->RepaginateFrom(painter, 0);
        editor->SetCurrentPage(0);
    }
    ASSERT_GT(editor->layout->GetChildCount(), 0);
    {
        platform::QtDeviceContext dc(&screen);
        DrawPage(view, *editor, dc, frame);
    }
    const int dpi = static_cast<int>(std::lround(2540.0 / f));
    platform::MetafileDeviceContext metafile(frame, dpi);
    DrawPage(view, *editor, metafile, frame);
    const std::vector<std::uint8_t> bytes = metafile.Finish();

    const emf_test::EmfFile emf(bytes);
    EXPECT_EQ(emf.RectAt(24), frame);
    EXPECT_TRUE(emf.Of(0x54).empty()) << "no text records: glyphs are outlines";
    const QImage played = emf_test::Play(emf, page);
    // The same page: ink in the same places, give or take a pixel.
    const int ink = painter_test::InkIn(screen, 0, 0, page.width(), page.height());
    // Two lines of four rows with their lyrics, each row with the room below it.
    ASSERT_GT(ink, 10000);
    const int playedInk = painter_test::InkIn(played, 0, 0, page.width(), page.height());
    EXPECT_GT(playedInk, ink * 3 / 4);
    EXPECT_LT(playedInk, ink * 5 / 4);
    // Band by band down the page, so that no line of music goes missing.
    for (int top = 0; top + 100 <= page.height(); top += 100) {
        SCOPED_TRACE(top);
        const int a = painter_test::InkIn(screen, 0, top, page.width(), top + 100);
        const int b = painter_test::InkIn(played, 0, top, page.width(), top + 100);
        EXPECT_NEAR(b, a, std::max(60, a / 4));
    }

    const std::filesystem::path folder = test_support::SpecimenFolder();
    EXPECT_TRUE(platform::SaveMetafile(folder / "score_page.emf", bytes));
    EXPECT_TRUE(screen.save(QString::fromStdString((folder / "score_page_screen.png").string())));
    EXPECT_TRUE(played.save(QString::fromStdString((folder / "score_page_played.png").string())));
    std::cout << "metafile page: " << (folder / "score_page.emf").string() << "\n";
    view.UseEditor(nullptr);
    api::DestroyEditor(editor);
}

}  // namespace
