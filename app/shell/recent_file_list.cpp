#include "app/shell/recent_file_list.h"

#include <QSettings>

#include <algorithm>

namespace brindle {

namespace {

const QString kSection = QStringLiteral("Recent File List");

QString KeyOf(std::size_t index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

}  // namespace

RecentFileList::RecentFileList(std::unique_ptr<QSettings> settings, std::size_t maxEntries)
    : settings_(std::move(settings)), max_(std::clamp<std::size_t>(maxEntries, 1, 16))
{
}

RecentFileList::~RecentFileList() = default;

void RecentFileList::Load()
{
    entries_.clear();
    if (!settings_)
        return;
    settings_->beginGroup(kSection);
    for (std::size_t i = 0; i < max_; ++i) {
        const QString path = settings_->value(KeyOf(i)).toString();
        if (!path.isEmpty())
            entries_.push_back(path.toStdU16String());
    }
    settings_->endGroup();
}

void RecentFileList::Save() const
{
    if (!settings_)
        return;
    settings_->beginGroup(kSection);
    for (std::size_t i = 0; i < max_; ++i) {
        if (i < entries_.size())
            settings_->setValue(KeyOf(i), QString::fromStdU16String(entries_[i]));
        else
            settings_->remove(KeyOf(i));
    }
    settings_->endGroup();
    settings_->sync();
}

void RecentFileList::Add(std::u16string_view path)
{
    if (path.empty())
        return;
    auto same = std::find(entries_.begin(), entries_.end(), path);
    if (same != entries_.end())
        entries_.erase(same);
    entries_.insert(entries_.begin(), std::u16string(path));
    if (entries_.size() > max_)
        entries_.resize(max_);
    Save();
}

bool RecentFileList::Remove(std::u16string_view path)
{
    auto found = std::find(entries_.begin(), entries_.end(), path);
    if (found == entries_.end())
        return false;
    entries_.erase(found);
    Save();
    return true;
}

std::u16string RecentFileList::At(std::size_t index) const
{
    return index < entries_.size() ? entries_[index] : std::u16string();
}

}  // namespace brindle
