// Common part of the objects that reach one named section of a settings file
// (TextureInfoSection and MidiDeviceSection of the option file).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/settings/profile_file.h"

namespace brindle {

class SettingsSectionBase {
public:
    // Points the section's file at a path; backslashes are folder separators.
    void SetFileName(std::u16string_view path) { file_->SetPath(path); }

    const std::u16string& GetSectionName() const { return section_; }
    const std::shared_ptr<ProfileFile>& GetProfileFile() const { return file_; }

protected:
    explicit SettingsSectionBase(std::u16string section)
        : section_(std::move(section)), file_(std::make_shared<ProfileFile>())
    {
    }
    ~SettingsSectionBase() = default;
    SettingsSectionBase(const SettingsSectionBase&) = default;
    SettingsSectionBase& operator=(const SettingsSectionBase&) = default;

    ProfileFile& File() const { return *file_; }

private:
    std::u16string section_;
    std::shared_ptr<ProfileFile> file_;
};

}  // namespace brindle
