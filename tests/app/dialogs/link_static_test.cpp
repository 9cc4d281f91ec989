// The hyperlink label: its colours and underline, what a click hands to the opener, the
// visited colour after a successful open and the message after a failed one.
#include "app/dialogs/link_static.h"
#include "platform/scripted_dialog_service.h"
#include "tests/app/dialogs/dialog_test_util.h"

#include <QCursor>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using brindle::CLinkStatic;
using namespace brindle::test;

class LinkStaticTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = CLinkStatic::InstallOpener([this](std::u16string_view address) {
            opened_.emplace_back(address);
            return result_;
        });
        link_ = new CLinkStatic(QString(), &window_);
        link_->setGeometry(10, 10, 300, 40);
        window_.resize(400, 100);
        window_.show();
        ProcessEvents();
    }
    void TearDown() override { CLinkStatic::InstallOpener(previous_); }

    void Hover() { MoveMouse(link_, QPoint(2, 2)); }

    CLinkStatic::Opener previous_;
    std::vector<std::u16string> opened_;
    int result_ = CLinkStatic::kOpened;
    platform::ScriptedDialogService dialogs_;
    platform::ScopedDialogService scoped_{dialogs_};
    RecordingBeep beeps_;
    brindle::ScopedBeepService scopedBeep_{beeps_};
    QWidget window_;
    CLinkStatic* link_ = nullptr;
};

TEST_F(LinkStaticTest, AnEmptyTextTakesTheAddressAndTheLabelFitsIt)
{
    link_->SetURL(u"https://www.example.com/brindle");
    EXPECT_EQ(link_->text(), QStringLiteral("https://www.example.com/brindle"));
    EXPECT_EQ(link_->toolTip(), QStringLiteral("https://www.example.com/brindle"));
    EXPECT_EQ(link_->x(), 10) << "a left-aligned label keeps its left edge";
    EXPECT_EQ(link_->y(), 10);
    QFont underlined = link_->font();
    underlined.setUnderline(true);
    EXPECT_EQ(link_->width(), QFontMetrics(underlined).horizontalAdvance(link_->text()) +
                                  link_->contentsMargins().left() + link_->contentsMargins().right());

    // An address given as text only opens that text.
    CLinkStatic textOnly(QStringLiteral("www.example.org"), &window_);
    EXPECT_EQ(textOnly.GetURL(), u"www.example.org");
}

TEST_F(LinkStaticTest, ColoursAndUnderlineFollowThePointer)
{
    link_->SetURL(u"https://www.example.com");
    EXPECT_EQ(link_->CurrentColor(), CLinkStatic::kLinkColor);
    EXPECT_FALSE(link_->font().underline());
    Hover();
    EXPECT_TRUE(link_->IsOverControl());
    EXPECT_EQ(link_->CurrentColor(), CLinkStatic::kHoverColor);
    EXPECT_TRUE(link_->font().underline());
    EXPECT_EQ(link_->palette().color(QPalette::WindowText), QColor(0xFF, 0, 0));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link_, &leave);
    EXPECT_FALSE(link_->IsOverControl());
    EXPECT_FALSE(link_->font().underline());

    link_->SetUnderline(CLinkStatic::kUnderlineAlways);
    EXPECT_TRUE(link_->font().underline());
    Hover();
    QApplication::sendEvent(link_, &leave);
    EXPECT_TRUE(link_->font().underline()) << "always underlined";
}

TEST_F(LinkStaticTest, TheHoverEndsOnceThePointerIsAwayEvenWithoutALeave)
{
    link_->SetURL(u"https://www.example.com");
    QCursor::setPos(link_->mapToGlobal(QPoint(2, 2)));
    Hover();
    ASSERT_TRUE(link_->IsOverControl());
    QCursor::setPos(window_.mapToGlobal(QPoint(390, 90)));
    EXPECT_TRUE(ProcessUntil([&] { return !link_->IsOverControl(); }));
    EXPECT_FALSE(link_->font().underline());
    EXPECT_EQ(link_->CurrentColor(), CLinkStatic::kLinkColor);
}

TEST_F(LinkStaticTest, ASuccessfulOpenMarksTheLinkVisited)
{
    link_->SetURL(u"https://www.example.com/a b");
    Hover();
    Click(link_, QPoint(3, 3));
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0], u"https://www.example.com/a b") << "the address as one argument, as it is";
    EXPECT_TRUE(link_->IsVisited());
    EXPECT_EQ(link_->CurrentColor(), CLinkStatic::kVisitedColor);
    EXPECT_EQ(link_->palette().color(QPalette::WindowText), QColor(0x55, 0x1A, 0x8B));
    EXPECT_TRUE(dialogs_.MessageBoxes().empty());
    // Hovering again shows the hover colour, leaving the visited one.
    Hover();
    EXPECT_EQ(link_->CurrentColor(), CLinkStatic::kHoverColor);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link_, &leave);
    EXPECT_EQ(link_->CurrentColor(), CLinkStatic::kVisitedColor);
}

TEST_F(LinkStaticTest, AFailedOpenBeepsAndSaysWhy)
{
    result_ = CLinkStatic::kErrorNoAssociation;
    link_->SetURL(u"https://www.example.com");
    Click(link_, QPoint(3, 3));
    EXPECT_FALSE(link_->IsVisited());
    EXPECT_EQ(beeps_.beeps, (std::vector<unsigned>{platform::kMbIconExclamation}));
    ASSERT_EQ(dialogs_.MessageBoxes().size(), 1u);
    EXPECT_EQ(dialogs_.MessageBoxes()[0].text,
              u"Unable to open hyperlink:\n\nThere is no application associated\nwith the given filename extension.");
    EXPECT_EQ(dialogs_.MessageBoxes()[0].type, platform::kMbOk | platform::kMbIconExclamation);
}

TEST(LinkStatic, FailureMessages)
{
    EXPECT_EQ(CLinkStatic::FailureMessage(2), u"Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_EQ(CLinkStatic::FailureMessage(26), u"Unable to open hyperlink:\n\nA sharing violation occurred. ");
    EXPECT_EQ(CLinkStatic::FailureMessage(7), u"Unable to open hyperlink:\n\nUnknown Error (7) occurred.");
    EXPECT_EQ(CLinkStatic::FailureMessage(-1), u"Unable to open hyperlink:\n\nUnknown Error (-1) occurred.");
}

TEST(LinkStatic, TheDesktopOpenerRefusesAnEmptyAddress)
{
    EXPECT_EQ(CLinkStatic::OpenWithDesktop(u""), CLinkStatic::kErrorFileNotFound);
}

}  // namespace
