#include "platform/private_profile.h"

#include <chrono>
#include <mutex>
#include <sys/vfs.h>
#include <unordered_map>

#include "platform/atomic_file.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

// Serialises the read-modify-write cycles of this process, so two threads writing
// different keys of one file do not lose one of the changes.
std::mutex& WriteMutex()
{
    static std::mutex mutex;
    return mutex;
}

// File times are only as fine as the file system keeps them: a file changed less than
// that before it was read could change again without a new stamp. Its parse is kept with
// its bytes, and used again only while the file still holds those bytes. File systems
// that keep nanoseconds take their times from a clock that moves in ticks of a few
// milliseconds; the others may keep as little as two seconds (FAT).
constexpr std::int64_t kFineGranularityNs = 50'000'000;
constexpr std::int64_t kCoarseGranularityNs = 2'500'000'000;

std::int64_t NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::int64_t TimeGranularityNs(const fs::path& path)
{
    struct statfs info {};
    if (::statfs(path.c_str(), &info) != 0)
        return kCoarseGranularityNs;
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0xEF53:      // ext2, ext3, ext4
    case 0x01021994:  // tmpfs
    case 0x9123683E:  // btrfs
    case 0x58465342:  // xfs
    case 0xF2F52010:  // f2fs
    case 0x794C7630:  // overlayfs
        return kFineGranularityNs;
    default:
        return kCoarseGranularityNs;
    }
}

// Whether the stamp proves the content: the file's content had last changed longer ago
// than the time granularity when it was read, so any later change gets a later time.
bool SettledWhenRead(const fs::path& path, const FileStamp& stamp, std::int64_t readNs)
{
    return stamp.modifiedNs < readNs - TimeGranularityNs(path);
}

// The parses of the files read lately, each with the stamp of the file it came from.
class ParseCache {
public:
    struct Entry {
        FileStamp stamp;
        std::shared_ptr<const LoadedIniFile> file;
        // The bytes parsed, while the stamp alone cannot prove the file unchanged.
        std::shared_ptr<const std::string> bytes;
        std::uint64_t lastUse = 0;
    };

    static ParseCache& Instance()
    {
        static ParseCache cache;
        return cache;
    }

    std::optional<Entry> Find(const fs::path& path, const FileStamp& stamp)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto found = entries_.find(path.native());
        if (found == entries_.end() || !(found->second.stamp == stamp))
            return std::nullopt;
        found->second.lastUse = ++clock_;
        return found->second;
    }

    // `bytes`: null when the stamp proves the content (the file had settled when read).
    void Store(const fs::path& path, const FileStamp& stamp, std::shared_ptr<const LoadedIniFile> file,
               std::shared_ptr<const std::string> bytes)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (entries_.size() >= kMaxEntries && !entries_.contains(path.native())) {
            auto oldest = entries_.begin();
            for (auto it = entries_.begin(); it != entries_.end(); ++it) {
                if (it->second.lastUse < oldest->second.lastUse)
                    oldest = it;
            }
            entries_.erase(oldest);
        }
        entries_[path.native()] = Entry{stamp, std::move(file), std::move(bytes), ++clock_};
    }

    void Forget(const fs::path& path)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        entries_.erase(path.native());
    }

private:
    // The program has about a dozen settings files.
    static constexpr std::size_t kMaxEntries = 32;

    std::mutex mutex_;
    std::unordered_map<std::string, Entry> entries_;
    std::uint64_t clock_ = 0;
};

// Writes the bytes and keeps their parse for the reads that follow.
bool SaveBytes(const fs::path& path, const std::string& bytes)
{
    std::optional<FileStamp> written;
    if (!WriteFileAtomically(path, bytes, written)) {
        ParseCache::Instance().Forget(path);
        return false;
    }
    // Just written: the stamp alone cannot prove the content yet, so the bytes go with it.
    if (written)
        ParseCache::Instance().Store(path, *written, std::make_shared<const LoadedIniFile>(ParseIniBytes(bytes)),
                                     std::make_shared<const std::string>(bytes));
    else
        ParseCache::Instance().Forget(path);
    return true;
}

// The file to edit: its parsed content, or an empty document when it does not exist
// yet. nullopt when it exists but cannot be read (a folder, no permission, too large):
// writing over it would lose what it holds.
std::optional<LoadedIniFile> LoadForEdit(const fs::path& path)
{
    if (auto loaded = LoadSharedIniFile(path))
        return *loaded;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found)
        return LoadedIniFile{};
    return std::nullopt;
}

std::string BytesToWrite(const IniDocument& document, TextEncoding encoding)
{
    std::string bytes;
    if (encoding == TextEncoding::Utf8Bom)
        bytes = "\xEF\xBB\xBF";
    bytes += document.SerializeBytes();
    return bytes;
}

// Old files in UTF-16 or GBK are rewritten as UTF-8; a UTF-8 mark is kept.
TextEncoding EncodingToWrite(TextEncoding read)
{
    return read == TextEncoding::Utf8Bom ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
}

}  // namespace

LoadedIniFile ParseIniBytes(std::string_view bytes)
{
    DecodedText decoded = DecodeText(bytes);
    LoadedIniFile file{IniDocument::Parse(decoded.text), decoded.encoding};
    if (decoded.encoding == TextEncoding::Mixed || decoded.encoding == TextEncoding::Utf8Bom) {
        if (bytes.starts_with("\xEF\xBB\xBF"))
            bytes.remove_prefix(3);
        if (!IsValidUtf8(bytes))
            file.document.KeepOriginalBytes(bytes);
    }
    return file;
}

std::shared_ptr<const LoadedIniFile> LoadSharedIniFile(const fs::path& path)
{
    ParseCache& cache = ParseCache::Instance();
    const std::optional<FileStamp> stamp = StampOf(path);
    if (!stamp) {
        cache.Forget(path);
        return nullptr;
    }
    const std::optional<ParseCache::Entry> cached = cache.Find(path, *stamp);
    if (cached && !cached->bytes)
        return cached->file;

    const std::int64_t readNs = NowNs();
    std::optional<FileStamp> readStamp;
    std::optional<std::string> bytes = ReadWholeFile(path, readStamp);
    if (!bytes) {
        cache.Forget(path);
        return nullptr;
    }
    std::shared_ptr<const LoadedIniFile> file;
    if (cached && readStamp == stamp && *cached->bytes == *bytes)
        file = cached->file;
    else
        file = std::make_shared<const LoadedIniFile>(ParseIniBytes(*bytes));
    if (!readStamp)
        cache.Forget(path);  // it changed while it was read
    else if (SettledWhenRead(path, *readStamp, readNs))
        cache.Store(path, *readStamp, file, nullptr);
    else
        cache.Store(path, *readStamp, file, std::make_shared<const std::string>(std::move(*bytes)));
    return file;
}

std::optional<LoadedIniFile> LoadIniFile(const fs::path& path)
{
    if (auto shared = LoadSharedIniFile(path))
        return *shared;
    return std::nullopt;
}

bool SaveIniFile(const fs::path& path, const IniDocument& document, TextEncoding encoding)
{
    return SaveBytes(path, BytesToWrite(document, encoding));
}

std::optional<std::u16string> ReadProfileString(const fs::path& path, std::u16string_view section,
                                                std::u16string_view key)
{
    const std::shared_ptr<const LoadedIniFile> loaded = LoadSharedIniFile(path);
    if (!loaded)
        return std::nullopt;
    return loaded->document.GetValue(section, key);
}

bool WriteProfileString(const fs::path& path, std::u16string_view section, std::u16string_view key,
                        std::u16string_view value)
{
    return WriteProfileStrings(path, section, {{std::u16string(key), std::u16string(value)}});
}

bool WriteProfileStrings(const fs::path& path, std::u16string_view section,
                         const std::vector<std::pair<std::u16string, std::u16string>>& entries)
{
    if (path.empty())
        return false;
    const std::lock_guard<std::mutex> lock(WriteMutex());
    std::optional<LoadedIniFile> file = LoadForEdit(path);
    if (!file)
        return false;
    if (!file->document.SetValues(section, entries))
        return false;
    return SaveBytes(path, BytesToWrite(file->document, EncodingToWrite(file->encoding)));
}

bool DeleteProfileSection(const fs::path& path, std::u16string_view section)
{
    if (path.empty())
        return false;
    const std::lock_guard<std::mutex> lock(WriteMutex());
    std::error_code ec;
    if (fs::status(path, ec).type() == fs::file_type::not_found)
        return true;
    std::optional<LoadedIniFile> file = LoadIniFile(path);
    if (!file)
        return false;
    if (!file->document.DeleteSection(section))
        return true;
    return SaveBytes(path, BytesToWrite(file->document, EncodingToWrite(file->encoding)));
}

std::vector<std::u16string> ReadProfileSectionNames(const fs::path& path)
{
    const std::shared_ptr<const LoadedIniFile> loaded = LoadSharedIniFile(path);
    if (!loaded)
        return {};
    return loaded->document.SectionNames();
}

}  // namespace platform
