#include "app/shell/main_frame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>

#include <filesystem>
#include <functional>
#include <memory>

#include "app/dialogs/flat_tool_bar.h"
#include "app/shell/command_ids.h"
#include "app/shell/own_strings.h"
#include "platform/command_manager.h"
#include "platform/font_resources.h"
#include "platform/string_table.h"
#include "shell_fakes.h"

namespace {

using brindle::CMainFrame;
using shell_test::Pump;
using shell_test::PumpUntil;
namespace cmd = brindle::cmd;
namespace msg = brindle::msg;

class MainFrameTest : public ::testing::Test {
protected:
    // The toolbar pictures are drawn in the music fonts, as the program adds them at start.
    static void SetUpTestSuite()
    {
        ASSERT_EQ(platform::AddFontResource(std::filesystem::path(BRINDLE_SOURCE_DIR) / "data" / "fonts" / "Tansy.ttc"), 5);
    }

    void SetUp() override
    {
        brindle::RegisterOwnStrings();
        Make(CMainFrame::Options{});
    }

    void Make(CMainFrame::Options options)
    {
        frame_.reset();
        view_ = new shell_test::RecordingView();
        frame_ = std::make_unique<CMainFrame>(view_, &application_, options);
        ASSERT_TRUE(frame_->Create());
        frame_->resize(1000, 700);
    }

    std::vector<QString> Tooltips(QToolBar* bar)
    {
        std::vector<QString> tips;
        for (QAction* action : bar->actions()) {
            if (action->isSeparator())
                tips.push_back(QStringLiteral("|"));
            else if (frame_->Commands().IdOf(action) != 0)
                tips.push_back(action->toolTip());
        }
        return tips;
    }

    platform::CommandTarget application_;
    shell_test::RecordingView* view_ = nullptr;
    std::unique_ptr<CMainFrame> frame_;
};

TEST_F(MainFrameTest, ToolbarsCarryTheirIdsAndTooltipsInOrder)
{
    struct Expected {
        int id;
        std::vector<QString> tips;
    };
    const std::vector<Expected> expected = {
        {0xE801, {"新建", "打开", "保存", "打印", "|", "撤消", "重新执行"}},
        {0xE802, {"", "上一页", "下一页", ""}},
        {0xE803, {"放大", "缩小", "默认大小", "拖动"}},
        {0xE804, {"播　放", "停　止", "录　音", "节拍器"}},
        {0xE805, {"倍低音", "低音", "中音", "高音", "倍高音", "|", "全音符", "二分音符", "四分音符", "8分音符", "16分音符",
                  "32分音符", "|", "附点", "|", "升号", "还原号", "降号", "|", "同音连音线", "三连音"}},
        {0xE808, {"小节线", "符号", "线", "力度符号", "歌词", "排版", "任意文字"}},
        {0xE806, {"前倚音", "后倚音"}},
        {0xE807, {"缩小音符", "放大音符"}},
    };
    const auto& bars = frame_->ToolBars();
    ASSERT_GE(bars.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bars[i]->property("controlBarId").toInt(), expected[i].id);
        EXPECT_EQ(Tooltips(bars[i]), expected[i].tips);
    }
    // All of them flat toolbars, which leave no trace behind when they move.
    for (QToolBar* bar : bars)
        EXPECT_NE(qobject_cast<brindle::CFlatToolBar*>(bar), nullptr) << bar->windowTitle().toStdString();
    // The six palettes and the font toolbar follow, all under one id.
    EXPECT_EQ(bars.size(), expected.size() + 7);
    for (std::size_t i = expected.size(); i < bars.size(); ++i)
        EXPECT_EQ(bars[i]->property("controlBarId").toInt(), CMainFrame::kControlBarPalette);
    EXPECT_EQ(Tooltips(frame_->Palette(cmd::kDynamicsPalette)).front(), QStringLiteral("p"));
    EXPECT_EQ(Tooltips(frame_->Palette(cmd::kLyricPalette)),
              (std::vector<QString>{"编辑歌词", "|", "歌词段落1", "歌词段落2", "歌词段落3", "歌词段落4", "歌词段落5"}));
}

// A button's picture is all a user sees of it until the tooltip shows: within one
// toolbar or palette no two buttons may look alike (the layout palette's five "显示..."
// switches and the line palette's three arpeggios once did).
TEST_F(MainFrameTest, NoTwoButtonsOfAToolbarLookAlike)
{
    for (QToolBar* bar : frame_->ToolBars()) {
        SCOPED_TRACE(bar->windowTitle().toStdString());
        std::vector<std::pair<QImage, QString>> seen;
        for (QAction* action : bar->actions()) {
            if (action->isSeparator() || frame_->Commands().IdOf(action) == 0 || action->icon().isNull())
                continue;
            const QImage image = action->icon().pixmap(QSize(24, 24)).toImage();
            for (const auto& [other, tip] : seen)
                EXPECT_NE(image, other) << action->toolTip().toStdString() << " / " << tip.toStdString();
            seen.emplace_back(image, action->toolTip());
        }
    }
}

// The File menu holds the export submenu right after Save As, and the commands with keys
// of their own keep them with every menu closed: the window itself holds their actions.
TEST_F(MainFrameTest, FileMenuExportsAfterSaveAsAndTheWindowHoldsTheMenuKeys)
{
    QMenu* file = frame_->menuBar()->actions().front()->menu();
    ASSERT_NE(file, nullptr);
    const QList<QAction*> items = file->actions();
    const qsizetype saveAs = items.indexOf(frame_->Commands().Action(cmd::kFileSaveAs));
    ASSERT_GE(saveAs, 0);
    ASSERT_LT(saveAs + 1, items.size());
    QMenu* exports = items[saveAs + 1]->menu();
    ASSERT_NE(exports, nullptr);
    EXPECT_EQ(exports->title(), QStringLiteral("导出(&E)"));
    std::vector<std::pair<int, QString>> offered;
    for (QAction* action : exports->actions())
        offered.emplace_back(frame_->Commands().IdOf(action), action->text());
    EXPECT_EQ(offered, (std::vector<std::pair<int, QString>>{{cmd::kExportMidi, QStringLiteral("MIDI文件...")},
                                                             {cmd::kExportMetafile, QStringLiteral("WMF文件...")}}));

    const struct {
        int id;
        QList<QKeySequence> keys;
    } expected[] = {
        {cmd::kFileNew, {QKeySequence(QStringLiteral("Ctrl+N"))}},
        {cmd::kFileOpen, {QKeySequence(QStringLiteral("Ctrl+O"))}},
        {cmd::kFileSave, {QKeySequence(QStringLiteral("Ctrl+S"))}},
        {cmd::kFilePrint, {QKeySequence(QStringLiteral("Ctrl+P"))}},
        {cmd::kEditUndo, {QKeySequence(QStringLiteral("Ctrl+Z")), QKeySequence(QStringLiteral("Alt+Backspace"))}},
        {cmd::kEditRedo, {QKeySequence(QStringLiteral("Ctrl+Y"))}},
        {cmd::kHelp, {QKeySequence(QStringLiteral("F1"))}},
        {cmd::kEditCut, {QKeySequence(QStringLiteral("Ctrl+X"))}},
        {cmd::kEditCopy, {QKeySequence(QStringLiteral("Ctrl+C"))}},
        {cmd::kEditPaste, {QKeySequence(QStringLiteral("Ctrl+V"))}},
    };
    for (const auto& [id, keys] : expected) {
        SCOPED_TRACE(id);
        QAction* action = frame_->Commands().Action(id);
        EXPECT_EQ(action->shortcuts(), keys);
        EXPECT_TRUE(frame_->actions().contains(action));
    }
}

TEST_F(MainFrameTest, PlaybackControlsHaveIdsOfTheirOwn)
{
    EXPECT_EQ(frame_->TempoLabel()->property("controlId").toInt(), CMainFrame::kTempoLabelId);
    EXPECT_EQ(frame_->TempoNumber()->property("controlId").toInt(), CMainFrame::kTempoNumberId);
    EXPECT_EQ(frame_->TempoSlider()->property("controlId").toInt(), CMainFrame::kTempoSliderId);
    EXPECT_EQ(frame_->PositionDisplay()->property("controlId").toInt(), CMainFrame::kPositionId);
    EXPECT_NE(CMainFrame::kTempoLabelId, CMainFrame::kTempoNumberId);
    EXPECT_EQ(frame_->TempoLabel()->text(), QStringLiteral("Q="));
    EXPECT_TRUE(frame_->TempoNumber()->text().isEmpty());
    EXPECT_EQ(frame_->TempoSlider()->minimum(), 40);
    EXPECT_EQ(frame_->TempoSlider()->maximum(), 250);
    EXPECT_EQ(frame_->TempoSlider()->value(), 100);
}

TEST_F(MainFrameTest, SetTempoShowsAndSendsTheValueAsGivenWithTheSliderInItsRange)
{
    struct Case {
        int given;
        int slider;
    };
    for (const Case c : {Case{120, 120}, Case{30, 40}, Case{300, 250}, Case{400, 250}, Case{40, 40}, Case{250, 250}}) {
        SCOPED_TRACE(c.given);
        view_->tempos.clear();
        frame_->PostMessage(msg::kSetTempo, static_cast<platform::WParam>(static_cast<std::intptr_t>(c.given)));
        ASSERT_TRUE(PumpUntil([this] { return !view_->tempos.empty(); }));
        Pump();
        EXPECT_EQ(frame_->TempoSlider()->value(), c.slider);
        EXPECT_EQ(frame_->TempoNumber()->text(), QString::number(c.given));
        // Setting the slider from here is not the user moving it: one tempo reaches the view.
        EXPECT_EQ(view_->tempos, std::vector<int>{c.given});
    }
}

TEST_F(MainFrameTest, MovingTheSliderShowsTheNumberAndTellsTheView)
{
    frame_->TempoSlider()->setValue(180);
    ASSERT_TRUE(PumpUntil([this] { return !view_->tempos.empty(); }));
    EXPECT_EQ(view_->tempos, std::vector<int>{180});
    EXPECT_EQ(frame_->TempoNumber()->text(), QStringLiteral("180"));
    EXPECT_EQ(frame_->SendMessage(msg::kGetTempo), 180);
}

TEST_F(MainFrameTest, PositionDisplayJoinsTheNumbersAndEmptiesForZeroZero)
{
    struct Case {
        int first;
        int second;
        const char* shown;
    };
    for (const Case c : {Case{12, 3, "12:3"}, Case{0, 5, "0:5"}, Case{7, 0, "7:0"}, Case{0, 0, ""}}) {
        frame_->SendMessage(msg::kShowPosition, static_cast<platform::WParam>(c.first), c.second);
        EXPECT_EQ(frame_->PositionDisplay()->text(), QString::fromUtf8(c.shown)) << c.first << ":" << c.second;
    }
}

TEST_F(MainFrameTest, OnlyOnePaletteShowsAtATime)
{
    view_->m_bScoreReady = true;
    auto& commands = frame_->Commands();
    const int switches[] = {cmd::kBarlinePalette, cmd::kSymbolPalette, cmd::kLinePalette,
                            cmd::kDynamicsPalette, cmd::kLyricPalette, cmd::kLayoutPalette};
    auto shown = [&] {
        std::vector<int> ids;
        for (int id : switches)
            if (!frame_->Palette(id)->isHidden())
                ids.push_back(id);
        return ids;
    };
    EXPECT_TRUE(shown().empty());
    ASSERT_TRUE(commands.Execute(cmd::kBarlinePalette));
    EXPECT_EQ(shown(), std::vector<int>{cmd::kBarlinePalette});
    ASSERT_TRUE(commands.Execute(cmd::kLinePalette));
    EXPECT_EQ(shown(), std::vector<int>{cmd::kLinePalette});
    commands.Update(cmd::kLinePalette);
    commands.Update(cmd::kBarlinePalette);
    EXPECT_TRUE(commands.Action(cmd::kLinePalette)->isChecked());
    EXPECT_FALSE(commands.Action(cmd::kBarlinePalette)->isChecked());
    // The visible one again: none shows.
    ASSERT_TRUE(commands.Execute(cmd::kLinePalette));
    EXPECT_TRUE(shown().empty());
    ASSERT_TRUE(commands.Execute(cmd::kLyricPalette));

    // Without a score every switch is disabled and unchecked, whatever its flag.
    view_->m_bScoreReady = false;
    for (int id : switches) {
        commands.Update(id);
        EXPECT_FALSE(commands.Action(id)->isEnabled()) << id;
        EXPECT_FALSE(commands.Action(id)->isChecked()) << id;
    }
    EXPECT_FALSE(commands.Execute(cmd::kSymbolPalette));
}

TEST_F(MainFrameTest, ProgressTimerStepsEvery500msWhileTheDialogShows)
{
    frame_->show();
    EXPECT_EQ(frame_->SendMessage(msg::kShowProgress), 0);
    EXPECT_TRUE(frame_->ProgressDialog()->isVisible());
    EXPECT_EQ(frame_->ProgressTimerId(), CMainFrame::kProgressTimer);
    EXPECT_TRUE(frame_->Port().HasTimer(CMainFrame::kProgressTimer));
    EXPECT_EQ(frame_->ProgressValue(), 0);
    ASSERT_TRUE(PumpUntil([this] { return frame_->ProgressValue() >= 2; }, 3000));

    // A second show resets the bar and keeps the one timer.
    frame_->SendMessage(msg::kShowProgress);
    EXPECT_EQ(frame_->ProgressValue(), 0);
    EXPECT_EQ(frame_->ProgressTimerId(), CMainFrame::kProgressTimer);

    frame_->SendMessage(msg::kHideProgress);
    EXPECT_FALSE(frame_->ProgressDialog()->isVisible());
    EXPECT_EQ(frame_->ProgressTimerId(), 0u);
    EXPECT_FALSE(frame_->Port().HasTimer(CMainFrame::kProgressTimer));
    const int stopped = frame_->ProgressValue();
    PumpUntil([] { return false; }, 700);
    EXPECT_EQ(frame_->ProgressValue(), stopped);
}

TEST_F(MainFrameTest, AutosaveTimerPostsTheRequestToTheView)
{
    EXPECT_EQ(frame_->AutosaveTimerId(), CMainFrame::kAutosaveTimer);
    CMainFrame::Options options;
    options.autosaveInterval = 30;
    Make(options);
    ASSERT_TRUE(PumpUntil([this] { return view_->autosaves >= 2; }));
}

TEST_F(MainFrameTest, BoldPressedTwiceSendsOneThenZero)
{
    auto& commands = frame_->Commands();
    ASSERT_TRUE(commands.Execute(cmd::kBold));
    commands.Update(cmd::kBold);
    EXPECT_TRUE(commands.Action(cmd::kBold)->isChecked());
    ASSERT_TRUE(commands.Execute(cmd::kBold));
    ASSERT_TRUE(commands.Execute(cmd::kUnderline));
    ASSERT_EQ(view_->styleChanges.size(), 3u);
    EXPECT_EQ(view_->styleChanges[0].kind, brindle::TextStyleChange::kBold);
    EXPECT_EQ(view_->styleChanges[0].bold, 1);
    EXPECT_EQ(view_->styleChanges[1].kind, brindle::TextStyleChange::kBold);
    EXPECT_EQ(view_->styleChanges[1].bold, 0);
    EXPECT_EQ(view_->styleChanges[2].kind, brindle::TextStyleChange::kUnderline);
    EXPECT_EQ(view_->styleChanges[2].underline, 1);
    commands.Update(cmd::kBold);
    EXPECT_FALSE(commands.Action(cmd::kBold)->isChecked());
    EXPECT_TRUE(commands.Action(cmd::kBold)->isEnabled());
}

TEST_F(MainFrameTest, TextStyleChangeFromTheFontToolbarReachesTheView)
{
    brindle::TextStyleChange change;
    change.kind = brindle::TextStyleChange::kSize;
    change.size = 14;
    frame_->SendMessage(msg::kTextStyleChange, reinterpret_cast<platform::WParam>(&change));
    ASSERT_EQ(view_->styleChanges.size(), 1u);
    EXPECT_EQ(view_->styleChanges[0].size, 14);
}

TEST_F(MainFrameTest, FontBoxesSendFaceAndSizeAndPassOverBadSizes)
{
    QComboBox* size = frame_->FontSizeBox();
    ASSERT_NE(size, nullptr);
    for (const char* typed : {"abc", "0", "-3", "100000", "1.5"})
        size->setCurrentText(QString::fromUtf8(typed));
    EXPECT_TRUE(view_->styleChanges.empty());
    size->setCurrentText(QStringLiteral("18"));
    ASSERT_EQ(view_->styleChanges.size(), 1u);
    EXPECT_EQ(view_->styleChanges[0].kind, brindle::TextStyleChange::kSize);
    EXPECT_EQ(view_->styleChanges[0].size, 18);

    QFontComboBox* face = frame_->FontFaceBox();
    ASSERT_NE(face, nullptr);
    if (face->count() < 2)
        GTEST_SKIP() << "only one font face installed";
    face->setCurrentIndex(face->currentIndex() == 0 ? 1 : 0);
    ASSERT_EQ(view_->styleChanges.size(), 2u);
    EXPECT_EQ(view_->styleChanges[1].kind, brindle::TextStyleChange::kFaceName);
    EXPECT_EQ(QString::fromStdU16String(view_->styleChanges[1].faceName), face->currentFont().family().left(31));
}

TEST_F(MainFrameTest, FontToolbarShowsOnlyForTool4)
{
    frame_->show();
    EXPECT_FALSE(frame_->FontToolBar()->isVisible());
    frame_->PostMessage(msg::kMouseToolChanged, 4);
    Pump();
    EXPECT_TRUE(frame_->FontToolBar()->isVisible());
    EXPECT_TRUE(frame_->FontToolBar()->isFloating());
    frame_->PostMessage(msg::kMouseToolChanged, 1);
    Pump();
    EXPECT_FALSE(frame_->FontToolBar()->isVisible());
}

TEST_F(MainFrameTest, FontToolbarFirstShownHoldsItsBoxesBeforeTheStyleButtons)
{
    struct Case {
        const char* name;
        std::function<void(CMainFrame&)> show;
    };
    const std::vector<Case> cases = {
        {"by the free-text tool",
         [](CMainFrame& frame) {
             frame.PostMessage(msg::kMouseToolChanged, 4);
             Pump();
         }},
        {"from the main window's menu of bars", [](CMainFrame& frame) { frame.FontToolBar()->toggleViewAction()->trigger(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Make(CMainFrame::Options{});
        frame_->show();
        Pump();
        QDockWidget* dock = frame_->FontToolBar();
        ASSERT_NE(dock, nullptr);
        // Not shown since the start: this is the bar's first showing.
        ASSERT_EQ(dock->findChild<QFontComboBox*>(), nullptr);
        c.show(*frame_);
        ASSERT_TRUE(dock->isVisible());
        auto* bar = qobject_cast<QToolBar*>(dock->widget());
        ASSERT_NE(bar, nullptr);
        const QList<QAction*> actions = bar->actions();
        ASSERT_EQ(actions.size(), 6);
        EXPECT_NE(qobject_cast<QFontComboBox*>(bar->widgetForAction(actions[0])), nullptr);
        EXPECT_EQ(bar->widgetForAction(actions[1])->objectName(), QStringLiteral("fontSize"));
        EXPECT_TRUE(actions[2]->isSeparator());
        EXPECT_EQ(actions[3], frame_->Commands().Action(cmd::kBold));
        // The floating window is wide enough for the whole bar: nothing folds away.
        EXPECT_GE(bar->width(), bar->sizeHint().width());
        for (int i = 0; i < actions.size(); ++i) {
            if (!actions[i]->isSeparator()) {
                EXPECT_TRUE(bar->widgetForAction(actions[i])->isVisible()) << i;
            }
        }
        auto* size = qobject_cast<QComboBox*>(bar->widgetForAction(actions[1]));
        ASSERT_NE(size, nullptr);
        view_->styleChanges.clear();
        size->setCurrentText(QStringLiteral("18"));
        ASSERT_EQ(view_->styleChanges.size(), 1u);
        EXPECT_EQ(view_->styleChanges[0].size, 18);
    }
}

TEST_F(MainFrameTest, ViewMenuTogglesTheMainToolbarAndTheStatusBar)
{
    frame_->show();
    auto& commands = frame_->Commands();
    QToolBar* file = frame_->FindToolBar(0xE801);
    ASSERT_TRUE(file->isVisible());
    ASSERT_TRUE(commands.Execute(cmd::kViewToolbar));
    EXPECT_FALSE(file->isVisible());
    EXPECT_TRUE(frame_->Palette(cmd::kBarlinePalette)->isHidden());
    ASSERT_TRUE(commands.Execute(cmd::kViewToolbar));
    EXPECT_TRUE(file->isVisible());
    ASSERT_TRUE(commands.Execute(cmd::kViewStatusBar));
    EXPECT_FALSE(frame_->statusBar()->isVisible());
}

TEST_F(MainFrameTest, StatusTextGoesToThePagePane)
{
    frame_->SetStatusText(u"第 1 页 / 共 3 页");
    EXPECT_EQ(frame_->StatusText(), u"第 1 页 / 共 3 页");
}

TEST_F(MainFrameTest, ClosingGoesThroughTheView)
{
    frame_->show();
    view_->m_bRecording = true;
    frame_->close();
    Pump();
    EXPECT_EQ(view_->closeRequests, 1);
    EXPECT_TRUE(frame_->isVisible());
    EXPECT_EQ(frame_->AutosaveTimerId(), CMainFrame::kAutosaveTimer);

    view_->m_bRecording = false;
    frame_->close();
    ASSERT_TRUE(PumpUntil([this] { return !frame_->isVisible(); }));
    EXPECT_EQ(view_->closeRequests, 2);
    EXPECT_EQ(frame_->AutosaveTimerId(), 0u);
    EXPECT_FALSE(frame_->Port().HasTimer(CMainFrame::kAutosaveTimer));
}

TEST_F(MainFrameTest, IgnoredMessagesAnswerZero)
{
    for (platform::MessageId m : {msg::kViewSetUpDone, msg::kIgnored602, msg::kIgnored603})
        EXPECT_EQ(frame_->SendMessage(m, 5, 6), 0);
}

}  // namespace
