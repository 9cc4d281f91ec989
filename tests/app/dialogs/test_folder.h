// Helpers of the dialog tests: a data folder of the test's own with a main settings file
// naming the files the dialogs read, and saving screenshots to look at.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/dialogs/data_folder.h"
#include "platform/font_resources.h"
#include "platform/private_profile.h"
#include "platform/text_encoding.h"
#include "tests/platform/temp_folder.h"
#include "tests/support/specimen_folder.h"

namespace dialog_test {

inline const std::filesystem::path kSourceData = std::filesystem::path(BRINDLE_SOURCE_DIR) / "data";

// A data folder of the test's own, removed afterwards, with a "Tansy.ini" whose
// "SYSTEM INFO" section names the files the test needs:
//   Nothing:       no names; a test adds its own with Name;
//   SettingsFiles: settings\Shortcut.ini, settings\Font.ini, settings\Option.ini and the
//                  folders texture\foreground\ and texture\background\, the files
//                  themselves left to each test;
//   Lists:         lists\PageInfo.ini, lists\PatchName.ini, lists\Expression.ini (the
//                  program's own lists) and settings\FontParam.ini (left to each test).
class TestFolder {
public:
    enum class Names { Nothing, SettingsFiles, Lists };

    explicit TestFolder(Names names = Names::Nothing)
    {
        std::filesystem::create_directories(temp_ / "settings");
        switch (names) {
        case Names::Nothing:
            break;
        case Names::SettingsFiles:
            systemInfo_ = "Shortcut File Name=settings\\Shortcut.ini\r\n"
                          "Font File Name=settings\\Font.ini\r\n"
                          "Option File Name=settings\\Option.ini\r\n"
                          "Foreground File Path=texture\\foreground\\\r\n"
                          "Background File Path=texture\\background\\\r\n";
            break;
        case Names::Lists:
            systemInfo_ = "Page Info File=lists\\PageInfo.ini\r\n"
                          "Patch Name File=lists\\PatchName.ini\r\n"
                          "Expression File=lists\\Expression.ini\r\n"
                          "Font Param File Name=settings\\FontParam.ini\r\n";
            std::filesystem::create_directories(temp_ / "lists");
            for (const char* list : {"PatchName.ini", "Expression.ini", "PageInfo.ini"})
                std::filesystem::copy_file(kSourceData / "lists" / list, temp_ / "lists" / list);
            break;
        }
        WriteMain("[SYSTEM INFO]\r\n" + systemInfo_);
    }

    // Where the dialogs under test look for their settings.
    brindle::DataFolder Data() const { return brindle::DataFolder::InFolder(temp_.Path()); }

    void WriteMain(std::string_view text) const { TempFolder::Write(temp_ / "Tansy.ini", text); }
    // Adds "key=value" to "SYSTEM INFO".
    void Name(std::string_view key, std::string_view value)
    {
        systemInfo_ += std::string(key) + "=" + std::string(value) + "\r\n";
        WriteMain("[SYSTEM INFO]\r\n" + systemInfo_);
    }

    // A file below the folder (folders made as needed).
    std::filesystem::path Write(std::string_view name, std::string_view bytes = {}) const
    {
        const std::filesystem::path path = temp_ / name;
        std::filesystem::create_directories(path.parent_path());
        TempFolder::Write(path, bytes);
        return path;
    }
    std::string Read(std::string_view name) const { return TempFolder::Read(temp_ / name); }
    // The stored text of a key, or nullopt.
    std::optional<std::u16string> Stored(std::string_view file, std::u16string_view section,
                                         std::u16string_view key) const
    {
        return platform::ReadProfileString(temp_ / file, section, key);
    }

    const std::filesystem::path& Path() const { return temp_.Path(); }
    std::filesystem::path operator/(std::string_view name) const { return temp_ / name; }

    // The files Lists names.
    void WritePapers(std::string_view text) const { Write("lists/PageInfo.ini", text); }
    void WriteParams(std::string_view text) const { Write("settings/FontParam.ini", text); }
    std::filesystem::path ParamFile() const { return temp_ / "settings" / "FontParam.ini"; }
    std::string ReadParams() const { return TempFolder::Read(ParamFile()); }

private:
    TempFolder temp_;
    std::string systemInfo_;
};

// The music fonts, for the signature letters.
inline bool AddMusicFonts() { return platform::AddFontResource(kSourceData / "fonts" / "Tansy.ttc") > 0; }

// The folder pictures of the tests go into: $BRINDLE_SPECIMEN_DIR when it is set, else
// build/bin/specimen, or the folder `sub` below it; made as needed.
inline std::filesystem::path SpecimenFolder(std::string_view sub = {})
{
    const std::filesystem::path folder = test_support::SpecimenFolder() / sub;
    std::filesystem::create_directories(folder);
    return folder;
}

// Saves a screenshot into SpecimenFolder().
inline void SaveScreenshot(const QImage& image, const std::string& name)
{
    const std::filesystem::path file = SpecimenFolder() / name;
    ASSERT_TRUE(image.save(QString::fromStdString(file.string())));
    std::cout << "screenshot: " << file.string() << "\n";
}

// One picture of several, `columns` to a row, each 10 pixels from its neighbours and from
// the edges, on the background colour.
inline QImage PictureSheet(const std::vector<QImage>& pictures, int columns, const QColor& background)
{
    constexpr int kGap = 10;
    const auto columnCount = static_cast<std::size_t>(std::max(columns, 1));
    int width = 0;
    int height = 0;
    for (std::size_t row = 0; row < pictures.size(); row += columnCount) {
        int rowWidth = 0;
        int rowHeight = 0;
        for (std::size_t i = row; i < std::min(row + columnCount, pictures.size()); ++i) {
            rowWidth += pictures[i].width() + kGap;
            rowHeight = std::max(rowHeight, pictures[i].height() + kGap);
        }
        width = std::max(width, rowWidth);
        height += rowHeight;
    }
    QImage sheet(width + kGap, height + kGap, QImage::Format_RGB32);
    sheet.fill(background);
    QPainter painter(&sheet);
    int y = kGap;
    for (std::size_t row = 0; row < pictures.size(); row += columnCount) {
        int x = kGap;
        int rowHeight = 0;
        for (std::size_t i = row; i < std::min(row + columnCount, pictures.size()); ++i) {
            painter.drawImage(x, y, pictures[i]);
            x += pictures[i].width() + kGap;
            rowHeight = std::max(rowHeight, pictures[i].height() + kGap);
        }
        y += rowHeight;
    }
    return sheet;
}

}  // namespace dialog_test
