// Where a dialog finds the settings it reads: the program's data folder, its main
// settings file "Tansy.ini" and the files that file's "SYSTEM INFO" section names. A
// dialog joins the folder and a name from that section as they are ("settings\Font.ini"
// below the folder). The program uses its own data folder; tests point a dialog at a
// folder of their own.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "app/settings/profile_file.h"
#include "app/settings/system_info_section.h"

namespace brindle {

class DataFolder {
public:
    // The program's data folder (GetAppDirectory).
    static DataFolder Program();
    // A folder of the caller's own, such as a test's.
    static DataFolder InFolder(const std::filesystem::path& folder);

    // A folder given by its path text; a trailing separator is added when missing.
    explicit DataFolder(std::u16string folder);

    // The folder with its trailing separator; empty when unknown.
    const std::u16string& Folder() const { return folder_; }

    // The "SYSTEM INFO" section of the folder's main settings file; it reads as empty
    // when the folder is unknown.
    SystemInfoSection SystemInfo() const;

    // The folder followed by a name from "SYSTEM INFO", as the settings objects take it
    // (backslashes are folder separators). Empty when the name or the folder is empty,
    // so that a missing entry reads as a missing file rather than as the folder itself.
    std::u16string PathOf(std::u16string_view name) const;
    std::filesystem::path NativePathOf(std::u16string_view name) const;

    // A settings file at PathOf(name); it reads as empty when that path is empty.
    std::shared_ptr<ProfileFile> Open(std::u16string_view name) const;

private:
    std::u16string folder_;
};

}  // namespace brindle
