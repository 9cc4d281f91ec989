// The program's data folder: where the main settings file "Tansy.ini" and every file it
// names (settings, patch names, page sizes, fonts, help, textures, the autosave copy)
// are found.
//
// It is the folder of the executable when that folder holds "Tansy.ini" and can be
// written. Otherwise (an installation in a read-only place) it is a per-user copy,
// "$XDG_DATA_HOME/brindle/" (by default "~/.local/share/brindle/"), seeded from the
// installed defaults: files missing from the copy are copied in, files already there
// are kept, so the user's settings survive and new data files arrive.
//
// Only the data is copied: "Tansy.ini" and what it names (settings, lists, fonts, DTD,
// help, textures; a named file in a subfolder brings its whole subfolder), never the
// program, its libraries or anything else that lies beside them. An installation keeps
// its data in "<prefix>/share/brindle", apart from the programs in "<prefix>/bin"; the
// build tree keeps it beside the programs, where the program looks first.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace brindle {

// The data folder with a trailing "/"; computed once per process. Empty when even the
// executable's folder cannot be found.
std::u16string GetAppDirectory();

// GetAppDirectory followed directly by a name from the settings, with backslashes
// taken as folder separators ("fonts\Tansy.ttc" -> "<folder>/fonts/Tansy.ttc").
std::filesystem::path AppFilePath(std::u16string_view name);

// The choice behind GetAppDirectory, with its inputs open for tests.
//   executableFolder: the folder of the running program;
//   userFolder:       the per-user data folder to use when the program folder is not
//                     usable ($XDG_DATA_HOME/brindle);
//   isWritable:       whether a folder can be written.
// The installed defaults are the executable's folder when it holds "Tansy.ini", else
// "<executable folder>/../share/brindle". When no defaults are found the executable's
// folder is returned (or the per-user folder, when an earlier run filled it); when the
// per-user copy cannot be made, the installed defaults are used as they are.
std::filesystem::path ResolveDataDirectory(const std::filesystem::path& executableFolder,
                                           const std::filesystem::path& userFolder,
                                           const std::function<bool(const std::filesystem::path&)>& isWritable);

// "$XDG_DATA_HOME/brindle" when that variable holds an absolute path, else
// "$HOME/.local/share/brindle"; empty when neither is known.
std::filesystem::path UserDataDirectory();

}  // namespace brindle
