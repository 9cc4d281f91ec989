// The spin buttons: the pairing shows 0, clicks step the edit's value and stop at its
// ends, the wheel never runs out, and everything is ignored without a number-field buddy.
#include "app/dialogs/num_spin_ctrl.h"

#include "app/dialogs/num_edit.h"

#include <QLineEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

using brindle::CNumEdit;
using brindle::CNumSpinCtrl;

TEST(NumSpinCtrl, PairingShowsZeroInTheDefaultRange)
{
    CNumEdit edit;
    CNumSpinCtrl spin;
    spin.SetBuddy(&edit);
    EXPECT_EQ(spin.GetBuddy(), &edit);
    EXPECT_EQ(edit.text(), QStringLiteral("0"));
    EXPECT_EQ(spin.GetPos(), 0.0f);
    EXPECT_EQ(spin.GetDelta(), 1.0f);

    // 0 outside the edit's range is not shown.
    CNumEdit narrow;
    narrow.SetRange(1, 10);
    CNumSpinCtrl other;
    other.SetBuddy(&narrow);
    EXPECT_EQ(narrow.text(), QString());
}

TEST(NumSpinCtrl, DialogSetUpOrderAndClicks)
{
    CNumEdit edit;
    CNumSpinCtrl spin;
    spin.SetBuddy(&edit);
    spin.SetRange(1, 8);
    spin.SetPos(6);
    spin.SetDelta(1);
    float minimum = 0;
    float maximum = 0;
    spin.GetRange(minimum, maximum);
    EXPECT_EQ(minimum, 1.0f);
    EXPECT_EQ(maximum, 8.0f);
    EXPECT_EQ(edit.text(), QStringLiteral("6"));

    spin.UpButton()->click();
    EXPECT_EQ(spin.GetPos(), 7.0f);
    spin.DownButton()->click();
    spin.DownButton()->click();
    EXPECT_EQ(spin.GetPos(), 5.0f);
}

TEST(NumSpinCtrl, StopsAtTheEndsOfTheRange)
{
    CNumEdit edit;
    CNumSpinCtrl spin;
    spin.SetBuddy(&edit);
    spin.SetRange(40, 250);
    spin.SetPos(248);
    for (int i = 0; i < 5; ++i)
        spin.Step(1);
    EXPECT_EQ(edit.text(), QStringLiteral("250"));
    spin.SetPos(41);
    for (int i = 0; i < 5; ++i)
        spin.Step(-1);
    EXPECT_EQ(edit.text(), QStringLiteral("40"));

    // A step of a fraction keeps its places and still stops at the maximum.
    spin.SetDelta(0.5f);
    spin.SetPos(249);
    spin.Step(1);
    EXPECT_EQ(edit.text(), QStringLiteral("249.5"));
    spin.Step(1);
    spin.Step(1);
    EXPECT_EQ(edit.text(), QStringLiteral("250.0"));
}

TEST(NumSpinCtrl, TheWheelNeverRunsOutInEitherDirection)
{
    CNumEdit edit;
    CNumSpinCtrl spin;
    spin.SetBuddy(&edit);
    spin.SetRange(-5000, 5000);
    spin.SetPos(0);
    EXPECT_EQ(spin.WheelPos(), CNumSpinCtrl::kWheelMiddle);
    for (int i = 0; i < 1200; ++i) {
        spin.Step(1);
        ASSERT_GT(spin.WheelPos(), CNumSpinCtrl::kWheelLower);
        ASSERT_LT(spin.WheelPos(), CNumSpinCtrl::kWheelUpper);
    }
    EXPECT_EQ(spin.GetPos(), 1200.0f);
    for (int i = 0; i < 2400; ++i) {
        spin.Step(-1);
        ASSERT_GT(spin.WheelPos(), CNumSpinCtrl::kWheelLower);
        ASSERT_LT(spin.WheelPos(), CNumSpinCtrl::kWheelUpper);
    }
    EXPECT_EQ(spin.GetPos(), -1200.0f);
}

TEST(NumSpinCtrl, TextThatIsNoNumberStepsFromTheMinimum)
{
    CNumEdit edit;
    CNumSpinCtrl spin;
    spin.SetBuddy(&edit);
    spin.SetRange(1, 100);
    edit.setText(QStringLiteral("abc"));
    spin.Step(1);
    EXPECT_EQ(edit.text(), QStringLiteral("2"));
}

TEST(NumSpinCtrl, WithoutANumberFieldBuddyNothingHappens)
{
    CNumSpinCtrl lonely;
    lonely.SetRange(1, 10);
    lonely.SetPos(5);
    lonely.SetDelta(2);
    lonely.Step(1);
    float minimum = -7;
    float maximum = 7;
    lonely.GetRange(minimum, maximum);
    EXPECT_EQ(minimum, -7.0f);
    EXPECT_EQ(maximum, 7.0f);
    EXPECT_EQ(lonely.GetPos(), 0.0f);
    EXPECT_EQ(lonely.GetDelta(), 0.0f);
    EXPECT_EQ(lonely.GetBuddy(), nullptr);

    QLineEdit plain;
    plain.setText(QStringLiteral("3"));
    CNumSpinCtrl spin;
    spin.SetBuddyWindow(&plain);
    spin.SetPos(8);
    spin.Step(1);
    EXPECT_EQ(plain.text(), QStringLiteral("3"));
    EXPECT_EQ(spin.GetBuddy(), &plain);
    EXPECT_EQ(spin.GetPos(), 0.0f);

    // A buddy that is gone is no buddy.
    auto edit = std::make_unique<CNumEdit>();
    CNumSpinCtrl orphan;
    orphan.SetBuddy(edit.get());
    edit.reset();
    orphan.Step(1);
    EXPECT_EQ(orphan.GetBuddy(), nullptr);
    EXPECT_EQ(orphan.GetPos(), 0.0f);
}

}  // namespace
