// Common part of the settings files that own their ProfileFile (shortcut, font, layout
// parameter, option and extended symbol files).
#pragma once

#include <memory>
#include <string_view>

#include "app/settings/profile_file.h"

namespace brindle {

class SettingsFileBase {
public:
    // Points the file at a path: usually the program folder followed by the name that
    // the main settings file gives. Backslashes are folder separators.
    void SetFileName(std::u16string_view path) { file_->SetPath(path); }

    const std::shared_ptr<ProfileFile>& GetProfileFile() const { return file_; }

protected:
    SettingsFileBase() : file_(std::make_shared<ProfileFile>()) {}
    ~SettingsFileBase() = default;
    SettingsFileBase(const SettingsFileBase&) = default;
    SettingsFileBase& operator=(const SettingsFileBase&) = default;

    ProfileFile& File() const { return *file_; }

private:
    std::shared_ptr<ProfileFile> file_;
};

}  // namespace brindle
