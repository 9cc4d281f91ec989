// The frame base: the close box asks first, messages and timers reach the frame.
#include "platform/frame_window_base.h"

#include <QApplication>
#include <QCloseEvent>

#include <gtest/gtest.h>

namespace {

// A frame that, like the program's, passes closing to someone else and closes only
// when that one confirms with a message.
class AskingFrame : public platform::FrameWindowBase {
public:
    static constexpr platform::MessageId kCloseConfirmed = 0x601;
    AskingFrame()
    {
        MapMessage(platform::kWmClose, [this](platform::WParam, platform::LParam) -> platform::LResult {
            ++closeRequests;
            return 0;
        });
        MapMessage(kCloseConfirmed, [this](platform::WParam, platform::LParam) -> platform::LResult {
            CloseWindow();
            return 0;
        });
    }
    int closeRequests = 0;
};

TEST(FrameWindowBaseTest, TheCloseBoxAsksAndOnlyAConfirmationCloses)
{
    AskingFrame frame;
    frame.show();
    EXPECT_FALSE(frame.close());  // the close box: refused for now, the request noted
    EXPECT_EQ(frame.closeRequests, 1);
    EXPECT_TRUE(frame.isVisible());

    frame.PostMessage(AskingFrame::kCloseConfirmed);
    QApplication::processEvents();
    EXPECT_FALSE(frame.isVisible());
}

TEST(FrameWindowBaseTest, WithoutAHandlerTheCloseBoxCloses)
{
    platform::FrameWindowBase frame;
    frame.show();
    EXPECT_TRUE(frame.close());
    EXPECT_FALSE(frame.isVisible());
}

}  // namespace
