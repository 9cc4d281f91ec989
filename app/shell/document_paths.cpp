#include "app/shell/document_paths.h"

#include "platform/text_encoding.h"

namespace brindle {

namespace fs = std::filesystem;

namespace {

// Where the file name starts.
std::size_t NameStart(std::u16string_view path)
{
    const std::size_t slash = path.rfind(u'/');
    return slash == std::u16string_view::npos ? 0 : slash + 1;
}

// The last dot of the file name, or npos.
std::size_t ExtensionDot(std::u16string_view path)
{
    const std::size_t dot = path.rfind(u'.');
    return dot == std::u16string_view::npos || dot < NameStart(path) ? std::u16string_view::npos : dot;
}

}  // namespace

std::u16string FileExtension(std::u16string_view path)
{
    const std::size_t dot = ExtensionDot(path);
    return dot == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(dot + 1));
}

std::u16string FileNameOf(std::u16string_view path)
{
    return std::u16string(path.substr(NameStart(path)));
}

std::u16string FolderOf(std::u16string_view path)
{
    const std::size_t start = NameStart(path);
    if (start == 0)
        return {};
    return std::u16string(path.substr(0, start == 1 ? 1 : start - 1));
}

std::u16string StripExtension(std::u16string_view path)
{
    const std::size_t dot = ExtensionDot(path);
    return std::u16string(dot == std::u16string_view::npos ? path : path.substr(0, dot));
}

std::u16string LowerAscii(std::u16string_view text)
{
    std::u16string lower(text);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    return lower;
}

bool HasDocumentExtension(std::u16string_view path)
{
    return LowerAscii(FileExtension(path)) == u"exl";
}

fs::path NativePath(std::u16string_view path)
{
    return fs::path(platform::Utf16ToUtf8(path));
}

std::u16string PathText(const fs::path& path)
{
    return platform::PathToUtf16(path);
}

bool FileExists(std::u16string_view path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(NativePath(path), ec);
}

bool IsReadOnlyFile(std::u16string_view path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(NativePath(path), ec);
    if (ec || !fs::exists(status))
        return false;
    constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & kWrite) == fs::perms::none;
}

std::u16string DocumentStartFolder(std::u16string_view current, const std::vector<std::u16string>& recent)
{
    const auto usable = [](std::u16string_view path) {
        const std::u16string folder = FolderOf(path);
        std::error_code ec;
        return !folder.empty() && fs::is_directory(NativePath(folder), ec) ? folder : std::u16string();
    };
    if (std::u16string folder = usable(current); !folder.empty())
        return folder;
    for (const std::u16string& path : recent)
        if (std::u16string folder = usable(path); !folder.empty())
            return folder;
    return {};
}

}  // namespace brindle
