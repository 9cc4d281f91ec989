#include "app/shell/brindle_doc.h"

#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brindle {

bool CBrindleDoc::OnOpenDocument(std::u16string_view path)
{
    if (path.empty())
        return false;
    // Opened without waiting: a named pipe must not stop the start-up. Anything but a
    // folder that opens is kept; the view refuses what is not a document it can read.
    const std::filesystem::path file(path);
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool folder = ::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode);
    ::close(fd);
    if (folder)
        return false;
    m_strOpenPath = std::u16string(path);
    return true;
}

}  // namespace brindle
