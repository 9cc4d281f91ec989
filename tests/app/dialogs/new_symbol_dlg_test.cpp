// The glyph chooser over a fixed font catalogue: outline fonts only, listed by name, the
// characters of the chosen font in the order of its ranges, OK and the double click only
// with a cell selected, and the choice kept while the grid scrolls.
#include "app/dialogs/new_symbol_dlg.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include "app/dialogs/symbol_grid_wnd.h"
#include "platform/scripted_dialog_service.h"
#include "tests/app/dialogs/dialog_test_util.h"
#include "tests/app/dialogs/fake_font_catalogue.h"
#include "platform/font_resources.h"
#include "tests/app/dialogs/settings_dialog_test_util.h"

namespace {

using brindle::CNewSymbolDlg;
using brindle::CSymbolGridWnd;
using brindle::FontCatalogue;
using brindle::test::ProcessEvents;
using dialog_test::FakeFontCatalogue;
using dialog_test::Utf8;
using platform::DialogBase;
using platform::kIdCancel;
using platform::kIdOk;

class NewSymbolDlgTest : public ::testing::Test {
protected:
    NewSymbolDlgTest()
    {
        fonts.Add(u"Zeta Sans", {{0x4E00, 200}});
        fonts.Add(u"Fixed Bitmap", {{0x41, 26}}, FontCatalogue::kRasterFontType);
        fonts.Add(u"alpha Serif", {{0x61, 2}, {0x41, 3}});
        fonts.Add(u"Tansy", {{33, 3}, {160, 7}});
    }
    int Run(std::function<void(CNewSymbolDlg&)> step)
    {
        service.AnswerModal([step](DialogBase& d) { step(static_cast<CNewSymbolDlg&>(d)); });
        return dialog.DoModal();
    }
    static QComboBox* List(CNewSymbolDlg& d) { return d.Control<QComboBox>(CNewSymbolDlg::kIdFontList); }
    static void Choose(CNewSymbolDlg& d, const char* face)
    {
        List(d)->setCurrentIndex(List(d)->findText(QString::fromUtf8(face)));
    }
    // A press on the cell at a place of the page, as the user's press goes.
    static void PressCell(CNewSymbolDlg& d, int place)
    {
        CSymbolGridWnd* grid = d.Grid();
        const int columns = grid->Columns();
        grid->OnLButtonDown({(place % columns) * 40 + 20, (place / columns) * 40 + 20});
        ProcessEvents();
    }

    FakeFontCatalogue fonts;
    brindle::ScopedFontCatalogue catalogue{fonts};
    platform::ScriptedDialogService service;
    platform::ScopedDialogService scope{service};
    CNewSymbolDlg dialog;
};

TEST_F(NewSymbolDlgTest, OffersOutlineFontsSortedAndChoosesTheFirst)
{
    Run([](CNewSymbolDlg& d) {
        ASSERT_EQ(d.Fonts().size(), 3u);  // the bitmap font is not offered
        EXPECT_EQ(d.Fonts()[0].FaceName(), u"Zeta Sans");
        EXPECT_EQ(d.Fonts()[1].FaceName(), u"alpha Serif");
        QComboBox* list = List(d);
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->itemText(0).toStdString(), "alpha Serif");
        EXPECT_EQ(list->itemText(1).toStdString(), "Tansy");
        EXPECT_EQ(list->itemText(2).toStdString(), "Zeta Sans");
        EXPECT_EQ(list->currentIndex(), 0);
        EXPECT_EQ(d.ChosenFont(), 1);
        // Range by range, low to high inside each.
        EXPECT_EQ(d.Characters(), u"abABC");
        EXPECT_EQ(d.Grid()->GetItemCount(), 5);
        ASSERT_EQ(d.Grid()->Cells().size(), 5u);
        EXPECT_EQ(d.Grid()->Cells()[2]->text, u"A");
        EXPECT_EQ(d.Grid()->Cells()[2]->font.FaceName(), u"alpha Serif");
        d.ClickButton(kIdCancel);
    });
}

TEST_F(NewSymbolDlgTest, ChoosingAFontShowsItsCharacters)
{
    Run([](CNewSymbolDlg& d) {
        Choose(d, "Tansy");
        EXPECT_EQ(d.ChosenFont(), 2);
        EXPECT_EQ(d.Characters(), (std::u16string{33, 34, 35, 160, 161, 162, 163, 164, 165, 166}));
        EXPECT_FALSE(d.Grid()->IsScrollBarShown());
        Choose(d, "Zeta Sans");
        EXPECT_EQ(d.Characters().size(), 200u);
        EXPECT_TRUE(d.Grid()->IsScrollBarShown());
        EXPECT_EQ(static_cast<int>(d.Grid()->Cells().size()), d.Grid()->GetCapacity());
        EXPECT_EQ(d.Grid()->Cells()[0]->text, std::u16string(1, u'\u4e00'));
        d.ClickButton(kIdCancel);
    });
}

TEST_F(NewSymbolDlgTest, OkWithoutASelectionSaysSoAndStaysOpen)
{
    Run([this](CNewSymbolDlg& d) {
        d.ClickButton(kIdOk);
        EXPECT_FALSE(d.IsEnded());
        ASSERT_EQ(service.MessageBoxes().size(), 1u);
        EXPECT_EQ(Utf8(service.MessageBoxes()[0].text), "没有符号被选中!");
        PressCell(d, 3);
        d.ClickButton(kIdOk);
        EXPECT_TRUE(d.IsEnded());
    });
    EXPECT_EQ(dialog.Result(), kIdOk);
    EXPECT_EQ(dialog.GetSymbolText(), u"B");
    const quaverly::LogFont font = dialog.GetLogFont();
    EXPECT_EQ(font.FaceName(), u"alpha Serif");
    EXPECT_EQ(font.height, -24);
    EXPECT_EQ(font.charSet, 1);
    EXPECT_EQ(font.quality, 4);
}

TEST_F(NewSymbolDlgTest, DoubleClickConfirmsOnlyOnACell)
{
    Run([this](CNewSymbolDlg& d) {
        d.Grid()->OnLButtonDblClk({20, 300});  // below the cells
        ProcessEvents();
        EXPECT_FALSE(d.IsEnded());
        EXPECT_TRUE(service.MessageBoxes().empty());
        d.Grid()->OnLButtonDblClk({60, 20});
        ProcessEvents();
        EXPECT_TRUE(d.IsEnded());
    });
    EXPECT_EQ(dialog.Result(), kIdOk);
    EXPECT_EQ(dialog.GetSymbolText(), u"b");
}

TEST_F(NewSymbolDlgTest, ScrollingKeepsTheChosenCharacterSelected)
{
    Run([](CNewSymbolDlg& d) {
        Choose(d, "Zeta Sans");
        CSymbolGridWnd* grid = d.Grid();
        const int columns = grid->Columns();
        PressCell(d, columns + 2);
        ASSERT_EQ(grid->GetSelectedItem(), columns + 2);
        grid->OnVScroll(platform::kSbLineDown);
        ProcessEvents();
        EXPECT_EQ(grid->GetFirstIndex(), columns);
        EXPECT_EQ(grid->Cells()[0]->text, std::u16string(1, static_cast<char16_t>(0x4E00 + columns)));
        EXPECT_EQ(grid->GetSelectedItem(), columns + 2);
        EXPECT_EQ(grid->GetSelectedText(), std::u16string(1, static_cast<char16_t>(0x4E00 + columns + 2)));
        grid->OnVScroll(platform::kSbPageDown);
        ProcessEvents();
        EXPECT_EQ(grid->GetSelectedItem(), -1);  // off the page
        grid->OnVScroll(platform::kSbTop);
        ProcessEvents();
        EXPECT_EQ(grid->GetSelectedItem(), columns + 2);
        d.ClickButton(kIdCancel);
    });
}

TEST(NewSymbolDlgFonts, RangesPastTheLastCodeUnitAndEmptyRangesAreCut)
{
    FakeFontCatalogue fonts;
    fonts.Add(u"Edge", {{0xFFFD, 10}, {0x30, 0}, {0x31, -4}, {0x32, 1}});
    brindle::ScopedFontCatalogue catalogue(fonts);
    CNewSymbolDlg dialog;
    ASSERT_TRUE(dialog.BeginModal());
    EXPECT_EQ(dialog.Characters(), (std::u16string{0xFFFD, 0xFFFE, 0xFFFF, 0x32}));
    dialog.EndDialog(kIdCancel);
}

TEST(NewSymbolDlgFonts, WithoutOutlineFontsTheGridIsEmpty)
{
    FakeFontCatalogue fonts;
    fonts.Add(u"Fixed Bitmap", {{0x41, 26}}, FontCatalogue::kRasterFontType);
    brindle::ScopedFontCatalogue catalogue(fonts);
    platform::ScriptedDialogService service;
    platform::ScopedDialogService scope(service);
    CNewSymbolDlg dialog;
    ASSERT_TRUE(dialog.BeginModal());
    EXPECT_TRUE(dialog.Fonts().empty());
    EXPECT_EQ(dialog.ChosenFont(), -1);
    EXPECT_TRUE(dialog.Grid()->Cells().empty());
    EXPECT_EQ(fonts.rangeQueries, 0);
    dialog.ClickButton(kIdOk);
    EXPECT_FALSE(dialog.IsEnded());
    EXPECT_EQ(service.MessageBoxes().size(), 1u);
    dialog.EndDialog(kIdCancel);
}

TEST(QtFontCatalogue, ListsTheMusicFontWithItsCharacters)
{
    ASSERT_EQ(platform::AddFontResource(std::filesystem::path(BRINDLE_SOURCE_DIR) / "data" / "fonts" / "Tansy.ttc"), 5);
    brindle::QtFontCatalogue desktop;
    const auto families = desktop.Families();
    const auto tansy = std::find_if(families.begin(), families.end(),
                                    [](const FontCatalogue::Family& f) { return f.font.FaceName() == u"Tansy"; });
    ASSERT_NE(tansy, families.end());
    EXPECT_EQ(tansy->fontType, FontCatalogue::kTrueTypeFontType);
    const auto ranges = desktop.UnicodeRanges(tansy->font);
    ASSERT_FALSE(ranges.empty());
    std::u16string codes;
    for (const auto& range : ranges) {
        ASSERT_GT(range.count, 0);
        EXPECT_TRUE(codes.empty() || range.low > codes.back());
        for (int k = 0; k < range.count; ++k)
            codes.push_back(static_cast<char16_t>(range.low + k));
    }
    for (char16_t code : {char16_t{35}, char16_t{103}, char16_t{208}})  // sharp, fermata, segno
        EXPECT_NE(codes.find(code), std::u16string::npos) << int(code);
}

}  // namespace
