#include "app/shell/app_directory.h"

#include <cstdlib>
#include <memory>
#include <set>
#include <pwd.h>
#include <unistd.h>

#include "app/settings/system_info_section.h"
#include "platform/text_encoding.h"

namespace brindle {

namespace fs = std::filesystem;

namespace {

bool HoldsMainSettingsFile(const fs::path& folder)
{
    std::error_code ec;
    return !folder.empty() && fs::is_regular_file(folder / platform::PathFromUtf16(kMainSettingsFileName), ec);
}

bool FolderIsWritable(const fs::path& folder)
{
    return ::access(folder.c_str(), W_OK | X_OK) == 0 &&
           ::access((folder / platform::PathFromUtf16(kMainSettingsFileName)).c_str(), W_OK) == 0;
}

// Copies a file that `to` lacks; keeps what `to` has. False when it could not be copied.
bool SeedFile(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    if (fs::exists(to, ec))
        return true;
    fs::create_directories(to.parent_path(), ec);
    if (ec || !fs::copy_file(from, to, fs::copy_options::skip_existing, ec))
        return false;
    // The installed copy may be read-only; the user's copy is the user's.
    fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    return !ec;
}

// Copies every file of the folder `from` that `to` lacks.
bool SeedTree(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    fs::create_directories(to, ec);
    if (ec)
        return false;
    bool complete = true;
    for (auto it = fs::recursive_directory_iterator(from, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        std::error_code step;
        const fs::path target = to / it->path().lexically_relative(from);
        if (it->is_directory(step))
            fs::create_directories(target, step);
        else if (it->is_regular_file(step))
            complete = SeedFile(it->path(), target) && complete;
        if (step)
            complete = false;
    }
    return !ec && complete;
}

// What "Tansy.ini" names, as paths inside its folder: the settings, list, font, DTD,
// help and texture files and folders. A file in a subfolder brings the whole subfolder
// (the DTD's modules, the help page's pictures, the font's licence texts); a file at the
// top brings only itself. Names that would lead out of the folder are left out.
std::set<fs::path> DataFilesNamedBy(const fs::path& defaults)
{
    using Getter = std::u16string (SystemInfoSection::*)() const;
    static constexpr Getter kNames[] = {
        &SystemInfoSection::GetSignatureFontFile,    &SystemInfoSection::GetPageInfoFile,
        &SystemInfoSection::GetPatchNameFile,        &SystemInfoSection::GetExpressionFile,
        &SystemInfoSection::GetDtdFile,              &SystemInfoSection::GetForegroundFilePath,
        &SystemInfoSection::GetBackgroundFilePath,   &SystemInfoSection::GetFontFileName,
        &SystemInfoSection::GetFontParamFileName,    &SystemInfoSection::GetExtendSymbolFileName,
        &SystemInfoSection::GetOptionFileName,       &SystemInfoSection::GetShortcutFileName,
        &SystemInfoSection::GetHelpFileName,
    };
    auto mainFile = std::make_shared<ProfileFile>();
    mainFile->SetNativePath(defaults / platform::PathFromUtf16(kMainSettingsFileName));
    const SystemInfoSection info(mainFile);
    std::set<fs::path> named;
    for (const Getter get : kNames) {
        std::u16string value = (info.*get)();
        // The program joins the folder and the name as they are, so a leading separator
        // still means a place inside the folder.
        const std::size_t start = value.find_first_not_of(u"\\/");
        if (start == std::u16string::npos)
            continue;
        const bool folder = value.back() == u'\\' || value.back() == u'/';
        const fs::path relative = platform::PathFromUtf16(std::u16string_view(value).substr(start)).lexically_normal();
        if (relative.empty() || relative.is_absolute() || *relative.begin() == ".." || *relative.begin() == ".")
            continue;
        if (folder)
            named.insert(relative.has_filename() ? relative : relative.parent_path());
        else if (relative.has_parent_path())
            named.insert(relative.parent_path());
        else
            named.insert(relative);
    }
    return named;
}

// Copies the data files of an installation that `to` lacks; keeps what `to` has. False
// when the copy could not be made complete.
bool SeedDataFiles(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    fs::create_directories(to, ec);
    if (ec)
        return false;
    bool complete = true;
    for (const fs::path& name : DataFilesNamedBy(from)) {
        const fs::path source = from / name;
        std::error_code step;
        const fs::file_status status = fs::status(source, step);
        if (fs::is_directory(status))
            complete = SeedTree(source, to / name) && complete;
        else if (fs::is_regular_file(status))
            complete = SeedFile(source, to / name) && complete;
        // A name whose file is not installed is skipped: nothing to copy.
    }
    // The main settings file last: a folder that holds it has the rest.
    const fs::path main = platform::PathFromUtf16(kMainSettingsFileName);
    return SeedFile(from / main, to / main) && complete;
}

fs::path ExecutableFolder()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return exe.parent_path();
}

}  // namespace

fs::path ResolveDataDirectory(const fs::path& executableFolder, const fs::path& userFolder,
                              const std::function<bool(const fs::path&)>& isWritable)
{
    if (HoldsMainSettingsFile(executableFolder) && isWritable(executableFolder))
        return executableFolder;

    fs::path defaults;
    if (HoldsMainSettingsFile(executableFolder))
        defaults = executableFolder;
    else if (const fs::path shared = (executableFolder / ".." / "share" / "brindle").lexically_normal();
             HoldsMainSettingsFile(shared))
        defaults = shared;
    if (defaults.empty())
        return HoldsMainSettingsFile(userFolder) ? userFolder : executableFolder;
    if (userFolder.empty())
        return defaults;

    if (!SeedDataFiles(defaults, userFolder) && !HoldsMainSettingsFile(userFolder))
        return defaults;
    return userFolder;
}

fs::path UserDataDirectory()
{
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/')
        return fs::path(xdg) / "brindle";
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') {
        const passwd* entry = ::getpwuid(::getuid());
        home = entry ? entry->pw_dir : nullptr;
    }
    if (!home || home[0] != '/')
        return {};
    return fs::path(home) / ".local" / "share" / "brindle";
}

std::u16string GetAppDirectory()
{
    static const std::u16string directory = [] {
        const fs::path folder = ResolveDataDirectory(ExecutableFolder(), UserDataDirectory(), FolderIsWritable);
        if (folder.empty())
            return std::u16string();
        std::u16string text = platform::PathToUtf16(folder);
        if (text.back() != u'/')
            text.push_back(u'/');
        return text;
    }();
    return directory;
}

fs::path AppFilePath(std::u16string_view name)
{
    return platform::PathFromUtf16(GetAppDirectory() + std::u16string(name));
}

}  // namespace brindle
