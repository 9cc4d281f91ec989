#include "engine/xml/atomic_file_writer.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quaverly {

namespace {

namespace fs = std::filesystem;

void SetError(std::string* error, std::string_view what)
{
    if (error)
        *error = std::string(what) + ": " + std::strerror(errno);
}

// Writes everything, going on after a partial write or an interrupted call.
bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A new file beside the target that no one else has: created exclusively, so two saves
// at once never share one.
int CreateTemporary(const fs::path& target, fs::path& temporary)
{
    static std::atomic<unsigned> counter{0};
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = "." + target.filename().string() + ".saving-" +
                                 std::to_string(::getpid()) + "-" +
                                 std::to_string(counter.fetch_add(1));
        temporary = folder / name;
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

}  // namespace

bool AtomicFileWriter::Write(const fs::path& path, std::string_view bytes, std::string* error)
{
    if (path.empty() || !path.has_filename()) {
        if (error)
            *error = "no file name";
        return false;
    }
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        if (error)
            *error = "the path names a folder";
        return false;
    }
    fs::path temporary;
    const int fd = CreateTemporary(path, temporary);
    if (fd < 0) {
        SetError(error, "cannot create the file");
        return false;
    }
    // A file written again keeps the permissions it had.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);

    bool ok = WriteAll(fd, bytes);
    if (!ok)
        SetError(error, "cannot write the file");
    if (ok && ::fsync(fd) != 0) {
        SetError(error, "cannot flush the file");
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        SetError(error, "cannot close the file");
        ok = false;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        SetError(error, "cannot replace the file");
        ok = false;
    }
    if (!ok)
        ::unlink(temporary.c_str());
    return ok;
}

}  // namespace quaverly
