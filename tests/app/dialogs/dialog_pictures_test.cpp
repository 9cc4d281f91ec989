// Pictures of the dialogs as the user sees them, over the settings and textures that
// ship with the program, and a sheet of the shipped textures, each repeated 2 × 2 so that
// seams would show. Writes PNG files into build/bin/specimen/dialogs/ (or into
// $BRINDLE_SPECIMEN_DIR) for looking at; the tests check only that the pictures were made.
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QListWidget>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "app/dialogs/background_dlg.h"
#include "app/dialogs/font_settings_dlg.h"
#include "app/dialogs/data_folder.h"
#include "app/dialogs/shortcut_dlg.h"
#include "app/dialogs/shortcut_key_dlg.h"
#include "platform/font_resources.h"
#include "platform/text_encoding.h"
#include "tests/app/dialogs/settings_dialog_test_util.h"

namespace {

namespace fs = std::filesystem;
using brindle::DataFolder;

const fs::path kShippedData = fs::path(BRINDLE_SOURCE_DIR) / "data";

fs::path SpecimenFolder()
{
    const char* dir = std::getenv("BRINDLE_SPECIMEN_DIR");
    const fs::path folder = dir ? fs::path(dir) : fs::path(BRINDLE_BIN_DIR) / "specimen" / "dialogs";
    fs::create_directories(folder);
    return folder;
}

// Shows the dialog (its initialisation already run) and saves what it looks like.
void Snap(QWidget& widget, const char* name)
{
    widget.adjustSize();
    widget.show();
    QApplication::processEvents();
    const QImage picture = widget.grab().toImage();
    const fs::path file = SpecimenFolder() / name;
    ASSERT_TRUE(picture.save(QString::fromStdString(file.string())));
    std::cout << "specimen: " << file.string() << "\n";
    EXPECT_GT(picture.width(), 100);
    EXPECT_GT(picture.height(), 60);
}

TEST(Specimen, ShortcutDialogs)
{
    brindle::CShortcutDlg dialog;
    dialog.SetDataFolder(DataFolder::InFolder(kShippedData));
    ASSERT_TRUE(dialog.BeginModal());
    const char* const names[] = {"shortcut_notes.png", "shortcut_durations.png", "shortcut_pitch.png"};
    for (int page = 0; page < 3; ++page) {
        dialog.Control<QListWidget>(brindle::CShortcutDlg::kIdCategoryList)->setCurrentRow(page);
        Snap(dialog, names[page]);
    }
    dialog.hide();

    brindle::CShortcutKeyDlg capture;
    capture.SetShortcutKey({3, 0x41, 0x1E, false, true});
    ASSERT_TRUE(capture.BeginModal());
    Snap(capture, "shortcut_key.png");
    capture.hide();
}

TEST(Specimen, FontSettingsDialog)
{
    brindle::CFontSettingsDlg dialog;
    dialog.SetDataFolder(DataFolder::InFolder(kShippedData));
    ASSERT_TRUE(dialog.BeginModal());
    Snap(dialog, "font_settings_title.png");
    dialog.Control<QListWidget>(brindle::CFontSettingsDlg::kIdCategoryList)->setCurrentRow(6);
    Snap(dialog, "font_settings_bar_index.png");
    dialog.hide();
}

TEST(Specimen, BackgroundDialog)
{
    brindle::CBackgroundDlg dialog;
    dialog.SetDataFolder(DataFolder::InFolder(kShippedData));
    ASSERT_TRUE(dialog.BeginModal());
    // The shipped option file chooses no texture; show a choice in each list.
    dialog.Control<QComboBox>(brindle::CBackgroundDlg::kIdForegroundList)->setCurrentIndex(0);
    dialog.Control<QComboBox>(brindle::CBackgroundDlg::kIdBackgroundList)->setCurrentIndex(0);
    Snap(dialog, "background.png");
    dialog.hide();
}

// Every shipped texture, 2 × 2, in one sheet: foreground row above, background row below.
TEST(Specimen, ShippedTextures)
{
    const auto location = DataFolder::InFolder(kShippedData);
    const auto info = location.SystemInfo();
    const std::u16string folders[] = {info.GetForegroundFilePath(), info.GetBackgroundFilePath()};
    std::vector<std::vector<QImage>> rows;
    int width = 0;
    int height = 0;
    for (const std::u16string& folder : folders) {
        rows.emplace_back();
        int rowWidth = 0;
        int rowHeight = 0;
        for (const std::u16string& name : brindle::CBackgroundDlg::ListPictureFiles(location.NativePathOf(folder))) {
            const QImage image(QString::fromStdString(location.NativePathOf(folder + name).string()));
            ASSERT_FALSE(image.isNull()) << dialog_test::Utf8(name);
            rows.back().push_back(image);
            rowWidth += image.width() * 2 + 8;
            rowHeight = std::max(rowHeight, image.height() * 2);
        }
        width = std::max(width, rowWidth);
        height += rowHeight + 8;
    }
    QImage sheet(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    int y = 0;
    for (const auto& row : rows) {
        int x = 0;
        int rowHeight = 0;
        for (const QImage& image : row) {
            for (int i = 0; i < 4; ++i)
                painter.drawImage(x + (i % 2) * image.width(), y + (i / 2) * image.height(), image);
            x += image.width() * 2 + 8;
            rowHeight = std::max(rowHeight, image.height() * 2);
        }
        y += rowHeight + 8;
    }
    painter.end();
    const fs::path file = SpecimenFolder() / "textures.png";
    ASSERT_TRUE(sheet.save(QString::fromStdString(file.string())));
    std::cout << "specimen: " << file.string() << "\n";
}

}  // namespace
