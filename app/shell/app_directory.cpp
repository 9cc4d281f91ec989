#include "app/shell/app_directory.h"

#include <cstdlib>
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

// Copies every file of `from` that `to` lacks; keeps what `to` has. False when the
// copy could not be made complete.
bool SeedFolder(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    fs::create_directories(to, ec);
    if (ec)
        return false;
    bool complete = true;
    for (auto it = fs::recursive_directory_iterator(from, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        const fs::path relative = it->path().lexically_relative(from);
        const fs::path target = to / relative;
        std::error_code step;
        if (it->is_directory(step)) {
            fs::create_directories(target, step);
        } else if (it->is_regular_file(step) && !fs::exists(target, step)) {
            fs::copy_file(it->path(), target, fs::copy_options::skip_existing, step);
            // The installed copy may be read-only; the user's copy is the user's.
            if (!step)
                fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, step);
        }
        if (step)
            complete = false;
    }
    return !ec && complete;
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

    if (!SeedFolder(defaults, userFolder) && !HoldsMainSettingsFile(userFolder))
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
