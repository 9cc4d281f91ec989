#include "platform/font_resources.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

#include <map>
#include <mutex>
#include <system_error>

namespace platform {
namespace {

struct Entry {
    int id = -1;
    int faces = 0;
};

std::mutex& TableMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<std::filesystem::path, Entry>& Table()
{
    static std::map<std::filesystem::path, Entry> table;
    return table;
}

std::filesystem::path Key(const std::filesystem::path& file)
{
    std::error_code ec;
    auto canonical = std::filesystem::weakly_canonical(file, ec);
    return ec ? file.lexically_normal() : canonical;
}

}  // namespace

int AddFontResource(const std::filesystem::path& file)
{
    const auto key = Key(file);
    std::lock_guard lock(TableMutex());
    if (auto it = Table().find(key); it != Table().end())
        return it->second.faces;
    const int id =
        QFontDatabase::addApplicationFont(QString::fromStdString(key.string()));
    if (id < 0)
        return 0;
    const int faces = static_cast<int>(QFontDatabase::applicationFontFamilies(id).size());
    Table()[key] = Entry{id, faces};
    return faces;
}

bool RemoveFontResource(const std::filesystem::path& file)
{
    const auto key = Key(file);
    std::lock_guard lock(TableMutex());
    auto it = Table().find(key);
    if (it == Table().end())
        return false;
    QFontDatabase::removeApplicationFont(it->second.id);
    Table().erase(it);
    return true;
}

}  // namespace platform
