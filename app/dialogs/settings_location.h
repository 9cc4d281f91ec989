// Where the settings dialogs find the program's files: the data folder and the main
// settings file whose "SYSTEM INFO" section names every other file. A dialog joins the
// folder and a name from that section as they are ("settings\Font.ini" below the folder).
// The program's own location is the data folder with "Tansy.ini" in it; tests point the
// dialogs at a folder of their own.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "app/settings/profile_file.h"
#include "app/settings/system_info_section.h"

namespace brindle {

class SettingsLocation {
public:
    // `folder`: the data folder, ending in a separator; `mainFile`: the file that holds
    // "SYSTEM INFO".
    SettingsLocation(std::u16string folder, std::shared_ptr<ProfileFile> mainFile);

    // The data folder of the running program and its "Tansy.ini".
    static SettingsLocation Program();
    // A data folder and the "Tansy.ini" in it (a separator is added when missing).
    static SettingsLocation InFolder(const std::filesystem::path& folder);

    const std::u16string& Folder() const { return folder_; }
    const std::shared_ptr<ProfileFile>& MainFile() const { return mainFile_; }
    SystemInfoSection SystemInfo() const { return SystemInfoSection(mainFile_); }

    // The folder followed directly by a name read from "SYSTEM INFO", as the settings
    // objects take it (backslashes are folder separators).
    std::u16string PathOf(std::u16string_view name) const { return folder_ + std::u16string(name); }
    std::filesystem::path NativePathOf(std::u16string_view name) const;

private:
    std::u16string folder_;
    std::shared_ptr<ProfileFile> mainFile_;
};

}  // namespace brindle
