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

quaverly::LogFont Face(std::u16string_view face, int height, int weight = 400)
{
    quaverly::LogFont lf;
    lf.SetFaceName(face);
    lf.height = height;
    lf.weight = weight;
    lf.charSet = 1;
    lf.quality = 4;
    return lf;
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
    painter_test::PageImage page(static_cast<int>(kPageWidth * kZoom),
                                 static_cast<int>(kPageHeight * kZoom), kZoom);
    brindle::DrawResourceTable table;
    table.MeasureNoteSizes(page.Dc(), painter_test::kScreenScale);
    GdiScorePainter painter;
    painter.SetDC(&page.Dc());
    painter.SetResourceTable(&table);
    painter.SetOrigin(0, 0);
    painter.SetScale(painter_test::kScreenScale);
    painter.SetTransparentBackground();

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

    const char* dir = std::getenv("BRINDLE_SPECIMEN_DIR");
    const std::filesystem::path folder =
        dir ? std::filesystem::path(dir) : std::filesystem::path(BRINDLE_BIN_DIR) / "specimen";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "music_specimen.png";
    ASSERT_TRUE(image.save(QString::fromStdString(file.string())));
    std::cout << "specimen page: " << file.string() << "\n";
}

}  // namespace
