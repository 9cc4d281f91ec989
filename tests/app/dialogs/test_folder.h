// Helpers of the settings-dialog tests: a data folder of the test's own with a main
// settings file naming the lists and settings, and saving screenshots to look at.
#pragma once

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "app/dialogs/data_folder.h"
#include "platform/font_resources.h"
#include "platform/text_encoding.h"
#include "tests/platform/temp_folder.h"

namespace dialog_test {

inline const std::filesystem::path kSourceData = std::filesystem::path(BRINDLE_SOURCE_DIR) / "data";

// A data folder with "Tansy.ini" naming lists\PageInfo.ini, lists\PatchName.ini,
// lists\Expression.ini and settings\FontParam.ini; the patch names and expression words
// are the program's own, the paper list and parameters are what each test writes.
class TestFolder {
public:
    TestFolder()
    {
        std::filesystem::create_directories(temp_ / "lists");
        std::filesystem::create_directories(temp_ / "settings");
        TempFolder::Write(temp_ / "Tansy.ini",
                          "[SYSTEM INFO]\r\n"
                          "Page Info File=lists\\PageInfo.ini\r\n"
                          "Patch Name File=lists\\PatchName.ini\r\n"
                          "Expression File=lists\\Expression.ini\r\n"
                          "Font Param File Name=settings\\FontParam.ini\r\n");
        std::filesystem::copy_file(kSourceData / "lists" / "PatchName.ini", temp_ / "lists" / "PatchName.ini");
        std::filesystem::copy_file(kSourceData / "lists" / "Expression.ini", temp_ / "lists" / "Expression.ini");
        std::filesystem::copy_file(kSourceData / "lists" / "PageInfo.ini", temp_ / "lists" / "PageInfo.ini");
    }

    const std::filesystem::path& Path() const { return temp_.Path(); }
    std::filesystem::path operator/(std::string_view name) const { return temp_ / name; }
    brindle::DataFolder Data() const { return brindle::DataFolder(platform::PathToUtf16(temp_.Path())); }

    void WritePapers(std::string_view text) const { TempFolder::Write(temp_ / "lists" / "PageInfo.ini", text); }
    void WriteParams(std::string_view text) const { TempFolder::Write(ParamFile(), text); }
    std::filesystem::path ParamFile() const { return temp_ / "settings" / "FontParam.ini"; }
    std::string ReadParams() const { return TempFolder::Read(ParamFile()); }

private:
    TempFolder temp_;
};

// The music fonts, for the signature letters.
inline bool AddMusicFonts() { return platform::AddFontResource(kSourceData / "fonts" / "Tansy.ttc") > 0; }

// Saves a screenshot into $BRINDLE_SPECIMEN_DIR or else build/bin/specimen.
inline void SaveScreenshot(const QImage& image, const std::string& name)
{
    const char* dir = std::getenv("BRINDLE_SPECIMEN_DIR");
    const std::filesystem::path folder =
        dir ? std::filesystem::path(dir) : std::filesystem::path(BRINDLE_BIN_DIR) / "specimen";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / name;
    ASSERT_TRUE(image.save(QString::fromStdString(file.string())));
    std::cout << "screenshot: " << file.string() << "\n";
}

}  // namespace dialog_test
