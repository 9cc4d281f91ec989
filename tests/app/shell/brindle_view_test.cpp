// The score view offscreen with an editor that records what it is asked: set-up order,
// page metrics, tool switching, painting, scrolling, zoom and printing.
#include <gtest/gtest.h>

#include <QFile>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

#include "app/painter/gdi_score_painter.h"
#include "app/shell/brindle_view.h"
#include "app/shell/command_ids.h"
#include "platform/frame_window_base.h"
#include "platform/key_translation.h"
#include "shell_fakes.h"
#include "stub_editor.h"

namespace {

using brindle::CBrindleView;
using shell_test::Pump;

// One editor call with the mapping of the context the painter drew on.
struct EditorCall {
    std::string name;
    platform::Size viewportExt{};
    platform::Size windowExt{};
    quaverly::Point origin{};
    bool blackAndWhite = false;
    int page = -1;
};

class RecordingEditor final : public view_test::StubEditor {
public:
    std::vector<EditorCall> calls;
    std::vector<std::pair<int, int>> contentSizes;
    std::vector<int> currentPages;
    int pageCount = 1;
    int current = 0;

    void ResetDocument() override { calls.push_back({"ResetDocument"}); }
    void SetPageContentSize(int width, int height) override { contentSizes.emplace_back(width, height); }
    void RunPendingCommands(quaverly::ScorePainter* painter) override { Record("Run", painter); }
    bool Draw(quaverly::ScorePainter* painter) override
    {
        Record("Draw", painter);
        return true;
    }
    void DrawCaret(quaverly::ScorePainter* painter) override { Record("DrawCaret", painter); }
    void UpdateCaret(quaverly::ScorePainter* painter) override { Record("UpdateCaret", painter); }
    void SetCurrentPage(int page) override
    {
        currentPages.push_back(page);
        current = page;
    }
    int GetCurrentPage() const override { return current; }
    int GetLastPageIndex() const override { return pageCount; }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& c : calls)
            names.push_back(c.name);
        return names;
    }

private:
    void Record(const std::string& name, quaverly::ScorePainter* painter)
    {
        EditorCall call{name};
        call.page = current;
        if (auto* gdi = dynamic_cast<brindle::GdiScorePainter*>(painter); gdi && gdi->GetDC()) {
            call.viewportExt = gdi->GetDC()->GetMapping().viewportExt;
            call.windowExt = gdi->GetDC()->GetMapping().windowExt;
            call.origin = gdi->GetOrigin();
            call.blackAndWhite = gdi->GetDC() != nullptr && blackAndWhiteProbe && blackAndWhiteProbe();
        }
        calls.push_back(call);
    }

public:
    std::function<bool()> blackAndWhiteProbe;
};

class RecordingTool final : public brindle::MouseTool {
public:
    RecordingTool(CBrindleView* view, int key, std::vector<std::string>* log) : MouseTool(view), key_(key), log_(log) {}
    void Activate() override { log_->push_back("Activate " + std::to_string(key_)); }
    void Deactivate() override { log_->push_back("Deactivate " + std::to_string(key_)); }

private:
    int key_;
    std::vector<std::string>* log_;
};

// A view whose set-up steps say when they run.
class SetUpView final : public CBrindleView {
public:
    std::vector<std::string>* log = nullptr;

    void WheelForTest(int delta) { OnMouseWheel(0, delta, {}); }
    void KeyForTest(int key, int modifiers)
    {
        platform::ScopedModifierState state(modifiers);
        OnKeyDown(key, 1, 0);
    }
    void ScrollForTest(int bar, int code)
    {
        if (bar == platform::kSbHorz)
            OnHScroll(code, 0);
        else
            OnVScroll(code, 0);
    }

protected:
    void LoadTextures() override { Note("LoadTextures", [&] { CBrindleView::LoadTextures(); }); }
    void RegisterListeners() override { Note("RegisterListeners", [] {}); }
    void MeasureScreen() override { Note("MeasureScreen", [&] { CBrindleView::MeasureScreen(); }); }
    void ResetViewState() override { Note("ResetViewState", [&] { CBrindleView::ResetViewState(); }); }
    void ApplyFontFile() override { Note("ApplyFontFile", [&] { CBrindleView::ApplyFontFile(); }); }
    void MeasureNoteSizes() override { Note("MeasureNoteSizes", [&] { CBrindleView::MeasureNoteSizes(); }); }
    void BuildKeyCommands() override { Note("BuildKeyCommands", [] {}); }
    void BuildSymbolKeyCommands() override { Note("BuildSymbolKeyCommands", [] {}); }
    void ApplyOptionFile() override { Note("ApplyOptionFile", [&] { CBrindleView::ApplyOptionFile(); }); }

private:
    template <class F>
    void Note(const char* name, F step)
    {
        if (log)
            log->push_back(name);
        step();
    }
};

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame_ = std::make_unique<platform::FrameWindowBase>();
        for (platform::MessageId id : {brindle::msg::kMouseToolChanged, brindle::msg::kViewSetUpDone,
                                       brindle::msg::kShowPosition}) {
            frame_->MapMessage(id, [this, id](platform::WParam w, platform::LParam) {
                posted_.emplace_back(id, static_cast<int>(w));
                return platform::LResult{0};
            });
        }
        view_ = std::make_unique<SetUpView>();
        view_->log = &log_;
        view_->UseEditor(&editor_);
        view_->SetFrame(frame_.get());
        view_->resize(600, 500);
        view_->show();
        view_->Create();
        view_->InitialUpdate();
        Pump();
        log_.clear();
        posted_.clear();
        editor_.calls.clear();
    }

    // A score shown on an A4 page (or the given paper).
    void ShowPage(const brindle::PageInfo& paper = {})
    {
        view_->SetPageInfo(paper);
        view_->ApplyPageInfo();
        view_->ShowScore();
    }

    void Paint() { (void)view_->viewport()->grab(); }
    // Paints until no render is owed (a new score and a zoom owe more than one).
    void Settle()
    {
        for (int i = 0; i < 5 && view_->PendingRenders() > 0; ++i)
            Paint();
        editor_.calls.clear();
    }

    RecordingEditor editor_;
    std::unique_ptr<platform::FrameWindowBase> frame_;
    std::unique_ptr<SetUpView> view_;
    std::vector<std::string> log_;
    std::vector<std::pair<platform::MessageId, int>> posted_;
};

TEST_F(ViewTest, SetUpRunsItsStepsInOrderAndTellsTheFrame)
{
    view_->InitialUpdate();
    Pump();
    const std::vector<std::string> expected = {"LoadTextures",     "RegisterListeners", "MeasureScreen",
                                               "ResetViewState",   "ApplyFontFile",     "MeasureNoteSizes",
                                               "BuildKeyCommands", "BuildSymbolKeyCommands", "ApplyOptionFile"};
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(editor_.Names(), std::vector<std::string>{"ResetDocument"});
    // The reset posts the position notice first; the set-up ends with its own notice.
    ASSERT_FALSE(posted_.empty());
    EXPECT_EQ(posted_.back().first, brindle::msg::kViewSetUpDone);
    EXPECT_DOUBLE_EQ(view_->Zoom(), 1.25);
    EXPECT_EQ(view_->ZoomIndex(), 3);
    EXPECT_FALSE(view_->HasScore());
    EXPECT_GT(view_->UnitsPerPixel(), 0.0);
}

TEST_F(ViewTest, PageContentSizeFollowsThePaperAndItsOrientation)
{
    struct Case {
        const char* what;
        brindle::PageInfo paper;
        std::pair<int, int> content;
    };
    brindle::PageInfo landscape;
    landscape.portrait = false;
    brindle::PageInfo noWidth;
    noWidth.width = 0;
    brindle::PageInfo wideMargins;
    wideMargins.left = 150;
    wideMargins.right = 100;
    brindle::PageInfo negativeMargin;
    negativeMargin.top = -5;
    const Case cases[] = {
        {"portrait A4", brindle::PageInfo{}, {18500, 24700}},
        {"landscape A4", landscape, {24700, 18500}},
        // Papers that cannot be drawn on fall back to the default page.
        {"zero width", noWidth, {18500, 24700}},
        {"margins wider than the paper", wideMargins, {18500, 24700}},
        {"negative margin", negativeMargin, {18500, 24700}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        editor_.contentSizes.clear();
        view_->SetPageInfo(c.paper);
        view_->ApplyPageInfo();
        ASSERT_EQ(editor_.contentSizes.size(), 1u);
        EXPECT_EQ(editor_.contentSizes[0], c.content);
        EXPECT_GT(view_->PageWidth(), 0);
        EXPECT_GT(view_->PageHeight(), 0);
    }
    view_->SetPageInfo(landscape);
    view_->ApplyPageInfo();
    EXPECT_GT(view_->PageWidth(), view_->PageHeight());
}

TEST(ViewUnitsPerPixel, ComeFromTheLogicalResolution)
{
    CBrindleView view;
    // The offscreen screen reports 96 dpi: 2540 / 96 hundredths of a millimetre.
    view.resize(100, 100);
    view.InitialUpdate();
    EXPECT_NEAR(view.UnitsPerPixel(), 2540.0 / view.logicalDpiX(), 0.01);
    EXPECT_NEAR(platform::HundredthsOfMmPerPixel(0), 2540.0 / 96, 0.01);
}

TEST_F(ViewTest, ChoosingTheActiveToolAgainReturnsToSelection)
{
    std::vector<std::string> tools;
    for (int key = 0; key < brindle::kToolCount; ++key)
        view_->ReplaceTool(key, std::make_shared<RecordingTool>(view_.get(), key, &tools));

    view_->SetMouseTool(brindle::kSelectTool);
    Pump();
    EXPECT_TRUE(tools.empty());
    EXPECT_TRUE(posted_.empty());

    view_->SetMouseTool(brindle::kDragTool);
    view_->SetMouseTool(brindle::kDragTool);
    Pump();
    EXPECT_EQ(tools, (std::vector<std::string>{"Deactivate 0", "Activate 2", "Deactivate 2", "Activate 0"}));
    ASSERT_EQ(posted_.size(), 2u);
    EXPECT_EQ(posted_[0], std::make_pair(brindle::msg::kMouseToolChanged, 2));
    EXPECT_EQ(posted_[1], std::make_pair(brindle::msg::kMouseToolChanged, 0));
    EXPECT_EQ(view_->CurrentToolKey(), brindle::kSelectTool);
}

TEST_F(ViewTest, ToolCommandsAreGreyedWithoutAScoreAndCheckTheCurrentTool)
{
    platform::CommandUI before(brindle::cmd::kFreeTextTool);
    view_->OnUpdateCommand(before);
    EXPECT_EQ(before.Enabled(), false);
    ShowPage();
    view_->OnCommand(brindle::cmd::kFreeTextTool);
    platform::CommandUI after(brindle::cmd::kFreeTextTool);
    view_->OnUpdateCommand(after);
    EXPECT_EQ(after.Enabled(), true);
    EXPECT_EQ(after.Checked(), true);
    EXPECT_EQ(view_->CurrentToolKey(), brindle::kFreeTextTool);
}

TEST_F(ViewTest, PaintRunsQueuedCommandsAtZoomOneThenDrawsAtTheZoom)
{
    ShowPage();
    Paint();
    const std::vector<std::string> expected = {"Run", "Draw", "DrawCaret"};
    ASSERT_EQ(editor_.Names(), expected);
    const int w = view_->PageWidth();
    const int h = view_->PageHeight();
    EXPECT_EQ(editor_.calls[0].viewportExt, (platform::Size{w, h}));
    EXPECT_EQ(editor_.calls[1].viewportExt,
              (platform::Size{static_cast<int>(w * 1.25), static_cast<int>(h * 1.25)}));
    // Both passes map the same page in hundredths of a millimetre from the margin corner.
    EXPECT_EQ(editor_.calls[0].windowExt, editor_.calls[1].windowExt);
    EXPECT_EQ(editor_.calls[0].origin, editor_.calls[1].origin);
    EXPECT_GT(editor_.calls[0].origin.x, 0);

    // A paint without a request copies the picture and draws only the caret.
    Settle();
    Paint();
    EXPECT_EQ(editor_.Names(), std::vector<std::string>{"DrawCaret"});

    // While playing the caret is only updated.
    editor_.calls.clear();
    view_->m_bPlaying = true;
    Paint();
    EXPECT_EQ(editor_.Names(), std::vector<std::string>{"UpdateCaret"});
}

TEST_F(ViewTest, WithoutAScoreNothingOfThePageIsDrawn)
{
    Paint();
    EXPECT_TRUE(editor_.calls.empty());
}

TEST_F(ViewTest, ManyContentChangesLeaveAtMostThreeRendersPending)
{
    ShowPage();
    Settle();
    EXPECT_EQ(view_->PendingRenders(), 0);
    for (int i = 0; i < 5; ++i)
        view_->RequestPageRender();
    Paint();
    EXPECT_LE(view_->PendingRenders(), 3);
    int renders = 0;
    for (int i = 0; i < 10 && view_->PendingRenders() > 0; ++i) {
        editor_.calls.clear();
        Paint();
        renders += editor_.Names().front() == "Run" ? 1 : 0;
    }
    EXPECT_EQ(view_->PendingRenders(), 0);
    EXPECT_LE(renders, 3);
}

TEST_F(ViewTest, PagePictureIsClearedToWhiteWithoutATexture)
{
    ShowPage();
    Paint();
    const QImage& page = view_->PageBitmap();
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(page.width() - 1, page.height() - 1), QColor(Qt::white));
}

TEST_F(ViewTest, ZoomCommandsAreEnabledWithinTheSteps)
{
    platform::CommandUI none(brindle::cmd::kZoomIn);
    view_->OnUpdateCommand(none);
    EXPECT_EQ(none.Enabled(), false);

    ShowPage();
    struct Case {
        int index;
        bool in, out, normal;
    };
    const Case cases[] = {{0, true, false, true}, {3, true, true, false}, {8, false, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        view_->ZoomNormal();
        while (view_->ZoomIndex() < c.index)
            view_->ZoomIn();
        while (view_->ZoomIndex() > c.index)
            view_->ZoomOut();
        EXPECT_EQ(view_->CanZoomIn(), c.in);
        EXPECT_EQ(view_->CanZoomOut(), c.out);
        EXPECT_EQ(view_->CanZoomNormal(), c.normal);
        platform::CommandUI ui(brindle::cmd::kZoomIn);
        view_->OnUpdateCommand(ui);
        EXPECT_EQ(ui.Enabled(), c.in);
    }
    // At the largest step the command does nothing.
    view_->OnCommand(brindle::cmd::kZoomIn);
    EXPECT_EQ(view_->ZoomIndex(), 8);
    EXPECT_DOUBLE_EQ(view_->Zoom(), 4.0);
    view_->OnCommand(brindle::cmd::kZoomDefault);
    EXPECT_DOUBLE_EQ(view_->Zoom(), 1.25);
}

TEST_F(ViewTest, CtrlPlusAndMinusZoomWithinTheSteps)
{
    ShowPage();
    struct Key {
        int key;
        int modifiers;
        int index;
    };
    const Key keys[] = {
        {platform::kVkAdd, platform::kModControl, 4},      {platform::kVkOemPlus, platform::kModControl, 5},
        {platform::kVkOemPlus, 0, 5},                      {platform::kVkSubtract, platform::kModControl, 4},
        {platform::kVkOemMinus, platform::kModControl, 3},
    };
    for (const Key& k : keys) {
        view_->KeyForTest(k.key, k.modifiers);
        EXPECT_EQ(view_->ZoomIndex(), k.index);
    }
    for (int i = 0; i < 12; ++i)
        view_->KeyForTest(platform::kVkAdd, platform::kModControl);
    EXPECT_EQ(view_->ZoomIndex(), 8);
    for (int i = 0; i < 12; ++i)
        view_->KeyForTest(platform::kVkSubtract, platform::kModControl);
    EXPECT_EQ(view_->ZoomIndex(), 0);
    EXPECT_DOUBLE_EQ(view_->Zoom(), 0.5);
}

TEST_F(ViewTest, ZoomMakesANewPagePictureAtTheNewSize)
{
    ShowPage();
    Paint();
    const int before = view_->PageBitmap().width();
    view_->ZoomIn();
    EXPECT_TRUE(view_->IsPageBitmapStale());
    editor_.calls.clear();
    Paint();
    EXPECT_EQ(view_->PageBitmap().width(), static_cast<int>(view_->PageWidth() * 1.5));
    EXPECT_GT(view_->PageBitmap().width(), before);
    EXPECT_EQ(editor_.Names().front(), "Run");
}

TEST_F(ViewTest, ScrollBarHidesWhenThePageFitsTheWindow)
{
    ShowPage();
    view_->ZoomOut();
    view_->ZoomOut();
    view_->ZoomOut();  // 0.5
    view_->resize(2000, 2000);
    Pump();
    view_->UpdateScrollBars();
    EXPECT_FALSE(view_->IsScrollBarShown(platform::kSbVert));
    EXPECT_FALSE(view_->IsScrollBarShown(platform::kSbHorz));
    EXPECT_EQ(view_->ScrollY(), 0);
}

TEST_F(ViewTest, OneWheelNotchIsOneStepAndSmallMovementsAddUp)
{
    ShowPage();
    view_->resize(400, 300);
    Pump();
    view_->UpdateScrollBars();
    ASSERT_TRUE(view_->IsScrollBarShown(platform::kSbVert));
    const platform::ScrollInfo info = view_->GetScrollInfo(platform::kSbVert);
    const int step = std::max(1, (info.max - static_cast<int>(info.page) - info.min) / 20);

    struct Wheel {
        int delta;
        int expectedScroll;
    };
    const Wheel moves[] = {{-120, -step}, {-60, -step}, {-60, -2 * step}, {120, -step}, {40, -step},
                           {40, -step},  {40, 0}};
    for (const Wheel& m : moves) {
        SCOPED_TRACE(m.delta);
        view_->WheelForTest(m.delta);
        EXPECT_EQ(view_->ScrollY(), m.expectedScroll);
    }
}

TEST_F(ViewTest, ScrollPositionStaysInRangeAfterZoomAndResize)
{
    ShowPage();
    view_->resize(400, 300);
    Pump();
    view_->UpdateScrollBars();
    view_->ScrollForTest(platform::kSbVert, platform::kSbBottom);
    view_->ScrollForTest(platform::kSbHorz, platform::kSbBottom);
    for (int i = 0; i < 3; ++i)
        view_->ZoomOut();
    for (int bar : {platform::kSbHorz, platform::kSbVert}) {
        const platform::ScrollInfo info = view_->GetScrollInfo(bar);
        const int scroll = bar == platform::kSbHorz ? view_->ScrollX() : view_->ScrollY();
        if (view_->IsScrollBarShown(bar)) {
            EXPECT_LE(-scroll, info.max - static_cast<int>(info.page));
            EXPECT_EQ(-scroll, info.pos);
        } else {
            EXPECT_EQ(scroll, 0);
        }
    }
    view_->resize(300, 200);
    Pump();
    const platform::ScrollInfo info = view_->GetScrollInfo(platform::kSbVert);
    EXPECT_LE(-view_->ScrollY(), info.max - static_cast<int>(info.page));
}

TEST_F(ViewTest, LandscapePrintsTurnedAndTheShownPageComesBack)
{
    QTemporaryDir dir;
    brindle::PageInfo landscape;
    landscape.portrait = false;
    ShowPage(landscape);
    view_->SetCurrentPage(1);
    editor_.pageCount = 3;
    editor_.calls.clear();
    editor_.blackAndWhiteProbe = [this] { return view_->DrawResources().IsBlackAndWhite(); };
    const QString path = dir.filePath("score.pdf");
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    EXPECT_EQ(view_->PrintPages(writer), 3);

    ASSERT_EQ(editor_.calls.size(), 3u);
    for (std::size_t i = 0; i < editor_.calls.size(); ++i) {
        const EditorCall& call = editor_.calls[i];
        EXPECT_EQ(call.name, "Draw");
        EXPECT_EQ(call.page, static_cast<int>(i));
        EXPECT_GT(call.viewportExt.cx, call.viewportExt.cy);
        EXPECT_TRUE(call.blackAndWhite);
    }
    // The margins turned with the paper: the left one is the portrait top (25 mm), so
    // the origin's x is larger than its y (the portrait right margin, 10 mm).
    EXPECT_GT(editor_.calls[0].origin.x, editor_.calls[0].origin.y);
    EXPECT_EQ(editor_.currentPages, (std::vector<int>{0, 1, 2, 1}));
    EXPECT_FALSE(view_->DrawResources().IsBlackAndWhite());
}

TEST_F(ViewTest, PrintingToAPdfGivesOnePagePerScorePage)
{
    QTemporaryDir dir;
    ShowPage();
    struct Case {
        int pages;
        int from, to;
        int printed;
    };
    // The range stops at the score's last page.
    const Case cases[] = {{1, 1, 99, 1}, {4, 1, 99, 4}, {4, 2, 3, 2}, {4, 4, 4, 1}};
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pages);
        editor_.pageCount = c.pages;
        const QString path = dir.filePath(QString("p%1.pdf").arg(n++));
        {
            QPdfWriter writer(path);
            EXPECT_EQ(view_->PrintPages(writer, c.from, c.to), c.printed);
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromLatin1(file.readAll());
        EXPECT_EQ(text.count(QRegularExpression("/Type\\s*/Page(?!s)")), c.printed);
    }
}

}  // namespace
