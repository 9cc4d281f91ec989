// The "SYSTEM INFO" section of the main settings file "Tansy.ini": the names of the
// program's other data and settings files, relative to the program folder. The program
// only reads it. Each getter reads the file afresh and gives an empty text when the
// file or key is missing. Folder values end in a separator; backslashes in the values
// are folder separators (see AppFilePath).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/settings/profile_file.h"

namespace brindle {

// Name of the main settings file in the program folder.
inline constexpr std::u16string_view kMainSettingsFileName = u"Tansy.ini";

class SystemInfoSection {
public:
    static constexpr std::u16string_view kSectionName = u"SYSTEM INFO";

    SystemInfoSection() = default;
    explicit SystemInfoSection(std::shared_ptr<ProfileFile> file) : file_(std::move(file)) {}

    void SetFile(std::shared_ptr<ProfileFile> file) { file_ = std::move(file); }

    std::u16string GetSignatureFontFile() const { return Read(u"Signature Font File"); }
    std::u16string GetPageInfoFile() const { return Read(u"Page Info File"); }
    std::u16string GetPatchNameFile() const { return Read(u"Patch Name File"); }
    std::u16string GetExpressionFile() const { return Read(u"Expression File"); }
    std::u16string GetDtdFile() const { return Read(u"DTD File"); }
    std::u16string GetDtdReplaceString() const { return Read(u"DTD Replace String"); }
    std::u16string GetForegroundFilePath() const { return Read(u"Foreground File Path"); }
    std::u16string GetBackgroundFilePath() const { return Read(u"Background File Path"); }
    std::u16string GetFontFileName() const { return Read(u"Font File Name"); }
    std::u16string GetFontParamFileName() const { return Read(u"Font Param File Name"); }
    std::u16string GetExtendSymbolFileName() const { return Read(u"Extend Symbol File Name"); }
    std::u16string GetOptionFileName() const { return Read(u"Option File Name"); }
    std::u16string GetShortcutFileName() const { return Read(u"Shortcut File Name"); }
    std::u16string GetHelpFileName() const { return Read(u"Help File Name"); }

private:
    std::u16string Read(std::u16string_view key) const;

    std::shared_ptr<ProfileFile> file_;
};

}  // namespace brindle
