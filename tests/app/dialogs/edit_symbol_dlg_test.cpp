// The symbol editor over a font file of the tests' own: the values it shows for a
// record (points from a font height, 0.1 mm from 0.01 mm), the live preview, what OK
// stores and what it refuses, and values from a file outside the fields' ranges.
#include "app/dialogs/edit_symbol_dlg.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/dialogs/num_spin_ctrl.h"
#include "app/dialogs/symbol_preview_wnd.h"
#include "platform/scripted_dialog_service.h"
#include "tests/app/dialogs/dialog_test_util.h"
#include "tests/app/dialogs/settings_dialog_test_util.h"
#include "tests/app/dialogs/test_folder.h"

namespace {

using brindle::CEditSymbolDlg;
using brindle::ExtendSymbol;
using dialog_test::TestFolder;
using dialog_test::Utf8;
using platform::DialogBase;
using platform::kIdCancel;
using platform::kIdOk;

class EditSymbolDlgTest : public ::testing::Test {
protected:
    EditSymbolDlgTest()
    {
        data.Write("settings/Font.ini", "[NOTE FONT]\r\nFace Name=Tansy Number\r\nHeight=-15\r\n");
        dialog.SetDataFolder(data.Data());
        symbol.name = u"6f1c2d4e-0000-4000-8000-000000000001";
        symbol.charText = u"\u00a7";
        symbol.font.SetFaceName(u"Tansy");
        symbol.font.height = -dpi * 12 / 72;  // 12 points
        symbol.font.weight = 0;
        symbol.hOffset = 125;
        symbol.vOffset = -125;
        symbol.placement = 2;
    }
    int Run(std::function<void(CEditSymbolDlg&)> step)
    {
        service.AnswerModal([step](DialogBase& d) { step(static_cast<CEditSymbolDlg&>(d)); });
        dialog.SetSymbol(symbol);
        return dialog.DoModal();
    }
    static std::string Text(const CEditSymbolDlg& d, int id) { return Utf8(d.GetDlgItemText(id)); }
    static void Enter(CEditSymbolDlg& d, int id, const char* text)
    {
        d.Control<QLineEdit>(id)->setText(QString::fromUtf8(text));
    }

    const int dpi = CEditSymbolDlg::LogPixelsY();
    TestFolder data{TestFolder::Names::SettingsFiles};
    platform::ScriptedDialogService service;
    platform::ScopedDialogService scope{service};
    CEditSymbolDlg dialog;
    ExtendSymbol symbol;
};

TEST_F(EditSymbolDlgTest, ShowsSizeInPointsOffsetsInTenthsAndThePlacement)
{
    Run([](CEditSymbolDlg& d) {
        EXPECT_EQ(Text(d, CEditSymbolDlg::kIdSize), "12");
        // 125 hundredths of a millimetre are 12 tenths, -125 are -12.
        EXPECT_EQ(Text(d, CEditSymbolDlg::kIdHorizontal), "12");
        EXPECT_EQ(Text(d, CEditSymbolDlg::kIdVertical), "-12");
        EXPECT_EQ(d.IsDlgButtonChecked(CEditSymbolDlg::kIdLeft), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(CEditSymbolDlg::kIdAbove), 0);
        d.ClickButton(kIdCancel);
    });
}

TEST_F(EditSymbolDlgTest, OkUnchangedStoresTheOffsetsRoundedToTenths)
{
    ASSERT_EQ(Run([](CEditSymbolDlg& d) { d.ClickButton(kIdOk); }), kIdOk);
    const ExtendSymbol& edited = dialog.GetSymbol();
    EXPECT_EQ(edited.hOffset, 120);
    EXPECT_EQ(edited.vOffset, -120);
    EXPECT_EQ(edited.placement, 2);
    EXPECT_EQ(edited.font.height, -CEditSymbolDlg::MulDiv(12, dpi, 72));
    EXPECT_EQ(edited.name, symbol.name);
    EXPECT_EQ(edited.charText, symbol.charText);
    EXPECT_EQ(edited.font.FaceName(), u"Tansy");
}

TEST_F(EditSymbolDlgTest, OkStoresWhatTheUserChanged)
{
    Run([](CEditSymbolDlg& d) {
        Enter(d, CEditSymbolDlg::kIdSize, "30");
        Enter(d, CEditSymbolDlg::kIdHorizontal, "-7");
        Enter(d, CEditSymbolDlg::kIdVertical, "45");
        d.Control<QRadioButton>(CEditSymbolDlg::kIdAbove)->click();
        d.ClickButton(kIdOk);
    });
    const ExtendSymbol& edited = dialog.GetSymbol();
    EXPECT_EQ(edited.font.height, -CEditSymbolDlg::MulDiv(30, dpi, 72));
    EXPECT_EQ(edited.hOffset, -70);
    EXPECT_EQ(edited.vOffset, 450);
    EXPECT_EQ(edited.placement, 0);
}

TEST_F(EditSymbolDlgTest, ClickedRadioButtonIsThePlacement)
{
    Run([](CEditSymbolDlg& d) {
        d.Control<QRadioButton>(CEditSymbolDlg::kIdRight)->click();
        EXPECT_EQ(d.IsDlgButtonChecked(CEditSymbolDlg::kIdLeft), 0);
        EXPECT_EQ(d.Preview()->Placement(), 3);
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(dialog.GetSymbol().placement, 3);
}

TEST_F(EditSymbolDlgTest, PreviewFollowsTheFieldsBeforeAnythingIsStored)
{
    Run([this](CEditSymbolDlg& d) {
        auto* preview = d.Preview();
        EXPECT_EQ(preview->Text(), symbol.charText);
        EXPECT_EQ(preview->Placement(), 2);
        EXPECT_EQ(preview->HorizontalOffset(), 120 * 3);
        EXPECT_EQ(preview->ReferenceFont().height, -45);
        Enter(d, CEditSymbolDlg::kIdSize, "20");
        EXPECT_EQ(preview->SymbolFont().height, -CEditSymbolDlg::MulDiv(20, dpi, 72) * 3);
        EXPECT_EQ(preview->SymbolFont().width, 0);
        Enter(d, CEditSymbolDlg::kIdHorizontal, "5");
        EXPECT_EQ(preview->HorizontalOffset(), 150);
        Enter(d, CEditSymbolDlg::kIdVertical, "-3");
        EXPECT_EQ(preview->VerticalOffset(), -90);
        // Text that is no number leaves the preview as it was.
        Enter(d, CEditSymbolDlg::kIdVertical, "-");
        EXPECT_EQ(preview->VerticalOffset(), -90);
        d.ClickButton(CEditSymbolDlg::kIdAbove);
        EXPECT_EQ(preview->Placement(), 0);
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(dialog.GetSymbol(), symbol);
}

TEST_F(EditSymbolDlgTest, SpinButtonsStepTheFieldsAndThePreview)
{
    Run([this](CEditSymbolDlg& d) {
        d.Control<brindle::CNumSpinCtrl>(CEditSymbolDlg::kIdSizeSpin)->UpButton()->click();
        EXPECT_EQ(Text(d, CEditSymbolDlg::kIdSize), "13");
        EXPECT_EQ(d.Preview()->SymbolFont().height, -CEditSymbolDlg::MulDiv(13, dpi, 72) * 3);
        auto* vertical = d.Control<brindle::CNumSpinCtrl>(CEditSymbolDlg::kIdVerticalSpin);
        vertical->DownButton()->click();
        vertical->DownButton()->click();
        EXPECT_EQ(Text(d, CEditSymbolDlg::kIdVertical), "-14");
        EXPECT_EQ(d.Preview()->VerticalOffset(), -140 * 3);
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(dialog.GetSymbol().vOffset, -140);
    EXPECT_EQ(dialog.GetSymbol().font.height, -CEditSymbolDlg::MulDiv(13, dpi, 72));
}

TEST_F(EditSymbolDlgTest, OkRefusesAFieldWithoutANumber)
{
    Run([](CEditSymbolDlg& d) {
        Enter(d, CEditSymbolDlg::kIdHorizontal, "");
        d.ClickButton(kIdOk);
        EXPECT_FALSE(d.IsEnded());
        d.ClickButton(kIdCancel);
    });
    ASSERT_EQ(service.MessageBoxes().size(), 1u);
    EXPECT_EQ(dialog.GetSymbol(), symbol);
}

TEST_F(EditSymbolDlgTest, RangesOfTheSpinFields)
{
    symbol.hOffset = 20000;   // 200 mm: past what the field takes
    symbol.vOffset = -99999;
    symbol.font.height = -1000;
    symbol.placement = 9;
    Run([](CEditSymbolDlg& d) {
        EXPECT_EQ(Text(d, CEditSymbolDlg::kIdHorizontal), "1000");
        EXPECT_EQ(Text(d, CEditSymbolDlg::kIdVertical), "-1000");
        EXPECT_EQ(Text(d, CEditSymbolDlg::kIdSize), "100");
        for (int id = CEditSymbolDlg::kIdAbove; id <= CEditSymbolDlg::kIdRight; ++id)
            EXPECT_EQ(d.IsDlgButtonChecked(id), 0) << id;
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(dialog.GetSymbol().hOffset, 10000);
    EXPECT_EQ(dialog.GetSymbol().vOffset, -10000);
    // No button was checked: the stored placement stays.
    EXPECT_EQ(dialog.GetSymbol().placement, 9);
}

TEST_F(EditSymbolDlgTest, SizeFromAFontHeight)
{
    const struct {
        int height;
        int size;
    } cases[] = {
        {-15, CEditSymbolDlg::MulDiv(15, 72, CEditSymbolDlg::LogPixelsY())},  // the note font
        {20, 20},  // a cell height is shown as it is
        {0, 0},
        {-1, CEditSymbolDlg::MulDiv(1, 72, CEditSymbolDlg::LogPixelsY())},
    };
    for (const auto& c : cases) {
        symbol.font.height = c.height;
        Run([&c](CEditSymbolDlg& d) {
            EXPECT_EQ(Text(d, CEditSymbolDlg::kIdSize), std::to_string(c.size)) << c.height;
            d.ClickButton(kIdCancel);
        });
    }
}

TEST_F(EditSymbolDlgTest, PreviewIsRepaintedOnceSoonAfterOpening)
{
    ASSERT_TRUE(dialog.BeginModal());
    EXPECT_TRUE(dialog.Port().HasTimer(CEditSymbolDlg::kRepaintTimer));
    EXPECT_TRUE(brindle::test::ProcessUntil([&] { return !dialog.Port().HasTimer(CEditSymbolDlg::kRepaintTimer); }));
    dialog.EndDialog(kIdCancel);
}

TEST(EditSymbolMulDiv, RoundsHalfAwayFromZero)
{
    const struct {
        int a, b, c, result;
    } cases[] = {
        {15, 72, 96, 11},   // 11.25
        {-15, 72, 96, -11},
        {12, 96, 72, 16},
        {10, 72, 96, 8},    // 7.5
        {-10, 72, 96, -8},
        {5, 1, -2, -3},     // -2.5
        {5, 1, 0, -1},
        {2000000000, 2000000000, 1, std::numeric_limits<int>::max()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CEditSymbolDlg::MulDiv(c.a, c.b, c.c), c.result) << c.a << " " << c.b << " " << c.c;
}

}  // namespace
