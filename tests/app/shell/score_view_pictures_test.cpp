// A laid-out score in the score view, grabbed as a picture for people to look at: the
// engine's editor holds a short two-part score, laid out with the program's drawing
// device, and the view paints it as the window shows it. The picture goes to
// $BRINDLE_SPECIMEN_DIR or build/bin/specimen.
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/painter/draw_resource_table.h"
#include "app/painter/gdi_score_painter.h"
#include "app/shell/brindle_view.h"
#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/container_element.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"
#include "engine/model/score.h"
#include "platform/font_resources.h"
#include "platform/qt_device_context.h"
#include "shell_fakes.h"
#include "tests/support/specimen_folder.h"

namespace {

using namespace quaverly;
namespace len = note_length;

void AddNote(Bar& bar, int base, int pitch)
{
    auto note = CreateNote(pitch);
    note->SetDuration(base);
    bar.AddNote(note);
}

void FillScore(Score& score, int parts, int bars)
{
    score.SetTimeSignature({0, 4, 4, 1});
    score.SetKeySignature({0, 0, 1});
    for (int p = 0; p < parts; ++p) {
        auto container = std::make_shared<ContainerElement>();
        auto part = std::make_shared<Part>();
        for (int b = 0; b < bars; ++b) {
            auto bar = std::make_shared<Bar>(b);
            if ((b + p) % 3 == 0) {
                for (int i = 0; i < 4; ++i)
                    AddNote(*bar, len::kQuarter, 2 + (b + i + p) % 7);
            } else if ((b + p) % 3 == 1) {
                for (int i = 0; i < 8; ++i)
                    AddNote(*bar, len::kEighth, 2 + (b * 2 + i) % 7);
            } else {
                AddNote(*bar, len::kHalf, 2 + b % 7);
                AddNote(*bar, len::kQuarter, 3 + b % 6);
                AddNote(*bar, len::kQuarter, 4 + b % 5);
            }
            part->AppendChild(bar);
        }
        container->AppendChild(part);
        score.AppendChild(container);
    }
}

TEST(ScoreViewPicture, LaidOutScoreInTheWindow)
{
    ASSERT_EQ(platform::AddFontResource(std::filesystem::path(BRINDLE_SOURCE_DIR) / "data" / "fonts" / "Tansy.ttc"), 5);
    auto* editor = static_cast<ScoreEditor*>(create_quaverly_editor());
    ASSERT_NE(editor, nullptr);
    brindle::CBrindleView view;
    view.UseEditor(editor);
    view.resize(900, 1000);
    view.show();
    view.Create();
    view.InitialUpdate();
    shell_test::Pump();
    // The set-up empties the editor's document: the score comes after it.
    FillScore(*editor->score, 2, 24);
    editor->SetTitle(u"茉莉花");
    editor->SetComposer(u"民歌");
    view.SetPageInfo(brindle::PageInfo{});  // A4, the default margins
    view.ApplyPageInfo();

    // Laid out as the view's own first pass does: zoom 1, 0.01 mm per logical unit.
    {
        const float f = static_cast<float>(view.UnitsPerPixel());
        QImage image(view.PageWidth(), view.PageHeight(), QImage::Format_RGB32);
        platform::QtDeviceContext dc(&image);
        dc.SetMapMode(platform::MapMode::Isotropic);
        dc.SetWindowExt({static_cast<std::int32_t>(view.PageWidth() * f), static_cast<std::int32_t>(view.PageHeight() * f)});
        dc.SetViewportExt({view.PageWidth(), view.PageHeight()});
        view.DrawResources().MeasureNoteSizes(dc, f);
        brindle::GdiScorePainter painter;
        painter.SetDC(&dc);
        painter.SetResourceTable(&view.DrawResources());
        painter.SetScale(f);
        painter.SetTransparentBackground();
        editor->RelayoutFrom(painter, 1, 1);
        editor->RepaginateFrom(painter, 0);
        editor->SetCurrentPage(0);
    }
    EXPECT_GT(editor->layout->GetChildCount(), 0);
    view.ShowScore();
    const QImage picture = view.grab().toImage();
    ASSERT_FALSE(picture.isNull());

    // Some ink on the page: the page picture is not all white.
    const QImage& page = view.PageBitmap();
    int dark = 0;
    for (int y = 0; y < page.height(); y += 2)
        for (int x = 0; x < page.width(); x += 2)
            dark += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(dark, 100);

    const std::filesystem::path folder = test_support::SpecimenFolder();
    const std::filesystem::path file = folder / "score_view.png";
    EXPECT_TRUE(picture.save(QString::fromStdString(file.string())));
    std::cout << "score view picture: " << file.string() << "\n";
    view.UseEditor(nullptr);
    api::DestroyEditor(editor);
}

}  // namespace
