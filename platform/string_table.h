// The program's strings by id, from two sources: the program's own table and the
// resource-language library loaded at start-up. Look-ups go to the current source, which
// the program switches around each group of look-ups (ScopedResourceSource). Under the
// library a string the library lacks, or any string while no library is loaded, comes
// from the program's own table; the framework's few strings (the ask-to-save prompt) come
// last. A string is at most 255 units long, as the table's readers expect.
#pragma once

#include "platform/resource_library.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class ResourceSource { Own, Library };

// The library's file in the program's folder.
inline constexpr std::u16string_view kResourceLibraryFileName = u"libquillmark.so";
// Shown when the library cannot be loaded; the program goes on with its own strings.
inline constexpr std::u16string_view kMsgResourceLoadFailed = u"资源加载失败！";
// Framework string: the ask-to-save prompt, %1 the document's title.
inline constexpr unsigned kIdsAskToSave = 61699;
inline constexpr std::size_t kMaxResourceString = 255;

class StringTable {
public:
    static StringTable& Instance();

    // The program's own strings; replaces what was there.
    void SetOwnStrings(std::map<unsigned, std::u16string> strings);
    void SetOwnString(unsigned id, std::u16string text);

    // Loads the library file; false when it could not be loaded (the previous one is
    // gone either way).
    bool LoadLibrary(const std::filesystem::path& file);
    // Start-up: loads kResourceLibraryFileName from `folder`; when that fails, shows
    // "资源加载失败！" (OK only) and returns false.
    bool LoadResourceLanguageLibrary(const std::filesystem::path& folder);
    void UnloadLibrary();
    bool HasLibrary() const { return library_.IsLoaded(); }

    ResourceSource Current() const { return current_; }
    // Returns the source it replaces.
    ResourceSource SetCurrent(ResourceSource source);

    // The string under the current source; empty when no source has it.
    std::u16string Load(unsigned id) const;
    std::optional<std::u16string> Find(unsigned id, ResourceSource source) const;

private:
    std::map<unsigned, std::u16string> own_;
    ResourceLibrary library_;
    ResourceSource current_ = ResourceSource::Own;
};

// A string of the current source (StringTable::Instance).
std::u16string LoadResourceString(unsigned id);

// Switches the current source for the lifetime of the object.
class ScopedResourceSource {
public:
    explicit ScopedResourceSource(ResourceSource source) : previous_(StringTable::Instance().SetCurrent(source)) {}
    ~ScopedResourceSource() { StringTable::Instance().SetCurrent(previous_); }
    ScopedResourceSource(const ScopedResourceSource&) = delete;
    ScopedResourceSource& operator=(const ScopedResourceSource&) = delete;

private:
    ResourceSource previous_;
};

}  // namespace platform
