// The symbol library dialog over an extend-symbol file of the tests' own, with a fixed
// font catalogue: the library in file order, the no-selection messages, creating a
// symbol through the glyph chooser and the editor, editing, deleting and giving a
// shortcut to the symbol highlighted on a scrolled page, and what each leaves selected.
#include "app/dialogs/add_symbol_dlg.h"

#include <QLineEdit>
#include <QUuid>

#include <gtest/gtest.h>

#include "app/dialogs/edit_symbol_dlg.h"
#include "app/dialogs/new_symbol_dlg.h"
#include "app/dialogs/shortcut_key_dlg.h"
#include "app/dialogs/symbol_grid_wnd.h"
#include "app/settings/extend_symbol_file.h"
#include "platform/scripted_dialog_service.h"
#include "tests/app/dialogs/dialog_test_util.h"
#include "tests/app/dialogs/fake_font_catalogue.h"
#include "tests/app/dialogs/settings_dialog_test_util.h"
#include "tests/app/dialogs/test_folder.h"

namespace {

using brindle::CAddSymbolDlg;
using brindle::CEditSymbolDlg;
using brindle::CNewSymbolDlg;
using brindle::CShortcutKeyDlg;
using brindle::CSymbolGridWnd;
using brindle::ExtendSymbol;
using brindle::ExtendSymbolFile;
using brindle::test::ProcessEvents;
using dialog_test::TestFolder;
using dialog_test::FakeFontCatalogue;
using dialog_test::Utf8;
using platform::DialogBase;
using platform::kIdCancel;
using platform::kIdOk;

const std::string kNoSelection = "没有符号被选中！";
const std::string kNoSelectionOk = "没有符号被选中!";

std::u16string Name(int i)
{
    std::u16string name = u"S00";
    name[1] = static_cast<char16_t>(u'0' + i / 10);
    name[2] = static_cast<char16_t>(u'0' + i % 10);
    return name;
}

class AddSymbolDlgTest : public ::testing::Test {
protected:
    AddSymbolDlgTest()
    {
        data.WriteMain("[SYSTEM INFO]\r\n"
                       "Shortcut File Name=settings\\Shortcut.ini\r\n"
                       "Font File Name=settings\\Font.ini\r\n"
                       "Extend Symbol File Name=settings\\ExtendSymbol.ini\r\n");
        data.Write("settings/Font.ini", "[NOTE FONT]\r\nFace Name=Tansy Number\r\nHeight=-15\r\nWeight=400\r\n");
        file.SetFileName(data.Data().PathOf(u"settings\\ExtendSymbol.ini"));
        fonts.Add(u"Tansy", {{33, 3}, {160, 7}}, brindle::FontCatalogue::kTrueTypeFontType, -24);
        dialog.SetDataFolder(data.Data());
    }
    // Symbols S00 .. S(n-1), character 'A' + i.
    void Library(int count)
    {
        for (int i = 0; i < count; ++i) {
            ExtendSymbol symbol;
            symbol.name = Name(i);
            symbol.charText = std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
            symbol.font.SetFaceName(u"Tansy");
            symbol.font.height = -20;
            symbol.hOffset = i;
            ASSERT_TRUE(file.SetSymbol(symbol));
        }
    }
    std::vector<std::u16string> StoredNames() const
    {
        std::vector<std::u16string> names;
        for (int i = 0; i < file.GetSymbolCount(); ++i)
            names.push_back(file.GetSymbol(i).name);
        return names;
    }
    int Run(std::function<void(CAddSymbolDlg&)> step)
    {
        service.AnswerModal([step](DialogBase& d) { step(static_cast<CAddSymbolDlg&>(d)); });
        return dialog.DoModal();
    }
    // A press on a place of the page shown, as the user's press goes.
    static void PressCell(CAddSymbolDlg& d, int place)
    {
        CSymbolGridWnd* grid = d.Grid();
        const int columns = grid->Columns();
        grid->OnLButtonDown({(place % columns) * 40 + 20, (place / columns) * 40 + 20});
        ProcessEvents();
    }
    static void ScrollTo(CAddSymbolDlg& d, int position)
    {
        d.Grid()->OnVScroll(platform::kSbThumbPosition, position);
        ProcessEvents();
    }
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const auto& box : service.MessageBoxes())
            texts.push_back(Utf8(box.text));
        return texts;
    }

    TestFolder data{TestFolder::Names::SettingsFiles};
    ExtendSymbolFile file;
    FakeFontCatalogue fonts;
    brindle::ScopedFontCatalogue catalogue{fonts};
    platform::ScriptedDialogService service;
    platform::ScopedDialogService scope{service};
    CAddSymbolDlg dialog;
};

TEST_F(AddSymbolDlgTest, ShowsTheLibraryInFileOrder)
{
    Library(60);
    Run([](CAddSymbolDlg& d) {
        ASSERT_EQ(d.Symbols().size(), 60u);
        EXPECT_EQ(d.Symbols()[0].name, u"S00");
        EXPECT_EQ(d.Symbols()[59].name, u"S59");
        CSymbolGridWnd* grid = d.Grid();
        EXPECT_EQ(grid->GetItemCount(), 60);
        EXPECT_TRUE(grid->IsScrollBarShown());
        EXPECT_EQ(grid->Columns(), CAddSymbolDlg::kGridColumns);
        EXPECT_EQ(grid->Rows(), CAddSymbolDlg::kGridRows);
        EXPECT_EQ(grid->ScrollState().Max(), 60 / 8);  // 8 rows of items
        ASSERT_EQ(grid->Cells().size(), 40u);
        EXPECT_EQ(grid->Cells()[1]->text, u"B");
        EXPECT_EQ(grid->Cells()[1]->font.FaceName(), u"Tansy");
        EXPECT_EQ(grid->GetSelectedItem(), -1);
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(dialog.GetSelectedSymbol(), ExtendSymbol{});
    EXPECT_FALSE(dialog.IsLibraryModified());
}

TEST_F(AddSymbolDlgTest, AMissingFileIsAnEmptyLibrary)
{
    Run([](CAddSymbolDlg& d) {
        EXPECT_TRUE(d.Symbols().empty());
        EXPECT_TRUE(d.Grid()->Cells().empty());
        EXPECT_FALSE(d.Grid()->IsScrollBarShown());
        d.ClickButton(kIdCancel);
    });
}

TEST_F(AddSymbolDlgTest, ActionsWithoutASelectionSaySoAndChangeNothing)
{
    Library(3);
    Run([](CAddSymbolDlg& d) {
        d.ClickButton(CAddSymbolDlg::kIdEdit);
        d.ClickButton(CAddSymbolDlg::kIdShortcut);
        d.ClickButton(kIdOk);
        EXPECT_FALSE(d.IsEnded());
        d.ClickButton(CAddSymbolDlg::kIdDelete);
        // After the message, delete selects the last symbol, as for a place past the end.
        EXPECT_EQ(d.GetSelectedSymbol().name, u"S02");
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(Messages(), (std::vector<std::string>{kNoSelection, kNoSelection, kNoSelectionOk, kNoSelection}));
    for (const auto& box : service.MessageBoxes())
        EXPECT_EQ(box.type, platform::kMbOk | platform::kMbIconInformation);
    EXPECT_EQ(service.ModalCount(), 1);  // no editor, no key capture
    EXPECT_EQ(StoredNames(), (std::vector<std::u16string>{u"S00", u"S01", u"S02"}));
    EXPECT_FALSE(dialog.IsLibraryModified());
}

TEST_F(AddSymbolDlgTest, NewSymbolGetsAUuidTheNoteFontHeightAndWeightZero)
{
    Library(45);
    ExtendSymbol seen;
    int shownSize = -1;
    Run([&](CAddSymbolDlg& d) {
        // The glyph chooser: the third character of "Tansy".
        service.AnswerModal([](DialogBase& chooser) {
            auto& c = static_cast<CNewSymbolDlg&>(chooser);
            c.Grid()->OnLButtonDown({2 * 40 + 20, 20});
            ProcessEvents();
            c.ClickButton(kIdOk);
        });
        // The editor: what it was given, then OK.
        service.AnswerModal([&](DialogBase& editor) {
            auto& e = static_cast<CEditSymbolDlg&>(editor);
            seen = e.GetSymbol();
            shownSize = e.SizeValue();
            e.ClickButton(kIdOk);
        });
        d.ClickButton(CAddSymbolDlg::kIdNew);
        ASSERT_EQ(d.Symbols().size(), 46u);
        // The new symbol is the last and is selected, on the page scrolled to it.
        EXPECT_EQ(d.Grid()->GetSelectedItem(), 45);
        EXPECT_EQ(d.GetSelectedSymbol().name, seen.name);
        d.ClickButton(kIdOk);
    });
    EXPECT_EQ(service.ModalCount(), 3);
    const QUuid uuid(QString::fromStdU16String(seen.name));
    EXPECT_FALSE(uuid.isNull()) << Utf8(seen.name);
    EXPECT_EQ(seen.name.size(), 36u);
    EXPECT_EQ(QString::fromStdU16String(seen.name), QString::fromStdU16String(seen.name).toLower());
    EXPECT_EQ(seen.charText, std::u16string(1, char16_t{35}));
    EXPECT_EQ(seen.font.FaceName(), u"Tansy");
    EXPECT_EQ(seen.font.height, -15);
    EXPECT_EQ(seen.font.weight, 0);
    EXPECT_EQ(seen.font.charSet, 1);
    EXPECT_EQ(seen.hOffset, 0);
    EXPECT_EQ(seen.vOffset, 0);
    EXPECT_EQ(seen.placement, 0);
    EXPECT_EQ(shownSize, CEditSymbolDlg::MulDiv(15, 72, CEditSymbolDlg::LogPixelsY()));

    ASSERT_EQ(file.GetSymbolCount(), 46);
    EXPECT_EQ(file.GetSymbol(45).name, seen.name);
    EXPECT_EQ(dialog.GetSelectedSymbol().name, seen.name);
    // Creating a symbol is not a change of the library's keys.
    EXPECT_FALSE(dialog.IsLibraryModified());
}

TEST_F(AddSymbolDlgTest, CancellingTheChooserOrTheEditorLeavesTheLibrary)
{
    Library(2);
    Run([this](CAddSymbolDlg& d) {
        service.AnswerModal([](DialogBase& chooser) { chooser.ClickButton(kIdCancel); });
        d.ClickButton(CAddSymbolDlg::kIdNew);
        service.AnswerModal([](DialogBase& chooser) {
            static_cast<CNewSymbolDlg&>(chooser).Grid()->OnLButtonDblClk({20, 20});
            ProcessEvents();
        });
        service.AnswerModal([](DialogBase& editor) { editor.ClickButton(kIdCancel); });
        d.ClickButton(CAddSymbolDlg::kIdNew);
        EXPECT_EQ(d.Symbols().size(), 2u);
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(service.ModalCount(), 4);
    EXPECT_EQ(StoredNames(), (std::vector<std::u16string>{u"S00", u"S01"}));
    EXPECT_FALSE(dialog.IsLibraryModified());
}

TEST_F(AddSymbolDlgTest, EditOnAScrolledPageEditsTheSymbolShown)
{
    Library(60);
    std::u16string edited;
    Run([&](CAddSymbolDlg& d) {
        ScrollTo(d, 2);  // first index 16
        PressCell(d, 3);
        ASSERT_EQ(d.Grid()->GetSelectedItem(), 19);
        EXPECT_EQ(d.Grid()->GetSelectedText(), std::u16string(1, u'A' + 19));
        service.AnswerModal([&](DialogBase& editor) {
            auto& e = static_cast<CEditSymbolDlg&>(editor);
            edited = e.GetSymbol().name;
            e.Control<QLineEdit>(CEditSymbolDlg::kIdHorizontal)->setText(QStringLiteral("7"));
            e.ClickButton(kIdOk);
        });
        d.ClickButton(CAddSymbolDlg::kIdEdit);
        // The page stays where it was; its first index and the scroll bar agree with it.
        CSymbolGridWnd* grid = d.Grid();
        EXPECT_EQ(grid->GetFirstIndex(), 16);
        EXPECT_EQ(grid->ScrollState().Pos(), 2);
        EXPECT_EQ(grid->Cells()[0]->text, std::u16string(1, u'A' + 16));
        EXPECT_EQ(grid->GetSelectedItem(), 19);
        EXPECT_EQ(d.Symbols()[19].hOffset, 70);
        // A second edit acts on the same symbol.
        service.AnswerModal([&](DialogBase& editor) {
            EXPECT_EQ(static_cast<CEditSymbolDlg&>(editor).GetSymbol().name, u"S19");
            editor.ClickButton(kIdCancel);
        });
        d.ClickButton(CAddSymbolDlg::kIdEdit);
        EXPECT_EQ(grid->GetSelectedItem(), 19);
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(edited, u"S19");
    EXPECT_EQ(file.GetSymbol(19).hOffset, 70);
    EXPECT_EQ(file.GetSymbol(18).hOffset, 18);
    EXPECT_TRUE(dialog.IsLibraryModified());
}

TEST_F(AddSymbolDlgTest, DeleteOnAScrolledPageDeletesTheSymbolShown)
{
    Library(60);
    Run([](CAddSymbolDlg& d) {
        ScrollTo(d, 3);  // first index 24
        PressCell(d, 5);
        ASSERT_EQ(d.GetSelectedSymbol().name, u"S29");
        d.ClickButton(CAddSymbolDlg::kIdDelete);
        EXPECT_EQ(d.Symbols().size(), 59u);
        EXPECT_EQ(d.Grid()->GetFirstIndex(), 24);
        EXPECT_EQ(d.Grid()->ScrollState().Pos(), 3);
        // The same place: now the symbol after it.
        EXPECT_EQ(d.GetSelectedSymbol().name, u"S30");
        d.ClickButton(kIdCancel);
    });
    const auto names = StoredNames();
    ASSERT_EQ(names.size(), 59u);
    EXPECT_EQ(std::find(names.begin(), names.end(), u"S29"), names.end());
    EXPECT_TRUE(dialog.IsLibraryModified());
}

TEST_F(AddSymbolDlgTest, DeletingTheLastSelectsTheNewLastAndTheOnlyLeavesNothing)
{
    Library(2);
    Run([](CAddSymbolDlg& d) {
        PressCell(d, 1);
        d.ClickButton(CAddSymbolDlg::kIdDelete);
        EXPECT_EQ(d.GetSelectedSymbol().name, u"S00");
        d.ClickButton(CAddSymbolDlg::kIdDelete);
        EXPECT_TRUE(d.Symbols().empty());
        EXPECT_TRUE(d.Grid()->Cells().empty());
        EXPECT_EQ(d.Grid()->GetSelectedItem(), -1);
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(file.GetSymbolCount(), 0);
}

TEST_F(AddSymbolDlgTest, DeletingAtTheEndOfTheLibraryKeepsPageAndBarInStep)
{
    Library(41);  // one symbol on the second page's last row
    Run([](CAddSymbolDlg& d) {
        d.Grid()->OnVScroll(platform::kSbBottom);
        ProcessEvents();
        EXPECT_EQ(d.Grid()->GetFirstIndex(), 8);
        PressCell(d, 32);  // S40
        ASSERT_EQ(d.GetSelectedSymbol().name, u"S40");
        d.ClickButton(CAddSymbolDlg::kIdDelete);
        // Everything fits again: the page starts at the first symbol.
        EXPECT_FALSE(d.Grid()->IsScrollBarShown());
        EXPECT_EQ(d.Grid()->GetFirstIndex(), 0);
        EXPECT_EQ(d.GetSelectedSymbol().name, u"S39");
        EXPECT_EQ(d.Grid()->GetSelectedText(), std::u16string(1, u'A' + 39 % 26));
        d.ClickButton(kIdCancel);
    });
}

TEST_F(AddSymbolDlgTest, ShortcutIsStoredAndShown)
{
    Library(20);
    Run([this](CAddSymbolDlg& d) {
        PressCell(d, 4);
        EXPECT_EQ(Utf8(d.GetDlgItemText(CAddSymbolDlg::kIdShortcutText)), "快捷键: ");
        service.AnswerModal([](DialogBase& capture) {
            dialog_test::PressKey(capture.GetDlgItem(kIdOk), Qt::Key_A, Qt::ControlModifier);
            capture.ClickButton(kIdOk);
        });
        d.ClickButton(CAddSymbolDlg::kIdShortcut);
        EXPECT_EQ(Utf8(d.GetDlgItemText(CAddSymbolDlg::kIdShortcutText)), "快捷键:  Ctrl + A");
        // Another symbol shows its own key; a press on no symbol keeps the line.
        PressCell(d, 5);
        EXPECT_EQ(Utf8(d.GetDlgItemText(CAddSymbolDlg::kIdShortcutText)), "快捷键: ");
        PressCell(d, 4);
        d.Grid()->OnLButtonDown({20, 190});
        ProcessEvents();
        EXPECT_EQ(Utf8(d.GetDlgItemText(CAddSymbolDlg::kIdShortcutText)), "快捷键:  Ctrl + A");
        d.ClickButton(kIdCancel);
    });
    const brindle::ShortcutKey key = file.GetShortcut(u"S04");
    EXPECT_EQ(key.systemKey, 1);
    EXPECT_EQ(key.scanCode, 0x1E);
    EXPECT_TRUE(dialog.IsLibraryModified());
}

TEST_F(AddSymbolDlgTest, CancelledShortcutChangesNothing)
{
    Library(3);
    Run([this](CAddSymbolDlg& d) {
        PressCell(d, 0);
        service.AnswerModal([](DialogBase& capture) { capture.ClickButton(kIdCancel); });
        d.ClickButton(CAddSymbolDlg::kIdShortcut);
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(file.GetShortcut(u"S00"), brindle::ShortcutKey{});
    EXPECT_FALSE(dialog.IsLibraryModified());
}

TEST_F(AddSymbolDlgTest, DoubleClickConfirmsOnlyOnASymbol)
{
    Library(5);
    const int result = Run([this](CAddSymbolDlg& d) {
        d.Grid()->OnLButtonDblClk({20, 150});
        ProcessEvents();
        EXPECT_FALSE(d.IsEnded());
        EXPECT_TRUE(service.MessageBoxes().empty());
        d.Grid()->OnLButtonDblClk({3 * 40 + 20, 20});
        ProcessEvents();
        EXPECT_TRUE(d.IsEnded());
    });
    EXPECT_EQ(result, kIdOk);
    EXPECT_EQ(dialog.GetSelectedSymbol().name, u"S03");
    EXPECT_EQ(dialog.GetSelectedSymbol().charText, u"D");
}

TEST_F(AddSymbolDlgTest, OkWithASelectionReturnsACopyOfTheSymbol)
{
    Library(5);
    EXPECT_EQ(Run([](CAddSymbolDlg& d) {
                  PressCell(d, 2);
                  d.ClickButton(kIdOk);
              }),
              kIdOk);
    EXPECT_EQ(dialog.GetSelectedSymbol(), file.GetSymbol(2));
    EXPECT_TRUE(service.MessageBoxes().empty());
}

TEST_F(AddSymbolDlgTest, AFileThatCannotBeWrittenIsReported)
{
    Library(3);
    Run([this](CAddSymbolDlg& d) {
        PressCell(d, 1);
        // The settings folder turns into a file: nothing can be written below it.
        std::filesystem::remove_all(data / "settings");
        data.Write("settings", "not a folder");
        service.AnswerModal([](DialogBase& capture) {
            dialog_test::PressKey(capture.GetDlgItem(kIdOk), Qt::Key_A);
            capture.ClickButton(kIdOk);
        });
        d.ClickButton(CAddSymbolDlg::kIdShortcut);
        d.ClickButton(kIdCancel);
    });
    EXPECT_EQ(Messages(), std::vector<std::string>{"符号库保存失败！"});
    EXPECT_FALSE(dialog.IsLibraryModified());
}

}  // namespace
