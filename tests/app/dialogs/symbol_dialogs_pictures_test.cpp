// Pictures of the symbol dialogs as the user sees them: the library with symbols of the
// music font and Chinese ones, the glyph chooser on the music font, and the editor with
// its preview. Writes PNG files into build/bin/specimen/dialogs/ (or into
// $BRINDLE_SPECIMEN_DIR) for looking at; the tests check that the pictures were made and
// that the cells and the preview have ink in them.
#include <QApplication>
#include <QComboBox>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "app/dialogs/add_symbol_dlg.h"
#include "app/dialogs/edit_symbol_dlg.h"
#include "app/dialogs/new_symbol_dlg.h"
#include "app/dialogs/symbol_grid_wnd.h"
#include "app/dialogs/symbol_preview_wnd.h"
#include "app/settings/extend_symbol_file.h"
#include "platform/font_resources.h"
#include "platform/music_glyphs.h"
#include "tests/app/dialogs/fake_font_catalogue.h"
#include "tests/app/dialogs/settings_dialog_test_util.h"
#include "tests/app/dialogs/test_folder.h"

namespace {

namespace fs = std::filesystem;
namespace music = platform::music;

const fs::path kShippedData = fs::path(BRINDLE_SOURCE_DIR) / "data";

fs::path SpecimenFolder()
{
    const char* dir = std::getenv("BRINDLE_SPECIMEN_DIR");
    const fs::path folder = dir ? fs::path(dir) : fs::path(BRINDLE_BIN_DIR) / "specimen" / "dialogs";
    fs::create_directories(folder);
    return folder;
}

QImage Snap(QWidget& widget, const char* name)
{
    widget.adjustSize();
    widget.show();
    QApplication::processEvents();
    const QImage picture = widget.grab().toImage();
    const fs::path file = SpecimenFolder() / name;
    EXPECT_TRUE(picture.save(QString::fromStdString(file.string())));
    std::cout << "specimen: " << file.string() << "\n";
    return picture;
}

// Pixels darker than light grey inside a part of a picture.
int InkIn(const QImage& picture, const QRect& area)
{
    int ink = 0;
    const QRect inside = area.intersected(picture.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ink += qGray(picture.pixel(x, y)) < 160 ? 1 : 0;
    return ink;
}

class SymbolSpecimen : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(platform::AddFontResource(kShippedData / "fonts" / "Tansy.ttc"), 5); }

    SymbolSpecimen()
    {
        data.WriteMain("[SYSTEM INFO]\r\n"
                       "Shortcut File Name=settings\\Shortcut.ini\r\n"
                       "Font File Name=settings\\Font.ini\r\n"
                       "Extend Symbol File Name=settings\\ExtendSymbol.ini\r\n");
        fs::copy_file(kShippedData / "settings" / "Font.ini", data / "settings/Font.ini");
        fonts.Add(u"Tansy", {{music::kFlat, 3}, {music::kOpenBracket, 4}, {music::kKeyNameC - 7, 15},
                             {music::kTempoWhole, 6}, {music::kStaccato, 2}, {music::kFermata, 1},
                             {music::kStaccatissimo, 1}, {music::kTenuto, 1}, {music::kTrill, 7},
                             {music::kSegno, 6}, {music::kDynamicF, 7}});
        fonts.Add(u"Noto Sans CJK SC", {{0x4E00, 160}});
    }

    void WriteLibrary()
    {
        brindle::ExtendSymbolFile file;
        file.SetFileName(data.Data().PathOf(u"settings\\ExtendSymbol.ini"));
        const char16_t musical[] = {music::kFermata, music::kSegno, music::kCoda, music::kTrill, music::kAccent,
                                    music::kTurn,    music::kMordent, music::kDynamicF, music::kDynamicP,
                                    music::kSharp,   music::kFlat,   music::kDoubleSharp};
        int n = 0;
        for (char16_t code : musical) {
            brindle::ExtendSymbol symbol;
            symbol.name = u"music-" + std::u16string(1, static_cast<char16_t>(u'a' + n++));
            symbol.charText = std::u16string(1, code);
            symbol.font.SetFaceName(music::kSymbolFace);
            symbol.font.height = -26;
            ASSERT_TRUE(file.SetSymbol(symbol));
        }
        for (const char16_t* text : {u"渐", u"慢", u"强", u"弱"}) {
            brindle::ExtendSymbol symbol;
            symbol.name = u"text-" + std::u16string(1, static_cast<char16_t>(u'a' + n++));
            symbol.charText = text;
            symbol.font.SetFaceName(u"宋体");
            symbol.font.charSet = 134;
            symbol.font.height = -22;
            ASSERT_TRUE(file.SetSymbol(symbol));
        }
    }

    dialog_test::TestFolder data{dialog_test::TestFolder::Names::SettingsFiles};
    dialog_test::FakeFontCatalogue fonts;
    brindle::ScopedFontCatalogue catalogue{fonts};
};

TEST_F(SymbolSpecimen, SymbolLibraryDialog)
{
    WriteLibrary();
    brindle::CAddSymbolDlg dialog;
    dialog.SetDataFolder(data.Data());
    ASSERT_TRUE(dialog.BeginModal());
    dialog.Grid()->OnLButtonDown({40 + 20, 20});
    QApplication::processEvents();
    const QImage picture = Snap(dialog, "symbol_library.png");
    // Every filled cell has ink of its own besides its frame.
    brindle::CSymbolGridWnd* grid = dialog.Grid();
    const QPoint origin = grid->mapTo(&dialog, grid->ClientRect().topLeft());
    for (std::size_t i = 0; i < grid->Cells().size(); ++i) {
        const auto& cell = *grid->Cells()[i];
        const QRect inside(origin.x() + cell.origin.x + 4, origin.y() + cell.origin.y + 4, 32, 32);
        EXPECT_GT(InkIn(picture, inside), 10) << i;
    }
    dialog.hide();
}

TEST_F(SymbolSpecimen, GlyphChooserOnTheMusicFont)
{
    brindle::CNewSymbolDlg dialog;
    ASSERT_TRUE(dialog.BeginModal());
    auto* list = dialog.Control<QComboBox>(brindle::CNewSymbolDlg::kIdFontList);
    list->setCurrentIndex(list->findText(QStringLiteral("Tansy")));
    ASSERT_EQ(dialog.Fonts()[static_cast<std::size_t>(dialog.ChosenFont())].FaceName(), u"Tansy");
    dialog.Grid()->OnLButtonDown({5 * 40 + 20, 2 * 40 + 20});
    QApplication::processEvents();
    Snap(dialog, "symbol_glyphs_music.png");
    list->setCurrentIndex(list->findText(QStringLiteral("Noto Sans CJK SC")));
    Snap(dialog, "symbol_glyphs_chinese.png");
    dialog.hide();
}

TEST_F(SymbolSpecimen, SymbolEditor)
{
    const struct {
        int placement;
        char16_t code;
        const char* file;
    } cases[] = {
        {0, music::kFermata, "symbol_editor_above.png"},
        {3, music::kSharp, "symbol_editor_right.png"},
    };
    for (const auto& c : cases) {
        brindle::ExtendSymbol symbol;
        symbol.name = u"specimen";
        symbol.charText = std::u16string(1, c.code);
        symbol.font.SetFaceName(music::kSymbolFace);
        symbol.font.height = -15;
        symbol.placement = c.placement;
        brindle::CEditSymbolDlg dialog;
        dialog.SetDataFolder(data.Data());
        dialog.SetSymbol(symbol);
        ASSERT_TRUE(dialog.BeginModal());
        Snap(dialog, c.file);
        const QImage preview = dialog.Preview()->Render();
        EXPECT_GT(InkIn(preview, preview.rect()), 100);
        dialog.hide();
    }
}

}  // namespace
