// The keys of the window's commands, pressed as the window system delivers them: a
// command that is greyed still takes its key, as a disabled accelerator does, so Ctrl+X
// with nothing selected never reaches the score as a typed X.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QSlider>
#include <QTest>

#include <memory>
#include <vector>

#include "app/shell/command_ids.h"
#include "app/shell/main_frame.h"
#include "app/shell/own_strings.h"
#include "platform/command_manager.h"
#include "platform/key_translation.h"
#include "shell_fakes.h"

namespace {

using shell_test::Pump;

class KeyRecordingView final : public brindle::CBrindleView {
public:
    std::vector<int> keys;

protected:
    void OnKeyDown(int virtualKey, int repeat, unsigned flags) override
    {
        if (virtualKey != platform::kVkControl)
            keys.push_back(virtualKey);
        CBrindleView::OnKeyDown(virtualKey, repeat, flags);
    }
};

// The main window shown and active, with the keyboard on the view.
class EditKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        brindle::RegisterOwnStrings();
        view = new KeyRecordingView();
        frame = std::make_unique<brindle::CMainFrame>(view, &application);
        ASSERT_TRUE(frame->Create());
        frame->resize(800, 600);
        frame->show();
        view->setFocus();
        Pump();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }

    KeyRecordingView* view = nullptr;  // owned by the frame
    platform::CommandTarget application;
    std::unique_ptr<brindle::CMainFrame> frame;
};

TEST_F(EditKeysTest, AGreyedCommandStillTakesItsKey)
{
    // No score: Cut, Copy, Paste and Save are greyed; their keys end there.
    for (int id : {brindle::cmd::kEditCut, brindle::cmd::kEditCopy, brindle::cmd::kEditPaste, brindle::cmd::kFileSave}) {
        frame->Commands().Update(id);
        EXPECT_FALSE(frame->Commands().Action(id)->isEnabled()) << id;
    }
    for (Qt::Key key : {Qt::Key_X, Qt::Key_C, Qt::Key_V, Qt::Key_S})
        QTest::keyClick(view, key, Qt::ControlModifier);
    Pump();
    EXPECT_TRUE(view->keys.empty());

    // A key no command takes still reaches the view.
    QTest::keyClick(view, Qt::Key_X);
    Pump();
    EXPECT_EQ(view->keys, std::vector<int>{'X'});
}

// Moving the playback speed with the mouse leaves the keyboard with the score: Space
// (stop) and the note keys still reach the view after the slider was dragged.
TEST_F(EditKeysTest, TheTempoSliderLeavesTheKeysWithTheScore)
{
    QSlider* slider = frame->TempoSlider();
    ASSERT_NE(slider, nullptr);
    const QPoint from = slider->rect().center();
    QTest::mousePress(slider, Qt::LeftButton, {}, from);
    QTest::mouseMove(slider, from + QPoint(10, 0));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, from + QPoint(10, 0));
    Pump();

    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, Qt::Key_Space);
    Pump();
    EXPECT_EQ(view->keys, std::vector<int>{platform::kVkSpace});
}

}  // namespace
