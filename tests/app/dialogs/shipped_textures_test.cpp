// The texture pictures that ship with the program: both folders that "Tansy.ini" names
// hold bitmaps that the background dialog lists and that load as pictures which repeat
// without a seam.
#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/dialogs/background_dlg.h"
#include "app/dialogs/data_folder.h"
#include "tests/app/dialogs/settings_dialog_test_util.h"

namespace {

namespace fs = std::filesystem;
using brindle::CBackgroundDlg;
using brindle::DataFolder;

// The mean colour difference between two columns (or rows) of a picture.
double EdgeDifference(const QImage& image, bool columns, int a, int b)
{
    const int n = columns ? image.height() : image.width();
    double total = 0;
    for (int i = 0; i < n; ++i) {
        const QColor p = columns ? image.pixelColor(a, i) : image.pixelColor(i, a);
        const QColor q = columns ? image.pixelColor(b, i) : image.pixelColor(i, b);
        total += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue());
    }
    return total / n;
}

class ShippedTextures : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedTextures, BothFoldersHoldSeamlessBitmaps)
{
    const auto location = DataFolder::InFolder(GetParam());
    const auto info = location.SystemInfo();
    for (const std::u16string& folder : {info.GetForegroundFilePath(), info.GetBackgroundFilePath()}) {
        ASSERT_FALSE(folder.empty());
        const auto names = CBackgroundDlg::ListPictureFiles(location.NativePathOf(folder));
        EXPECT_GE(names.size(), 2u) << dialog_test::Utf8(folder);
        for (const std::u16string& name : names) {
            const QImage image(QString::fromStdString(location.NativePathOf(folder + name).string()), "BMP");
            ASSERT_FALSE(image.isNull()) << dialog_test::Utf8(name);
            EXPECT_GE(image.width(), 32);
            EXPECT_GE(image.height(), 32);
            // Across the wrap the colours change no more than between neighbours inside.
            const int w = image.width();
            const int h = image.height();
            const double inside = std::max(EdgeDifference(image, true, w / 2, w / 2 + 1),
                                           EdgeDifference(image, false, h / 2, h / 2 + 1));
            EXPECT_LE(EdgeDifference(image, true, w - 1, 0), inside * 2 + 4) << dialog_test::Utf8(name);
            EXPECT_LE(EdgeDifference(image, false, h - 1, 0), inside * 2 + 4) << dialog_test::Utf8(name);
        }
    }
}

// The source folder and its copy beside the built program.
INSTANTIATE_TEST_SUITE_P(Folders, ShippedTextures,
                         ::testing::Values(BRINDLE_SOURCE_DIR "/data", BRINDLE_BIN_DIR));

}  // namespace
