// One loaded resource-language library: a shared library of our own that holds a string
// table (see resource_strings_abi.h). The table is copied and checked when the library is
// loaded; the library stays loaded while the object lives.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QLibrary;

namespace platform {

class ResourceLibrary {
public:
    ResourceLibrary();
    ~ResourceLibrary();
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;

    // Loads the library at `file` (replacing one loaded before). False when the file is
    // missing, is not a library, or does not export a usable table; nothing is loaded then.
    bool Load(const std::filesystem::path& file);
    void Unload();
    bool IsLoaded() const { return loaded_; }

    std::optional<std::u16string> Find(unsigned id) const;
    std::size_t Size() const { return strings_.size(); }

private:
    std::unique_ptr<QLibrary> library_;
    std::map<unsigned, std::u16string> strings_;
    bool loaded_ = false;
};

}  // namespace platform
