// The five mouse tools of the score view with a recording editor: pointer events in score
// units, pointer note entry, dragging the page, the picture band and its copy, and the
// free-text frame that adds a text item.
#include <gtest/gtest.h>

#include <utility>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPaintEvent>
#include <QRegion>
#include <QPlainTextEdit>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "app/shell/mouse_tool.h"
#include "engine/model/score_painter.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/emf_player.h"
#include "view_input_fixture.h"
#include "tests/support/specimen_folder.h"

namespace view_input_test {
namespace {

using platform::RectTracker;

constexpr int kCmdMouseInput = 32843;
constexpr int kCmdPictureCopy = 33035;

// Draws two bar lines 30 mm long near the content's corner.
class DrawingEditor final : public InputEditor {
public:
    bool Draw(quaverly::ScorePainter* painter) override
    {
        if (painter) {
            painter->DrawBarLine(500, 0, 3000, 0, 1, false, 0);
            painter->DrawBarLine(4500, 0, 3000, 0, 1, false, 0);
        }
        return true;
    }
};

class MouseToolTest : public ViewInputTest {
protected:
    platform::Point Centre(const platform::Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    // The picture tool's band dragged from the content corner 60 x 40 mm on; its window
    // corners.
    std::pair<platform::Point, platform::Point> DragBand()
    {
        view_->OnCommand(kCmdPictureCopy);
        const platform::Point from = view_->ScoreToWindow(-300, -300);
        const platform::Point to = view_->ScoreToWindow(6000, 4000);
        view_->Press(from.x, from.y);
        view_->Move(to.x, to.y);
        view_->Release(to.x, to.y);
        return {from, to};
    }
};

TEST_F(MouseToolTest, WindowPointsBecomeScorePointsFromTheContentCorner)
{
    ShowScore();
    for (double zoomSteps : {0.0, 2.0}) {
        for (int i = 0; i < zoomSteps; ++i)
            view_->ZoomIn();
        // The content's corner (a whole pixel) is the score's origin within one pixel.
        const double unitsPerWindowPixel = view_->UnitsPerPixel() / view_->Zoom();
        const platform::Rect content = view_->ContentRect();
        const quaverly::Point corner = view_->WindowToScore(content.left, content.top);
        EXPECT_LE(std::abs(corner.x), unitsPerWindowPixel);
        EXPECT_LE(std::abs(corner.y), unitsPerWindowPixel);
        // Score to window and back lands within one pixel's worth of units.
        for (quaverly::Point p : {quaverly::Point{1000, 2000}, quaverly::Point{18000, 24000}}) {
            const platform::Point w = view_->ScoreToWindow(p.x, p.y);
            const quaverly::Point back = view_->WindowToScore(w.x, w.y);
            EXPECT_LE(std::abs(back.x - p.x), unitsPerWindowPixel + 1);
            EXPECT_LE(std::abs(back.y - p.y), unitsPerWindowPixel + 1);
        }
    }
}

TEST_F(MouseToolTest, SelectionToolPassesPressesWithTheirModifiersAndShowsTheCaret)
{
    ShowScore();
    const platform::Point at = Centre(view_->ContentRect());
    view_->Press(at.x, at.y, platform::kMkLButton | platform::kMkControl | platform::kMkShift);
    view_->Move(at.x + 5, at.y, platform::kMkLButton | platform::kMkShift);
    {
        platform::ScopedModifierState alt(platform::kModAlt);
        view_->Release(at.x + 5, at.y, 0);
    }
    EXPECT_EQ(editor_.calls, (std::vector<std::string>{"OnButtonDown 3", "SetCaretEnabled 1", "OnPointerMove 2",
                                                       "OnButtonUp 4"}));
    ASSERT_EQ(editor_.points.size(), 3u);
    EXPECT_EQ(editor_.points[0], view_->WindowToScore(at.x, at.y));
}

TEST_F(MouseToolTest, DoubleClickCountsOnlyInsideTheMargins)
{
    ShowScore();
    const platform::Rect content = view_->ContentRect();
    view_->DoubleClick(content.left - 3, content.top + 10);
    EXPECT_TRUE(editor_.calls.empty());
    view_->DoubleClick(content.left + 10, content.top + 10);
    EXPECT_EQ(editor_.calls, std::vector<std::string>{"OnDoubleClick 0"});
    EXPECT_EQ(editor_.points.back(), view_->WindowToScore(content.left + 10, content.top + 10));
}

TEST_F(MouseToolTest, APressWithThePointerToolEntersTheChosenNoteWhereItFalls)
{
    ShowScore();
    view_->OnCommand(kCmdMouseInput);
    view_->OnCommand(158);  // Fa
    view_->OnCommand(174);  // an eighth
    const platform::Rect content = view_->ContentRect();
    view_->Press(content.left - 5, content.top + 20);  // in the margin: nothing
    const platform::Point at = Centre(content);
    view_->Press(at.x, at.y, platform::kMkLButton | platform::kMkShift);
    view_->Move(at.x + 30, at.y);
    view_->Release(at.x + 30, at.y);
    Settle();
    view_->OnCommand(kCmdMouseInput);  // chosen again: back to selection
    std::vector<std::string> seen = editor_.calls;
    std::erase(seen, "Run");
    EXPECT_EQ(seen, (std::vector<std::string>{"SetInputMode 1", "SetNoteValue 80640", "OnButtonDown 2",
                                              "InputNote 5 0 80640 0 0 0 2", "SetInputMode 0"}));
    ASSERT_EQ(editor_.points.size(), 1u);
    EXPECT_EQ(editor_.points[0], view_->WindowToScore(at.x, at.y));
    EXPECT_EQ(view_->CurrentToolKey(), brindle::kSelectTool);
}

TEST_F(MouseToolTest, DraggingScrollsOnlyWhereAScrollBarExists)
{
    ShowScore();
    view_->OnCommand(brindle::cmd::kDragTool);
    ASSERT_TRUE(view_->IsScrollBarShown(platform::kSbVert));
    ASSERT_TRUE(view_->IsScrollBarShown(platform::kSbHorz));
    const platform::Point at = Centre(view_->PageRect());
    view_->Press(at.x, at.y);
    view_->Move(at.x - 40, at.y - 100);
    view_->Release(at.x - 40, at.y - 100);
    EXPECT_EQ(view_->ScrollY(), -100);
    EXPECT_EQ(view_->ScrollX(), -40);

    // Wide enough for the whole width: only the vertical bar is left.
    view_->resize(1400, 600);
    shell_test::Pump();
    ASSERT_FALSE(view_->IsScrollBarShown(platform::kSbHorz));
    const platform::Point again = Centre(view_->PageRect());
    view_->Press(again.x, again.y);
    view_->Move(again.x - 40, again.y - 50);
    EXPECT_EQ(view_->ScrollX(), 0);
    EXPECT_EQ(view_->ScrollY(), -150);
    // A press beside the page drags nothing.
    view_->Release(again.x, again.y);
    view_->Press(5, 5);
    view_->Move(5, 200);
    EXPECT_EQ(view_->ScrollY(), -150);
}

TEST_F(MouseToolTest, CopyWithAnEmptyBandSaysSoAndLeavesTheClipboard)
{
    ShowScore();
    platform::ScriptedDialogService script;
    platform::ScopedDialogService scoped(script);
    QGuiApplication::clipboard()->setText(QStringLiteral("留着"));
    view_->OnCommand(kCmdPictureCopy);
    const platform::Point at = Centre(view_->PageRect());
    view_->Press(at.x, at.y);
    view_->Release(at.x, at.y);  // a click: no region
    EXPECT_FALSE(view_->CopyPicture());
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    EXPECT_EQ(script.MessageBoxes()[0].text, u"请先选择复制区域！");
    EXPECT_EQ(script.MessageBoxes()[0].type & platform::kMbIconMask, platform::kMbIconInformation);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("留着"));
}

TEST_F(MouseToolTest, TheBandIsInvertedOverThePageAndCopiedAsVectorAndBitmap)
{
    DrawingEditor drawing;
    view_->UseEditor(&drawing);
    ShowScore();
    // At zoom 1.25, about 96 dpi.
    const auto [from, to] = DragBand();

    // On screen: the band's outline turns the white page black.
    const QImage screen = view_->viewport()->grab().toImage();
    EXPECT_EQ(qGray(screen.pixel(from.x, (from.y + to.y) / 2)), 0);
    EXPECT_EQ(qGray(screen.pixel((from.x + to.x) / 2, to.y - 1)), 0);

    ASSERT_TRUE(view_->CopyPicture());
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasImage());
    const QImage png = qvariant_cast<QImage>(data->imageData());
    const platform::Rect band = dynamic_cast<brindle::PictureCopyTool*>(view_->Tool(brindle::kPictureCopyTool))->BandOnPage();
    EXPECT_EQ(png.size(), QSize(band.Width() * 3, band.Height() * 3));
    const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains(QStringLiteral("viewBox=\"0 0 %1 %2\"").arg(band.Width()).arg(band.Height()).toUtf8()));

    // The metafile: its frame is the band in 0.01 mm; played back, the page's pixels
    // under the band show the bar lines.
    const QByteArray emfBytes = data->data(QStringLiteral("image/emf"));
    ASSERT_FALSE(emfBytes.isEmpty());
    emf_test::EmfFile emf(std::vector<std::uint8_t>(emfBytes.begin(), emfBytes.end()));
    ASSERT_FALSE(emf.Records().empty());
    const emf_test::Record& header = emf.Records().front();
    ASSERT_EQ(header.type, emf_test::EMR_HEADER);
    const double f = view_->UnitsPerPixel();
    EXPECT_NEAR(emf.Field(header, 4), band.left * f, 1);
    EXPECT_NEAR(emf.Field(header, 5), band.top * f, 1);
    EXPECT_NEAR(emf.Field(header, 6), band.right * f, 1);
    EXPECT_NEAR(emf.Field(header, 7), band.bottom * f, 1);
    const QImage played = emf_test::Play(emf, QSize(view_->PageWidth(), view_->PageHeight()));
    int playedBlack = 0;
    for (int y = band.top; y < band.bottom; ++y)
        for (int x = band.left; x < band.right; ++x)
            playedBlack += qGray(played.pixel(x, y)) < 160 ? 1 : 0;
    EXPECT_GT(playedBlack, 100);

    // The bar lines the editor drew are in the bitmap, in black.
    int black = 0;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x)
            black += qGray(png.pixel(x, y)) < 64 ? 1 : 0;
    EXPECT_GT(black, 200);
    const std::filesystem::path folder = test_support::SpecimenFolder();
    png.save(QString::fromStdString((folder / "picture_copy_stub.png").string()));
    view_->UseEditor(&editor_);
}

// Records the parts of a widget that are painted.
class PaintRecorder final : public QObject {
public:
    explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(MouseToolTest, BackToTheSelectionToolTheBandLeavesTheScreenAtOnce)
{
    ShowScore();
    const auto [from, to] = DragBand();
    shell_test::Pump();
    ASSERT_EQ(qGray(view_->viewport()->grab().toImage().pixel(from.x, (from.y + to.y) / 2)), 0);

    // Switching tools paints the band's place again by itself, and without the band.
    PaintRecorder recorder(view_->viewport());
    QImage shown(view_->viewport()->size(), QImage::Format_RGB32);
    view_->SetMouseTool(brindle::kSelectTool);
    ASSERT_EQ(view_->CurrentToolKey(), brindle::kSelectTool);
    shell_test::Pump();
    EXPECT_TRUE(recorder.painted.contains(QRect(QPoint(from.x, from.y), QPoint(to.x - 1, to.y - 1))));
    view_->viewport()->render(&shown);
    EXPECT_GT(qGray(shown.pixel(from.x, (from.y + to.y) / 2)), 200);
    EXPECT_GT(qGray(shown.pixel((from.x + to.x) / 2, to.y - 1)), 200);
    // Nothing is left to copy either.
    EXPECT_TRUE(dynamic_cast<brindle::PictureCopyTool*>(view_->Tool(brindle::kPictureCopyTool))->BandOnPage().IsEmpty());
}

TEST_F(MouseToolTest, FreeTextFrameAddsItsTextWhenThePointerPressesOutside)
{
    ShowScore();
    view_->OnCommand(brindle::cmd::kFreeTextTool);
    QPlainTextEdit* box = view_->FreeTextEdit();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    shell_test::Pump();
    ASSERT_FALSE(posted_.empty());
    EXPECT_EQ(posted_.back().id, brindle::msg::kMouseToolChanged);

    view_->Press(200, 200);
    view_->Move(420, 300);
    view_->Release(420, 300);
    const platform::Rect frame = view_->Tracker().GetRect();
    EXPECT_EQ(frame, (platform::Rect{200, 200, 420, 300}));
    const platform::Rect outer = view_->Tracker().TrueRect();
    EXPECT_EQ(box->geometry(), QRect(outer.left + 5, outer.top + 5, outer.right - outer.left - 10,
                                     outer.bottom - outer.top - 10));

    // A press on the right handle widens the frame from that side only.
    const platform::Point handle = Centre(view_->Tracker().HandleRect(RectTracker::kHitRight));
    view_->Press(handle.x, handle.y);
    view_->Move(handle.x + 30, handle.y + 40);
    view_->Release(handle.x + 30, handle.y + 40);
    EXPECT_EQ(view_->Tracker().GetRect(), (platform::Rect{200, 200, 450, 300}));
    // A press inside moves it whole.
    view_->Press(300, 250);
    view_->Move(310, 260);
    view_->Release(310, 260);
    EXPECT_EQ(view_->Tracker().GetRect(), (platform::Rect{210, 210, 460, 310}));
    EXPECT_TRUE(editor_.textItems.empty());

    box->setPlainText(QStringLiteral("行板 Andante"));
    const QRect area = box->geometry();
    view_->Press(100, 500);  // outside: the text goes in, a new frame starts here
    ASSERT_EQ(editor_.textItems.size(), 1u);
    const quaverly::PageTextData& item = editor_.textItems[0];
    EXPECT_EQ(item.text, u"行板 Andante");
    EXPECT_EQ(item.font, view_->FreeTextFont());
    EXPECT_EQ(item.font.FaceName(), u"宋体");
    const int margin = static_cast<int>(box->document()->documentMargin());
    EXPECT_EQ(item.rect.left, view_->WindowToScore(area.left() + margin, area.top()).x);
    EXPECT_EQ(item.rect.top, view_->WindowToScore(area.left() + margin, area.top()).y);
    EXPECT_EQ(item.rect.right, view_->WindowToScore(area.left() + area.width() - margin, 0).x);
    EXPECT_EQ(item.rect.bottom, view_->WindowToScore(0, area.top() + area.height()).y);
    EXPECT_TRUE(box->toPlainText().isEmpty());
    EXPECT_EQ(view_->Tracker().GetRect(), (platform::Rect{100, 500, 100, 500}));
    view_->Release(100, 500);

    // An empty box adds nothing, on a press outside or when the tool is left.
    view_->Press(600, 100);
    view_->Release(600, 100);
    view_->OnCommand(brindle::cmd::kFreeTextTool);
    EXPECT_EQ(editor_.textItems.size(), 1u);
    EXPECT_FALSE(box->isVisible());
}

TEST_F(MouseToolTest, LeavingTheFreeTextToolAddsWhatWasTyped)
{
    ShowScore();
    view_->OnCommand(brindle::cmd::kFreeTextTool);
    view_->Press(200, 200);
    view_->Move(400, 260);
    view_->Release(400, 260);
    view_->FreeTextEdit()->setPlainText(QStringLiteral("rit."));
    view_->OnCommand(160);
    ASSERT_EQ(editor_.textItems.size(), 1u);
    EXPECT_EQ(editor_.textItems[0].text, u"rit.");
    EXPECT_EQ(view_->CurrentToolKey(), brindle::kSelectTool);
}

}  // namespace
}  // namespace view_input_test

namespace view_input_test {
namespace {

TEST_F(MouseToolTest, FreeTextFontChangesOneFieldAndTheBoxShowsItAtTheZoom)
{
    ShowScore();
    const int dpi = view_->logicalDpiY() > 0 ? view_->logicalDpiY() : 96;
    struct Case {
        brindle::TextStyleChange change;
        std::int32_t height;
        std::u16string face;
        std::int32_t weight;
        std::uint8_t italic;
    };
    auto change = [](std::uint32_t kind, std::int32_t size, std::uint8_t flag, std::u16string face) {
        brindle::TextStyleChange c;
        c.kind = kind;
        c.size = size;
        c.bold = c.italic = c.underline = flag;
        c.faceName = std::move(face);
        return c;
    };
    const std::int32_t twelve = -static_cast<std::int32_t>(std::lround(12.0 * dpi / 72.0));
    const Case cases[] = {
        {change(brindle::TextStyleChange::kSize, 12, 0, u""), twelve, u"宋体", 0, 0},
        {change(brindle::TextStyleChange::kFaceName, 0, 0, u"黑体"), twelve, u"黑体", 0, 0},
        {change(brindle::TextStyleChange::kBold, 0, 1, u""), twelve, u"黑体", 700, 0},
        {change(brindle::TextStyleChange::kItalic, 0, 1, u""), twelve, u"黑体", 700, 1},
        {change(6, 30, 0, u"楷体"), twelve, u"黑体", 700, 1},  // two kinds at once: nothing
        {change(brindle::TextStyleChange::kBold, 0, 0, u""), twelve, u"黑体", 400, 1},
    };
    for (const Case& c : cases) {
        view_->SendMessage(brindle::msg::kTextStyleChange, reinterpret_cast<platform::WParam>(&c.change));
        const quaverly::LogFont& font = view_->FreeTextFont();
        EXPECT_EQ(font.height, c.height);
        EXPECT_EQ(font.FaceName(), c.face);
        EXPECT_EQ(font.weight, c.weight);
        EXPECT_EQ(font.italic, c.italic);
    }
    // The box draws at the view's zoom (1.25): a 12-point font 25 % taller in pixels.
    const QFont shown = view_->FreeTextEdit()->font();
    EXPECT_NEAR(shown.pixelSize(), static_cast<int>(-twelve * view_->Zoom()), 1);
}

}  // namespace
}  // namespace view_input_test
