#include "platform/resource_library.h"

#include "platform/resource_strings_abi.h"

#include <QLibrary>
#include <QString>

namespace platform {
namespace {

// Bounds of a sane table: string ids are 16-bit, and no entry is longer than this.
constexpr unsigned kMaxEntries = 0x10000;
constexpr std::size_t kMaxTextUnits = 0x10000;

}  // namespace

ResourceLibrary::ResourceLibrary() = default;

ResourceLibrary::~ResourceLibrary() { Unload(); }

bool ResourceLibrary::Load(const std::filesystem::path& file)
{
    Unload();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return false;
    auto library = std::make_unique<QLibrary>(QString::fromStdString(file.string()));
    if (!library->load())
        return false;
    auto function = reinterpret_cast<BrindleResourceStringsFunction>(library->resolve(kResourceStringsSymbol));
    unsigned count = 0;
    const BrindleResourceString* table = function ? function(&count) : nullptr;
    if (!table || count > kMaxEntries) {
        library->unload();
        return false;
    }
    std::map<unsigned, std::u16string> strings;
    for (unsigned i = 0; i < count; ++i) {
        const BrindleResourceString& entry = table[i];
        if (!entry.text || entry.id > 0xFFFF)
            continue;
        std::size_t length = 0;
        while (length < kMaxTextUnits && entry.text[length] != u'\0')
            ++length;
        if (length == kMaxTextUnits)
            continue;  // no terminator in reach: not a text
        strings.emplace(entry.id, std::u16string(entry.text, length));
    }
    library_ = std::move(library);
    strings_ = std::move(strings);
    loaded_ = true;
    return true;
}

void ResourceLibrary::Unload()
{
    strings_.clear();
    if (library_) {
        library_->unload();
        library_.reset();
    }
    loaded_ = false;
}

std::optional<std::u16string> ResourceLibrary::Find(unsigned id) const
{
    auto it = strings_.find(id);
    if (it == strings_.end())
        return std::nullopt;
    return it->second;
}

}  // namespace platform
