#include "platform/string_table.h"

#include "platform/dialog_service.h"
#include "platform/text_encoding.h"

namespace platform {
namespace {

std::optional<std::u16string> FrameworkString(unsigned id)
{
    if (id == kIdsAskToSave)
        return std::u16string(u"是否保存对 %1 的更改？");
    return std::nullopt;
}

}  // namespace

StringTable& StringTable::Instance()
{
    static StringTable table;
    return table;
}

void StringTable::SetOwnStrings(std::map<unsigned, std::u16string> strings) { own_ = std::move(strings); }

void StringTable::SetOwnString(unsigned id, std::u16string text) { own_[id] = std::move(text); }

bool StringTable::LoadLibrary(const std::filesystem::path& file) { return library_.Load(file); }

bool StringTable::LoadResourceLanguageLibrary(const std::filesystem::path& folder)
{
    if (LoadLibrary(folder / PathFromUtf16(kResourceLibraryFileName)))
        return true;
    ShowMessage(kMsgResourceLoadFailed, kMbOk);
    return false;
}

void StringTable::UnloadLibrary() { library_.Unload(); }

ResourceSource StringTable::SetCurrent(ResourceSource source)
{
    const ResourceSource previous = current_;
    current_ = source;
    return previous;
}

std::optional<std::u16string> StringTable::Find(unsigned id, ResourceSource source) const
{
    std::optional<std::u16string> found;
    if (source == ResourceSource::Library)
        found = library_.Find(id);
    if (!found)
        if (auto it = own_.find(id); it != own_.end())
            found = it->second;
    if (!found)
        found = FrameworkString(id);
    if (found && found->size() > kMaxResourceString)
        found->resize(kMaxResourceString);
    return found;
}

std::u16string StringTable::Load(unsigned id) const { return Find(id, current_).value_or(std::u16string()); }

std::u16string LoadResourceString(unsigned id) { return StringTable::Instance().Load(id); }

}  // namespace platform
