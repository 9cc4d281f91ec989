#include "app/shell/leftover_files.h"

#include <cerrno>
#include <set>
#include <system_error>

#include <signal.h>
#include <unistd.h>

#include "app/shell/document_loader.h"
#include "engine/xml/temporary_file_name.h"

namespace brindle {

namespace fs = std::filesystem;

long LeftoverOwner(std::string_view fileName)
{
    if (const long pid = quaverly::TemporaryFileOwner(fileName))
        return pid;
    return TemporaryDocumentCopy::OwnerOf(fileName);
}

bool ProcessIsRunning(long pid)
{
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

int RemoveLeftoverFiles(const std::vector<fs::path>& folders)
{
    const long self = static_cast<long>(::getpid());
    std::set<fs::path> seen;
    int removed = 0;
    for (const fs::path& folder : folders) {
        std::error_code ec;
        const fs::path key = fs::weakly_canonical(folder, ec);
        if (folder.empty() || ec || !seen.insert(key).second)
            continue;
        fs::directory_iterator it(folder, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
            const fs::path& path = it->path();
            const long owner = LeftoverOwner(path.filename().native());
            if (owner == 0 || owner == self || ProcessIsRunning(owner))
                continue;
            std::error_code typeError;
            if (!fs::is_regular_file(fs::symlink_status(path, typeError)))
                continue;
            std::error_code removeError;
            if (fs::remove(path, removeError))
                ++removed;
        }
    }
    return removed;
}

}  // namespace brindle
