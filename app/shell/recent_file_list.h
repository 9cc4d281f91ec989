// The recent-file list of the File menu: the last documents opened, newest first, kept
// in the user's settings under the company name ("Recent File List", "File1" ...).
// Every change is written at once, so the list survives a program that does not end
// normally.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QSettings;

namespace brindle {

class RecentFileList {
public:
    static constexpr std::size_t kDefaultSize = 4;

    // `settings` is where the list is kept (owned).
    RecentFileList(std::unique_ptr<QSettings> settings, std::size_t maxEntries = kDefaultSize);
    ~RecentFileList();
    RecentFileList(const RecentFileList&) = delete;
    RecentFileList& operator=(const RecentFileList&) = delete;

    // The list as stored; entries past the size and empty ones are dropped.
    void Load();
    void Save() const;

    // Puts the path first; an entry with the same path moves up instead of repeating.
    void Add(std::u16string_view path);
    // Removes the first entry equal to the path (exact comparison); false when none.
    bool Remove(std::u16string_view path);

    std::size_t Size() const { return entries_.size(); }
    std::size_t MaxSize() const { return max_; }
    // Empty when past the end.
    std::u16string At(std::size_t index) const;
    const std::vector<std::u16string>& Entries() const { return entries_; }

private:
    std::unique_ptr<QSettings> settings_;
    std::size_t max_;
    std::vector<std::u16string> entries_;
};

}  // namespace brindle
