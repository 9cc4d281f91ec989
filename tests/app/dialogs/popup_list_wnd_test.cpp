// The popup list: a press on a row posts the item's id to the owner and hides the window,
// a press below the rows only hides it, the row under the pointer is highlighted and stays
// so from one showing to the next, and losing the focus hides the window.
#include "app/dialogs/popup_list_wnd.h"

#include "dialog_test_util.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>

#include <gtest/gtest.h>

#include <memory>

namespace {

using brindle::CPopupListWnd;
using brindle::test::Click;
using brindle::test::MoveMouse;
using brindle::test::ProcessEvents;

constexpr platform::MessageId kNoteValueMessage = platform::kWmUser + 100;
constexpr int kRowHeight = 22;

// The tempo dialog's note-value popup: five letters of the signature font, ids 1 to 5.
class PopupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog_ = std::make_unique<brindle::test::RecordingDialog>(165);
        dialog_->resize(200, 160);
        field_ = new QLineEdit(dialog_.get());
        dialog_->Record(kNoteValueMessage);
        ASSERT_TRUE(brindle::test::ShowActive(*dialog_));
        popup_ = new CPopupListWnd(dialog_.get());
        popup_->resize(40, 110);
        quaverly::LogFont font;
        font.height = -22;
        font.quality = 4;
        font.SetFaceName(u"Tansy Signature");
        popup_->SetFont(font);
        popup_->SetNotify(&dialog_->Port(), kNoteValueMessage);
        popup_->SetRowHeight(kRowHeight);
        for (int id = 1; id <= 5; ++id)
            popup_->AddItem(std::u16string(1, static_cast<char16_t>(u'N' + id)), id);
    }

    // A point inside row `row` (the window has a one-pixel border).
    static QPoint InRow(int row) { return {20, 1 + row * kRowHeight + kRowHeight / 2}; }

    std::unique_ptr<brindle::test::RecordingDialog> dialog_;
    QLineEdit* field_ = nullptr;
    CPopupListWnd* popup_ = nullptr;
};

TEST_F(PopupTest, PressOnARowPostsItsIdAndHides)
{
    popup_->show();
    ASSERT_TRUE(popup_->isVisible());
    Click(popup_, InRow(3));
    EXPECT_FALSE(popup_->isVisible());
    EXPECT_TRUE(dialog_->received.empty());  // posted, not sent
    ProcessEvents();
    ASSERT_EQ(dialog_->received.size(), 1u);
    EXPECT_EQ(dialog_->received[0].message, kNoteValueMessage);
    EXPECT_EQ(dialog_->received[0].wParam, 4u);
    EXPECT_EQ(dialog_->received[0].lParam, 0);
}

TEST_F(PopupTest, PressBelowTheRowsOnlyHides)
{
    popup_->resize(40, 200);
    popup_->show();
    Click(popup_, QPoint(20, 1 + 5 * kRowHeight + 3));
    EXPECT_FALSE(popup_->isVisible());
    ProcessEvents();
    EXPECT_TRUE(dialog_->received.empty());
}

TEST_F(PopupTest, RowsFollowTheRowHeight)
{
    struct Case {
        int y;
        int row;
    };
    for (const Case c : {Case{0, 0}, Case{21, 0}, Case{22, 1}, Case{109, 4}, Case{110, -1}, Case{-1, -1}}) {
        SCOPED_TRACE(c.y);
        EXPECT_EQ(popup_->RowAt(c.y), c.row);
    }
    // Without a row height there are no rows: a press only hides.
    popup_->SetRowHeight(0);
    EXPECT_EQ(popup_->RowAt(10), -1);
    popup_->show();
    Click(popup_, InRow(0));
    EXPECT_FALSE(popup_->isVisible());
    ProcessEvents();
    EXPECT_TRUE(dialog_->received.empty());
}

TEST_F(PopupTest, HotRowFollowsThePointerAndStays)
{
    EXPECT_EQ(popup_->HotRow(), 0);
    popup_->show();
    MoveMouse(popup_, InRow(2));
    EXPECT_EQ(popup_->HotRow(), 2);
    MoveMouse(popup_, QPoint(20, 105 + 40));  // below the rows: the last row stays
    EXPECT_EQ(popup_->HotRow(), 2);
    popup_->hide();
    popup_->show();
    EXPECT_EQ(popup_->HotRow(), 2);

    // The hot row is painted in the highlight colour, the others in the menu colour.
    const QPalette colours = QApplication::palette("QMenu");
    const QImage image = popup_->Render();
    EXPECT_EQ(image.pixelColor(2, InRow(2).y()), colours.color(QPalette::Highlight));
    EXPECT_EQ(image.pixelColor(2, InRow(0).y()), colours.color(QPalette::Window));
}

TEST_F(PopupTest, LosingTheFocusHides)
{
    popup_->show();
    ASSERT_TRUE(brindle::test::ProcessUntil([&] { return popup_->hasFocus(); }));
    dialog_->activateWindow();
    field_->setFocus();
    ASSERT_TRUE(brindle::test::ProcessUntil([&] { return !popup_->isVisible(); }));
    ProcessEvents();
    EXPECT_TRUE(dialog_->received.empty());
}

TEST_F(PopupTest, OwnerGoneBeforeThePress)
{
    auto port = std::make_unique<platform::MessagePort>([](const platform::WindowMessage&) { return 0; });
    popup_->SetNotify(port.get(), kNoteValueMessage);
    port.reset();
    popup_->show();
    Click(popup_, InRow(1));
    EXPECT_FALSE(popup_->isVisible());
}

}  // namespace
